// TrptMonthlyTracking: one amount of every account of the chart, month by
// month.
//
// The user picks the amount (closing balance, debits, credits or movement);
// every calendar month the period touches gets a column, optionally followed
// by a total column and a column with the account's share of its group.  The
// report keeps its own table (one row per account, one float column per
// month): the chart of accounts is loaded into it, then the account-balance
// data module runs once per month and its chosen amount is added into that
// month's column.  Twelve months fit on a printed row; longer periods go on
// in continuation rows of the same account.  Labels of the layout are moved,
// sized and hidden to fit the number of months before anything prints.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/data/dataset.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"
#include "reports/balances/BalanceteUtil.h"

namespace vireo {

class TnCabecalhoRelatorio;
class TnFprDPGerarSaldoContaIndividual;
class TnProgresso;

class TrptMonthlyTracking : public TnrwBaseDll {
 public:
  // The sections of the layout.
  enum Secao : int {
    kCabecalhoPagina = 1,
    kTitulosColunas = 8,  // under every page header, one per row of months
    kLinhaTitulos = 9,
    kLinhaEmBranco = 10,
    kLinhaConta = 11,  // one per row of months
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptMonthlyTracking() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;
  void DoZebradoBeforeSection(TObject* sender, int section) override;

 private:
  // --- parameters, months, layout, header
  void LerParametros();
  int ParametroInteiro(const char* nome) const;
  void MontarIntervalos();
  void ArrumarLayout();
  void ArrumarColunaConta();
  void ArrumarColunasMeses();
  void PreencherCabecalho();
  void PrepararImpressao();
  // --- the table
  void CriarTabela();
  void PreencherTabela();
  void CarregarPlanoContas();
  void ProcessarMes(int mes, TnProgresso& progresso);
  void ExecutarDMSaldoConta(TDateTime inicio, TDateTime fim);
  void AdicionarConta(int64_t codigo, const std::string& classificacao, const std::string& tipo,
                      const std::string& descricao);
  double ValorListado() const;
  TField* CampoMes(int mes) const;
  void CalcularTotais();
  // --- the print
  void ImprimirTabela();
  void ImprimirConta();
  bool ContaSemValores() const;
  void EstilizarLinha(bool negrito);
  void ImprimirCabecalhoColunas(TObject* Sender, int Section);
  void MostrarMensagens();
  // --- panel
  int64_t ValorCampo(const char* nome) const;
  void HabilitarCampo(const char* nome, bool habilitar);

  TFieldDef FDef;
  std::unique_ptr<TnClientDataSet> FCdsAcompMensal;
  TnClientDataSet* FCurDadosContas = nullptr;  // the data module's
  TnMapperDadosContas* FMapDadosContas = nullptr;
  std::vector<TDateTime> FIntervaloDatas;  // first day of each month, month 1 first
  TDateTime FData = 0;
  TDateTime FDataFinal = 0;
  TDateTime FDataInicial = 0;
  std::unique_ptr<TnFprDPGerarSaldoContaIndividual> FDMSaldoConta;
  int FListar = 0;
  int FRegistro = 0;
  int FIntervalo = 0;
  int FTotalRegistro = 0;
  int FIdxAcompMensalCONTA = 0;
  int FIdxAcompMensalCONTACLASSIFICACAO = 0;
  int FIdxAcompMensalCONTATIPO = 0;
  int FIdxAcompMensalCONTADESCRICAO = 0;
  int FIdxAcompMensalTOTAL = 0;
  int FIdxAcompMensalPERCENT = 0;
  bool FImpIndiv = false;
  bool FImpTotal = false;
  bool FPulaLinha = false;
  bool FImpPercent = false;
  bool FImpClassif = false;
  bool FImpContaCtb = false;
  bool FQuebraGrupo = false;
  bool FImpSintetica = false;
  std::string FCodigoConta;
  std::string FCodigoEscrit;
  std::string FOldClassifConta;
  std::string FOcultOrigem;
  std::unique_ptr<TnCabecalhoRelatorio> FCabecalho;
  // The line being printed continues an account (months 13 onwards).
  bool FLinhaContinuacao = false;
};

}  // namespace vireo
