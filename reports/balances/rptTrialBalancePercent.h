// TrptTrialBalancePercent: the trial balance with each account's share of
// its group.
//
// The report builds its own table: the chart of accounts, overlaid with the
// balances of the host's account-balance data module, then for every
// account the closing balance (or the movement) as a percentage of the same
// amount of the account its group begins with.  It prints the table in
// classification order, leaving out accounts without any amount.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/data/dataset.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"
#include "host/report/cabecalho.h"
#include "reports/balances/BalanceteUtil.h"

namespace vireo {

class TField;
class TnFprDPGerarSaldoContaIndividual;

// The host's yes/no: 1 yes, anything else no.
using TDicSimNao = int;

// Basis of the percentages.
enum TnPercentualSobre { psNenhum = 0, psSaldo = 1, psMovimento = 2 };

struct TnMapperBalancete {
  TField* Conta{};
  TField* Tipo{};
  TField* Classificacao{};
  TField* Descricao{};
  TField* SldAnterior{};
  TField* Debito{};
  TField* Credito{};
  TField* Movimento{};
  TField* SldAtual{};
  TField* Percentual{};
  VIREO_MAPPER(TnMapperBalancete, Conta, Tipo, Classificacao, Descricao, SldAnterior, Debito,
               Credito, Movimento, SldAtual, Percentual)
};

class TrptTrialBalancePercent : public TnrwBaseDll {
 public:
  // The sections of the layout.
  enum Secao : int {
    kCabecalhoPagina = 1,
    kTitulosColunas = 8,  // under every page header
    kLinhaTitulos = 9,
    kLinhaEmBranco = 10,
    kLinhaConta = 11,
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptTrialBalancePercent() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;

 private:
  void LerParametros();
  void PreencherCabecalho();
  void ImprimirCabecalhoColunas(TObject* Sender, int Section);
  void CriarBalancete();
  void AdicionarCampo(const std::string& nome, TFieldType tipo, int tamanho = 0);
  std::string SelectPlanoContas() const;
  void CarregarPlanoContas();
  void GerarSaldos();
  void SobreporSaldos();
  void CalcularPercentuais();
  void ImprimirBalancete();
  bool SemValores() const;
  void ImprimirLinha();
  void AplicarEstiloLinha(bool sintetica);

  TFieldDef FDef;
  std::unique_ptr<TnClientDataSet> FCdsBalancete;
  TnClientDataSet* FCurDadosContas = nullptr;  // the data module's
  TnMapperDadosContas* FMapDadosContas = nullptr;
  TnMapperBalancete* FMapBalancete = nullptr;
  std::unique_ptr<TnFprDPGerarSaldoContaIndividual> FDMSaldoConta;
  bool FImpIndiv = false;
  TDicSimNao FImpSintetica = 0;
  TDicSimNao FPulaLinha = 0;
  TDicSimNao FQuebraGrupo = 0;
  std::string FOcultOrigem;
  std::string FOldClassifConta;
  std::string FCodigoConta;
  std::string FCodigoEscrit;
  int FPercentualSobre = psSaldo;
  std::unique_ptr<TnCabecalhoRelatorio> FCabecalho;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
};

}  // namespace vireo
