#include "reports/balances/rptMonthlyTracking.h"

#include <algorithm>
#include <cmath>

#include "frame/nrwBaseDllReg.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/selection.h"
#include "host/data/sql.h"
#include "host/report/cabecalho.h"
#include "host/report/data_module.h"
#include "host/report/engine.h"
#include "host/report/labels.h"
#include "host/report/panel.h"
#include "host/report/progress.h"
#include "host/report/report_utils.h"
#include "reports/balances/BalanceteUtil.h"

namespace vireo {

namespace {

const char kMascaraPercentual[] = "##,###,##0.00%";
const char kTabelaEscritorio[] =
    "ESCRITORIO left join PESSOAFINANCEIRO  on CODIGOESCRIT = CODIGOPESSOAFIN ";

constexpr int kMesesPorLinha = 12;
constexpr int kPasso = 60;
// Room kept between the description and the first month column, so a long
// description is cut short instead of running under the amounts.
constexpr int kFolgaDescricao = 6;

// A percentage written like an amount: between parentheses when negative,
// followed by one blank otherwise.
std::string FormatarPercentual(double valor) {
  const std::string texto = FormatFloat(kMascaraPercentual, std::fabs(valor));
  return valor < 0 ? "(" + texto + ")" : texto + " ";
}

std::string Coluna(char prefixo, int i) { return prefixo + std::to_string(i); }

bool MesmoNome(const std::string& a, const char* b) { return UpperCase(a) == UpperCase(b); }

// The description without the classification written into it (the report
// prints the classification in a place of its own).
std::string SemClassificacao(const std::string& descricao, const std::string& classificacao) {
  if (classificacao.empty()) return descricao;
  return Trim(StringReplace(descricao, classificacao, "", false));
}

// Where the month columns go for n months: the description's width (0 keeps
// the layout's) and the first column's left position.
struct TnArranjoMeses {
  int largura_descricao = 0;
  int primeira = 0;
};

TnArranjoMeses ArranjoMeses(int meses) {
  if (meses <= 3) return {489, 489};
  if (meses <= 5) return {424, 424};
  if (meses <= 7) return {358, 358};
  if (meses <= 10) return {293, 293};
  if (meses == 11) return {249, 249};
  return {0, 249};
}

// Holds the engine's layout refresh off while labels are rearranged.
class TnAtualizarLayoutDesligado {
 public:
  explicit TnAtualizarLayoutDesligado(TnrwReport* report)
      : report_(report), antes_(report->GetAtualizarLayout()) {
    report_->SetAtualizarLayout(false);
  }
  ~TnAtualizarLayoutDesligado() { report_->SetAtualizarLayout(antes_); }
  TnAtualizarLayoutDesligado(const TnAtualizarLayoutDesligado&) = delete;
  TnAtualizarLayoutDesligado& operator=(const TnAtualizarLayoutDesligado&) = delete;

 private:
  TnrwReport* report_;
  bool antes_;
};

// The progress frame is hidden however the table filling ends.
class TnEsconderProgresso {
 public:
  explicit TnEsconderProgresso(TnProgresso* progresso) : progresso_(progresso) {}
  ~TnEsconderProgresso() { progresso_->Hide(); }
  TnEsconderProgresso(const TnEsconderProgresso&) = delete;
  TnEsconderProgresso& operator=(const TnEsconderProgresso&) = delete;

 private:
  TnProgresso* progresso_;
};

void MoverRotulo(TnrwReport* report, const std::string& nome, int left) {
  report->LabelByName(nome)->SetLeft(left);
}

void DimensionarRotulo(TnrwReport* report, const std::string& nome, int width) {
  report->LabelByName(nome)->SetWidth(width);
}

void MostrarRotulo(TnrwReport* report, const std::string& nome, bool visivel) {
  report->LabelByName(nome)->SetVisible(visivel);
}

// A description label never reaches into the first month column.
void LimitarDescricao(TnrwReport* report, const std::string& nome, int primeira) {
  TnpqLabel* label = report->LabelByName(nome);
  const double limite = primeira - kFolgaDescricao - label->Left();
  if (label->Width() > limite) label->SetWidth(std::max(0.0, limite));
}

}  // namespace

TrptMonthlyTracking::~TrptMonthlyTracking() {
  DestruirSQL(FCurDadosContas);
  FMapDadosContas = nullptr;  // belonged to the dataset
  FDMSaldoConta.reset();
}

std::string TrptMonthlyTracking::Versao() { return "[versao: 1.1.93.0]"; }

std::vector<int> TrptMonthlyTracking::CriarListaSectionsParaZebrar() {
  return {kLinhaConta, kLinhaEmBranco};
}

// A continuation row takes two turns of the alternation, which gives it the
// background of its account's first row; the next account still alternates.
void TrptMonthlyTracking::DoZebradoBeforeSection(TObject* sender, int section) {
  TnrwBaseDll::DoZebradoBeforeSection(sender, section);
  if (section == kLinhaConta && FLinhaContinuacao)
    TnrwBaseDll::DoZebradoBeforeSection(sender, section);
}

// --- panel -------------------------------------------------------------------------

void TrptMonthlyTracking::DoParamChange(TObject*, TnpqParamItem* param) {
  if (param == nullptr) return;
  if (MesmoNome(param->Name(), "pListar")) {
    if (!FReport->GetParams()->ParamUnCheck("pIncTotais")) return;
    // Closing balances of several months do not add up to anything.
    HabilitarCampo("pIncTotais", ValorCampo("pListar") >= 2);
    HabilitarCampo("pIncPercentuais", ValorCampo("pListar") <= 1 || ValorCampo("pIncTotais") == 1);
  } else if (MesmoNome(param->Name(), "pIncTotais")) {
    const int64_t listar = ValorCampo("pListar");
    HabilitarCampo("pIncPercentuais",
                   listar == 1 || (listar >= 2 && ValorCampo("pIncTotais") == 1));
  }
}

void TrptMonthlyTracking::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptMonthlyTracking::DoParamExit(TObject*, TnpqParamItem*) {}

int64_t TrptMonthlyTracking::ValorCampo(const char* nome) const {
  TnFraControle* controle = FReport->EdFindFieldControl(nome);
  return controle != nullptr ? controle->GetAsInteger() : 0;
}

void TrptMonthlyTracking::HabilitarCampo(const char* nome, bool habilitar) {
  FReport->EdEnabledField(nome, habilitar);
  if (habilitar) return;
  if (TnFraControle* controle = FReport->EdFindFieldControl(nome)) controle->SetAsString("0");
}

// --- parameters, months, layout, header ----------------------------------------------

// Strict: a value that is not an integer stops the print, naming the
// parameter.
int TrptMonthlyTracking::ParametroInteiro(const char* nome) const {
  try {
    return StrToInt(FReport->GetValues(nome));
  } catch (const EConvertError& e) {
    throw EConvertError(std::string("Parâmetro ") + nome + ": " + e.Message());
  }
}

void TrptMonthlyTracking::LerParametros() {
  FDataInicial = StrToDateDef(Trim(FReport->GetValues("pDataInicial")), 0);
  FDataFinal = StrToDateDef(Trim(FReport->GetValues("pDataFinal")), 0);
  FQuebraGrupo = ParametroInteiro("pQuebraGrupo") == 1;
  FImpSintetica = ParametroInteiro("pImpSintetica") == 1;
  FPulaLinha = ParametroInteiro("pPulaLinha") == 1;
  FListar = ParametroInteiro("pListar");
  FImpContaCtb = ParametroInteiro("pImpContaContabil") == 1;
  FImpClassif = ParametroInteiro("pImpClassificacao") == 1;
  FImpTotal = ParametroInteiro("pIncTotais") == 1;
  FImpPercent = ParametroInteiro("pIncPercentuais") == 1;
  FOcultOrigem = FReport->GetValues("pOrigemLctoCaixaCh");
  FCodigoEscrit = FReport->GetValues("pCodigoEscrit");
  FCodigoConta = FReport->GetValues("pCodigoConta");

  // A missing date would stand for 30/12/1899 and ask for a column per
  // month since then.
  if (FDataInicial == 0) throw EnParam("pDataInicial", "Informe a data inicial do período.");
  if (FDataFinal == 0) throw EnParam("pDataFinal", "Informe a data final do período.");
  if (FDataInicial > FDataFinal) {
    throw EnParam("pDataInicial", "Data inicial não pode ser maior que data final.");
  }
}

// Whole calendar months, from the first day of the initial date's month.
void TrptMonthlyTracking::MontarIntervalos() {
  FIntervalo = MonthsBetween(FDataInicial, FDataFinal);
  FIntervaloDatas.clear();
  FData = StartOfTheMonth(FDataInicial);
  for (int i = 1; i <= FIntervalo; ++i) FIntervaloDatas.push_back(IncMonth(FData, i - 1));
}

void TrptMonthlyTracking::ArrumarLayout() {
  TnAtualizarLayoutDesligado desligado(FReport);
  ArrumarColunaConta();
  ArrumarColunasMeses();
}

void TrptMonthlyTracking::ArrumarColunaConta() {
  const int tipo = FImpContaCtb ? 74 : 34;
  const int descricao = FImpContaCtb ? 91 : 51;
  const int largura = FImpContaCtb ? 177 : 207;
  for (const char* nome : {"pContaTipo", "pCabContaTipo"}) MoverRotulo(FReport, nome, tipo);
  for (const char* nome : {"pContaDescricao", "pCabContaDescricao"}) {
    MoverRotulo(FReport, nome, descricao);
    DimensionarRotulo(FReport, nome, largura);
  }
  for (const char* nome : {"pConta", "pCabConta"}) MostrarRotulo(FReport, nome, FImpContaCtb);
}

// Twelve month columns at most on a row; longer periods reuse them on
// continuation rows.  For a single month the total and percent columns
// follow one step to the right, as for every other count.
void TrptMonthlyTracking::ArrumarColunasMeses() {
  if (FIntervalo == 0) return;
  const TnArranjoMeses arranjo = ArranjoMeses(FIntervalo);
  for (const char* nome : {"pContaDescricao", "pCabContaDescricao"}) {
    if (arranjo.largura_descricao > 0) {
      DimensionarRotulo(FReport, nome, arranjo.largura_descricao);
    }
    LimitarDescricao(FReport, nome, arranjo.primeira);
  }
  const int colunas = std::min(FIntervalo, kMesesPorLinha);
  for (int i = 1; i <= colunas; ++i) {
    for (char prefixo : {'C', 'R'}) {
      MoverRotulo(FReport, Coluna(prefixo, i), arranjo.primeira + (i - 1) * kPasso);
      MostrarRotulo(FReport, Coluna(prefixo, i), true);
    }
  }
  for (char prefixo : {'C', 'R'}) {
    MoverRotulo(FReport, Coluna(prefixo, 13), arranjo.primeira + colunas * kPasso);
    MoverRotulo(FReport, Coluna(prefixo, 14), arranjo.primeira + (colunas + 1) * kPasso);
  }
  if (FIntervalo >= kMesesPorLinha) return;  // columns 13 and 14 as the layout has them
  for (char prefixo : {'C', 'R'}) {
    for (int i = FIntervalo + 1; i <= kMesesPorLinha; ++i) {
      MostrarRotulo(FReport, Coluna(prefixo, i), false);
    }
    MostrarRotulo(FReport, Coluna(prefixo, 13), FImpTotal);
    MostrarRotulo(FReport, Coluna(prefixo, 14), FImpPercent);
  }
}

void TrptMonthlyTracking::PreencherCabecalho() {
  const int codigo = StrToIntDef(Trim(FCodigoEscrit), 0);
  if (codigo > 0) {
    // The condition is written from the number read, so no other text of
    // the selection reaches the SQL.
    const Variant nome =
        PegarValorCampo(kTabelaEscritorio, "NOME", "CODIGOESCRIT = " + IntToStr(codigo));
    FReport->SetValues("pNomeEscrit", nome.IsNull() ? "" : FCodigoEscrit + " - " + nome.AsString());
    const Variant inscricao =
        PegarValorCampo(kTabelaEscritorio, "INSCFEDERAL", "CODIGOESCRIT =  " + IntToStr(codigo));
    FReport->SetValues("pInscFederal", inscricao.AsString());
  } else {
    FReport->SetValues("pNomeEscrit", "");
    FReport->SetValues("pInscFederal", "");
  }
  switch (FListar) {
    case 1:
      FReport->SetValues("pCampoListar", "SALDO ATUAL");
      break;
    case 2:
      FReport->SetValues("pCampoListar", "DÉBITO");
      break;
    case 3:
      FReport->SetValues("pCampoListar", "CRÉDITO");
      break;
    case 4:
      FReport->SetValues("pCampoListar", "MOVIMENTO");
      break;
    default:
      break;
  }
}

void TrptMonthlyTracking::PrepararImpressao() {
  FCabecalho = std::make_unique<TnCabecalhoRelatorio>(FReport, false, false, FImpIndiv, false, true,
                                                      Variant(), -1, 0, 0, "", "", false);
  FReport->MsgConfigurar({"Mensagem"}, 0);
  FImpIndiv = true;
  FReport->OnSectionPrint = [this](TObject* sender, int section) {
    ImprimirCabecalhoColunas(sender, section);
  };
}

// --- the print ---------------------------------------------------------------------

void TrptMonthlyTracking::ImprimirInterno() {
  LerParametros();
  MontarIntervalos();
  ArrumarLayout();
  PreencherCabecalho();
  PrepararImpressao();
  {
    TnZerarProgresso zerar(FReport);
    CriarTabela();
    PreencherTabela();
    FCdsAcompMensal->SetIndexFieldNames("CONTACLASSIFICACAO");
    CalcularTotais();
    ImprimirTabela();
  }
  MostrarMensagens();
}

// --- the table ---------------------------------------------------------------------

void TrptMonthlyTracking::CriarTabela() {
  FCdsAcompMensal = std::make_unique<TnClientDataSet>();
  auto adicionar = [this](const std::string& nome, TFieldType tipo, int tamanho) {
    FDef = TFieldDef{nome, tipo, tamanho};
    FCdsAcompMensal->AddFieldDef(FDef.name, FDef.type, FDef.size);
  };
  adicionar("CONTA", TFieldType::Integer, 0);
  adicionar("CONTATIPO", TFieldType::String, 0);
  adicionar("CONTACLASSIFICACAO", TFieldType::String, 30);
  adicionar("CONTADESCRICAO", TFieldType::String, 50);
  for (TDateTime mes : FIntervaloDatas) {
    adicionar(FormatDateTime("dd/mm/yyyy", mes), TFieldType::Float, 0);
  }
  adicionar("TOTAL", TFieldType::Float, 0);
  adicionar("PERCENT", TFieldType::Float, 0);
  FCdsAcompMensal->SetIndexFieldNames("CONTA");
  FCdsAcompMensal->CreateDataSet();
  FCdsAcompMensal->SetLogChanges(false);

  FIdxAcompMensalCONTA = FCdsAcompMensal->FieldByName("CONTA")->Index();
  FIdxAcompMensalCONTACLASSIFICACAO = FCdsAcompMensal->FieldByName("CONTACLASSIFICACAO")->Index();
  FIdxAcompMensalCONTATIPO = FCdsAcompMensal->FieldByName("CONTATIPO")->Index();
  FIdxAcompMensalCONTADESCRICAO = FCdsAcompMensal->FieldByName("CONTADESCRICAO")->Index();
  FIdxAcompMensalTOTAL = FCdsAcompMensal->FieldByName("TOTAL")->Index();
  FIdxAcompMensalPERCENT = FCdsAcompMensal->FieldByName("PERCENT")->Index();
}

// Month 1 is the column right after the description.
TField* TrptMonthlyTracking::CampoMes(int mes) const {
  return FCdsAcompMensal->Fields(FIdxAcompMensalCONTADESCRICAO + mes);
}

void TrptMonthlyTracking::AdicionarConta(int64_t codigo, const std::string& classificacao,
                                         const std::string& tipo, const std::string& descricao) {
  TnClientDataSet& tabela = *FCdsAcompMensal;
  tabela.Append();
  tabela.Fields(FIdxAcompMensalCONTA)->SetAsInteger(codigo);
  tabela.Fields(FIdxAcompMensalCONTACLASSIFICACAO)->SetAsString(classificacao);
  tabela.Fields(FIdxAcompMensalCONTATIPO)->SetAsString(tipo);
  tabela.Fields(FIdxAcompMensalCONTADESCRICAO)
      ->SetAsString(SemClassificacao(descricao, classificacao));
  for (int mes = 1; mes <= FIntervalo; ++mes) CampoMes(mes)->SetAsFloat(0);
  tabela.Fields(FIdxAcompMensalTOTAL)->SetAsFloat(0);
  tabela.Fields(FIdxAcompMensalPERCENT)->SetAsFloat(0);
  tabela.Post();
}

void TrptMonthlyTracking::CarregarPlanoContas() {
  std::string sql = "select CODIGOCONTA ,TIPOCONTA ,CLASSIFCONTA ,DESCRCONTA from FPRCONTA ";
  if (!Trim(FCodigoConta).empty()) {
    sql += "where " + FilterInterval("CODIGOCONTA", FCodigoConta, {1}, false, 0);
  }
  // Every row: the host's row limit would cut the chart short.
  TnClientDataSet* plano = ExecutarSQL(sql, {}, true, false, -1, "", nullptr, true);
  TnSQLGuard guarda(plano);
  const TnMapperPlanoContas& conta = *plano->GetMapper<TnMapperPlanoContas>();
  for (plano->First(); !plano->Eof(); plano->Next()) {
    AdicionarConta(conta.CodigoConta->AsInteger(), conta.ClassifConta->AsString(),
                   conta.TipoConta->AsInteger() == 1 ? "S" : " ", conta.DescrConta->AsString());
  }
}

void TrptMonthlyTracking::PreencherTabela() {
  CarregarPlanoContas();
  TnProgresso* progresso = CriarProgresso();
  TnEsconderProgresso esconder(progresso);
  progresso->MostrarMultiplo(nullptr);
  progresso->ConfigurarProgressoTotal(0, FIntervalo);
  // The total bar walks the months and the partial bar the accounts of one.
  progresso->SetTextos("Processando intervalos", "Processando contas");
  for (int mes = 1; mes <= FIntervalo; ++mes) ProcessarMes(mes, *progresso);
}

void TrptMonthlyTracking::ProcessarMes(int mes, TnProgresso& progresso) {
  const TDateTime inicio = FIntervaloDatas[mes - 1];
  ExecutarDMSaldoConta(inicio, EndOfTheMonth(inicio));
  progresso.SetProgressoParcial(0);
  progresso.ConfigurarProgressoParcial(0, FCurDadosContas->RecordCount());
  TnClientDataSet& tabela = *FCdsAcompMensal;
  const TnMapperDadosContas& dados = *FMapDadosContas;
  TField* campo = CampoMes(mes);
  for (FCurDadosContas->First(); !FCurDadosContas->Eof(); FCurDadosContas->Next()) {
    const int64_t codigo = dados.CodigoConta->AsInteger();
    if (!tabela.FindKey({Variant(codigo)})) {
      AdicionarConta(codigo, dados.ClassifConta->AsString(), dados.TipoConta->AsString(),
                     dados.DescrConta->AsString());
    }
    tabela.Edit();
    campo->SetAsFloat(campo->AsFloat() + ValorListado());
    tabela.Post();
    progresso.IncProgressoParcial(0);
  }
  progresso.IncProgressoTotal(0);
}

double TrptMonthlyTracking::ValorListado() const {
  switch (FListar) {
    case 1:
      return FMapDadosContas->Saldo->AsFloat();
    case 2:
      return FMapDadosContas->ValorDebito->AsFloat();
    case 3:
      return FMapDadosContas->ValorCredito->AsFloat();
    case 4:
      return FMapDadosContas->Movimento->AsFloat();
    default:
      return 0;
  }
}

void TrptMonthlyTracking::ExecutarDMSaldoConta(TDateTime inicio, TDateTime fim) {
  if (FDMSaldoConta == nullptr) FDMSaldoConta = CriarDMSaldoConta();
  FCurDadosContas = FDMSaldoConta->Gerar(
      FiltroSaldoConta(inicio, fim, FOcultOrigem, FCodigoEscrit, FCodigoConta));
  FMapDadosContas = FCurDadosContas->GetMapper<TnMapperDadosContas>();
}

// TOTAL sums the months (only the last one without the total column);
// PERCENT is TOTAL over the TOTAL of the row that opened the group.
void TrptMonthlyTracking::CalcularTotais() {
  TnClientDataSet& tabela = *FCdsAcompMensal;
  TField* total = tabela.Fields(FIdxAcompMensalTOTAL);
  TField* percentual = tabela.Fields(FIdxAcompMensalPERCENT);
  TField* classificacao = tabela.Fields(FIdxAcompMensalCONTACLASSIFICACAO);
  const int primeiro = FImpTotal ? 1 : FIntervalo;
  std::string chave;
  double base = 0;
  for (tabela.First(); !tabela.Eof(); tabela.Next()) {
    tabela.Edit();
    double soma = total->AsFloat();
    for (int mes = std::max(primeiro, 1); mes <= FIntervalo; ++mes)
      soma += CampoMes(mes)->AsFloat();
    total->SetAsFloat(soma);
    if (PegarGrupoClassif(classificacao->AsString()) != chave) {
      base = soma;
      chave = classificacao->AsString();
    }
    percentual->SetAsFloat(base == 0 ? 0 : soma / base * 100);
    tabela.Post();
  }
}

void TrptMonthlyTracking::ImprimirTabela() {
  TnClientDataSet& tabela = *FCdsAcompMensal;
  TField* tipo = tabela.Fields(FIdxAcompMensalCONTATIPO);
  TField* classificacao = tabela.Fields(FIdxAcompMensalCONTACLASSIFICACAO);
  FOldClassifConta.clear();
  FRegistro = 0;
  FTotalRegistro = tabela.RecordCount();
  tabela.First();
  while (!tabela.Eof()) {
    if (FImpSintetica && tipo->AsString() != "S") {
      tabela.Next();
      continue;
    }
    ++FRegistro;
    const std::string grupo = classificacao->AsString().substr(0, 1);
    if (FQuebraGrupo && grupo != FOldClassifConta) FReport->RepEndOfPage(true);
    EstilizarLinha(tipo->AsString() == "S");
    ImprimirConta();
    FOldClassifConta = grupo;
    tabela.Next();
    FReport->CSLShowProgress(FRegistro, FTotalRegistro);
  }
}

void TrptMonthlyTracking::EstilizarLinha(bool negrito) {
  for (int i = 0; i < FReport->GetObjectCount(); ++i) {
    auto* label = dynamic_cast<TnpqLabel*>(FReport->GetObjects(i));
    if (label == nullptr || label->Section() != kLinhaConta) continue;
    label->SetFontStyle(negrito ? TFontStyles{fsBold} : TFontStyles{});
  }
}

bool TrptMonthlyTracking::ContaSemValores() const {
  for (int mes = 1; mes <= FIntervalo; ++mes) {
    if (CampoMes(mes)->AsFloat() != 0) return false;
  }
  return true;
}

void TrptMonthlyTracking::ImprimirConta() {
  if (ContaSemValores()) return;
  const TnClientDataSet& tabela = *FCdsAcompMensal;
  const std::string tipo = tabela.Fields(FIdxAcompMensalCONTATIPO)->AsString();
  if (FPulaLinha && (FImpSintetica || tipo == "S")) FReport->RepPrintSection(kLinhaEmBranco);

  // The rows of one account stay on one page: a continuation row alone at
  // the top of a page would not say whose months it holds.
  const int linhas = (FIntervalo + kMesesPorLinha - 1) / kMesesPorLinha;
  if (linhas > 1 && !FReport->CanPrintSection(std::vector<int>(linhas, kLinhaConta))) {
    FReport->SetCSLIsPageEnd(true);
  }

  const std::string descricao = tabela.Fields(FIdxAcompMensalCONTADESCRICAO)->AsString();
  FReport->SetValues("pConta", FImpContaCtb ? tabela.Fields(FIdxAcompMensalCONTA)->AsString() : "");
  FReport->SetValues("pContaTipo", tipo);
  FReport->SetValues(
      "pContaDescricao",
      FImpClassif ? tabela.Fields(FIdxAcompMensalCONTACLASSIFICACAO)->AsString() + " " + descricao
                  : descricao);
  FReport->SetValues("R13", "");
  FReport->SetValues("R14", "");
  FLinhaContinuacao = false;
  int c = 1;
  for (int mes = 1; mes <= FIntervalo; ++mes) {
    FReport->SetValues(Coluna('R', c), FormatarValorBalancete(CampoMes(mes)->AsFloat()));
    ++c;
    if (c > kMesesPorLinha && mes < FIntervalo) {
      c = 1;
      FReport->RepPrintSection(kLinhaConta);
      FLinhaContinuacao = true;
      for (const char* nome : {"pConta", "pContaTipo", "pContaDescricao"}) {
        FReport->SetValues(nome, "");
      }
      for (int i = 1; i <= kMesesPorLinha; ++i) FReport->SetValues(Coluna('R', i), "");
    }
  }
  if (FImpTotal) {
    FReport->SetValues("R13",
                       FormatarValorBalancete(tabela.Fields(FIdxAcompMensalTOTAL)->AsFloat()));
  }
  if (FImpPercent) {
    FReport->SetValues("R14", FormatarPercentual(tabela.Fields(FIdxAcompMensalPERCENT)->AsFloat()));
  }
  FReport->RepPrintSection(kLinhaConta);
}

// After the page header: the column headings, one heading row per row of
// twelve months.
void TrptMonthlyTracking::ImprimirCabecalhoColunas(TObject*, int Section) {
  if (Section != kCabecalhoPagina) return;
  FReport->SetValues("pCabConta", FImpContaCtb ? "Conta" : "");
  FReport->SetValues("pCabContaTipo", "S");
  FReport->SetValues("pCabContaDescricao", FImpClassif ? "Classificação" : "Descrição");
  FReport->SetValues("pCabTotal", "");
  FReport->SetValues("pCabPercent", "");
  for (int i = 1; i <= 14; ++i) FReport->SetValues(Coluna('C', i), "");
  int c = 1;
  for (int mes = 1; mes <= FIntervalo; ++mes) {
    FReport->SetValues(Coluna('C', c), FormatDateTime("mm/yyyy", FIntervaloDatas[mes - 1]));
    ++c;
    if (c > kMesesPorLinha && mes < FIntervalo) {
      FReport->RepPrintSection(kTitulosColunas);
      for (const char* nome : {"pCabConta", "pCabContaTipo", "pCabContaDescricao"}) {
        FReport->SetValues(nome, "");
      }
      c = 1;
      for (int i = 1; i <= kMesesPorLinha; ++i) FReport->SetValues(Coluna('C', i), "");
    }
  }
  if (FImpTotal) FReport->SetValues("C13", "Total");
  if (FImpPercent) FReport->SetValues("C14", "Perc.");
  FReport->RepPrintSection(kTitulosColunas);
  FReport->RepPrintSection(kLinhaTitulos);
}

void TrptMonthlyTracking::MostrarMensagens() {
  // The module's note of its last run (the last month).
  const std::string erros = FDMSaldoConta != nullptr ? FDMSaldoConta->MsgErro() : "";
  MostrarMensagensBalancete(FReport, erros, FOcultOrigem);
}

VIREO_REGISTER_REPORT(TrptMonthlyTracking)

}  // namespace vireo
