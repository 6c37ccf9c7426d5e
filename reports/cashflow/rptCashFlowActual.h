// TrptCashFlowActual: the realised cash flow of one company, or of all
// companies together, over a date range.
//
// Per company: the current accounts with their credit limits and balances,
// the opening balance, one line per day with the amounts received and paid
// and the running balance without and with the limit, optionally each
// day's detail by person or by entry history, and a total line; the same
// balances may be drawn as a line chart instead of the listing or beside
// it.  The movements come from the host's cash-flow entities
// (TnItensFluxoCaixa, TnDadosContasCorrentes), merged into two working
// datasets of the report.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"
#include "reports/cashflow/FluxoCaixaComum.h"

namespace vireo {

class TField;
class TnClientDataSet;
class TnDadosContasCorrentes;
class TnItensFluxoCaixa;
class TnpqChart;

class TrptCashFlowActual : public TnrwBaseDll {
 public:
  using Secao = TnSecaoFluxoCaixa;

  // The day dataset (CdsTituloData).
  struct TMapLst {
    TField* Data{};
    TField* Recebido{};
    TField* Pago{};
    TField* Descricao{};
    VIREO_MAPPER(TMapLst, Data, Recebido, Pago, Descricao)
  };
  // The day-and-person dataset (CdsDetTituloData).
  struct TMapLstDet {
    TField* Data{};
    TField* CodigoPessoaFin{};
    TField* Nome{};
    TField* Recebido{};
    TField* Pago{};
    TField* DescrHistCTB{};
    VIREO_MAPPER(TMapLstDet, Data, CodigoPessoaFin, Nome, Recebido, Pago, DescrHistCTB)
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptCashFlowActual() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DepoisConfigurar() override;

 private:
  void CriarDataSets();
  void LerParametros();
  void ConfigurarColunaRctoPgto();
  bool ImprimirEmpresa(int64_t codigo);
  void Zerar();
  void CarregarEMesclar(int64_t codigo_escrit);
  void SaldoInicial();
  void ImprimirLinhaSaldoAnterior();
  void PercorrerDias();
  void PassoDia(TMapLst& dia, TMapLstDet& det);
  void ImprimirDetalheDia(TDateTime data, TMapLstDet& det);
  void ImprimirLinhaTotal();
  std::string ValorRcto(double valor) const;
  std::string ValorPgto(double valor) const;

  TnTipoRelat FTipoRelatorio = trRelatorio;
  TnpqChart* FChart = nullptr;
  std::string FCodigoEscrit;
  std::string FCodigoConta;
  std::string FOrigemLcto;
  std::string FtipoOperacao;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  bool FHabilitarRcto = true;
  bool FHabilitarPgto = true;
  bool FDetalharCliForHist = false;
  double FRecebido = 0;
  double FPago = 0;
  double FLimite = 0;
  double FSaldo = 0;
  double FSaldoLimite = 0;
  double FSaldoInicial = 0;
  double FSaldoInicialComLimite = 0;
  TnClientDataSet* FCdsEmpresa = nullptr;
  std::unique_ptr<TnClientDataSet> FCdsTituloData;
  std::unique_ptr<TnClientDataSet> FCdsTituloDataDet;
  std::unique_ptr<TnItensFluxoCaixa> FItensFluxoCaixa;
  std::unique_ptr<TnDadosContasCorrentes> FDadosCC;
};

}  // namespace vireo
