#include "reports/cashflow/rptCashFlowForecast.h"

#include "frame/nrwBaseDllReg.h"
#include "host/biz/fluxo_caixa.h"
#include "host/biz/formatar_numero.h"
#include "host/core/format.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/chart.h"
#include "host/report/engine.h"
#include "host/report/labels.h"
#include "reports/cashflow/FluxoCaixaDataSets.h"

namespace vireo {

namespace {

const char kCodigoPessoa[] = "0000";

}  // namespace

TrptCashFlowForecast::~TrptCashFlowForecast() {
  DestruirSQL(FCdsEmpresa);
  FCdsTituloDataDet.reset();
  FCdsTituloData.reset();
}

std::string TrptCashFlowForecast::Versao() { return "[versao: 1.1.103.0]"; }

std::vector<int> TrptCashFlowForecast::CriarListaSectionsParaZebrar() { return SecoesZebradas(); }

void TrptCashFlowForecast::DepoisConfigurar() {
  TnrwBaseDll::DepoisConfigurar();
  CriarDataSets();
  InstalarCondicaoContaCorrente(FReport);
}

void TrptCashFlowForecast::CriarDataSets() {
  if (!FCdsTituloData) FCdsTituloData = CriarCdsDia({"Receber", "Pagar"});
  if (!FCdsTituloDataDet) FCdsTituloDataDet = CriarCdsDetalhe({"Receber", "Pagar"}, false);
}

void TrptCashFlowForecast::LerParametros() {
  FCodigoEscrit = LerSelecao(FReport, "pCodigoEscrit");
  FCodigoConta = LerSelecao(FReport, "pCodigodaConta");
  FOrigemLcto = LerSelecao(FReport, "pOrigemLctoCaixaCh");
  LerPeriodo(FReport, FDataInicial, FDataFinal);
  FTipoRelatorio = LerTipoRelatorio(FReport->RepParam("pTipoRelatorio"));
  FDetalharCliFor = ParametroSim(FReport, "pRelacionarCliFor");
}

void TrptCashFlowForecast::ImprimirInterno() {
  CriarDataSets();  // also when the host printed without configuring
  TnSQLGuard guarda_empresa(FCdsEmpresa);
  TnGraficoSolto solta_grafico(FChart);

  LerParametros();
  FCdsEmpresa =
      ExecutarSQL(SelectEmpresasFluxo(FCodigoEscrit), {}, true, false, -1, "", nullptr, true);
  PercorrerEmpresas(FReport, FCdsEmpresa, FCodigoEscrit.empty(),
                    [this](int64_t codigo) { return ImprimirEmpresa(codigo); });
}

// One company (0: all together); false when it had nothing to print.
bool TrptCashFlowForecast::ImprimirEmpresa(int64_t codigo) {
  FChart = EhGrafico(FTipoRelatorio) ? PrepararGrafico(FReport, 2) : nullptr;
  Zerar();
  TnEntidadesEmpresa entidades(FItensFluxoCaixa, FDadosCC);
  CarregarEMesclar(codigo);
  if (FCdsTituloData->IsEmpty()) return false;

  if (EhListagem(FTipoRelatorio)) FLimite = ImprimirBlocoContas(FReport, *FDadosCC);
  SaldoInicial();
  if (EhListagem(FTipoRelatorio)) {
    FReport->LabelByName("Etiqueta4")->SetVisible(FDetalharCliFor);
    FReport->RepPrintSection(kCabecalhoDias);
  }
  ImprimirLinhaSaldoAnterior();
  PercorrerDias();
  ImprimirLinhaTotal();
  entidades.Liberar();
  if (EhGrafico(FTipoRelatorio)) FReport->RepPrintSection(kGrafico);
  return true;
}

void TrptCashFlowForecast::Zerar() {
  FReceber = FPagar = FLimite = FSaldo = FSaldoLimite = FSaldoInicial = FSaldoInicialComLimite = 0;
  FCdsTituloData->EmptyDataSet();
  FCdsTituloDataDet->EmptyDataSet();
}

void TrptCashFlowForecast::CarregarEMesclar(int64_t codigo_escrit) {
  const TnEntradasFluxo entradas{codigo_escrit, FDataInicial, FDataFinal, FCodigoConta,
                                 FOrigemLcto};
  FDadosCC = CarregarContasCorrentes(entradas);
  FItensFluxoCaixa = NovosItensFluxoCaixa(entradas);
  FItensFluxoCaixa->Detalhar = FDetalharCliFor;
  FItensFluxoCaixa->Modo = mfcPrevisto;
  FItensFluxoCaixa->CarregarItens();
  FItensFluxoCaixa->CarregarSaldoAnterior();
  MesclarTotaisDia(FItensFluxoCaixa->CdsTotaisDia(), FCdsTituloData.get());
  MesclarDetalheDia(FItensFluxoCaixa->CdsDetalheDia(), FCdsTituloDataDet.get(), true);
}

void TrptCashFlowForecast::SaldoInicial() {
  FSaldoInicial = SaldoAnteriorDe(*FItensFluxoCaixa);
  FSaldoInicialComLimite = FSaldoInicial + FLimite;
  FSaldo = FSaldoInicial;
  FSaldoLimite = FSaldoInicialComLimite;
}

void TrptCashFlowForecast::ImprimirLinhaSaldoAnterior() {
  ImprimirSaldoAnterior(FReport, FTipoRelatorio, FChart, FSaldoInicial, FSaldoInicialComLimite);
}

void TrptCashFlowForecast::PercorrerDias() {
  TMapLst* dia = FCdsTituloData->GetMapper<TMapLst>();
  TMapLstDet* det = FCdsTituloDataDet->GetMapper<TMapLstDet>();
  FCdsTituloDataDet->First();
  ::vireo::PercorrerDias(FReport, FCdsTituloData.get(), [&] { PassoDia(*dia, *det); });
}

void TrptCashFlowForecast::PassoDia(TMapLst& dia, TMapLstDet& det) {
  const TDateTime data = dia.Data->AsDateTime();
  const double receber = dia.Receber->AsFloat();
  const double pagar = dia.Pagar->AsFloat();
  FSaldo += receber - pagar;
  FSaldoLimite += receber - pagar;
  if (EhListagem(FTipoRelatorio)) {
    if (receber > 0 || pagar > 0) {
      ImprimirLinhaDia(FReport, {.T1 = DateToStr(data),
                                 .T6 = FormatarNumero(receber),
                                 .T7 = FormatarNumero(pagar),
                                 .T4 = FormatarNumero(FSaldo),
                                 .T5 = FormatarNumero(FSaldoLimite)});
    }
    if (FDetalharCliFor) ImprimirDetalheDia(data, det);
  }
  FReceber += receber;
  FPagar += pagar;
  if (FChart != nullptr) AdicionarPontoSaldo(FChart, FSaldo, DateToStr(data));
}

// One line per person and day, without line breaking; a row with nothing
// to receive or pay is passed over.
void TrptCashFlowForecast::ImprimirDetalheDia(TDateTime data, TMapLstDet& det) {
  TnEstiloDetalhe italico(FReport);
  for (; !FCdsTituloDataDet->Eof() && det.Data->AsDateTime() <= data; FCdsTituloDataDet->Next()) {
    if (det.Data->AsDateTime() < data) continue;  // a row of no listed day
    const double receber = det.Receber->AsFloat();
    const double pagar = det.Pagar->AsFloat();
    if (!(receber > 0 || pagar > 0)) continue;
    ImprimirLinhaDia(
        FReport,
        {.T2 = FormatFloat(kCodigoPessoa, static_cast<double>(det.CodigoPessoaFin->AsInteger())) +
               " " + det.Nome->AsString(),
         .T6 = FormatarNumero(receber),
         .T7 = FormatarNumero(pagar)});
  }
}

void TrptCashFlowForecast::ImprimirLinhaTotal() {
  if (!EhListagem(FTipoRelatorio)) return;
  ImprimirLinhaSaldo(FReport, {.F1 = "Total:",
                               .F6 = FormatarNumero(FReceber),
                               .F7 = FormatarNumero(FPagar),
                               .F4 = FormatarNumero(FSaldo),
                               .F5 = FormatarNumero(FSaldoLimite)});
}

VIREO_REGISTER_REPORT(TrptCashFlowForecast)

}  // namespace vireo
