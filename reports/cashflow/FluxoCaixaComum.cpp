#include "reports/cashflow/FluxoCaixaComum.h"

#include "host/biz/fluxo_caixa.h"
#include "host/biz/formatar_numero.h"
#include "host/biz/helper_enum_str.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/selection.h"
#include "host/data/sql.h"
#include "host/report/chart.h"
#include "host/report/engine.h"
#include "host/report/panel.h"

namespace vireo {

namespace {

const char kFormatoSaldo[] = "##,###,##0.00";
const char kCodigoConta[] = "0000";
const int kSerieSaldo = 0;
const int kSerieZero = 1;

}  // namespace

std::vector<int> SecoesZebradas() {
  return {kLinhaConta, kReservada,   kEspacoContas, kCabecalhoDias,
          kLinhaDia,   kTotalContas, kLinhaSaldo};
}

void PercorrerEmpresas(TnrwReport* report, TnClientDataSet* empresas, bool consolidado,
                       const std::function<bool(int64_t codigo)>& empresa) {
  TMapEmp* mapa = empresas->GetMapper<TMapEmp>();
  for (empresas->First(); !empresas->Eof(); empresas->Next()) {
    PreencherCabecalhoEmpresa(report, mapa, consolidado);
    if (!empresa(consolidado ? 0 : mapa->CODIGOPESSOAFIN->AsInteger())) continue;
    if (consolidado) break;  // all companies together: one pass
    report->SetCSLIsPageEnd(true);
  }
}

void PercorrerDias(TnrwReport* report, TnClientDataSet* dias, const std::function<void()>& passo) {
  const long long total = dias->RecordCount();
  long long feitos = 0;
  for (dias->First(); !dias->Eof(); dias->Next()) {
    passo();
    report->CSLShowProgress(++feitos, total);
  }
}

TnTipoRelat LerTipoRelatorio(const std::string& texto) {
  const int valor = StrToIntDef(Trim(texto), trRelatorio);
  return valor == trGrafico || valor == trRelatGrafico ? static_cast<TnTipoRelat>(valor)
                                                       : trRelatorio;
}

bool EhListagem(TnTipoRelat tipo) { return tipo == trRelatorio || tipo == trRelatGrafico; }
bool EhGrafico(TnTipoRelat tipo) { return tipo == trGrafico || tipo == trRelatGrafico; }

std::string SelectEmpresasFluxo(const std::string& codigo_escrit) {
  std::string sql =
      "select   PES.CODIGOPESSOAFIN,   PES.NOME,   PES.INSCFEDERAL from PessoaFinanceiro PES "
      "join ESCRITORIO  EMP on EMP.CODIGOESCRIT = PES.CODIGOPESSOAFIN ";
  if (!codigo_escrit.empty()) {
    ParseSelection(codigo_escrit, "pCodigoEscrit");
    sql += " where " + FilterInterval("PES.CODIGOPESSOAFIN", codigo_escrit, {1}, false, 3, -1);
  }
  return sql + " order by PES.CODIGOPESSOAFIN";
}

void PreencherCabecalhoEmpresa(TnrwReport* report, const TMapEmp* empresa, bool consolidado) {
  if (consolidado) {
    report->SetValues("pNomeEmpresa", "");
    report->SetValues("pInscrFederal", "");
    return;
  }
  report->SetValues(
      "pNomeEmpresa",
      FormatFloat(kCodigoConta, static_cast<double>(empresa->CODIGOPESSOAFIN->AsInteger())) + " " +
          empresa->NOME->AsString());
  report->SetValues("pInscrFederal", "CNPJ: " + empresa->INSCFEDERAL->AsString());
}

void LimparR(TnrwReport* report) {
  for (const char* nome : {"R1", "R2", "R3", "R4", "R5", "R6", "R7"}) report->SetValues(nome, "");
}

void ImprimirLinhaSaldo(TnrwReport* report, const TnLinhaSaldo& linha) {
  LimparR(report);
  report->SetValues("F1", linha.F1);
  report->SetValues("F2", linha.F2);
  report->SetValues("F6", linha.F6);
  report->SetValues("F3", linha.F3);
  report->SetValues("F7", linha.F7);
  report->SetValues("F4", linha.F4);
  report->SetValues("F5", linha.F5);
  report->RepPrintSection(kLinhaSaldo);
}

void ImprimirLinhaDia(TnrwReport* report, const TnLinhaDia& linha) {
  report->SetValues("T1", linha.T1);
  report->SetValues("T2", linha.T2);
  report->SetValues("T6", linha.T6);
  report->SetValues("T3", linha.T3);
  report->SetValues("T7", linha.T7);
  report->SetValues("T4", linha.T4);
  report->SetValues("T5", linha.T5);
  report->RepPrintSection(kLinhaDia);
}

double SaldoAnteriorDe(TnItensFluxoCaixa& itens) {
  TnClientDataSet* cds = itens.CdsSaldoAnterior();
  cds->First();
  return cds->Eof() ? 0 : cds->GetMapper<TMapSal>()->Saldo->AsFloat();
}

void AdicionarPontoSaldo(TnpqChart* grafico, double saldo, const std::string& rotulo) {
  grafico->Series(kSerieSaldo)->AddPoint(saldo, rotulo);
  grafico->Series(kSerieZero)->AddPoint(0, "");
}

void ImprimirSaldoAnterior(TnrwReport* report, TnTipoRelat tipo, TnpqChart* grafico, double saldo,
                           double saldo_com_limite) {
  LimparR(report);
  if (EhListagem(tipo)) {
    ImprimirLinhaSaldo(report, {.F1 = "Saldo Anterior...",
                                .F4 = FormatarNumero(saldo),
                                .F5 = FormatarNumero(saldo_com_limite)});
  }
  if (grafico != nullptr) AdicionarPontoSaldo(grafico, saldo, "Saldo Anterior");
}

double ImprimirBlocoContas(TnrwReport* report, TnDadosContasCorrentes& contas) {
  double limite = 0;
  double saldos = 0;
  TnClientDataSet* cds = contas.CdsContas();
  TMapCca* conta = cds->GetMapper<TMapCca>();
  for (cds->First(); !cds->Eof(); cds->Next()) {
    const double limite_conta = conta->Limite->AsFloat();
    const double saldo_conta = conta->Saldo->AsFloat();
    report->SetValues(
        "R1", FormatFloat(kCodigoConta, static_cast<double>(conta->Codigo->AsInteger())) + "  " +
                  conta->Descricao->AsString());
    report->SetValues("R2", FormatarNumero(limite_conta));
    report->SetValues("R3", FormatarNumero(saldo_conta));
    report->SetValues("R4", FormatarNumero(saldo_conta + limite_conta));
    limite += limite_conta;
    saldos += saldo_conta;
    report->RepPrintSection(kLinhaConta);
  }
  LimparR(report);
  report->SetValues("C1", FormatarNumero(limite));
  report->SetValues("C2", FormatarNumero(saldos));
  report->SetValues("C3", FormatarNumero(saldos + limite));
  report->RepPrintSection(kTotalContas);
  LimparR(report);
  report->RepPrintSection(kEspacoContas);
  return limite;
}

TnpqChart* PrepararGrafico(TnrwReport* report, int series) {
  TnpqChart* grafico = report->GraficoByName("grafico");
  for (int i = 0; i < series; ++i) grafico->Series(i)->Clear();
  grafico->ClearTexts();
  grafico->Series(kSerieSaldo)->SetValueFormat(kFormatoSaldo);
  return grafico;
}

std::string CondicaoContaCorrente() {
  return "MODALIDADECONTA <> " + ValorParaSQL(Variant(0), TFieldKind::Integer);
}

void InstalarCondicaoContaCorrente(TnrwReport* report) {
  auto* controle = dynamic_cast<TnFraCtrlNDLinkEdit*>(report->EdFindFieldControl("pCodigodaConta"));
  if (controle != nullptr) controle->SetSQLAdicional(&CondicaoContaCorrente);
}

void HabilitarTipoOperacao(TnrwReport* report) {
  TnFraControle* origem = report->EdFindFieldControl("pOrigemLctoCaixaCh");
  const std::string texto = origem != nullptr ? Trim(origem->GetAsString()) : "";
  const bool liquidacoes = texto.empty() || CheckInInclusion(Variant(2), texto, {1});
  report->EdEnabledField("pTipoOper", liquidacoes);
}

bool ParametroSim(TnrwReport* report, const std::string& nome) {
  // The panel stores "1" or "0" whatever the user typed ("Sim", "S", "1"),
  // and shows the host's text for it.
  TnFraControle* controle = report->EdFindFieldControl(nome);
  if (controle == nullptr) return Trim(report->RepParam(nome)) == "1";
  return Trim(controle->GetAsString()) == THelperEnumStr::TDicSimNao(1);
}

std::string LerSelecao(TnrwReport* report, const std::string& nome) {
  std::string texto = Trim(report->RepParam(nome));
  ParseSelection(texto, nome);
  return texto;
}

void LerPeriodo(TnrwReport* report, TDateTime& inicio, TDateTime& fim) {
  inicio = StrToDate(Trim(report->RepParam("pDataInicial")));
  fim = StrToDate(Trim(report->RepParam("pDataFinal")));
  if (fim < inicio) throw Exception("A data inicial não pode ser maior que a data final.");
}

}  // namespace vireo
