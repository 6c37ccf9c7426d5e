// TrptCostCentreLedger: the ledger by cost centre.  The cost-centre shares
// of the cash entries (FPRCAIXACUSTO of FPRCAIXA) printed as a ledger
// crossed with the chart of accounts, in one of two arrangements: cost
// centre by account (the cost-centre tree walked, under each cost centre
// with movement the accounts it touched) or account by cost centre (the
// chart walked, under each account its cost centres), each detail item with
// its entries and running balance, optional previous and current balance
// lines and optional totals per detail item or per day.
//
// The trees, the header-to-detail lists and the opening balances come from
// the balance entity TnBalancete; the entries from the report's own query.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/biz/balancete.h"
#include "host/core/datetime.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"

namespace vireo {

class IPlanoItem;
class TField;
class TnClientDataSet;
class TnListaPlanoItem;

// Which balance lines are listed (pListarSaldo).
enum TnListaSaldo : int { lsNao = 0, lsSohCCusto = 1, lsSohConta = 2, lsCCusConta = 3 };
// Which totals are printed (pTotalDebCred).
enum TnTotalDebCred : int { ttNao = 0, ttConta = 1, ttDiario = 2 };

// The rows of the entry query.
struct TnMapLancamento {
  TField* DataCaixa{};
  TField* ValorCusto{};
  TField* NaturLctoCusto{};
  TField* CodigoHistCtb{};
  TField* HistoricoCaixa{};
  TField* DescrHistCtb{};
  VIREO_MAPPER(TnMapLancamento, DataCaixa, ValorCusto, NaturLctoCusto, CodigoHistCtb,
               HistoricoCaixa, DescrHistCtb)
};

class TrptCostCentreLedger : public TnrwBaseDll {
 public:
  // The sections of the layout.
  enum Secao : int {
    kCabecalhoPagina = 1,
    kLinhaSaldo = 8,  // "Saldo Anterior..." or "Saldo Atual..."
    kItemCabecalho = 9,
    kItemDetalhe = 10,
    kLancamento = 11,
    kTotal = 12,
    kSeparadorDetalhe = 13,
    kSeparadorCabecalho = 14,
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptCostCentreLedger() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;

 private:
  void LerParametros();
  void Imprimir();
  void Liberar();
  void AbrirLancamentos();
  void CriarBalancete();
  void PercorrerArvore(const TnListaPlanoItem& itens);
  void ImprimirCabecalho(IPlanoItem* item, const TnListaAnalitica& detalhes);
  void PercorrerDetalhes(const TnListaAnalitica& detalhes);
  void ImprimirLancamentos(const TnItensAnalitico& detalhe);
  void LinhaSaldoAnterior(int natureza, double valor);
  void LinhaSaldoAtual(int natureza, bool data_final, double valor, bool com_saldo);
  void LinhaTotal();
  std::string DataLancamentoAtual() const;

  bool SaldoCabecalho() const;
  bool SaldoDetalhe() const;
  bool SohSaldoCabecalho() const;
  int NaturezaCabecalho(const std::string& classificacao) const;
  int NaturezaDetalhe(const std::string& classificacao) const;
  int Lado(int natureza, double valor) const;
  std::string TextoSaldo(int natureza, double valor) const;

  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  TnListaSaldo FListaSaldo = lsNao;
  TnTipoMescla FTipoMescla = 0;
  TnTotalDebCred FTotalDebCred = ttNao;
  int FRegistro = 0;
  int FTotalRegistro = 0;
  int64_t FCodigoEscrit = 0;
  std::string FCodigoConta;
  std::string FCodigoCentroCusto;
  IPlanoItem* FItemCabecalho = nullptr;
  const TnItensAnalitico* FItemDetalhe = nullptr;
  std::unique_ptr<TnBalancete> FBalancete;
  double FTotalCred = 0;
  double FTotalDeb = 0;
  double FSaldoCab = 0;
  double FSaldoDet = 0;
  TnClientDataSet* FCdsNaturCCusto = nullptr;
  TnClientDataSet* FCdsNaturConta = nullptr;
  TnClientDataSet* FCdsLancamentos = nullptr;
  TnClientDataSet* FCdsEmpresa = nullptr;
  TnMapLancamento* FLancamentos = nullptr;  // belongs to FCdsLancamentos
  bool FEhPrimeiroCabecalho = true;
};

}  // namespace vireo
