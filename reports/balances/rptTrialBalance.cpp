#include "reports/balances/rptTrialBalance.h"

#include "frame/nrwBaseDllReg.h"
#include "host/core/convert.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/selection.h"
#include "host/data/sql.h"
#include "host/report/data_module.h"
#include "host/report/engine.h"
#include "host/report/labels.h"
#include "reports/balances/BalanceteUtil.h"

namespace vireo {

namespace {

// Heading and line labels of the columns each choice leaves empty: the
// layout hides them, so a page never shows a heading over an empty column.
struct TnColunaOpcional {
  const char* cabecalho;
  const char* linha;
  bool debcred;  // shown with tbDebCred
  bool debcred_movim;
  bool movim;
};
const TnColunaOpcional kColunasOpcionais[] = {
    {"lblCabDebito", "R5", true, true, false},
    {"lblCabCredito", "R6", true, true, false},
    {"lblCabMovimento", "R8", false, true, true},
};

TnTipoBalancete TipoBalancete(int valor) {
  switch (valor) {
    case tbDebCredMovim:
      return tbDebCredMovim;
    case tbMovim:
      return tbMovim;
    default:
      return tbDebCred;
  }
}

std::string PrimeiroCaractere(const std::string& texto) { return texto.substr(0, 1); }

}  // namespace

TrptTrialBalance::~TrptTrialBalance() {
  FCdsContas = nullptr;  // belongs to the data module
  FDMSaldoConta.reset();
}

std::string TrptTrialBalance::Versao() { return "[versao: 1.1.82.0]"; }

std::vector<int> TrptTrialBalance::CriarListaSectionsParaZebrar() {
  return {kLinhaConta, kLinhaEmBranco};
}

void TrptTrialBalance::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptTrialBalance::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptTrialBalance::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptTrialBalance::ImprimirInterno() {
  TnSQLGuard guarda_empresa(FCdsEmpresa);
  TnZerarProgresso zerar_progresso(FReport);

  FCodigoEscrit = Trim(FReport->RepParam("pCodigoEscrit"));
  GerarSaldos();
  if (FCdsContas->IsEmpty()) return;

  if (FMapperContas == nullptr) FMapperContas = std::make_unique<TnMapperContas>();
  TnFieldMapper::MapearFields(FCdsContas, *FMapperContas);
  FCdsContas->SetIndexFieldNames("CodigoEscrit;" + FCdsContas->IndexFieldNames());

  FCdsEmpresa = nDMConexao().ExecuteQueryView(SelectEmpresas(FCodigoEscrit));
  FCdsEmpresa->SetIndexFieldNames("CODIGOPESSOAFIN");
  if (FMapperEmpresas == nullptr) FMapperEmpresas = std::make_unique<TnMapperEmpresas>();
  TnFieldMapper::MapearFields(FCdsEmpresa, *FMapperEmpresas);

  LerOpcoes();
  AjustarColunas();

  FOldCodigoEscrit = 0;
  ATotalRegistro = FCdsContas->RecordCount();
  ARegistro = 0;
  FReport->SetValues("pNomeEmpresa", "");
  FReport->SetValues("pInscrFederal", "");

  ImprimirContas();
  MostrarMensagens();
}

void TrptTrialBalance::GerarSaldos() {
  if (FDMSaldoConta == nullptr) FDMSaldoConta = CriarDMSaldoConta();
  // One after the other: the first date is the one an error names first.
  const TDateTime inicio = DataDoPeriodo(*FReport->Param("pDataInicial"));
  const TDateTime fim = DataDoPeriodo(*FReport->Param("pDataFinal"));
  TnFiltroSaldoConta filtro =
      FiltroSaldoConta(inicio, fim, Trim(FReport->RepParam("pOrigemLctoCaixaCh")), FCodigoEscrit,
                       Trim(FReport->RepParam("pCodigoConta")));
  filtro.ImpContaSaldoZero = Trim(FReport->RepParam("pImpContaSaldoZero")) == "1";
  // Companies apart as the panel chose, not by the selection.
  filtro.QuebraPorEmpresa = Trim(FReport->RepParam("pQuebra")) == "2";
  FCdsContas = FDMSaldoConta->Gerar(filtro);
}

void TrptTrialBalance::LerOpcoes() {
  FTipoBalancete = TipoBalancete(StrToIntDef(FReport->RepParam("pTipoBalancete"), 0));
  FQuebraPagGrupo = StrToIntDef(FReport->RepParam("pQuebraGrupo"), 0) == 1;
  FImprimirSohSint = StrToIntDef(FReport->RepParam("pImpSintetica"), 0) == 1;
  FPularLinhaSint = StrToIntDef(FReport->RepParam("pPularLinha"), 0) == 1;
}

void TrptTrialBalance::AjustarColunas() {
  for (const TnColunaOpcional& coluna : kColunasOpcionais) {
    const bool visivel = FTipoBalancete == tbDebCred        ? coluna.debcred
                         : FTipoBalancete == tbDebCredMovim ? coluna.debcred_movim
                                                            : coluna.movim;
    for (const char* nome : {coluna.cabecalho, coluna.linha}) {
      FReport->LabelByName(nome)->SetVisible(visivel);
    }
  }
}

// --- the walk ------------------------------------------------------------------------

void TrptTrialBalance::ImprimirContas() {
  FCdsContas->First();
  while (!FCdsContas->Eof()) {
    // Skipped rows move neither the progress nor what the breaks compare.
    if (FImprimirSohSint && !Sintetica()) {
      FCdsContas->Next();
      continue;
    }
    PreencherLinha();
    TrocarEmpresa();
    QuebrarPagina();
    AplicarEstiloLinha();
    FReport->RepPrintSection(kLinhaConta);
    FOldClassifConta = PrimeiroCaractere(FMapperContas->ClassifConta->AsString());
    FOldCodigoEscrit = FMapperContas->CodigoEscrit->AsInteger();
    FCdsContas->Next();
    // Past the end the last row stays current: a synthetic last row is
    // followed by one blank line.
    if (FPularLinhaSint && (FImprimirSohSint || Sintetica()))
      FReport->RepPrintSection(kLinhaEmBranco);
    ++ARegistro;
    FReport->CSLShowProgress(ARegistro, ATotalRegistro);
  }
}

bool TrptTrialBalance::Sintetica() const {
  return Trim(FMapperContas->TipoConta->AsString()) == "S";
}

void TrptTrialBalance::PreencherLinha() {
  const TnMapperContas& conta = *FMapperContas;
  FReport->SetValues("R1", conta.CodigoConta->AsString());
  FReport->SetValues("R2", conta.TipoConta->AsString());
  FReport->SetValues("R3", conta.DescrConta->AsString());
  FReport->SetValues("R4", FormatarValorBalancete(conta.SaldoAnterior->AsFloat()));
  FReport->SetValues("R7", FormatarValorBalancete(conta.Saldo->AsFloat()));
  if (FTipoBalancete == tbDebCred || FTipoBalancete == tbDebCredMovim) {
    FReport->SetValues("R5", FormatarValorBalancete(conta.ValorDebito->AsFloat()));
    FReport->SetValues("R6", FormatarValorBalancete(conta.ValorCredito->AsFloat()));
  }
  if (FTipoBalancete == tbDebCredMovim || FTipoBalancete == tbMovim) {
    FReport->SetValues("R8", FormatarValorBalancete(conta.Movimento->AsFloat()));
  }
}

// The header of a new company's pages.  The module numbers its rows by
// company only when asked for one set per company (pQuebra "2"); otherwise
// every row carries 0, the companies go together and the header stays
// empty.  A company the company query does not return keeps the header of
// the one before.
void TrptTrialBalance::TrocarEmpresa() {
  const int64_t codigo = FMapperContas->CodigoEscrit->AsInteger();
  if (codigo == FOldCodigoEscrit) return;
  if (!FCdsEmpresa->FindKey({Variant(codigo)})) return;
  if (Trim(FReport->RepParam("pQuebra")) != "2") {
    FReport->SetValues("pNomeEmpresa", "");
    FReport->SetValues("pInscrFederal", "");
    return;
  }
  FReport->SetValues("pNomeEmpresa", FormatFloat("0000", static_cast<double>(codigo)) + " " +
                                         FMapperEmpresas->Nome->AsString());
  FReport->SetValues("pInscrFederal", "CNPJ: " + FMapperEmpresas->InscFederal->AsString());
}

void TrptTrialBalance::QuebrarPagina() {
  if (FMapperContas->CodigoEscrit->AsInteger() != FOldCodigoEscrit) {
    FReport->RepEndOfPage(true);
  } else if (FQuebraPagGrupo &&
             PrimeiroCaractere(FMapperContas->ClassifConta->AsString()) != FOldClassifConta) {
    FReport->RepEndOfPage(true);
  }
}

void TrptTrialBalance::AplicarEstiloLinha() {
  const TFontStyles estilo = Sintetica() ? TFontStyles{fsBold} : TFontStyles{};
  for (int i = 0; i < FReport->GetObjectCount(); ++i) {
    auto* label = dynamic_cast<TnpqLabel*>(FReport->GetObjects(i));
    if (label != nullptr && label->Section() == kLinhaConta) label->SetFontStyle(estilo);
  }
}

void TrptTrialBalance::MostrarMensagens() {
  MostrarMensagensBalancete(FReport, FDMSaldoConta->MsgErro(),
                            FReport->RepParam("pOrigemLctoCaixaCh"));
}

VIREO_REGISTER_REPORT(TrptTrialBalance)

}  // namespace vireo
