#include "reports/checks/rptPostingPreview.h"

#include "frame/nrwBaseDllReg.h"
#include "host/biz/origens_contabilizacao.h"
#include "host/biz/produto.h"
#include "host/core/convert.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "host/report/params.h"
#include "reports/checks/rptPostingPreviewSQL.h"

namespace vireo {

namespace {

const char kMascaraValor[] = "#,##0.00";

}  // namespace

TrptPostingPreview::~TrptPostingPreview() { DestruirSQL(FCdsLcto); }

std::string TrptPostingPreview::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TrptPostingPreview::CriarListaSectionsParaZebrar() {
  return {kLancamento, kTotais, kSeparadorTotais};
}

void TrptPostingPreview::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptPostingPreview::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptPostingPreview::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptPostingPreview::AntesConfigurar(TObject* parent) {
  TnrwBaseDll::AntesConfigurar(parent);
  if (TnpqParamItem* tipo = FReport->GetParams()->FindParam("pTipo")) {
    tipo->SetItemsText(OpcoesContabilizacaoGerar());
  }
}

// Any day of the month, or the month alone ("03/2025", as the report
// prints it back into pCompetencia).
TDateTime TrptPostingPreview::LerCompetencia() const {
  const std::string texto = Trim(FReport->RepParam("pCompetencia"));
  TDateTime data = 0;
  if (TryStrToDate(texto, data) || TryStrToDate("01/" + texto, data)) return data;
  return FReport->Param("pCompetencia")->GetAsDate();  // the panel's own error
}

void TrptPostingPreview::LerParametros() {
  FCompetencia = LerCompetencia();
  FTipo = Trim(FReport->RepParam("pTipo"));
  FOrdenar = StrToIntDef(FReport->GetValues("pOrdenar"), 0);
  FDescrContaDeb = kDescrContaDebPrevia;
  FDescrContaCred = kDescrContaCredPrevia;
  TnFiltroPrevia filtro;
  filtro.Produto = PegarProduto();
  filtro.Tipo = FTipo;
  filtro.DescrContaDeb = FDescrContaDeb;
  filtro.DescrContaCred = FDescrContaCred;
  FSQLLcto = MontarSQLPrevia(filtro);
}

// --- the print -------------------------------------------------------------------

void TrptPostingPreview::ImprimirInterno() {
  TnSQLGuard guarda_lcto(FCdsLcto);
  TnClientDataSet* empresas = MainDataSet();
  if (empresas == nullptr || empresas->IsEmpty()) return;
  LerParametros();
  FReport->SetValues("pCompetencia", FormatDateTime("mm/yyyy", FCompetencia));
  FTotalGeralLcto = FTotalGeralCred = FTotalGeralDeb = 0;
  FOldEscritTemLcto = false;
  TField* codigo = empresas->FieldByName("CODIGOESCRIT");
  for (empresas->First(); !empresas->Eof(); empresas->Next()) {
    ImprimirEmpresa(codigo->AsInteger());
  }
  if (FTotalGeralLcto != 0 || FTotalGeralCred != 0 || FTotalGeralDeb != 0) {
    ImprimirTotais("Total Geral", FTotalGeralLcto, FTotalGeralCred, FTotalGeralDeb);
  }
}

// The entries of one company and month; false when there are none.
bool TrptPostingPreview::CarregarLancamentos(int64_t codigo_escrit) {
  if (FSQLLcto.empty()) return false;  // no origin kind selected
  const TnSQLParams valores{Variant(codigo_escrit),
                            Variant::FromDateTime(DateOf(StartOfTheMonth(FCompetencia))),
                            Variant::FromDateTime(DateOf(EndOfTheMonth(FCompetencia)))};
  if (FCdsLcto == nullptr) {
    FCdsLcto = ExecutarSQL(FSQLLcto, valores, true, false, -1, "", nullptr, true);
  } else {
    RefreshSQL(FCdsLcto, valores, true);
  }
  FCdsLcto->SetIndexFieldNames(FOrdenar == 0 ? "DataLctoCtb;Tipo;Documento"
                                             : "Tipo;Documento;DataLctoCtb");
  FLcto = FCdsLcto->GetMapper<TnMapperLcto>();
  return !FCdsLcto->IsEmpty();
}

void TrptPostingPreview::ImprimirEmpresa(int64_t codigo_escrit) {
  if (!CarregarLancamentos(codigo_escrit)) return;
  if (FOldEscritTemLcto) FReport->RepEndOfPage(true);
  FTotalEscritLcto = FTotalEscritCred = FTotalEscritDeb = 0;
  struct TnMarcarEmpresa {
    bool& marca;
    ~TnMarcarEmpresa() { marca = true; }
  } marcar{FOldEscritTemLcto};
  ImprimirLancamentos();
  ImprimirTotais(PegarProduto() == 2 ? "Total Empresa" : "Total Escritório", FTotalEscritLcto,
                 FTotalEscritCred, FTotalEscritDeb);
  FTotalGeralLcto += FTotalEscritLcto;
  FTotalGeralCred += FTotalEscritCred;
  FTotalGeralDeb += FTotalEscritDeb;
}

void TrptPostingPreview::ImprimirLancamentos() {
  int tipo_anterior = -1;
  std::string documento_anterior;
  FDocumentosContados.clear();
  for (FCdsLcto->First(); !FCdsLcto->Eof(); FCdsLcto->Next()) {
    ImprimirLancamento(tipo_anterior, documento_anterior);
  }
}

// One entry line; the document's data only on its first entry.
void TrptPostingPreview::ImprimirLancamento(int& tipo_anterior, std::string& documento_anterior) {
  const TnMapperLcto& lcto = *FLcto;
  const int tipo = static_cast<int>(lcto.Tipo->AsInteger());
  const std::string documento = lcto.Documento->AsString();
  if (tipo == tipo_anterior && documento == documento_anterior) {
    for (const char* nome : {"pDataLcto", "pTipoDesc", "pDocumento", "pValorLcto"}) {
      FReport->SetValues(nome, "");
    }
  } else {
    FReport->SetValues("pDataLcto", lcto.DataLctoCtb->AsString());
    FReport->SetValues("pTipoDesc", TFprListDescricao::DescricaoGerarContabilizacao(tipo));
    FReport->SetValues("pDocumento", documento);
    if (FDocumentosContados.emplace(tipo, documento).second) {
      FReport->SetValues("pValorLcto", FormatFloat(kMascaraValor, lcto.ValorLcto->AsFloat()));
      FTotalEscritLcto += lcto.ValorLcto->AsFloat();
    } else {
      FReport->SetValues("pValorLcto", "");
    }
  }
  ImprimirLado(lcto.ContaCtbDeb, lcto.DescrContaDeb, "pContaDeb", "pValorDeb", FTotalEscritDeb);
  ImprimirLado(lcto.ContaCtbCred, lcto.DescrContaCred, "pContaCred", "pValorCred",
               FTotalEscritCred);
  FReport->RepPrintSection(kLancamento);
  tipo_anterior = tipo;
  documento_anterior = documento;
}

// One side of the entry; both variables empty when the entry has no account
// on that side, so nothing of an earlier line shows through.
void TrptPostingPreview::ImprimirLado(const TField* conta, const TField* descricao,
                                      const char* var_conta, const char* var_valor, double& total) {
  if (conta->IsNull()) {
    FReport->SetValues(var_conta, "");
    FReport->SetValues(var_valor, "");
    return;
  }
  const std::string descr = descricao->AsString();
  const double valor = FLcto->ValorLctoCtb->AsFloat();
  FReport->SetValues(var_conta, conta->AsString() + (descr.empty() ? "" : " - " + descr));
  FReport->SetValues(var_valor, FormatFloat(kMascaraValor, valor));
  total += valor;
}

void TrptPostingPreview::ImprimirTotais(const std::string& descricao, double lcto, double cred,
                                        double deb) {
  FReport->SetValues("pDescrTotal", descricao);
  FReport->SetValues("pTotalLcto", FormatFloat(kMascaraValor, lcto));
  FReport->SetValues("pTotalCred", FormatFloat(kMascaraValor, cred));
  FReport->SetValues("pTotalDeb", FormatFloat(kMascaraValor, deb));
  FReport->RepPrintSection(kSeparadorTotais);
  FReport->RepPrintSection(kTotais);
}

VIREO_REGISTER_REPORT(TrptPostingPreview)

}  // namespace vireo
