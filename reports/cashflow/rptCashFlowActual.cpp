#include "reports/cashflow/rptCashFlowActual.h"

#include "frame/nrwBaseDllReg.h"
#include "host/biz/fluxo_caixa.h"
#include "host/biz/formatar_numero.h"
#include "host/biz/historico.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/selection.h"
#include "host/data/sql.h"
#include "host/report/chart.h"
#include "host/report/engine.h"
#include "host/report/labels.h"
#include "reports/cashflow/FluxoCaixaDataSets.h"

namespace vireo {

namespace {

constexpr int kLarguraDetalhe = 53;
const char kCodigoPessoa[] = "0000";

// Tipos de operação: 1 recebimentos, 2 pagamentos, 3 movimentações.
constexpr int kOperRecebimento = 1;
constexpr int kOperPagamento = 2;
constexpr int kOperMovimentacao = 3;

bool Inclui(const std::string& selecao, int valor) {
  return CheckInInclusion(Variant(valor), selecao, {1});
}

}  // namespace

TrptCashFlowActual::~TrptCashFlowActual() {
  DestruirSQL(FCdsEmpresa);
  FCdsTituloDataDet.reset();
  FCdsTituloData.reset();
}

std::string TrptCashFlowActual::Versao() { return "[versao: 1.1.103.0]"; }

std::vector<int> TrptCashFlowActual::CriarListaSectionsParaZebrar() { return SecoesZebradas(); }

void TrptCashFlowActual::DepoisConfigurar() {
  TnrwBaseDll::DepoisConfigurar();
  CriarDataSets();
  InstalarCondicaoContaCorrente(FReport);
}

void TrptCashFlowActual::DoParamChange(TObject* sender, TnpqParamItem* param) {
  TnrwBaseDll::DoParamChange(sender, param);
  if (param != nullptr && SameText(param->Name(), "pOrigemLctoCaixaCh")) {
    HabilitarTipoOperacao(FReport);
  }
}

void TrptCashFlowActual::CriarDataSets() {
  if (!FCdsTituloData) {
    FCdsTituloData = CriarCdsDia({"Recebido", "Pago"});
  }
  if (!FCdsTituloDataDet) {
    FCdsTituloDataDet = CriarCdsDetalhe({"Recebido", "Pago"}, true);
  }
}

// --- parameters -------------------------------------------------------------

void TrptCashFlowActual::LerParametros() {
  FCodigoEscrit = LerSelecao(FReport, "pCodigoEscrit");
  FCodigoConta = LerSelecao(FReport, "pCodigodaConta");
  FOrigemLcto = LerSelecao(FReport, "pOrigemLctoCaixaCh");
  LerPeriodo(FReport, FDataInicial, FDataFinal);
  FTipoRelatorio = LerTipoRelatorio(FReport->RepParam("pTipoRelatorio"));
  FDetalharCliForHist = ParametroSim(FReport, "pRelacionarCliFor");
  FtipoOperacao = LerSelecao(FReport, "pTipoOper");
}

void TrptCashFlowActual::ConfigurarColunaRctoPgto() {
  FHabilitarRcto = FtipoOperacao.empty() || Inclui(FtipoOperacao, kOperRecebimento) ||
                   Inclui(FtipoOperacao, kOperMovimentacao);
  FHabilitarPgto = FtipoOperacao.empty() || Inclui(FtipoOperacao, kOperPagamento) ||
                   Inclui(FtipoOperacao, kOperMovimentacao);
  FReport->SetValues("pTituloColunaRcto", FHabilitarRcto ? "Valor Recebido" : "");
  FReport->SetValues("pTituloColunaPgto", FHabilitarPgto ? "Valor Pago" : "");
}

std::string TrptCashFlowActual::ValorRcto(double valor) const {
  return FHabilitarRcto ? FormatarNumero(valor) : "";
}

std::string TrptCashFlowActual::ValorPgto(double valor) const {
  return FHabilitarPgto ? FormatarNumero(valor) : "";
}

// --- the print --------------------------------------------------------------

void TrptCashFlowActual::ImprimirInterno() {
  CriarDataSets();  // also when the host printed without configuring
  TnSQLGuard guarda_empresa(FCdsEmpresa);
  TnGraficoSolto solta_grafico(FChart);

  LerParametros();
  ConfigurarColunaRctoPgto();
  FCdsEmpresa =
      ExecutarSQL(SelectEmpresasFluxo(FCodigoEscrit), {}, true, false, -1, "", nullptr, true);
  PercorrerEmpresas(FReport, FCdsEmpresa, FCodigoEscrit.empty(),
                    [this](int64_t codigo) { return ImprimirEmpresa(codigo); });
}

// One company (0: all together); false when it had nothing to print.
bool TrptCashFlowActual::ImprimirEmpresa(int64_t codigo) {
  FChart = EhGrafico(FTipoRelatorio) ? PrepararGrafico(FReport, 2) : nullptr;
  Zerar();
  TnEntidadesEmpresa entidades(FItensFluxoCaixa, FDadosCC);
  CarregarEMesclar(codigo);
  if (FCdsTituloData->IsEmpty()) return false;

  if (EhListagem(FTipoRelatorio)) FLimite = ImprimirBlocoContas(FReport, *FDadosCC);
  SaldoInicial();
  if (EhListagem(FTipoRelatorio)) {
    FReport->LabelByName("Etiqueta4")->SetVisible(FDetalharCliForHist);
    FReport->RepPrintSection(kCabecalhoDias);
  }
  ImprimirLinhaSaldoAnterior();
  PercorrerDias();
  ImprimirLinhaTotal();
  entidades.Liberar();
  if (EhGrafico(FTipoRelatorio)) FReport->RepPrintSection(kGrafico);
  return true;
}

void TrptCashFlowActual::Zerar() {
  FRecebido = FPago = FLimite = FSaldo = FSaldoLimite = FSaldoInicial = FSaldoInicialComLimite = 0;
  FCdsTituloData->EmptyDataSet();
  FCdsTituloDataDet->EmptyDataSet();
}

void TrptCashFlowActual::CarregarEMesclar(int64_t codigo_escrit) {
  const TnEntradasFluxo entradas{codigo_escrit, FDataInicial, FDataFinal, FCodigoConta,
                                 FOrigemLcto};
  FDadosCC = CarregarContasCorrentes(entradas);
  FItensFluxoCaixa = NovosItensFluxoCaixa(entradas);
  FItensFluxoCaixa->Detalhar = FDetalharCliForHist;
  FItensFluxoCaixa->TipoOperacao = Trim(FReport->GetParams()->Param("pTipoOper")->GetAsString());
  FItensFluxoCaixa->Modo = mfcRealizado;
  FItensFluxoCaixa->CarregarItens();
  FItensFluxoCaixa->CarregarSaldoAnterior();
  MesclarTotaisDia(FItensFluxoCaixa->CdsTotaisDia(), FCdsTituloData.get());
  MesclarDetalheDia(FItensFluxoCaixa->CdsDetalheDia(), FCdsTituloDataDet.get(), false);
}

void TrptCashFlowActual::SaldoInicial() {
  FSaldoInicial = SaldoAnteriorDe(*FItensFluxoCaixa);
  FSaldoInicialComLimite = FSaldoInicial + FLimite;
  FSaldo = FSaldoInicial;
  FSaldoLimite = FSaldoInicialComLimite;
}

void TrptCashFlowActual::ImprimirLinhaSaldoAnterior() {
  ImprimirSaldoAnterior(FReport, FTipoRelatorio, FChart, FSaldoInicial, FSaldoInicialComLimite);
}

void TrptCashFlowActual::PercorrerDias() {
  TMapLst* dia = FCdsTituloData->GetMapper<TMapLst>();
  TMapLstDet* det = FCdsTituloDataDet->GetMapper<TMapLstDet>();
  FCdsTituloDataDet->First();
  ::vireo::PercorrerDias(FReport, FCdsTituloData.get(), [&] { PassoDia(*dia, *det); });
}

void TrptCashFlowActual::PassoDia(TMapLst& dia, TMapLstDet& det) {
  const TDateTime data = dia.Data->AsDateTime();
  const double recebido = dia.Recebido->AsFloat();
  const double pago = dia.Pago->AsFloat();
  FSaldo += recebido - pago;
  FSaldoLimite += recebido - pago;
  if (EhListagem(FTipoRelatorio)) {
    if (recebido > 0 || pago > 0) {
      ImprimirLinhaDia(FReport, {.T1 = DateToStr(data),
                                 .T6 = ValorRcto(recebido),
                                 .T7 = ValorPgto(pago),
                                 .T4 = FormatarNumero(FSaldo),
                                 .T5 = FormatarNumero(FSaldoLimite)});
    }
    if (FDetalharCliForHist) ImprimirDetalheDia(data, det);
  }
  FRecebido += recebido;
  FPago += pago;
  if (FChart != nullptr) AdicionarPontoSaldo(FChart, FSaldo, DateToStr(data));
}

// Both datasets are in date order, so each day takes exactly its own detail
// rows from where the previous day stopped.
void TrptCashFlowActual::ImprimirDetalheDia(TDateTime data, TMapLstDet& det) {
  TnEstiloDetalhe italico(FReport);
  for (; !FCdsTituloDataDet->Eof() && det.Data->AsDateTime() <= data; FCdsTituloDataDet->Next()) {
    if (det.Data->AsDateTime() < data) continue;  // a row of no listed day
    std::string texto;
    if (det.CodigoPessoaFin->AsInteger() > 0) {
      texto = FormatFloat(kCodigoPessoa, static_cast<double>(det.CodigoPessoaFin->AsInteger())) +
              " " + det.Nome->AsString();
    } else {
      std::string historico = det.DescrHistCTB->AsString();
      std::string nome = det.Nome->AsString();
      texto = MontarHistoricoCaixa(historico, nome);
    }
    const std::vector<std::string> linhas = WordWrapString(texto, kLarguraDetalhe);
    for (size_t i = 0; i < linhas.size(); ++i) {
      const bool primeira = i == 0;  // the amounts go on the first line only
      ImprimirLinhaDia(FReport, {.T2 = linhas[i],
                                 .T6 = primeira ? ValorRcto(det.Recebido->AsFloat()) : "",
                                 .T7 = primeira ? ValorPgto(det.Pago->AsFloat()) : ""});
    }
  }
}

void TrptCashFlowActual::ImprimirLinhaTotal() {
  if (!EhListagem(FTipoRelatorio)) return;
  ImprimirLinhaSaldo(FReport, {.F1 = "Total:",
                               .F6 = ValorRcto(FRecebido),
                               .F7 = ValorPgto(FPago),
                               .F4 = FormatarNumero(FSaldo),
                               .F5 = FormatarNumero(FSaldoLimite)});
}

VIREO_REGISTER_REPORT(TrptCashFlowActual)

}  // namespace vireo
