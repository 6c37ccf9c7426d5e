// TrptCashFlowForecast: the forecast cash flow of one company, or of all
// companies together, over a date range: the document of the realised cash
// flow (rptCashFlowActual) with the amounts still to be received and paid
// on each day, the open titles by due date, in place of the amounts
// received and paid.  Both amount columns are always shown; the detail is
// by person only.
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

class TrptCashFlowForecast : public TnrwBaseDll {
 public:
  using Secao = TnSecaoFluxoCaixa;

  struct TMapLst {
    TField* Data{};
    TField* Receber{};
    TField* Pagar{};
    TField* Descricao{};
    VIREO_MAPPER(TMapLst, Data, Receber, Pagar, Descricao)
  };
  struct TMapLstDet {
    TField* Data{};
    TField* CodigoPessoaFin{};
    TField* Nome{};
    TField* Receber{};
    TField* Pagar{};
    VIREO_MAPPER(TMapLstDet, Data, CodigoPessoaFin, Nome, Receber, Pagar)
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptCashFlowForecast() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DepoisConfigurar() override;

 private:
  void CriarDataSets();
  void LerParametros();
  bool ImprimirEmpresa(int64_t codigo);
  void Zerar();
  void CarregarEMesclar(int64_t codigo_escrit);
  void SaldoInicial();
  void ImprimirLinhaSaldoAnterior();
  void PercorrerDias();
  void PassoDia(TMapLst& dia, TMapLstDet& det);
  void ImprimirDetalheDia(TDateTime data, TMapLstDet& det);
  void ImprimirLinhaTotal();

  TnTipoRelat FTipoRelatorio = trRelatorio;
  TnpqChart* FChart = nullptr;
  std::string FCodigoEscrit;
  std::string FCodigoConta;
  std::string FOrigemLcto;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  bool FDetalharCliFor = false;
  double FReceber = 0;
  double FPagar = 0;
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
