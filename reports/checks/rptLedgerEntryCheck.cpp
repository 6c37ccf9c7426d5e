#include "reports/checks/rptLedgerEntryCheck.h"

#include <cmath>
#include <map>
#include <tuple>

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
#include "reports/checks/SQLConferenciaCtb.h"

namespace vireo {

namespace {

const char kMascaraValor[] = "#,##0.00";
constexpr uint32_t kCorDiferenca = 0xC62828;  // a difference that is not zero
constexpr uint32_t kCorNormal = 0x000000;

// Column headings of the page header: the entries', and the summary's for
// pages a summary runs on to.
const char* const kTitulosLancamentos[] = {"lblCabData",     "lblCabOrigem",     "lblCabDocumento",
                                           "lblCabAcerto",   "lblCabOrigemDado", "lblCabUsuario",
                                           "lblCabContaDeb", "lblCabContaCred",  "lblCabValor"};
const char* const kTitulosResumo[] = {"lblCabResConta", "lblCabResDebito", "lblCabResCredito",
                                      "lblCabResSaldo"};

// Amounts are whole cents; sums of doubles are rounded back to cents before
// their sign is read, so a balanced document never shows "(0,00)".
double Centavos(double valor) { return std::round(valor * 100) / 100; }

std::string Valor(double valor) { return FormatFloat(kMascaraValor, valor); }

// "Diferença: 12,00" or, when the debits exceed the credits,
// "Diferença: (12,00)".
std::string TextoDiferenca(double d) {
  d = Centavos(d);
  if (d >= 0) return "Diferença: " + Valor(d);
  return "Diferença: (" + Valor(std::fabs(d)) + ")";
}

std::string ComDescricao(const std::string& conta, const std::string& descricao) {
  return descricao.empty() ? conta : conta + " - " + descricao;
}

std::string TextoOrigemDado(int64_t origem) {
  switch (origem) {
    case 1:
      return "Auto";
    case 2:
      return "Dig";
    case 3:
      return "Imp";
    default:
      return "";
  }
}

// Lifts the company range of the totals when the summary ends, also on error.
class TnCancelarRange {
 public:
  explicit TnCancelarRange(TnClientDataSet* dataset) : dataset_(dataset) {}
  ~TnCancelarRange() { dataset_->CancelRange(); }
  TnCancelarRange(const TnCancelarRange&) = delete;
  TnCancelarRange& operator=(const TnCancelarRange&) = delete;

 private:
  TnClientDataSet* dataset_;
};

}  // namespace

TrptLedgerEntryCheck::~TrptLedgerEntryCheck() {
  FMapTotalConta = nullptr;  // the dataset's
  FCdsTotalConta.reset();
}

std::string TrptLedgerEntryCheck::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TrptLedgerEntryCheck::CriarListaSectionsParaZebrar() {
  return {kLancamento, kTotais, kEspaco};
}

void TrptLedgerEntryCheck::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptLedgerEntryCheck::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptLedgerEntryCheck::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptLedgerEntryCheck::AntesConfigurar(TObject* parent) {
  TnrwBaseDll::AntesConfigurar(parent);
  if (TnpqParamItem* tipo = FReport->GetParams()->FindParam("pTipo")) {
    tipo->SetItemsText(OpcoesContabilizacaoGerar());
  }
}

// The host's panel sizes the origin editor after its neighbour here; this
// panel has no sizes, so nothing is left to adjust.
void TrptLedgerEntryCheck::DepoisConfigurar() { TnrwBaseDll::DepoisConfigurar(); }

// --- parameters and query --------------------------------------------------------

void TrptLedgerEntryCheck::LerParametros() {
  TnpqPowerParam* params = FReport->GetParams();
  FDataInicial = params->Param("pDataInicial")->GetAsDate();
  FDataFinal = params->Param("pDataFinal")->GetAsDate();
  FCodigoEscrit = Trim(FReport->RepParam("pCodigoEscrit"));
  FTipo = Trim(FReport->RepParam("pTipo"));
  FContaContabil = params->Param("pContaContabil")->GetAsInteger();
  FOrdenacao = static_cast<int>(params->Param("pOrdenacao")->GetAsInteger());
  FSohExibirDiferenca = params->Param("pSomenteDiferenca")->GetAsInteger() == 1;
  FFieldOrdenar = CampoOrdenarConferenciaCtb(FOrdenacao);
  FDescrContaDeb = kDescrContaDebCtb;
  FDescrContaCred = kDescrContaCredCtb;
}

void TrptLedgerEntryCheck::ConsultarLancamentos() {
  TnFiltroConferenciaCtb filtro;
  filtro.Tipo = FTipo;
  filtro.CodigoEscrit = FCodigoEscrit;
  filtro.ContaContabil = FContaContabil;
  filtro.Ordenacao = FOrdenacao;
  filtro.SohExibirDiferenca = FSohExibirDiferenca;
  filtro.Produto = PegarProduto();
  filtro.TipoCon = PegarTipoCon();
  filtro.DescrContaDeb = FDescrContaDeb;
  filtro.DescrContaCred = FDescrContaCred;
  const std::string sql = MontarSQLConferenciaCtb(filtro);
  if (sql.empty()) return;  // no origin kind selected: nothing to list
  FCdsLctoCtb =
      ExecutarSQL(sql, {Variant::FromDateTime(FDataInicial), Variant::FromDateTime(FDataFinal)},
                  true, false, -1, "", nullptr, true);
  FLctoCtb = FCdsLctoCtb->GetMapper<TnMapperIntegracaoContabil>();
}

TrptLedgerEntryCheck::TnChaveDocumento TrptLedgerEntryCheck::ChaveAtual() const {
  return {FLctoCtb->Tipo->AsInteger(), FLctoCtb->Identificador->AsString(),
          FLctoCtb->CodigoEscrit->AsInteger(), FCdsLctoCtb->FieldByName(FFieldOrdenar)->AsString()};
}

// The rows in walk order.  The ordering clause sorts by company and then by
// dates and account descriptions, which can interleave the entries of two
// documents; each document's rows are brought together here, documents in
// the order of their first row and rows in query order, so every document
// gets one set of totals.
TrptLedgerEntryCheck::TnOrdem TrptLedgerEntryCheck::OrdemDocumentos() const {
  using Chave = std::tuple<int64_t, std::string, int64_t, std::string>;
  std::map<Chave, size_t> documentos;
  std::vector<std::vector<int>> linhas;
  for (FCdsLctoCtb->First(); !FCdsLctoCtb->Eof(); FCdsLctoCtb->Next()) {
    const TnChaveDocumento c = ChaveAtual();
    auto [it, novo] = documentos.try_emplace(
        Chave{c.Tipo, c.Identificador, c.CodigoEscrit, c.Ordenar}, linhas.size());
    if (novo) linhas.emplace_back();
    linhas[it->second].push_back(FCdsLctoCtb->RecNo());
  }
  TnOrdem ordem;
  ordem.Linhas.reserve(static_cast<size_t>(FCdsLctoCtb->RecordCount()));
  ordem.Tamanhos.reserve(ordem.Linhas.capacity());
  for (const std::vector<int>& documento : linhas) {
    ordem.Linhas.insert(ordem.Linhas.end(), documento.begin(), documento.end());
    ordem.Tamanhos.insert(ordem.Tamanhos.end(), documento.size(), documento.size());
  }
  return ordem;
}

// --- the print ---------------------------------------------------------------------

void TrptLedgerEntryCheck::ImprimirInterno() {
  TnSQLGuard guarda(FCdsLctoCtb);
  LerParametros();
  ConsultarLancamentos();
  if (FCdsLctoCtb == nullptr) return;
  Percorrer();
}

void TrptLedgerEntryCheck::PrepararTotalConta() {
  if (FCdsTotalConta == nullptr) {
    FCdsTotalConta = std::make_unique<TnClientDataSet>();
    FCdsTotalConta->AddFieldDef("CodigoEscrit", TFieldType::Integer);
    FCdsTotalConta->AddFieldDef("CodigoContaCtb", TFieldType::Float);
    FCdsTotalConta->AddFieldDef("DescrConta", TFieldType::String, 100);
    FCdsTotalConta->AddFieldDef("ValorDeb", TFieldType::Float);
    FCdsTotalConta->AddFieldDef("ValorCred", TFieldType::Float);
    FCdsTotalConta->CreateDataSet();
    FCdsTotalConta->SetLogChanges(false);
  } else {
    FCdsTotalConta->CancelRange();
    FCdsTotalConta->EmptyDataSet();
  }
  FCdsTotalConta->SetIndexFieldNames("CodigoEscrit;CodigoContaCtb");
  FMapTotalConta = FCdsTotalConta->GetMapper<TnMapperTotalConta>();
}

void TrptLedgerEntryCheck::Percorrer() {
  FTotalDeb = FTotalCred = 0;
  FEhNovoLcto = true;
  FTotalDebGeral = FTotalCredGeral = 0;
  int64_t escrit_anterior = 0;
  PrepararTotalConta();

  const TnOrdem ordem = OrdemDocumentos();
  const std::vector<int>& linhas = ordem.Linhas;
  for (size_t i = 0; i < linhas.size();) {
    FCdsLctoCtb->SetRecNo(linhas[i]);
    const int64_t escrit = FLctoCtb->CodigoEscrit->AsInteger();
    if (escrit != escrit_anterior) {
      MostrarTitulos(false);
      FReport->LabelByName("lblCNPJ")->SetVisible(true);
      FReport->SetValues("pEscritorioDesc", IntToStr(escrit) + " - " + FLctoCtb->Nome->AsString());
      FReport->SetValues("pInscrFedEscrit", FLctoCtb->InscFederal->AsString());
    }
    const bool exibir = !(FSohExibirDiferenca && FLctoCtb->Diferenca->AsFloat() == 0);
    if (exibir) {
      if (FEhNovoLcto) ManterDocumentoNaPagina(ordem.Tamanhos[i]);
      ImprimirLancamento();
    }

    const TnChaveDocumento chave = ChaveAtual();
    escrit_anterior = escrit;
    ++i;
    const bool fim = i == linhas.size();
    if (!fim) FCdsLctoCtb->SetRecNo(linhas[i]);

    if (exibir && (fim || !(ChaveAtual() == chave))) ImprimirTotalDocumento();
    if (fim || FLctoCtb->CodigoEscrit->AsInteger() != escrit) {
      ImprimirTotalEscritorio();
      ImprimirResumoEscritorio(escrit);
      if (!fim) FReport->RepEndOfPage(true);
    }
  }
  ImprimirResumoGeral();
}

// A document whose lines and totals no longer fit starts on a new page, so
// its heading line stays with its entries (one longer than a page still
// splits).
void TrptLedgerEntryCheck::ManterDocumentoNaPagina(size_t linhas) {
  std::vector<int> secoes(linhas, kLancamento);
  secoes.insert(secoes.end(), {kTotais, kEspaco});
  if (!FReport->CanPrintSection(secoes)) FReport->SetCSLIsPageEnd(true);
}

void TrptLedgerEntryCheck::ImprimirLancamento() {
  const TnMapperIntegracaoContabil& l = *FLctoCtb;
  if (FEhNovoLcto) {
    FReport->SetValues("pDataLcto", FormatDateTime("dd/mm/yyyy", l.DataLctoCtb->AsDateTime()));
    FReport->SetValues("pTipoDesc", TFprListDescricao::DescricaoGerarContabilizacaoAbrev(
                                        static_cast<int>(l.Tipo->AsInteger())));
    FReport->SetValues("pDocumento", l.Documento->AsString());
    FReport->SetValues("pCodigoAcerto",
                       l.CodigoAcerto->AsInteger() < 1 ? "" : l.CodigoAcerto->AsString());
    FReport->SetValues("pOrigemDado", TextoOrigemDado(l.OrigemDado->AsInteger()));
    FReport->SetValues("pUsuario", TextoUsuario());
  } else {
    for (const char* nome :
         {"pDataLcto", "pTipoDesc", "pDocumento", "pCodigoAcerto", "pOrigemDado", "pUsuario"}) {
      FReport->SetValues(nome, "");
    }
  }
  FReport->SetValues("pContaCred",
                     ComDescricao(l.ContaCtbCred->AsString(), l.DescrContaCred->AsString()));
  FReport->SetValues("pContaDeb",
                     ComDescricao(l.ContaCtbDeb->AsString(), l.DescrContaDeb->AsString()));
  const double valor = l.ValorLctoCtb->AsFloat();
  FReport->SetValues("pValorCtb", Valor(valor));
  FReport->RepPrintSection(kLancamento);

  if (!l.ContaCtbDeb->IsNull()) FTotalDeb += valor;
  if (!l.ContaCtbCred->IsNull()) FTotalCred += valor;
  FEhNovoLcto = false;

  if (!l.ContaCtbDeb->IsNull()) SomarTotalConta(l.ContaCtbDeb, l.DescrContaDeb, valor, true);
  if (!l.ContaCtbCred->IsNull()) SomarTotalConta(l.ContaCtbCred, l.DescrContaCred, valor, false);
}

std::string TrptLedgerEntryCheck::TextoUsuario() const {
  std::string texto = Trim(FLctoCtb->NomeUsuario->AsString());
  const int64_t codigo = FLctoCtb->CodigoUsuario->AsInteger();
  if (texto.empty() && codigo == 0) texto = "Administrador";
  if (texto.empty()) texto = IntToStr(codigo);
  return texto;
}

void TrptLedgerEntryCheck::SomarTotalConta(const TField* conta, const TField* descricao,
                                           double valor, bool debito) {
  if (FCdsTotalConta->IndexFieldNames() != "CodigoEscrit;CodigoContaCtb") {
    FCdsTotalConta->SetIndexFieldNames("CodigoEscrit;CodigoContaCtb");
  }
  TnMapperTotalConta& t = *FMapTotalConta;
  const int64_t escrit = FLctoCtb->CodigoEscrit->AsInteger();
  if (FCdsTotalConta->FindKey({Variant(escrit), Variant(conta->AsFloat())})) {
    FCdsTotalConta->Edit();
    TField* campo = debito ? t.ValorDeb : t.ValorCred;
    campo->SetAsFloat(campo->AsFloat() + valor);
  } else {
    FCdsTotalConta->Append();
    t.CodigoEscrit->SetAsInteger(escrit);
    t.CodigoContaCtb->SetAsFloat(conta->AsFloat());
    t.DescrConta->SetAsString(descricao->AsString());
    t.ValorDeb->SetAsFloat(debito ? valor : 0);
    t.ValorCred->SetAsFloat(debito ? 0 : valor);
  }
  FCdsTotalConta->Post();
}

void TrptLedgerEntryCheck::DefinirTotais(const std::string& titulo, double debito, double credito) {
  FReport->SetValues("pTotalTitulo", titulo);
  FReport->SetValues("pTotalDeb", "Débito: " + Valor(debito));
  FReport->SetValues("pTotalCred", "Crédito: " + Valor(credito));
  FReport->SetValues("pValorDiferenca", TextoDiferenca(credito - debito));
  // What the check is for: a difference that is not zero stands out.
  FReport->LabelByName("pValorDiferenca")
      ->SetFontColor(Centavos(credito - debito) != 0 ? kCorDiferenca : kCorNormal);
}

// The page header's column headings follow what the pages show: entries, or
// a summary that runs on to a new page.
void TrptLedgerEntryCheck::MostrarTitulos(bool resumo) {
  for (const char* nome : kTitulosLancamentos) {
    FReport->LabelByName(nome)->SetVisible(!resumo);
  }
  for (const char* nome : kTitulosResumo) {
    FReport->LabelByName(nome)->SetVisible(resumo);
  }
}

void TrptLedgerEntryCheck::ImprimirTotalDocumento() {
  DefinirTotais("", FTotalDeb, FTotalCred);
  FReport->RepPrintSection(kTotais);
  FReport->RepPrintSection(kEspaco);
  FTotalDebGeral += FTotalDeb;
  FTotalCredGeral += FTotalCred;
  FTotalDeb = FTotalCred = 0;
  FEhNovoLcto = true;
}

void TrptLedgerEntryCheck::ImprimirTotalEscritorio() {
  if (FTotalDebGeral == 0 && FTotalCredGeral == 0) return;
  FReport->RepPrintSection(kEspaco);
  DefinirTotais("Escritório", FTotalDebGeral, FTotalCredGeral);
  FReport->RepPrintSection(kTotais);
  FTotalDebGeral = FTotalCredGeral = 0;
}

// "(" and the amount in R4 with ")" in pFechaParentese when negative, so the
// digits of both signs stay in one right-aligned column.
void TrptLedgerEntryCheck::DefinirSaldo(double valor) {
  valor = Centavos(valor);
  if (valor >= 0) {
    FReport->SetValues("R4", Valor(valor));
    FReport->SetValues("pFechaParentese", "");
  } else {
    std::string r4 = "(";  // built in steps: g++ 12 warns falsely on "(" + string
    r4 += Valor(std::fabs(valor));
    FReport->SetValues("R4", r4);
    FReport->SetValues("pFechaParentese", ")");
  }
}

void TrptLedgerEntryCheck::ImprimirLinhaResumo(const std::string& conta, double debito,
                                               double credito) {
  FReport->SetValues("R1", conta);
  FReport->SetValues("R2", Valor(debito));
  FReport->SetValues("R3", Valor(credito));
  DefinirSaldo(credito - debito);
  FReport->RepPrintSection(kContaResumo);
}

void TrptLedgerEntryCheck::ImprimirTotalResumo(double debito, double credito) {
  FReport->SetValues("R2", Valor(debito));
  FReport->SetValues("R3", Valor(credito));
  DefinirSaldo(credito - debito);
  FReport->RepPrintSection(kTotalResumo);
}

// A summary's heading starts a new page rather than stand there without
// two of its accounts.
void TrptLedgerEntryCheck::ManterResumoNaPagina() {
  if (!FReport->CanPrintSection({kCabecalhoResumo, kContaResumo, kContaResumo})) {
    FReport->SetCSLIsPageEnd(true);
  }
}

void TrptLedgerEntryCheck::ImprimirResumoEscritorio(int64_t codigo_escrit) {
  if (FCdsTotalConta->IsEmpty()) return;
  TnCancelarRange cancelar(FCdsTotalConta.get());
  FCdsTotalConta->SetRange({Variant(codigo_escrit)}, {Variant(codigo_escrit)});
  if (FCdsTotalConta->IsEmpty()) return;
  const TnMapperTotalConta& t = *FMapTotalConta;
  ManterResumoNaPagina();
  MostrarTitulos(true);
  FReport->SetValues("pTotalTitulo", "Escritório");
  FReport->RepPrintSection(kCabecalhoResumo);
  double debito = 0, credito = 0;
  for (FCdsTotalConta->First(); !FCdsTotalConta->Eof(); FCdsTotalConta->Next()) {
    ImprimirLinhaResumo(ComDescricao(t.CodigoContaCtb->AsString(), t.DescrConta->AsString()),
                        t.ValorDeb->AsFloat(), t.ValorCred->AsFloat());
    debito += t.ValorDeb->AsFloat();
    credito += t.ValorCred->AsFloat();
  }
  ImprimirTotalResumo(debito, credito);
}

void TrptLedgerEntryCheck::ImprimirResumoGeral() {
  if (FCdsTotalConta->IsEmpty()) return;
  const TnMapperTotalConta& t = *FMapTotalConta;
  ManterResumoNaPagina();
  MostrarTitulos(true);
  // Pages the final summary runs on to belong to no single company.
  FReport->SetValues("pEscritorioDesc", "Todos os escritórios");
  FReport->SetValues("pInscrFedEscrit", "");
  FReport->LabelByName("lblCNPJ")->SetVisible(false);
  FReport->SetValues("pTotalTitulo", "Geral");
  FReport->RepPrintSection(kCabecalhoResumo);
  FCdsTotalConta->SetIndexFieldNames("CodigoContaCtb");
  double debito = 0, credito = 0;        // of the account
  double total_deb = 0, total_cred = 0;  // of the summary
  std::string descricao;
  FCdsTotalConta->First();
  while (!FCdsTotalConta->Eof()) {
    const double conta = t.CodigoContaCtb->AsFloat();
    debito += t.ValorDeb->AsFloat();
    credito += t.ValorCred->AsFloat();
    descricao = t.DescrConta->AsString();
    FCdsTotalConta->Next();
    if (FCdsTotalConta->Eof() || t.CodigoContaCtb->AsFloat() != conta) {
      ImprimirLinhaResumo(ComDescricao(FormatFloat("0", conta), descricao), debito, credito);
      total_deb += debito;
      total_cred += credito;
      debito = credito = 0;
    }
  }
  ImprimirTotalResumo(total_deb, total_cred);
}

VIREO_REGISTER_REPORT(TrptLedgerEntryCheck)

}  // namespace vireo
