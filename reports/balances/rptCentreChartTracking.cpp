#include "reports/balances/rptCentreChartTracking.h"

#include <algorithm>

#include "frame/nrwBaseDllReg.h"
#include "host/biz/balancete.h"
#include "host/biz/plano_item.h"
#include "host/core/format.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"

namespace vireo {

TrptCentreChartTracking::~TrptCentreChartTracking() {
  if (FCdsEscrit != nullptr) DestruirSQL(FCdsEscrit);
}

std::string TrptCentreChartTracking::Versao() { return "[versao: 1.0.0.0]"; }

void TrptCentreChartTracking::ImprimirInterno() {
  FCodigoEscrit = LerCodigoEscrit(FReport);
  FDataInicial = LerData(FReport, "pDataInicial");
  FDataFinal = LerData(FReport, "pDataFinal");
  FCodigoCentroCusto = LerSelecao(FReport, "pCodigoCentroCusto");
  VerificarPeriodo(FDataInicial, FDataFinal);

  const TDateTime final = FDataFinal;
  while (FDataInicial <= final) {
    FDataFinal = std::min(DateOf(EndOfTheMonth(FDataInicial)), final);
    Mes();
    FDataInicial = DateOf(IncDay(FDataFinal));
  }
  FDataFinal = final;
}

void TrptCentreChartTracking::Mes() {
  TnSQLGuard guarda(FCdsEscrit);
  FRegistro = 0;
  FTotalRegistro = 0;
  if (FCodigoEscrit != 0) FCdsEscrit = ConsultarEmpresa(FCodigoEscrit);
  // A new entity each month; the one of the month before goes with it.
  TnEntradasBalancete entradas;
  entradas.Tipo = kMesclaPorCentro;
  entradas.CodigoEscrit = FCodigoEscrit;
  entradas.DataInicial = FDataInicial;
  entradas.DataFinal = FDataFinal;
  entradas.CodigoCentroCusto = FCodigoCentroCusto;
  FBalancete = ProcessarBalancete(entradas);
  PreencherEmpresa(FReport, FCdsEscrit, "pNomeEscrit");
  FTotalRegistro = FBalancete->TotalItens();

  const std::vector<TnItensFilial>* centros = FBalancete->ListaFilial();
  if (centros == nullptr) return;
  FReport->SetValues("P1", DateToStr(FDataInicial));
  FReport->SetValues("P2", DateToStr(FDataFinal));
  for (const TnItensFilial& centro : *centros) ImprimirCentroCusto(centro);
  FReport->RepEndOfPage(true);
}

void TrptCentreChartTracking::ImprimirCentroCusto(const TnItensFilial& centro) {
  FReport->CSLShowProgress(FRegistro, FTotalRegistro);
  ++FRegistro;
  LimparColunas(FReport);
  FReport->SetValues("R1", "Centro Custo: " + centro.DescrCentroCusto);
  FReport->RepPrintSection(kTituloCentroCusto);
  PercorrerPlano(centro.Plano->Filhos(), [this](IPlanoItem* conta) { ImprimirConta(conta); });
  LimparColunas(FReport);
  for (int secao : {kRodapeCentroCusto, kRodapeCentroCusto2, kRodapeCentroCusto3}) {
    FReport->RepPrintSection(secao);
  }
}

void TrptCentreChartTracking::ImprimirConta(IPlanoItem* conta) {
  FReport->CSLShowProgress(FRegistro, FTotalRegistro);
  PreencherValoresItem(FReport, conta);
  EstiloSecao(FReport, kLinhaConta, conta->Sintetico());
  FReport->RepPrintSection(kLinhaConta);
}

VIREO_REGISTER_REPORT(TrptCentreChartTracking)

}  // namespace vireo
