#include "reports/cashflow/rptCashFlowComparison.h"

#include "frame/nrwBaseDllReg.h"
#include "host/biz/fluxo_caixa.h"
#include "host/biz/formatar_numero.h"
#include "host/core/convert.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/chart.h"
#include "host/report/engine.h"
#include "reports/cashflow/FluxoCaixaDataSets.h"

namespace vireo {

namespace {

const char kFormatoSaldo[] = "##,###,##0.00";
constexpr int kSeriePrevisto = 0;  // the balance, or the forecast balance
constexpr int kSerieZero = 1;
constexpr int kSerieRealizado = 2;
constexpr int kSeries = 3;

TnColunaExibir LerColunaExibir(const std::string& texto) {
  return StrToIntDef(Trim(texto), coSaldoLimite) == coSaldoPrevistoRealizado
             ? coSaldoPrevistoRealizado
             : coSaldoLimite;
}

}  // namespace

TrptCashFlowComparison::~TrptCashFlowComparison() {
  DestruirSQL(FCdsEmpresa);
  FCdsTituloData.reset();
}

std::string TrptCashFlowComparison::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TrptCashFlowComparison::CriarListaSectionsParaZebrar() { return SecoesZebradas(); }

void TrptCashFlowComparison::DepoisConfigurar() {
  TnrwBaseDll::DepoisConfigurar();
  CriarDataSets();
  InstalarCondicaoContaCorrente(FReport);
}

void TrptCashFlowComparison::DoParamChange(TObject* sender, TnpqParamItem* param) {
  TnrwBaseDll::DoParamChange(sender, param);
  if (param != nullptr && SameText(param->Name(), "pOrigemLctoCaixaCh")) {
    HabilitarTipoOperacao(FReport);
  }
}

void TrptCashFlowComparison::CriarDataSets() {
  if (!FCdsTituloData) FCdsTituloData = CriarCdsDia({"Receber", "Recebido", "Pagar", "Pago"});
}

void TrptCashFlowComparison::LerParametros() {
  FCodigoEscrit = LerSelecao(FReport, "pCodigoEscrit");
  FCodigoConta = LerSelecao(FReport, "pCodigodaConta");
  FOrigemLcto = LerSelecao(FReport, "pOrigemLctoCaixaCh");
  LerPeriodo(FReport, FDataInicial, FDataFinal);
  FTipoRelatorio = LerTipoRelatorio(FReport->RepParam("pTipoRelatorio"));
  FColunaExibir = LerColunaExibir(FReport->RepParam("pColunaExibir"));
}

void TrptCashFlowComparison::ImprimirInterno() {
  CriarDataSets();  // also when the host printed without configuring
  TnSQLGuard guarda_empresa(FCdsEmpresa);
  TnGraficoSolto solta_grafico(FChart);

  LerParametros();
  FCdsEmpresa =
      ExecutarSQL(SelectEmpresasFluxo(FCodigoEscrit), {}, true, false, -1, "", nullptr, true);
  const bool limite = FColunaExibir == coSaldoLimite;
  FReport->SetValues("pTituloSaldo1", limite ? "Saldo sem Limite" : "Saldo Previsto");
  FReport->SetValues("pTituloSaldo2", limite ? "Saldo com Limite" : "Saldo Realizado");
  PercorrerEmpresas(FReport, FCdsEmpresa, FCodigoEscrit.empty(),
                    [this](int64_t codigo) { return ImprimirEmpresa(codigo); });
}

// One company (0: all together); false when it had nothing to print.
bool TrptCashFlowComparison::ImprimirEmpresa(int64_t codigo) {
  FChart = EhGrafico(FTipoRelatorio) ? PrepararGrafico(FReport, kSeries) : nullptr;
  if (FChart != nullptr) FChart->Series(kSerieRealizado)->SetValueFormat(kFormatoSaldo);
  Zerar();
  TnEntidadesEmpresa entidades(FItensFluxoCaixa, FDadosCC);
  CarregarEMesclar(codigo);
  if (FCdsTituloData->IsEmpty()) return false;

  if (EhListagem(FTipoRelatorio)) FLimite = ImprimirBlocoContas(FReport, *FDadosCC);
  SaldoInicial();
  if (EhListagem(FTipoRelatorio)) FReport->RepPrintSection(kCabecalhoDias);
  ImprimirLinhaSaldoAnterior();
  PercorrerDias();
  ImprimirLinhaTotal();
  entidades.Liberar();
  if (EhGrafico(FTipoRelatorio)) FReport->RepPrintSection(kGrafico);
  return true;
}

void TrptCashFlowComparison::Zerar() {
  FReceber = FPagar = FRecebido = FPago = 0;
  FLimite = FSaldo = FSaldoLimite = FSaldoInicial = FSaldoInicialComLimite = 0;
  FCdsTituloData->EmptyDataSet();
}

void TrptCashFlowComparison::CarregarEMesclar(int64_t codigo_escrit) {
  const TnEntradasFluxo entradas{codigo_escrit, FDataInicial, FDataFinal, FCodigoConta,
                                 FOrigemLcto};
  FDadosCC = CarregarContasCorrentes(entradas);
  FItensFluxoCaixa = NovosItensFluxoCaixa(entradas);
  FItensFluxoCaixa->TipoOperacao = Trim(FReport->GetParams()->Param("pTipoOper")->GetAsString());
  FItensFluxoCaixa->Modo = mfcAmbos;
  FItensFluxoCaixa->CarregarItens();
  FItensFluxoCaixa->CarregarSaldoAnterior();
  MesclarTotaisDia(FItensFluxoCaixa->CdsTotaisDia(), FCdsTituloData.get());
}

void TrptCashFlowComparison::SaldoInicial() {
  FSaldoInicial = SaldoAnteriorDe(*FItensFluxoCaixa);
  FSaldoInicialComLimite = FSaldoInicial + FLimite;
  FSaldo = FSaldoInicial;
  FSaldoLimite = FSaldoInicialComLimite;
  FSaldoPrevisto = FSaldoInicial;
  FSaldoRealizado = FSaldoInicial;
}

std::string TrptCashFlowComparison::Saldo1() const {
  return FormatarNumero(FColunaExibir == coSaldoLimite ? FSaldo : FSaldoPrevisto);
}

std::string TrptCashFlowComparison::Saldo2() const {
  return FormatarNumero(FColunaExibir == coSaldoLimite ? FSaldoLimite : FSaldoRealizado);
}

void TrptCashFlowComparison::ImprimirLinhaSaldoAnterior() {
  LimparR(FReport);
  if (EhListagem(FTipoRelatorio)) {
    const double f5 = FColunaExibir == coSaldoLimite ? FSaldoInicialComLimite : FSaldoInicial;
    ImprimirLinhaSaldo(
        FReport,
        {.F1 = "Saldo Anterior...", .F4 = FormatarNumero(FSaldoInicial), .F5 = FormatarNumero(f5)});
  }
  if (FChart != nullptr) {
    FChart->Series(kSeriePrevisto)->AddPoint(FSaldoInicial, "Saldo Anterior");
    if (FColunaExibir == coSaldoPrevistoRealizado) {
      FChart->Series(kSerieRealizado)->AddPoint(FSaldoInicial, "Saldo Anterior");
    }
    FChart->Series(kSerieZero)->AddPoint(0, "");
  }
}

void TrptCashFlowComparison::PercorrerDias() {
  TMapLst* dia = FCdsTituloData->GetMapper<TMapLst>();
  ::vireo::PercorrerDias(FReport, FCdsTituloData.get(), [&] { PassoDia(*dia); });
}

// Every day prints, whatever its amounts.
void TrptCashFlowComparison::PassoDia(TMapLst& dia) {
  const double a_receber = dia.Receber->AsFloat();
  const double recebido = dia.Recebido->AsFloat();
  const double a_pagar = dia.Pagar->AsFloat();
  const double pago = dia.Pago->AsFloat();
  FSaldo += a_receber + recebido - (a_pagar + pago);
  FSaldoLimite += a_receber + recebido - (a_pagar + pago);
  FSaldoPrevisto += a_receber - a_pagar;
  FSaldoRealizado += recebido - pago;
  const std::string data = DateToStr(dia.Data->AsDateTime());
  if (EhListagem(FTipoRelatorio)) {
    ImprimirLinhaDia(FReport, {.T1 = data,
                               .T2 = FormatarNumero(a_receber),
                               .T6 = FormatarNumero(recebido),
                               .T3 = FormatarNumero(a_pagar),
                               .T7 = FormatarNumero(pago),
                               .T4 = Saldo1(),
                               .T5 = Saldo2()});
  }
  FReceber += a_receber;
  FPagar += a_pagar;
  FRecebido += recebido;
  FPago += pago;
  if (FChart != nullptr) AdicionarPontos(data);
}

void TrptCashFlowComparison::AdicionarPontos(const std::string& rotulo) {
  if (FColunaExibir == coSaldoPrevistoRealizado) {
    FChart->Series(kSeriePrevisto)->AddPoint(FSaldoPrevisto, rotulo);
    FChart->Series(kSerieRealizado)->AddPoint(FSaldoRealizado, rotulo);
  } else {
    FChart->Series(kSeriePrevisto)->AddPoint(FSaldo, rotulo);
  }
  FChart->Series(kSerieZero)->AddPoint(0, "");
}

void TrptCashFlowComparison::ImprimirLinhaTotal() {
  if (!EhListagem(FTipoRelatorio)) return;
  ImprimirLinhaSaldo(FReport, {.F1 = "Total:",
                               .F2 = FormatarNumero(FReceber),
                               .F6 = FormatarNumero(FRecebido),
                               .F3 = FormatarNumero(FPagar),
                               .F7 = FormatarNumero(FPago),
                               .F4 = Saldo1(),
                               .F5 = Saldo2()});
}

VIREO_REGISTER_REPORT(TrptCashFlowComparison)

}  // namespace vireo
