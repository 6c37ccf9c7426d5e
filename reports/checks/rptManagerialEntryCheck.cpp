#include "reports/checks/rptManagerialEntryCheck.h"

#include <memory>

#include "frame/nrwBaseDllReg.h"
#include "host/biz/origens_contabilizacao.h"
#include "host/biz/produto.h"
#include "host/core/convert.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "host/report/labels.h"
#include "host/report/params.h"
#include "reports/checks/rptManagerialEntryCheckSQL.h"

namespace vireo {

namespace {

const char kMascaraValor[] = "#,##0.00";
// Allocation totals show their third and fourth decimals when they have
// them, so a side that misses its value by a fraction of a cent shows it.
const char kMascaraTotalRateio[] = "#,##0.00##";
constexpr int kNaturezaCredito = -1;

// A working table of totals by name: "Nome" and "Valor", in name order.
std::unique_ptr<TnClientDataSet> CriarTabelaTotais() {
  auto tabela = std::make_unique<TnClientDataSet>();
  tabela->AddFieldDef("Nome", TFieldType::String, 200);
  tabela->AddFieldDef("Valor", TFieldType::Float);
  tabela->CreateDataSet();
  tabela->SetLogChanges(false);
  tabela->SetIndexFieldNames("Nome");
  return tabela;
}

// Adds the value under the name, in four decimals as the amounts come.
void SomarTotal(TnClientDataSet& tabela, const std::string& nome, double valor) {
  TField* campo_valor = tabela.FieldByName("Valor");
  if (tabela.FindKey({Variant(nome)})) {
    TnValor4 soma = TnValor4::DeDouble(campo_valor->AsFloat());
    soma += TnValor4::DeDouble(valor);
    tabela.Edit();
    campo_valor->SetAsFloat(soma.AsDouble());
  } else {
    tabela.Append();
    tabela.FieldByName("Nome")->SetAsString(nome);
    campo_valor->SetAsFloat(TnValor4::DeDouble(valor).AsDouble());
  }
  tabela.Post();
}

// "account - description", or "account " when the account has none.
std::string TextoConta(const TField* conta, const TField* descricao) {
  const std::string descr = descricao->AsString();
  return conta->AsString() + (descr.empty() ? " " : " - " + descr);
}

}  // namespace

TrptManagerialEntryCheck::~TrptManagerialEntryCheck() {
  DestruirSQL(FCdsEscritorio);
  DestruirSQL(FCdsLancamentos);
}

std::string TrptManagerialEntryCheck::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TrptManagerialEntryCheck::CriarListaSectionsParaZebrar() {
  return {kQuebraGrupo, kRateio, kTotalDebito, kTotalCredito, kFimLado};
}

void TrptManagerialEntryCheck::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptManagerialEntryCheck::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptManagerialEntryCheck::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptManagerialEntryCheck::AntesConfigurar(TObject* parent) {
  TnrwBaseDll::AntesConfigurar(parent);
  if (TnpqParamItem* tipo = FReport->GetParams()->FindParam("pTipo")) {
    tipo->SetItemsText(OpcoesContabilizacaoGerar());
  }
}

// The panel here has no editor sizes to adjust.
void TrptManagerialEntryCheck::DepoisConfigurar() { TnrwBaseDll::DepoisConfigurar(); }

// --- parameters and data ------------------------------------------------------

void TrptManagerialEntryCheck::LerParametros() {
  FCodigoEscritorio = FReport->GetValues("pEscritorio");
  FDataInicial = StrToDateDef(FReport->GetValues("pDataInicial"), 0);
  FDataFinal = StrToDateDef(FReport->GetValues("pDataFinal"), 0);
  FTipo = Trim(FReport->GetValues("pTipo"));
  FContaContabil = StrToIntDef(FReport->GetValues("pContaContabil"), 0);
  FCentroCustos = Trim(FReport->GetValues("pCentroCustos"));
  FOrdenacao = StrToIntDef(FReport->GetValues("pOrdenacao"), 0);
  FLancamentos = StrToIntDef(FReport->GetValues("pLancamentos"), 0);
  FDescrContaDeb = kDescrContaDebGerencial;
  FDescrContaCred = kDescrContaCredGerencial;
  FReport->SetValues("pPeriodo", DateToStr(FDataInicial) + " a " + DateToStr(FDataFinal));
}

// The heading names the company only when the selection comes down to one:
// over all companies, or several, each line names its own.
void TrptManagerialEntryCheck::CarregarEscritorio() {
  FReport->SetValues("pNomeEscritorio", "");
  FReport->SetValues("pCNPJEscritorio", "");
  if (Trim(FCodigoEscritorio).empty()) return;
  FCdsEscritorio =
      ExecutarSQL(MontarSQLEscritorioGerencial(Filtro()), {}, true, false, -1, "", nullptr, true);
  FMapperEscritorio = FCdsEscritorio->GetMapper<TnMapperEscritorio>();
  if (FCdsEscritorio->RecordCount() != 1) return;
  FCdsEscritorio->First();
  FReport->SetValues("pNomeEscritorio", FMapperEscritorio->NOME->AsString());
  FReport->SetValues("pCNPJEscritorio", FMapperEscritorio->INSCFEDERAL->AsString());
}

TnFiltroLctoGerencial TrptManagerialEntryCheck::Filtro() const {
  TnFiltroLctoGerencial filtro;
  filtro.Produto = PegarProduto();
  filtro.TipoCon = PegarTipoCon();
  filtro.DescrContaDeb = FDescrContaDeb;
  filtro.DescrContaCred = FDescrContaCred;
  filtro.Tipo = FTipo;
  filtro.CodigoEscritorio = FCodigoEscritorio;
  filtro.ContaContabil = FContaContabil;
  filtro.CentroCustos = FCentroCustos;
  filtro.Ordenacao = FOrdenacao;
  return filtro;
}

void TrptManagerialEntryCheck::CarregarLancamentos() {
  const std::string sql = MontarSQLLctoGerencial(Filtro());
  if (sql.empty()) return;  // no origin kind selected: nothing to list
  FCdsLancamentos =
      ExecutarSQL(sql, {Variant::FromDateTime(FDataInicial), Variant::FromDateTime(FDataFinal)},
                  true, false, -1, "", nullptr, true);
  FMapperLancamento = FCdsLancamentos->GetMapper<TnMapperLancamento>();
}

// --- the print -------------------------------------------------------------------

void TrptManagerialEntryCheck::ImprimirInterno() {
  TnSQLGuard guarda_escritorio(FCdsEscritorio);
  TnSQLGuard guarda_lancamentos(FCdsLancamentos);
  LerParametros();
  CarregarEscritorio();
  CarregarLancamentos();
  if (FCdsLancamentos == nullptr || FCdsLancamentos->IsEmpty()) return;
  ImprimirLancamentos();
}

void TrptManagerialEntryCheck::ImprimirLancamentos() {
  std::unique_ptr<TnClientDataSet> contas = CriarTabelaTotais();
  std::unique_ptr<TnClientDataSet> centros = CriarTabelaTotais();
  FTotalDebito = FTotalCredito = TnValor4();
  TnPosicao posicao;
  const long long total = FCdsLancamentos->RecordCount();
  long long lidas = 0;
  FCdsLancamentos->First();
  while (!FCdsLancamentos->Eof()) {
    FReport->CSLShowProgress(++lidas, total);
    if (!LinhaSelecionada()) {
      FCdsLancamentos->Next();
      continue;
    }
    ImprimirRateio(posicao, *contas, *centros);
    FCdsLancamentos->Next();
    if (!MesmoLado(posicao)) FecharLado();
  }
  // After the walk rather than at the last row: rows left out by the
  // selection may follow the last printed one.
  ImprimirResumos(*contas, *centros);
}

// pLancamentos 0: the side's allocations add up to the entry's value;
// 1: they do not; 2: every row; anything else: none.
bool TrptManagerialEntryCheck::LinhaSelecionada() const {
  const TnMapperLancamento& lc = *FMapperLancamento;
  const bool fecha = TnValor4::DeDouble(lc.VALORLCTOCTB->AsFloat()) ==
                     TnValor4::DeDouble(lc.VALORLCTOGERLADO->AsFloat());
  switch (FLancamentos) {
    case 0:
      return fecha;
    case 1:
      return !fecha;
    case 2:
      return true;
    default:
      return false;
  }
}

// Whether the current row goes on with the side being printed.
bool TrptManagerialEntryCheck::MesmoLado(const TnPosicao& posicao) const {
  if (FCdsLancamentos->Eof()) return false;
  const TnMapperLancamento& lc = *FMapperLancamento;
  return lc.FPRCHAVELCTOCTB->AsInteger() == posicao.chave &&
         lc.CODIGOESCRIT->AsInteger() == posicao.escritorio &&
         lc.NATURLCTOCTB->AsInteger() == posicao.natureza && LinhaSelecionada();
}

void TrptManagerialEntryCheck::AbrirLancamento(TnPosicao& posicao) {
  const TnMapperLancamento& lc = *FMapperLancamento;
  const int64_t escritorio = lc.CODIGOESCRIT->AsInteger();
  const int64_t tipo = lc.TIPO->AsInteger();
  posicao.primeira_linha = true;
  posicao.tem_chave = true;
  posicao.chave = lc.FPRCHAVELCTOCTB->AsInteger();
  const bool outro_grupo = escritorio != posicao.escritorio || tipo != posicao.tipo;
  if (outro_grupo) FReport->RepPrintSection(kQuebraGrupo);
  posicao.natureza = lc.NATURLCTOCTB->AsInteger();
  posicao.escritorio = escritorio;
  posicao.tipo = tipo;
}

void TrptManagerialEntryCheck::ImprimirRateio(TnPosicao& posicao, TnClientDataSet& contas,
                                              TnClientDataSet& centros) {
  const TnMapperLancamento& lc = *FMapperLancamento;
  const bool continua = posicao.tem_chave && lc.FPRCHAVELCTOCTB->AsInteger() == posicao.chave &&
                        lc.CODIGOESCRIT->AsInteger() == posicao.escritorio;
  if (continua) {
    posicao.primeira_linha = false;
  } else {
    AbrirLancamento(posicao);
  }

  const double valor_ger = lc.VALORLCTOGER->AsFloat();
  const std::string centro =
      lc.CODIGOCENTROCUSTO->AsString() + " - " + lc.DESCRCENTROCUSTO->AsString();
  FReport->SetValues("pCentroCustoDesc", centro);
  FReport->SetValues("pValorGER", FormatFloat(kMascaraValor, valor_ger));
  SomarTotal(centros, centro, valor_ger);

  const int64_t natureza = lc.NATURLCTOCTB->AsInteger();
  std::string conta;
  if (natureza == kNaturezaCredito) {
    FTotalCredito += TnValor4::DeDouble(valor_ger);
    conta = TextoConta(lc.CONTACTBCRED, lc.DESCRCONTACRED);
  } else {
    FTotalDebito += TnValor4::DeDouble(valor_ger);
    conta = TextoConta(lc.CONTACTBDEB, lc.DESCRCONTADEB);
  }
  FReport->SetValues("pContaContabilDesc", conta);

  if (posicao.primeira_linha) {
    FReport->SetValues("pDataLcto", lc.DATALCTOCTB->AsString());
    FReport->SetValues("pEscritorioDesc",
                       lc.CODIGOESCRIT->AsString() + " - " + lc.NOME->AsString());
    FReport->SetValues("pTipoDesc", TFprListDescricao::DescricaoGerarContabilizacao(
                                        static_cast<int>(lc.TIPO->AsInteger())));
    FReport->SetValues("pDocumento", lc.DOCUMENTO->AsString());
    FReport->SetValues("pCodigoAcerto", lc.CODIGOACERTO->AsString());
    FReport->SetValues("pValorCTB", FormatFloat(kMascaraValor, lc.VALORLCTOCTB->AsFloat()));
    SomarTotal(contas, conta, lc.VALORLCTOCTB->AsFloat());
    posicao.primeira_impressa = true;
    FReport->RepPrintSection(kRateio);
    return;
  }
  for (const char* nome :
       {"pDataLcto", "pEscritorioDesc", "pTipoDesc", "pDocumento", "pCodigoAcerto", "pValorCTB"}) {
    FReport->SetValues(nome, "");
  }
  if (posicao.primeira_impressa && natureza != posicao.natureza) {
    posicao.natureza = natureza;  // the first line of the other side names its account
  } else {
    FReport->SetValues("pContaContabilDesc", "");
  }
  FReport->RepPrintSection(kRateio);
}

void TrptManagerialEntryCheck::FecharLado() {
  if (FTotalDebito.Positivo()) {
    FReport->SetValues("pTotalDebito", FormatFloat(kMascaraTotalRateio, FTotalDebito.AsDouble()));
    FReport->RepPrintSection(kTotalDebito);
    FTotalDebito = TnValor4();
  }
  if (FTotalCredito.Positivo()) {
    FReport->SetValues("pTotalCredito", FormatFloat(kMascaraTotalRateio, FTotalCredito.AsDouble()));
    FReport->RepPrintSection(kTotalCredito);
    FTotalCredito = TnValor4();
  }
  FReport->RepPrintSection(kFimLado);
}

// The page header's headings name the entry columns; under the summaries
// they would mislead, so from the summaries on they are hidden and each new
// page repeats the summaries' own heading instead.
void TrptManagerialEntryCheck::TrocarTitulosParaResumos() {
  for (int i = 0; i < FReport->GetObjectCount(); ++i) {
    TnpqObject* objeto = FReport->GetObjects(i);
    if (objeto->Section() == kCabecalho && objeto->Name().rfind("lblCab", 0) == 0) {
      objeto->SetVisible(false);
    }
  }
}

// The two summaries side by side, row against row until both end.
void TrptManagerialEntryCheck::ImprimirResumos(TnClientDataSet& contas, TnClientDataSet& centros) {
  if (contas.IsEmpty() && centros.IsEmpty()) return;
  TrocarTitulosParaResumos();
  // No heading alone at the foot of a page.
  if (!FReport->CanPrintSection({kCabecalhoResumos, kLinhaResumos})) FReport->SetCSLIsPageEnd(true);
  FReport->RepPrintSection(kCabecalhoResumos);
  FReport->OnSectionPrint = [this](TObject*, int section) {
    if (section == kCabecalho) FReport->RepPrintSection(kCabecalhoResumos);
  };
  TnValor4 soma_contas, soma_centros;
  auto lado = [this](TnClientDataSet& tabela, const char* nome, const char* valor, TnValor4& soma) {
    if (tabela.Eof()) {
      FReport->SetValues(nome, "");
      FReport->SetValues(valor, "");
      return;
    }
    const double v = tabela.FieldByName("Valor")->AsFloat();
    FReport->SetValues(nome, tabela.FieldByName("Nome")->AsString());
    FReport->SetValues(valor, FormatFloat(kMascaraValor, v));
    soma += TnValor4::DeDouble(v);
    tabela.Next();
  };
  contas.First();
  centros.First();
  while (!contas.Eof() || !centros.Eof()) {
    lado(contas, "pTotContaContabil", "pTotValorContabil", soma_contas);
    lado(centros, "pTotCC", "pTotValorCC", soma_centros);
    FReport->RepPrintSection(kLinhaResumos);
  }
  FReport->SetValues("pTotContaContabil", "Total:");
  FReport->SetValues("pTotValorContabil", FormatFloat(kMascaraValor, soma_contas.AsDouble()));
  FReport->SetValues("pTotCC", "Total:");
  FReport->SetValues("pTotValorCC", FormatFloat(kMascaraValor, soma_centros.AsDouble()));
  FReport->RepPrintSection(kTotalResumos);
}

VIREO_REGISTER_REPORT(TrptManagerialEntryCheck)

}  // namespace vireo
