#include "reports/balances/rptTrialBalanceCentreChart.h"

#include "frame/nrwBaseDllReg.h"
#include "host/biz/balancete.h"
#include "host/biz/plano_item.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "reports/balances/BalanceteCentroCusto.h"
#include "reports/balances/BalanceteUtil.h"

namespace vireo::centro_plano {

std::vector<int> TrptTrialBalanceCentreChart::CriarListaSectionsParaZebrar() {
  return {kLinhaConta, kTituloCentroCusto};
}

void TrptTrialBalanceCentreChart::Imprimir() {
  IniciarImpressao(kMesclaPorCentro);
  FCentroCusto = 0;
  const std::vector<TnItensFilial>* centros = FBalancete->ListaFilial();
  if (centros == nullptr) return;
  for (const TnItensFilial& centro : *centros) ImprimirCentroCusto(centro);
}

void TrptTrialBalanceCentreChart::ImprimirCentroCusto(const TnItensFilial& centro) {
  if (FCentroCusto > 0 && FCentroCusto != centro.CodigoCentroCusto && FQuebrarPorGrupo) {
    FReport->RepEndOfPage(true);
  }
  FCentroCusto = centro.CodigoCentroCusto;
  FReport->CSLShowProgress(FRegistro, FTotalRegistro);
  ++FRegistro;
  LimparColunas(FReport);
  FReport->SetValues("R3", "Centro Custo: " + centro.DescrCentroCusto);
  FReport->RepPrintSection(kTituloCentroCusto);
  PercorrerPlano(centro.Plano->Filhos(), [this](IPlanoItem* item) { ImprimirConta(item); });
  LimparColunas(FReport);
  FReport->RepPrintSection(kTituloCentroCusto);
}

void TrptTrialBalanceCentreChart::ImprimirConta(IPlanoItem* item) {
  FReport->CSLShowProgress(FRegistro, FTotalRegistro);
  ++FRegistro;
  if (FPularLinhaCadaSintetica && item->Sintetico() && FPos > 0) {
    LimparColunas(FReport);
    FReport->RepPrintSection(kLinhaConta);
  }
  ++FPos;
  PreencherValoresItem(FReport, item);
  EstiloSecao(FReport, kLinhaConta, item->Sintetico());
  FReport->RepPrintSection(kLinhaConta);
}

VIREO_REGISTER_REPORT(TrptTrialBalanceCentreChart)

}  // namespace vireo::centro_plano
