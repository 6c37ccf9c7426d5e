#include "reports/balances/rptTrialBalancePercent.h"

#include "frame/nrwBaseDllReg.h"
#include "host/core/convert.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/core/variant.h"
#include "host/data/selection.h"
#include "host/data/sql.h"
#include "host/report/data_module.h"
#include "host/report/engine.h"
#include "host/report/labels.h"
#include "host/report/report_utils.h"
#include "reports/balances/BalanceteUtil.h"

namespace vireo {

namespace {

const char kTabelaEscritorio[] =
    "ESCRITORIO left join PESSOAFINANCEIRO  on CODIGOESCRIT = CODIGOPESSOAFIN ";

std::string PrimeiroCaractere(const std::string& texto) { return texto.substr(0, 1); }

// The module writes the classification in front of the description; the
// line prints the classification itself, so it is taken off once.
std::string DescricaoSemClassificacao(const std::string& descricao,
                                      const std::string& classificacao) {
  const std::string prefixo = classificacao + " ";
  if (!classificacao.empty() && descricao.compare(0, prefixo.size(), prefixo) == 0) {
    return descricao.substr(prefixo.size());
  }
  return descricao;
}

}  // namespace

TrptTrialBalancePercent::~TrptTrialBalancePercent() {
  DestruirSQL(FCurDadosContas);
  FDMSaldoConta.reset();
}

std::string TrptTrialBalancePercent::Versao() { return "[versao: 1.1.93.0]"; }

std::vector<int> TrptTrialBalancePercent::CriarListaSectionsParaZebrar() {
  return {kLinhaEmBranco, kLinhaConta};
}

void TrptTrialBalancePercent::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptTrialBalancePercent::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptTrialBalancePercent::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptTrialBalancePercent::ImprimirInterno() {
  LerParametros();
  PreencherCabecalho();
  FCabecalho = std::make_unique<TnCabecalhoRelatorio>(FReport, false, false, FImpIndiv, false, true,
                                                      Variant::Null(), -1, 0, 0, "", "", false);
  FReport->MsgConfigurar({"Mensagem"}, 0);
  FImpIndiv = true;
  FReport->OnSectionPrint = [this](TObject* sender, int section) {
    ImprimirCabecalhoColunas(sender, section);
  };
  CriarBalancete();
  CarregarPlanoContas();
  GerarSaldos();
  SobreporSaldos();
  FCdsBalancete->SetIndexFieldNames("CLASSIFICACAO");
  CalcularPercentuais();
  {
    TnZerarProgresso zerar_progresso(FReport);
    ImprimirBalancete();
  }
  MostrarMensagensBalancete(FReport, FDMSaldoConta->MsgErro(),
                            FReport->RepParam("pOrigemLctoCaixaCh"));
}

void TrptTrialBalancePercent::LerParametros() {
  TnpqPowerParam& params = *FReport->GetParams();
  FDataInicial = StrToDateDef(Trim(params.GetValues("pDataInicial")), 0);
  FDataFinal = StrToDateDef(Trim(params.GetValues("pDataFinal")), 0);
  FQuebraGrupo = StrToIntDef(params.GetValues("pQuebraGrupo"), 0);
  FImpSintetica = StrToIntDef(params.GetValues("pImpSintetica"), 0);
  FPulaLinha = StrToIntDef(params.GetValues("pPulaLinha"), 0);
  FPercentualSobre = StrToIntDef(params.GetValues("pPercentualSobre"), psSaldo);
  FOcultOrigem = params.GetValues("pOrigemLctoCaixaCh");
  FCodigoEscrit = params.GetValues("pCodigoEscrit");
  FCodigoConta = params.GetValues("pCodigoConta");
}

// The company's name and tax number head the pages when one company is
// chosen; an interval or a list leaves both empty.
void TrptTrialBalancePercent::PreencherCabecalho() {
  const int empresa = StrToIntDef(FCodigoEscrit, 0);
  if (empresa > 0) {
    // The parsed code goes into the condition, never the text as typed.
    const std::string codigo = IntToStr(empresa);
    const Variant nome = PegarValorCampo(kTabelaEscritorio, "NOME", "CODIGOESCRIT = " + codigo);
    FReport->SetValues("pNomeEscrit", nome.IsNull() ? "" : FCodigoEscrit + " - " + nome.AsString());
    FReport->SetValues(
        "pInscFederal",
        PegarValorCampo(kTabelaEscritorio, "INSCFEDERAL", "CODIGOESCRIT =  " + codigo).AsString());
  } else {
    FReport->SetValues("pNomeEscrit", "");
    FReport->SetValues("pInscFederal", "");
  }
  if (FPercentualSobre == psSaldo) {
    FReport->SetValues("pCampoPercentualSobre", "SALDO");
  } else if (FPercentualSobre == psMovimento) {
    FReport->SetValues("pCampoPercentualSobre", "MOVIMENTO");
  }
}

void TrptTrialBalancePercent::ImprimirCabecalhoColunas(TObject*, int Section) {
  if (Section != kCabecalhoPagina) return;
  FReport->SetValues("pCabConta", "Conta");
  FReport->SetValues("pCabContaTipo", "S");
  FReport->SetValues("pCabContaDescricao", "Classificação");
  FReport->SetValues("C1", "Saldo Ant.");
  FReport->SetValues("C2", "Débito");
  FReport->SetValues("C3", "Crédito");
  FReport->SetValues("C4", "Saldo");
  FReport->SetValues("C5", "%");
  FReport->RepPrintSection(kTitulosColunas);
  FReport->RepPrintSection(kLinhaTitulos);
}

// --- the table -----------------------------------------------------------------------

void TrptTrialBalancePercent::AdicionarCampo(const std::string& nome, TFieldType tipo,
                                             int tamanho) {
  FDef = TFieldDef{nome, tipo, tamanho};
  FCdsBalancete->FieldDefs().push_back(FDef);
}

void TrptTrialBalancePercent::CriarBalancete() {
  FCdsBalancete = std::make_unique<TnClientDataSet>();
  AdicionarCampo("CONTA", TFieldType::Integer);
  AdicionarCampo("TIPO", TFieldType::String);
  AdicionarCampo("CLASSIFICACAO", TFieldType::String, 30);
  AdicionarCampo("DESCRICAO", TFieldType::String, 50);
  for (const char* valor :
       {"SLDANTERIOR", "DEBITO", "CREDITO", "MOVIMENTO", "SLDATUAL", "PERCENTUAL"}) {
    AdicionarCampo(valor, TFieldType::Float);
  }
  FCdsBalancete->SetIndexFieldNames("CONTA");
  FCdsBalancete->CreateDataSet();
  FCdsBalancete->SetLogChanges(false);
  FCdsBalancete->EmptyDataSet();  // the table starts empty on every print
  FMapBalancete = FCdsBalancete->GetMapper<TnMapperBalancete>();
}

std::string TrptTrialBalancePercent::SelectPlanoContas() const {
  std::string sql = "select CODIGOCONTA ,TIPOCONTA ,CLASSIFCONTA ,DESCRCONTA from FPRCONTA ";
  if (Trim(FCodigoConta).empty()) return sql;
  const int conta = StrToIntDef(FCodigoConta, 0);
  if (conta > 0) return sql + "where CODIGOCONTA =" + ValorParaSQL(Variant(conta));
  return sql + "where " + FilterInterval("CODIGOCONTA", FCodigoConta, {1}, false, 0);
}

void TrptTrialBalancePercent::CarregarPlanoContas() {
  // Every row of the chart: a row limit would drop accounts that have
  // balances.
  TnClientDataSet* plano = ExecutarSQL(SelectPlanoContas(), {}, true, false, -1, "", nullptr, true);
  TnSQLGuard guarda_plano(plano);
  const TnMapperPlanoContas& conta = *plano->GetMapper<TnMapperPlanoContas>();
  TnMapperBalancete& linha = *FMapBalancete;
  for (plano->First(); !plano->Eof(); plano->Next()) {
    FCdsBalancete->Append();
    linha.Conta->SetAsInteger(conta.CodigoConta->AsInteger());
    linha.Tipo->SetAsString(conta.TipoConta->AsInteger() == 1 ? "S" : " ");
    linha.Classificacao->SetAsString(conta.ClassifConta->AsString());
    linha.Descricao->SetAsString(conta.DescrConta->AsString());
    for (TField* valor : {linha.SldAnterior, linha.Debito, linha.Credito, linha.Movimento,
                          linha.SldAtual, linha.Percentual}) {
      valor->SetAsFloat(0);
    }
    FCdsBalancete->Post();
  }
}

void TrptTrialBalancePercent::GerarSaldos() {
  if (FDMSaldoConta == nullptr) FDMSaldoConta = CriarDMSaldoConta();
  FCurDadosContas = FDMSaldoConta->Gerar(
      FiltroSaldoConta(FDataInicial, FDataFinal, FOcultOrigem, FCodigoEscrit, FCodigoConta));
  FMapDadosContas = FCurDadosContas->GetMapper<TnMapperDadosContas>();
}

// With several companies the module gives one row per company and account;
// the table has one row per account, so the companies' amounts add up.
void TrptTrialBalancePercent::SobreporSaldos() {
  const TnMapperDadosContas& dados = *FMapDadosContas;
  TnMapperBalancete& linha = *FMapBalancete;
  for (FCurDadosContas->First(); !FCurDadosContas->Eof(); FCurDadosContas->Next()) {
    const int64_t conta = dados.CodigoConta->AsInteger();
    const std::string classificacao = dados.ClassifConta->AsString();
    const std::string descricao =
        DescricaoSemClassificacao(dados.DescrConta->AsString(), classificacao);
    if (!FCdsBalancete->FindKey({Variant(conta)})) {
      // Outside the chart query: kept without amounts, so it never prints.
      FCdsBalancete->Append();
      linha.Conta->SetAsInteger(conta);
      linha.Tipo->SetAsString(dados.TipoConta->AsString());
      linha.Classificacao->SetAsString(classificacao);
      linha.Descricao->SetAsString(descricao);
      for (TField* valor : {linha.SldAnterior, linha.Debito, linha.Credito, linha.Movimento,
                            linha.SldAtual, linha.Percentual}) {
        valor->SetAsFloat(0);
      }
      FCdsBalancete->Post();
      continue;
    }
    FCdsBalancete->Edit();
    linha.Conta->SetAsInteger(conta);
    linha.Tipo->SetAsString(dados.TipoConta->AsString());
    linha.Classificacao->SetAsString(classificacao);
    linha.Descricao->SetAsString(descricao);
    linha.SldAnterior->SetAsFloat(linha.SldAnterior->AsFloat() + dados.SaldoAnterior->AsFloat());
    linha.Debito->SetAsFloat(linha.Debito->AsFloat() + dados.ValorDebito->AsFloat());
    linha.Credito->SetAsFloat(linha.Credito->AsFloat() + dados.ValorCredito->AsFloat());
    linha.Movimento->SetAsFloat(linha.Movimento->AsFloat() + dados.Movimento->AsFloat());
    linha.SldAtual->SetAsFloat(linha.SldAtual->AsFloat() + dados.Saldo->AsFloat());
    linha.Percentual->SetAsFloat(0);
    FCdsBalancete->Post();
  }
}

// The base of a group is the value of the row the group begins with; the
// key is that row's whole classification, so the rows below a top-level
// account (whose group part equals it) share its base.
void TrptTrialBalancePercent::CalcularPercentuais() {
  TnMapperBalancete& linha = *FMapBalancete;
  std::string grupo;
  double base = 0;
  for (FCdsBalancete->First(); !FCdsBalancete->Eof(); FCdsBalancete->Next()) {
    FCdsBalancete->Edit();
    double valor = 0;
    if (FPercentualSobre == psSaldo) {
      valor = linha.SldAtual->AsFloat();
    } else if (FPercentualSobre == psMovimento) {
      valor = linha.Movimento->AsFloat();
    }
    const std::string classificacao = linha.Classificacao->AsString();
    if (PegarGrupoClassif(classificacao) != grupo) {
      base = valor;
      grupo = classificacao;
    }
    linha.Percentual->SetAsFloat(base != 0 ? valor / base * 100 : 0);
    FCdsBalancete->Post();
  }
}

// --- the walk ------------------------------------------------------------------------

void TrptTrialBalancePercent::ImprimirBalancete() {
  const TnMapperBalancete& linha = *FMapBalancete;
  const int total = FCdsBalancete->RecordCount();
  int registro = 0;
  FCdsBalancete->First();
  while (!FCdsBalancete->Eof()) {
    const bool sintetica = linha.Tipo->AsString() == "S";
    if (FImpSintetica == 1 && !sintetica) {
      FCdsBalancete->Next();
      continue;
    }
    const std::string grupo = PrimeiroCaractere(linha.Classificacao->AsString());
    if (FQuebraGrupo == 1 && grupo != FOldClassifConta) FReport->RepEndOfPage(true);
    AplicarEstiloLinha(sintetica);
    if (!SemValores()) {
      if (FPulaLinha == 1 && (FImpSintetica == 1 || sintetica) && FCdsBalancete->RecNo() > 1) {
        FReport->RepPrintSection(kLinhaEmBranco);
      }
      ImprimirLinha();
    }
    // A line left out still counts for the group the page breaks compare.
    FOldClassifConta = grupo;
    FCdsBalancete->Next();
    FReport->CSLShowProgress(++registro, total);
  }
}

bool TrptTrialBalancePercent::SemValores() const {
  const TnMapperBalancete& linha = *FMapBalancete;
  return linha.SldAnterior->AsFloat() == 0 && linha.Debito->AsFloat() == 0 &&
         linha.Credito->AsFloat() == 0 && linha.Movimento->AsFloat() == 0 &&
         linha.SldAtual->AsFloat() == 0;
}

void TrptTrialBalancePercent::ImprimirLinha() {
  const TnMapperBalancete& linha = *FMapBalancete;
  FReport->SetValues("pConta", linha.Conta->AsString());
  FReport->SetValues("pContaTipo", linha.Tipo->AsString());
  FReport->SetValues("pContaDescricao",
                     linha.Classificacao->AsString() + " " + linha.Descricao->AsString());
  FReport->SetValues("R1", FormatarValorBalancete(linha.SldAnterior->AsFloat()));
  FReport->SetValues("R2", FormatarValorBalancete(linha.Debito->AsFloat()));
  FReport->SetValues("R3", FormatarValorBalancete(linha.Credito->AsFloat()));
  FReport->SetValues("R4", FormatarValorBalancete(linha.SldAtual->AsFloat()));
  FReport->SetValues("R5", FormatFloat("##0.000;-##0.000", linha.Percentual->AsFloat()));
  FReport->RepPrintSection(kLinhaConta);
}

void TrptTrialBalancePercent::AplicarEstiloLinha(bool sintetica) {
  const TFontStyles estilo = sintetica ? TFontStyles{fsBold} : TFontStyles{};
  for (int i = 0; i < FReport->GetObjectCount(); ++i) {
    auto* label = dynamic_cast<TnpqLabel*>(FReport->GetObjects(i));
    if (label != nullptr && label->Section() == kLinhaConta) label->SetFontStyle(estilo);
  }
}

VIREO_REGISTER_REPORT(TrptTrialBalancePercent)

}  // namespace vireo
