#include "reports/ledgers/rptCostCentreLedger.h"

#include <cmath>
#include <cstdlib>

#include "frame/nrwBaseDllReg.h"
#include "host/biz/empresa_relatorio.h"
#include "host/biz/filtros_plano.h"
#include "host/biz/historico.h"
#include "host/biz/plano_item.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"

namespace vireo {

namespace {

const char kSelectNaturCCusto[] =
    "select   NATURGRUPO1,   NATURGRUPO2,   NATURGRUPO3,   NATURGRUPO4,   NATURGRUPO5,   "
    "NATURGRUPO6,   NATURGRUPO7,   NATURGRUPO8,   NATURGRUPO9 from FPRCFGCENTROCUSTO";
const char kSelectNaturConta[] =
    "select  NATURGRUPO1,  NATURGRUPO2,  NATURGRUPO3,  NATURGRUPO4,  NATURGRUPO5,  NATURGRUPO6,  "
    "NATURGRUPO7,  NATURGRUPO8,  NATURGRUPO9 from FPRCFGCONTA";
const char kSelectLancamentos[] =
    "select CC.CODIGOCENTROCUSTO , CX.CODIGOCONTA , CX.DATACAIXA , CC.VALORCUSTO , "
    "CC.NATURLCTOCUSTO , CX.CODIGOHISTCTB, CX.HISTORICOCAIXA , HS.DESCRHISTCTB from FPRCAIXACUSTO "
    "CC join FPRCAIXA CX on CX.CODIGOESCRIT =  CC.CODIGOESCRIT and CX.CODIGOCAIXA = "
    "CC.CODIGOCAIXA left join FPRHISTORICO HS on HS.CODIGOHISTCTB = CX.CODIGOHISTCTB ";
const int kLinhasConfiguracao = 10;
// The entry query fetches every row: the host's row limit would cut the
// ledger short.
const int kTodasAsLinhas = -1;

const char kMascara[] = "#,##0.00";
const char kSaldoAnterior[] = "Saldo Anterior...";
const char kSaldoAtual[] = "Saldo Atual...";

std::string Absoluto(double valor) { return FormatFloat(kMascara, std::fabs(valor)); }

// The nature of a classification in a plan: NATURGRUPO and its first
// character, on the first row.  An empty classification has none (0); a
// character that names no column fails the field lookup.
int Natureza(TnClientDataSet* naturezas, const std::string& classificacao) {
  if (classificacao.empty() || naturezas->IsEmpty()) return 0;
  naturezas->First();
  return static_cast<int>(
      naturezas->FieldByName("NATURGRUPO" + classificacao.substr(0, 1))->AsInteger());
}

}  // namespace

TrptCostCentreLedger::~TrptCostCentreLedger() { Liberar(); }

std::string TrptCostCentreLedger::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TrptCostCentreLedger::CriarListaSectionsParaZebrar() {
  TnrwBaseDll::CriarListaSectionsParaZebrar();  // fetched and dropped
  return {kLinhaSaldo, kItemCabecalho, kItemDetalhe, kLancamento, kTotal};
}

void TrptCostCentreLedger::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptCostCentreLedger::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptCostCentreLedger::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptCostCentreLedger::ImprimirInterno() {
  LerParametros();
  if (FDataFinal < FDataInicial) {
    throw EnParam("pDataInicial", "Data inicial não pode ser maior que data final.");
  }
  try {
    Imprimir();
  } catch (...) {
    Liberar();
    throw;
  }
  Liberar();
}

void TrptCostCentreLedger::LerParametros() {
  FDataInicial = StrToDateDef(Trim(FReport->RepParam("pDataInicial")), 0);
  FDataFinal = StrToDateDef(Trim(FReport->RepParam("pDataFinal")), 0);
  FListaSaldo = static_cast<TnListaSaldo>(StrToIntDef(Trim(FReport->RepParam("pListarSaldo")), 0));
  FTipoMescla =
      static_cast<TnTipoMescla>(StrToIntDef(Trim(FReport->RepParam("pTipoMesclarPlano")), 0));
  FTotalDebCred =
      static_cast<TnTotalDebCred>(StrToIntDef(Trim(FReport->RepParam("pTotalDebCred")), 0));
  FCodigoEscrit = StrToIntDef(Trim(FReport->RepParam("pCodigoEscrit")), 0);
  FCodigoCentroCusto = Trim(FReport->RepParam("pCodigoCentroCusto"));
  FCodigoConta = Trim(FReport->RepParam("pCodigoConta"));
}

void TrptCostCentreLedger::Liberar() {
  FBalancete.reset();
  FItemCabecalho = nullptr;
  FItemDetalhe = nullptr;
  FLancamentos = nullptr;
  DestruirSQL(FCdsNaturCCusto);
  DestruirSQL(FCdsNaturConta);
  DestruirSQL(FCdsLancamentos);
  DestruirSQL(FCdsEmpresa);
}

void TrptCostCentreLedger::Imprimir() {
  if (FCodigoEscrit != 0) FCdsEmpresa = ConsultarEmpresa(FCodigoEscrit);
  PreencherEmpresa(FReport, FCdsEmpresa, "pNomeEmpresa");
  FReport->SetValues("pTituloRelat", FTipoMescla == kMesclaCentroConta
                                         ? "RAZÃO - CENTRO CUSTO x PLANO CONTA"
                                         : "RAZÃO - PLANO CONTA x CENTRO CUSTO");
  FCdsNaturCCusto =
      ExecutarSQL(kSelectNaturCCusto, {}, true, false, kLinhasConfiguracao, "", nullptr, true);
  FCdsNaturConta =
      ExecutarSQL(kSelectNaturConta, {}, true, false, kLinhasConfiguracao, "", nullptr, true);
  AbrirLancamentos();
  CriarBalancete();
  if (FBalancete->PlanoCentrosCusto()->Filhos().Count() == 0) return;

  FTotalRegistro = FBalancete->TotalItens();
  FRegistro = 0;
  FEhPrimeiroCabecalho = true;
  PercorrerArvore(FTipoMescla == kMesclaCentroConta ? FBalancete->PlanoCentrosCusto()->Filhos()
                                                    : FBalancete->PlanoContas()->Filhos());
  if (FListaSaldo == lsCCusConta || FItemDetalhe == nullptr) return;
  if (FListaSaldo == lsNao) {
    LinhaSaldoAtual(NaturezaDetalhe(FItemDetalhe->Classificacao), true, FSaldoDet, false);
  }
  FReport->RepPrintSection(kSeparadorDetalhe);
  LinhaSaldoAtual(NaturezaCabecalho(FItemCabecalho->Classificacao()), true, FSaldoCab, true);
}

void TrptCostCentreLedger::AbrirLancamentos() {
  std::string sql = kSelectLancamentos;
  if (!FCodigoConta.empty()) sql += "join FPRCONTA CO on CO.CODIGOCONTA = CX.CODIGOCONTA ";
  if (!FCodigoCentroCusto.empty()) {
    sql += "join FPRCENTROCUSTO CT on CT.CODIGOCENTROCUSTO = CC.CODIGOCENTROCUSTO ";
  }
  sql += "where CX.DATACAIXA between :pDataInicial and :pDataFinal";
  if (FCodigoEscrit > 0) sql += " and CC.CODIGOESCRIT = " + ValorParaSQL(Variant(FCodigoEscrit));
  if (!FCodigoConta.empty()) sql += " and " + MontarFiltroContasPorTipo(FCodigoConta, "CO");
  if (!FCodigoCentroCusto.empty()) {
    sql += " and " + MontarFiltroCentrosCustoPorTipo(FCodigoCentroCusto, "CT");
  }
  FCdsLancamentos = ExecutarSQL(
      sql, TnSQLParams{Variant::FromDateTime(FDataInicial), Variant::FromDateTime(FDataFinal)},
      true, false, kTodasAsLinhas, "", nullptr, true);
  FCdsLancamentos->SetIndexFieldNames(
      FTipoMescla == kMesclaCentroConta ? "CodigoCentroCusto;CodigoConta;DataCaixa;NaturLctoCusto"
                                        : "CodigoConta;CodigoCentroCusto;DataCaixa;NaturLctoCusto");
  FLancamentos = FCdsLancamentos->GetMapper<TnMapLancamento>();
}

void TrptCostCentreLedger::CriarBalancete() {
  FBalancete = std::make_unique<TnBalancete>();
  FBalancete->SetCodigoEscrit(FCodigoEscrit);
  FBalancete->SetCodigoConta(FCodigoConta);
  FBalancete->SetTipoMescla(FTipoMescla);
  FBalancete->SetDataInicial(FDataInicial);
  FBalancete->SetDataFinal(FDataFinal);
  FBalancete->SetImpSaldoZero(false);
  FBalancete->SetListaContaSemRateio(false);
  FBalancete->SetCodigoCentroCusto(FCodigoCentroCusto);
  FBalancete->ProcessarDados();
}

// --- which lines, natures and sides ------------------------------------------------

bool TrptCostCentreLedger::SaldoCabecalho() const {
  if (FTipoMescla == kMesclaCentroConta)
    return FListaSaldo == lsSohCCusto || FListaSaldo == lsCCusConta;
  if (FTipoMescla == kMesclaContaCentro)
    return FListaSaldo == lsSohConta || FListaSaldo == lsCCusConta;
  return false;
}

bool TrptCostCentreLedger::SaldoDetalhe() const {
  if (FTipoMescla == kMesclaCentroConta)
    return FListaSaldo == lsSohConta || FListaSaldo == lsCCusConta;
  if (FTipoMescla == kMesclaContaCentro)
    return FListaSaldo == lsSohCCusto || FListaSaldo == lsCCusConta;
  return false;
}

bool TrptCostCentreLedger::SohSaldoCabecalho() const {
  if (FTipoMescla == kMesclaCentroConta) return FListaSaldo == lsSohCCusto;
  if (FTipoMescla == kMesclaContaCentro) return FListaSaldo == lsSohConta;
  return false;
}

int TrptCostCentreLedger::NaturezaCabecalho(const std::string& classificacao) const {
  return Natureza(FTipoMescla == kMesclaCentroConta ? FCdsNaturCCusto : FCdsNaturConta,
                  classificacao);
}

int TrptCostCentreLedger::NaturezaDetalhe(const std::string& classificacao) const {
  return Natureza(FTipoMescla == kMesclaCentroConta ? FCdsNaturConta : FCdsNaturCCusto,
                  classificacao);
}

// 1 debit, -1 credit.
int TrptCostCentreLedger::Lado(int natureza, double valor) const {
  if (natureza != 1 && natureza != -1) return -1;
  return natureza * (valor >= 0 ? 1 : -1) * (FTipoMescla == kMesclaContaCentro ? 1 : -1);
}

std::string TrptCostCentreLedger::TextoSaldo(int natureza, double valor) const {
  return Absoluto(valor) + (Lado(natureza, valor) == 1 ? "D" : "C");
}

// --- lines ---------------------------------------------------------------------------

void TrptCostCentreLedger::LinhaSaldoAnterior(int natureza, double valor) {
  FReport->SetValues("R1", DateToStr(FDataInicial - 1));
  FReport->SetValues("R5", TextoSaldo(natureza, valor));
  FReport->SetValues("R2", kSaldoAnterior);
  FReport->SetValues("R3", "");
  FReport->SetValues("R4", "");
  if (!(FListaSaldo == lsSohCCusto && valor == 0)) {
    FReport->SetValues(Lado(natureza, valor) == 1 ? "R3" : "R4", Absoluto(valor));
  }
  FReport->RepPrintSection(kLinhaSaldo);
}

void TrptCostCentreLedger::LinhaSaldoAtual(int natureza, bool data_final, double valor,
                                           bool com_saldo) {
  FReport->SetValues("R3", "");
  FReport->SetValues("R4", "");
  FReport->SetValues(valor >= 0 ? "R4" : "R3", Absoluto(valor));
  FReport->SetValues("R1", data_final ? DateToStr(FDataFinal) : DataLancamentoAtual());
  FReport->SetValues("R5", com_saldo ? TextoSaldo(natureza, valor) : "");
  FReport->SetValues("R2", kSaldoAtual);
  FReport->RepPrintSection(kLinhaSaldo);
}

// The date of the current entry row: past the last row of a range the
// dataset stays on it; an empty range has no row.
std::string TrptCostCentreLedger::DataLancamentoAtual() const {
  return FCdsLancamentos->IsEmpty() ? "" : FLancamentos->DataCaixa->AsString();
}

void TrptCostCentreLedger::LinhaTotal() {
  if (FTotalDebCred == ttNao) return;
  std::string rotulo = "***Total do Dia:";
  if (FTotalDebCred == ttConta) {
    rotulo =
        FTipoMescla == kMesclaCentroConta ? "***Total da Conta:" : "***Total do Centro de Custo:";
  }
  FReport->SetValues("R1", rotulo);
  FReport->SetValues("R2", FTotalDeb > 0 ? FormatFloat(kMascara, FTotalDeb) : "");
  FReport->SetValues("R3", FTotalCred > 0 ? FormatFloat(kMascara, FTotalCred) : "");
  FReport->RepPrintSection(kTotal);
}

// --- the walk ------------------------------------------------------------------------

void TrptCostCentreLedger::PercorrerArvore(const TnListaPlanoItem& itens) {
  TnEnumeradorPlanoItem item = itens.GetEnumerator();
  while (item.MoveNext()) {
    FItemCabecalho = item.GetCurrent();
    const TnListaAnalitica& detalhes = FBalancete->RetornaListaAnalitica(FItemCabecalho->Codigo());
    if (!detalhes.empty()) ImprimirCabecalho(FItemCabecalho, detalhes);
    PercorrerArvore(item.GetCurrent()->Filhos());
  }
}

void TrptCostCentreLedger::ImprimirCabecalho(IPlanoItem* item, const TnListaAnalitica& detalhes) {
  FReport->CSLShowProgress(FRegistro, FTotalRegistro);
  ++FRegistro;
  FSaldoCab = item->SaldoAnterior();
  const bool centro = FTipoMescla == kMesclaCentroConta;
  FReport->SetValues("R1", centro ? "Centro de Custo" : "Conta");
  if (!centro && !FEhPrimeiroCabecalho) FReport->RepPrintSection(kSeparadorCabecalho);
  FReport->SetValues("R2", FormatFloat("0000", item->Codigo()));
  FReport->SetValues("R3", item->Classificacao());
  FReport->SetValues("R4", item->Descricao());
  FReport->RepPrintSection(kItemCabecalho);
  const int natureza = NaturezaCabecalho(item->Classificacao());
  if (SaldoCabecalho()) LinhaSaldoAnterior(natureza, item->SaldoAnterior());

  PercorrerDetalhes(detalhes);

  if (SaldoCabecalho()) {
    if (SohSaldoCabecalho() && FRegistro == FTotalRegistro) {
      LinhaSaldoAtual(NaturezaDetalhe(FItemDetalhe->Classificacao), true, FSaldoDet, false);
    } else {
      FReport->RepPrintSection(kSeparadorDetalhe);
      LinhaSaldoAtual(natureza, false, FSaldoCab, true);
    }
  }
  FEhPrimeiroCabecalho = false;
}

void TrptCostCentreLedger::PercorrerDetalhes(const TnListaAnalitica& detalhes) {
  for (const TnItensAnalitico& detalhe : detalhes) {
    FItemDetalhe = &detalhe;
    FReport->CSLShowProgress(FRegistro, FTotalRegistro);
    ++FRegistro;
    FReport->RepPrintSection(kSeparadorDetalhe);
    FReport->SetValues("R1", FTipoMescla == kMesclaCentroConta ? "Conta" : "Centro de Custo");
    FReport->SetValues("R2", FormatFloat("0000", static_cast<double>(detalhe.Codigo)));
    FReport->SetValues("R3", detalhe.Classificacao);
    FReport->SetValues("R4", detalhe.Descricao);
    FReport->RepPrintSection(kItemDetalhe);
    if (SaldoDetalhe()) {
      LinhaSaldoAnterior(NaturezaDetalhe(detalhe.Classificacao), detalhe.SaldoAnterior);
    }
    ImprimirLancamentos(detalhe);
  }
}

void TrptCostCentreLedger::ImprimirLancamentos(const TnItensAnalitico& detalhe) {
  FTotalDeb = 0;
  FTotalCred = 0;
  FSaldoDet = detalhe.SaldoAnterior;
  TDateTime data_anterior = 0;
  const Variant chave[] = {Variant(detalhe.CodigoCabecalho), Variant(detalhe.Codigo)};
  FCdsLancamentos->SetRange({chave[0], chave[1]}, {chave[0], chave[1]});
  if (FCdsLancamentos->IsEmpty()) return;
  const TnMapLancamento& l = *FLancamentos;
  for (FCdsLancamentos->First(); !FCdsLancamentos->Eof();) {
    if (FTotalDebCred == ttDiario && l.DataCaixa->AsDateTime() != data_anterior) {
      FTotalDeb = 0;
      FTotalCred = 0;
    }
    const double valor = l.ValorCusto->AsFloat() * l.NaturLctoCusto->AsInteger() * -1;
    FSaldoCab += valor;
    FSaldoDet += valor;
    FReport->SetValues(
        "R2", MontarHistoricoCaixa(l.DescrHistCtb->AsString(), l.HistoricoCaixa->AsString()));
    FReport->SetValues("R1", l.DataCaixa->AsString());
    FReport->SetValues("R5", Absoluto(FSaldoDet) + (FSaldoDet < 0 ? "D" : "C"));
    if (valor < 0) {
      FTotalDeb += std::fabs(valor);
      FReport->SetValues("R3", Absoluto(valor));
      FReport->SetValues("R4", "");
    } else {
      FTotalCred += valor;
      FReport->SetValues("R3", "");
      FReport->SetValues("R4", Absoluto(valor));
    }
    FReport->RepPrintSection(kLancamento);
    data_anterior = l.DataCaixa->AsDateTime();
    FCdsLancamentos->Next();
    if (FTotalDebCred == ttDiario && l.DataCaixa->AsDateTime() != data_anterior) {
      LinhaTotal();
    } else if (FTotalDebCred != ttNao && FCdsLancamentos->Eof()) {
      LinhaTotal();
    }
  }
  if (SaldoDetalhe()) {
    const bool ultimo = FRegistro == FTotalRegistro;
    LinhaSaldoAtual(NaturezaDetalhe(detalhe.Classificacao), ultimo, FSaldoDet, !ultimo);
  }
}

VIREO_REGISTER_REPORT(TrptCostCentreLedger)

}  // namespace vireo
