#include "reports/balances/rptChartNoBalance.h"

#include "frame/nrwBaseDllReg.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "host/report/labels.h"
#include "reports/balances/BalanceteUtil.h"
#include "reports/balances/rptChartNoBalanceSQL.h"

namespace vireo {

namespace {

constexpr int kTipoSintetica = 1;
constexpr int kNaturezaCredora = -1;
constexpr int kModalidadeContaBanc = 4;
constexpr int kModalidadeMoeda = 5;
const char kSeparadorDescricao[] = "       ";  // between classification and description

std::string PrimeiroCaractere(const std::string& texto) { return texto.substr(0, 1); }

}  // namespace

TrptChartNoBalance::~TrptChartNoBalance() {
  DestruirSQL(FCdsEscrit);
  DestruirSQL(FCdsConta);
  DestruirSQL(FCdsMoeda);
  DestruirSQL(FCdsContaBanc);
}

std::string TrptChartNoBalance::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TrptChartNoBalance::CriarListaSectionsParaZebrar() {
  return {kLinhaEmBranco, kConta};
}

void TrptChartNoBalance::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptChartNoBalance::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptChartNoBalance::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptChartNoBalance::DoBeforeSection(TObject*, int section) {
  if (section == kFimFolha) return;
  if (!FReport->CanPrintSection({kLinhaEmBranco, kCabecalhoPagina})) {
    FReport->RepPrintSection(kFimFolha);
  }
}

void TrptChartNoBalance::LerParametros() {
  FQuebrarPaginaPorGrupo = FReport->GetValues("pQuebrarPorGrupo") == "1";
  FImprimirSomenteSinteticas = FReport->GetValues("pImpSinteticas") == "1";
  FPularLinhaCadaSintetica = FReport->GetValues("pPularLinhaCadaSintetica") == "1";
  FCodigoContaIncl = FReport->GetValues("pCodigoConta");
  FContaSemSaldo = FReport->GetValues("pContaSaldo") == "1";
  FCodigoEscrit = Trim(FReport->GetValues("pCodigoEscritorio"));
}

std::string TrptChartNoBalance::MontarInclusao() {
  if (Trim(FCodigoContaIncl).empty()) return "";
  TnClientDataSet* incluidas = nullptr;
  TnSQLGuard guarda(incluidas);
  incluidas = ExecutarSQL(SelectContasIncluidas(FReport->RepParam("pCodigoConta")), {}, true, true,
                          -1, "", nullptr, true);
  TField* codigo = incluidas->FieldByName("CODIGOCONTA");
  TField* tipo = incluidas->FieldByName("TIPOCONTA");
  TField* classif = incluidas->FieldByName("CLASSIFCONTA");
  std::vector<TnContaIncluida> contas;
  for (incluidas->First(); !incluidas->Eof(); incluidas->Next()) {
    contas.push_back(
        {codigo->AsString(), tipo->AsInteger() == kTipoSintetica, classif->AsString()});
  }
  return CondicaoInclusao(contas);
}

void TrptChartNoBalance::AbrirConsultas() {
  TnFiltroPlanoSemSaldo filtro;
  filtro.SomenteSinteticas = FImprimirSomenteSinteticas;
  filtro.Inclusao = MontarInclusao();
  filtro.ContaSemSaldo = FContaSemSaldo;
  filtro.CodigoEscrit = FCodigoEscrit;
  FCdsConta = ExecutarSQL(SelectContasPlano(filtro), {}, true, true, -1, "", nullptr, true);
  FCdsMoeda = ExecutarSQL(SelectMoedasPlano(), {}, true, true, -1, "", nullptr, true);
  FCdsMoeda->SetIndexFieldNames("CODIGOMOEDA");
  FCdsContaBanc = ExecutarSQL(SelectContasBancPlano(), {}, true, true, -1, "", nullptr, true);
  FCdsContaBanc->SetIndexFieldNames("CODIGOPESSOAFIN;CODIGOCONTABANC");
  FCdsEscrit =
      ExecutarSQL(SelectEscritoriosPlano(FCodigoEscrit), {}, true, false, -1, "", nullptr, true);
}

void TrptChartNoBalance::ImprimirInterno() {
  TnSQLGuard guarda_escrit(FCdsEscrit);
  TnSQLGuard guarda_conta(FCdsConta);
  TnSQLGuard guarda_moeda(FCdsMoeda);
  TnSQLGuard guarda_conta_banc(FCdsContaBanc);
  TnZerarProgresso zerar_progresso(FReport);
  LerParametros();
  AbrirConsultas();
  if (FCdsConta->IsEmpty()) return;
  if (FCdsEscrit->IsEmpty()) {
    FCdsEscrit->Append();
    FCdsEscrit->FieldByName("CODIGOESCRITORIO")->SetAsString("0");
    FCdsEscrit->FieldByName("NOME")->SetAsString("Financeiro");
    FCdsEscrit->FieldByName("INSCFEDERAL")->SetAsString("0");
    FCdsEscrit->Post();
  }
  FMapConta = FCdsConta->GetMapper<TnMapperConta>();
  FMapEscrit = FCdsEscrit->GetMapper<TnMapperEscrit>();
  const int total = FCdsConta->RecordCount() * FCdsEscrit->RecordCount();
  int registro = 0;
  for (FCdsEscrit->First(); !FCdsEscrit->Eof(); FCdsEscrit->Next()) {
    ImprimirEmpresa(registro, total);
  }
}

// After a line the next row is current, even one of another company that
// will be skipped, and past the end the last row stays current: the blank
// line before a synthetic account follows what that row is.
void TrptChartNoBalance::ImprimirEmpresa(int& registro, int total) {
  CabecalhoEmpresa();
  const int64_t empresa = FMapEscrit->CODIGOESCRITORIO->AsInteger();
  FCdsConta->First();
  std::string grupo = PrimeiroCaractere(FMapConta->CLASSIFCONTA->AsString());
  while (!FCdsConta->Eof()) {
    const int64_t dona = FMapConta->CODIGOESCRITORIO->AsInteger();
    if (dona != 0 && dona != empresa) {
      FCdsConta->Next();
      continue;
    }
    ConfigurarFonte();
    const std::string primeiro = PrimeiroCaractere(FMapConta->CLASSIFCONTA->AsString());
    if (primeiro != grupo) {
      grupo = primeiro;
      if (FQuebrarPaginaPorGrupo) FReport->SetCSLIsPageEnd(true);
    }
    PreencherLinha();
    FReport->RepPrintSection(kConta);
    FCdsConta->Next();
    if (Sintetica() && FPularLinhaCadaSintetica) FReport->RepPrintSection(kLinhaEmBranco);
    FReport->CSLShowProgress(++registro, total);
  }
  FReport->RepEndOfPage(true);
}

void TrptChartNoBalance::CabecalhoEmpresa() {
  const std::string codigo = FMapEscrit->CODIGOESCRITORIO->AsString();
  FReport->SetValues("pNomeEmpresa",
                     codigo != "0" ? codigo + TemDados(FMapEscrit->NOME->AsString(), " ", "") : "");
  const std::string inscricao = FMapEscrit->INSCFEDERAL->AsString();
  FReport->SetValues("pInscrFederal", inscricao != "0" ? inscricao : "");
}

bool TrptChartNoBalance::Sintetica() const {
  return FMapConta->TIPOCONTA->AsInteger() == kTipoSintetica;
}

void TrptChartNoBalance::ConfigurarFonte() {
  const TFontStyles estilo = Sintetica() ? TFontStyles{fsBold} : TFontStyles{};
  for (int i = 0; i < FReport->GetObjectCount(); ++i) {
    auto* label = dynamic_cast<TnpqLabel*>(FReport->GetObjects(i));
    if (label != nullptr && label->Section() == kConta) label->SetFontStyle(estilo);
  }
}

void TrptChartNoBalance::PreencherLinha() {
  const TnMapperConta& conta = *FMapConta;
  FReport->SetValues("R1", conta.CODIGOCONTA->AsString());
  FReport->SetValues("R2", Sintetica() ? "S" : "");
  FReport->SetValues(
      "R3", conta.CLASSIFCONTA->AsString() + kSeparadorDescricao + conta.DESCRCONTA->AsString());
  FReport->SetValues("R4",
                     conta.NATURSALDO->AsInteger() == kNaturezaCredora ? "Crédito" : "Débito");
  const int64_t modalidade = conta.MODALIDADECONTA->AsInteger();
  FReport->SetValues("R5", modalidade == kModalidadeMoeda ? TextoMoeda() : "");
  FReport->SetValues("R6", modalidade == kModalidadeContaBanc ? TextoContaBanc() : "");
}

// An account whose currency or bank account is not there shows nothing.
std::string TrptChartNoBalance::TextoMoeda() {
  const Variant codigo = FMapConta->CODIGOMOEDA->Value();
  FCdsMoeda->CancelRange();
  FCdsMoeda->SetRange({codigo}, {codigo});
  if (FCdsMoeda->IsEmpty()) return "";
  const TMoedaMap& moeda = *FCdsMoeda->GetMapper<TMoedaMap>();
  return moeda.CodigoMoeda->AsString() + " - " + moeda.NomeMoeda->AsString();
}

std::string TrptChartNoBalance::TextoContaBanc() {
  const std::vector<Variant> chave = {FMapConta->CODIGOPESSOACONTA->Value(),
                                      FMapConta->CODIGOCONTABANC->Value()};
  FCdsContaBanc->CancelRange();
  FCdsContaBanc->SetRange(chave, chave);
  if (FCdsContaBanc->IsEmpty()) return "";
  const TContaBancMap& banc = *FCdsContaBanc->GetMapper<TContaBancMap>();
  return banc.CODIGOCONTABANC->AsString() + " - " + banc.NOMEBANCO->AsString() +
         " Ag.: " + banc.CODIGOAGENCIABANC->AsString() + " - " + banc.NOMEAGENCIA->AsString() +
         " Conta: " + banc.NRCONTABANC->AsString();
}

VIREO_REGISTER_REPORT(TrptChartNoBalance)

}  // namespace vireo
