#include "reports/checks/rptTransactionCheck.h"

#include <cmath>

#include "frame/nrwBaseDllReg.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "host/report/labels.h"

namespace vireo {

namespace {

const char kMascaraValor[] = "#,##0.00";
const char kMsgPeriodo[] = "Data inicial não pode ser maior que a data final. Verifique!";
const char kSQLPlanoContas[] =
    "select CODIGOCONTA , TIPOCONTA , CLASSIFCONTA , DESCRCONTA from FPRCONTA order by "
    "CLASSIFCONTA";
constexpr double kRecuoNivel = 14;  // pixels per level of the summary tree
// The labels of the account text (R1) of the two kinds of summary line;
// both start where the layout puts them.
const char kLabelContaSintetica[] = "lblSinteticaConta";
const char kLabelContaAnalitica[] = "lblAnaliticaConta";

std::string Valor(double valor) { return FormatFloat(kMascaraValor, valor); }

std::string DescricaoOperacao(int tipo) {
  switch (tipo) {
    case toRecebimento:
      return "Recebimento";
    case toPagamento:
      return "Pagamento";
    case toMovimentacao:
      return "Movimentação";
    default:
      return "";
  }
}

}  // namespace

TrptTransactionCheck::~TrptTransactionCheck() { DestruirSQL(FCdsPlanoContas()); }

std::string TrptTransactionCheck::Versao() { return "[versao: 1.1.96.0]"; }

std::vector<int> TrptTransactionCheck::CriarListaSectionsParaZebrar() {
  return {kConta, kTransacao, kTotalTransacao, kSeparador};
}

void TrptTransactionCheck::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptTransactionCheck::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptTransactionCheck::DoParamExit(TObject*, TnpqParamItem*) {}

// The base is not called: the panel keeps what the layout gives it.
void TrptTransactionCheck::DepoisConfigurar() {
  FReport->OnSectionPrint = [](TObject*, int) {};
  CriarTotalConta();
}

void TrptTransactionCheck::CriarTotalConta() {
  FCdsTotalConta = std::make_unique<TnClientDataSet>();
  FCdsTotalConta->AddFieldDef("CodigoConta", TFieldType::Integer);
  FCdsTotalConta->AddFieldDef("ClassifConta", TFieldType::String, 100);
  FCdsTotalConta->AddFieldDef("TotalDebito", TFieldType::Float);
  FCdsTotalConta->AddFieldDef("TotalCredito", TFieldType::Float);
  FCdsTotalConta->SetIndexFieldNames("CodigoConta");
  FCdsTotalConta->CreateDataSet();
}

void TrptTransactionCheck::LerParametros() {
  FParDataInicial = StrToDateDef(Trim(FReport->RepParam("pDataInicial")), 0);
  FParDataFinal = StrToDateDef(Trim(FReport->RepParam("pDataFinal")), 0);
  if (FParDataFinal < FParDataInicial) throw Exception(kMsgPeriodo);
  FParCodigoEscritIncl = Trim(FReport->RepParam("pCodigoEscrit"));
  FParTipoOperacaoIncl = Trim(FReport->RepParam("pTipoOperacao"));
  FParCodigoAcertoIncl = Trim(FReport->RepParam("pCodigoAcerto"));
  FParValorMinimo = StrToFloatDef(Trim(FReport->RepParam("pValorMinimo")), 0);
  FParValorMaximo = StrToFloatDef(Trim(FReport->RepParam("pValorMaximo")), 0);
  FParOrdenar = StrToIntDef(Trim(FReport->RepParam("pOrdenar")), 0);
  FParObjetoTransacoes = StrToInt64Def(Trim(FReport->RepParam("pObjetoTransacoes")), -1);
}

// A print through Imprimir has had no DepoisConfigurar: the totals dataset
// is made here then, rather than the print failing on its absence.
void TrptTransactionCheck::ImprimirInterno() {
  FTotalDebitosGeral = 0;
  FTotalCreditosGeral = 0;
  LerParametros();
  CarregarTransacoes();
  CarregarPlanoContas();
  if (FCdsTotalConta == nullptr) CriarTotalConta();
  FTotalConta = FCdsTotalConta->GetMapper<TnMapperTotalConta>();
  FCdsTotalConta->EmptyDataSet();
  struct TnLiberarClone {
    std::unique_ptr<TnClientDataSet>& clone;
    ~TnLiberarClone() { clone.reset(); }
  } liberar{FCdsClone};
  ImprimirTransacoes();
  ImprimirTotalGeral();
  ImprimirResumo();
}

void TrptTransactionCheck::CarregarTransacoes() {
  if (FParObjetoTransacoes != -1) {
    FTransacoes = &TransacoesPorHandle(FParObjetoTransacoes);
    return;
  }
  TnConferenciaTransacoes conferencia;
  conferencia.CodigoEscritIncl = FParCodigoEscritIncl;
  conferencia.TipoOperacaoIncl = FParTipoOperacaoIncl;
  conferencia.CodigoAcertoIncl = FParCodigoAcertoIncl;
  conferencia.ValorMinimo = FParValorMinimo;
  conferencia.ValorMaximo = FParValorMaximo;
  conferencia.Ordenar = FParOrdenar;
  conferencia.DataInicial = FParDataInicial;
  conferencia.DataFinal = FParDataFinal;
  FTransacoesProprias = conferencia.Consultar();
  FTransacoes = FTransacoesProprias.get();
}

void TrptTransactionCheck::CarregarPlanoContas() {
  TnClientDataSet*& plano = FCdsPlanoContas();
  DestruirSQL(plano);
  plano = ExecutarSQL(kSQLPlanoContas, {}, true, false, -1, "", nullptr, true);
  FCdsClone.reset(plano->CloneCDS());
  FCdsClone->SetIndexFieldNames("CodigoConta");
}

// --- the transactions ----------------------------------------------------------------

void TrptTransactionCheck::ImprimirTransacoes() {
  int64_t empresa_anterior = 0;
  for (size_t i = 0; i < FTransacoes->size(); ++i) {
    FTransacaoCorrente = &(*FTransacoes)[i];
    TrocarEmpresa(empresa_anterior);
    ImprimirCabecalhoTransacao();
    for (const std::vector<TConta>& lista : FTransacaoCorrente->Contas) {
      for (const TConta& conta : lista) ImprimirConta(conta);
    }
    FReport->SetValues("R7", Valor(FTotalDebitos));
    FReport->SetValues("R8", Valor(FTotalCreditos));
    FReport->RepPrintSection(kTotalTransacao);
    if (i + 1 < FTransacoes->size()) FReport->RepPrintSection(kSeparador);
  }
}

void TrptTransactionCheck::TrocarEmpresa(int64_t& empresa_anterior) {
  const int64_t empresa = FTransacaoCorrente->CodigoEscrit;
  if (empresa == empresa_anterior) return;
  empresa_anterior = empresa;
  if (FParCodigoEscritIncl.empty()) return;
  FReport->SetValues("pNomeEmpresa", "");
  FReport->SetValues("pInscrFederal", "");
  const Variant dados = PegarValorCampo("PESSOAFINANCEIRO", "NOME, INSCFEDERAL",
                                        "CODIGOPESSOAFIN = " + std::to_string(empresa));
  if (dados.IsNull()) return;
  FReport->SetValues("pNomeEmpresa", FormatFloat("0000", static_cast<double>(empresa)) + " " +
                                         dados.AsArray()[0].AsString());
  FReport->SetValues("pInscrFederal", "CNPJ: " + dados.AsArray()[1].AsString());
}

void TrptTransactionCheck::ImprimirCabecalhoTransacao() {
  const TTransacao& t = *FTransacaoCorrente;
  FReport->SetValues("pImpTransacao", std::to_string(t.Numero));
  FReport->SetValues("pImpData", FormatDateTime("dd/mm/yyyy", t.Data));
  FReport->SetValues("pImpValor", Valor(t.Valor));
  FReport->SetValues("pImpOperacao", DescricaoOperacao(t.TipoOperacao));
  FReport->RepPrintSection(kTransacao);
  FTotalDebitos = 0;
  FTotalCreditos = 0;
}

void TrptTransactionCheck::ImprimirConta(const TConta& conta) {
  FReport->SetValues("R1", std::to_string(conta.CodigoConta) + " " + conta.Classificacao);
  FReport->SetValues("R2", conta.Descricao);
  if (conta.Natureza == kNaturezaDebito) {
    FReport->SetValues("R3", Valor(conta.Valor));
    FReport->SetValues("R4", "");
    FTotalDebitos += conta.Valor;
    FTotalDebitosGeral += conta.Valor;
  } else {
    FReport->SetValues("R3", "");
    FReport->SetValues("R4", Valor(conta.Valor));
    FTotalCreditos += conta.Valor;
    FTotalCreditosGeral += conta.Valor;
  }
  FReport->RepPrintSection(kConta);
  SomarConta(conta);
}

void TrptTransactionCheck::SomarConta(const TConta& conta) {
  TnClientDataSet& totais = *FCdsTotalConta;
  if (totais.FindKey({Variant(conta.CodigoConta)})) {
    totais.Edit();
  } else {
    totais.Append();
    FTotalConta->CodigoConta->SetAsInteger(conta.CodigoConta);
    FTotalConta->TotalDebito->SetAsFloat(0);
    FTotalConta->TotalCredito->SetAsFloat(0);
    if (FCdsClone->FindKey({Variant(conta.CodigoConta)})) {
      FTotalConta->ClassifConta->SetAsString(FCdsClone->FieldByName("ClassifConta")->AsString());
    }
  }
  TField* total =
      conta.Natureza == kNaturezaDebito ? FTotalConta->TotalDebito : FTotalConta->TotalCredito;
  total->SetAsFloat(total->AsFloat() + conta.Valor);
  totais.Post();
}

void TrptTransactionCheck::ImprimirTotalGeral() {
  FReport->RepPrintSection(kSeparador);
  FReport->SetValues("pTotalDebitosGeral", Valor(FTotalDebitosGeral));
  FReport->SetValues("pTotalCreditosGeral", Valor(FTotalCreditosGeral));
  FReport->RepPrintSection(kTotalGeral);
}

// --- the account summary -----------------------------------------------------------------

void TrptTransactionCheck::ImprimirResumo() {
  FPlanoConta = TnPlanoContas::NovoPlanoConta(0);
  TnClientDataSet& totais = *FCdsTotalConta;
  for (totais.First(); !totais.Eof(); totais.Next()) {
    TRecInfoValorPlano registro;
    registro.CodigoConta = FTotalConta->CodigoConta->AsInteger();
    registro.Classificacao = FTotalConta->ClassifConta->AsString();
    registro.Debito = FTotalConta->TotalDebito->AsFloat();
    registro.Credito = FTotalConta->TotalCredito->AsFloat();
    registro.Saldo = registro.Debito - registro.Credito;
    FPlanoConta->AdicionarValor(registro);
  }
  const TnListaPlanoItem& raizes = FPlanoConta->Raizes();
  if (raizes.Count() > 0) FReport->RepPrintSection(kCabecalhoResumo);
  for (IPlanoItem* item : raizes) ImprimirItem(item, 0);
}

void TrptTransactionCheck::ImprimirItem(IPlanoItem* item, int nivel) {
  const auto* saldo = dynamic_cast<const IPlanoItemSaldo*>(item);
  const double debito = saldo != nullptr ? saldo->Debito() : 0;
  const double credito = saldo != nullptr ? saldo->Credito() : 0;
  const double atual = saldo != nullptr ? saldo->SaldoAtual() : 0;
  FReport->SetValues("R2", debito > 0 ? Valor(debito) : "");
  FReport->SetValues("R3", credito > 0 ? Valor(credito) : "");
  FReport->SetValues("R8", atual < 0 ? "(" : "");
  FReport->SetValues("R7", atual < 0 ? ")" : "");
  FReport->SetValues("R1", item->Classificacao() + " " + item->Descricao());
  FReport->SetValues("R4", Valor(std::fabs(atual)));
  RecuarConta(nivel);
  FReport->RepPrintSection(item->Sintetico() ? kResumoSintetica : kResumoAnalitica);
  for (IPlanoItem* filho : item->Filhos()) ImprimirItem(filho, nivel + 1);
}

// The account text of the summary lines moves right by level; its right
// edge stays, so the amounts keep their columns.
void TrptTransactionCheck::RecuarConta(int nivel) {
  for (const char* nome : {kLabelContaSintetica, kLabelContaAnalitica}) {
    TnpqLabel* label = FReport->LabelByName(nome);
    if (FRecuoBase < 0) {
      FRecuoBase = label->Left();
      FLarguraBase = label->Width();
    }
    label->SetLeft(FRecuoBase + nivel * kRecuoNivel);
    label->SetWidth(FLarguraBase - nivel * kRecuoNivel);
  }
}

VIREO_REGISTER_REPORT(TrptTransactionCheck)

}  // namespace vireo
