#include "reports/ledgers/rptLedger.h"

#include <cmath>
#include <cstdint>

#include "frame/nrwBaseDllReg.h"
#include "host/biz/historico.h"
#include "host/biz/saldo_conta_individual.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/selection.h"
#include "host/data/sql.h"
#include "host/report/end_of_sheet.h"
#include "host/report/engine.h"
#include "host/report/labels.h"

namespace vireo {

namespace {

const char kMascaraValor[] = "#,##0.00";
constexpr int kTamLinhaHistorico = 120;
constexpr int kLinhasPeriodoSemMov = 55;
constexpr int kLinhaPeriodoSemMov = 25;

// Codes stored as signed integers (-1 outflow, -1 credit nature) are
// compared by their low byte, as the host stores them in a byte.
uint8_t ByteBaixo(int64_t valor) { return static_cast<uint8_t>(valor & 0xFF); }

// The part of a description after its first blank (the code in front of
// it is printed in a column of its own).
std::string DepoisDoPrimeiroBranco(const std::string& texto) {
  const size_t branco = texto.find(' ');
  return Trim(branco == std::string::npos ? texto : texto.substr(branco + 1));
}

// A formatted balance that sits on the credit side of its account.
bool LadoCredito(const std::string& saldo_formatado) {
  return saldo_formatado.find('C') != std::string::npos ||
         saldo_formatado.find('(') != std::string::npos;
}

// Grand totals of the cash movement: absolute value, in parentheses when
// negative.
std::string FormatarValor(double valor) {
  const std::string texto = FormatFloat(kMascaraValor, std::fabs(valor));
  return valor < 0 ? "(" + texto + ")" : texto;
}

// Puts the cursor back on the remembered row whatever happens on the way.
class TnVoltarRegistro {
 public:
  explicit TnVoltarRegistro(TnClientDataSet* dataset)
      : dataset_(dataset), recno_(dataset->RecNo()) {}
  ~TnVoltarRegistro() {
    if (recno_ > 0) dataset_->SetRecNo(recno_);
  }
  TnVoltarRegistro(const TnVoltarRegistro&) = delete;
  TnVoltarRegistro& operator=(const TnVoltarRegistro&) = delete;

 private:
  TnClientDataSet* dataset_;
  int recno_;
};

}  // namespace

TrptLedger::~TrptLedger() {
  FCdsContas = nullptr;  // belongs to the data module
  FDMSaldoConta.reset();
}

std::string TrptLedger::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TrptLedger::CriarListaSectionsParaZebrar() {
  return {kCabecalhoConta, kLinhaCaixa,  kEspacoConta, kTotais,
          kSaldoAnterior,  kContinuacao, kFimFolha};
}

void TrptLedger::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptLedger::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptLedger::DoParamExit(TObject*, TnpqParamItem*) {}
void TrptLedger::DepoisConfigurar() { TnrwBaseDll::DepoisConfigurar(); }

// --- parameters and data ------------------------------------------------------

void TrptLedger::LerParametros() {
  FCodigoEscrit = Trim(FReport->RepParam("pCodigoEscrit"));
  FCodigoConta = Trim(FReport->RepParam("pConta"));
  FOmitirContaContabil = Trim(FReport->RepParam("pOmitirContaContabil"));
  FOrigemDados = Trim(FReport->RepParam("pOrigemDados"));
  FDataInicial = StrToDate(FReport->RepParam("pDataInicial"));
  FDataFinal = StrToDate(FReport->RepParam("pDataFinal"));
  FEhRelMovCaixa = FReport->GetParams()->GetValues("pEhRelMovCaixa") == "1";
  FOrdenar = StrToIntDef(FReport->RepParam("pOrdenar"), 0) == tpTipoMoviCaixa ? tpTipoMoviCaixa
                                                                              : tpDataCaixa;
  if (FEhRelMovCaixa) {
    FMovimento = StrToIntDef(FReport->GetParams()->GetValues("pMovimento"), 0);
    FReport->SetValues("pDescrEntradas", DeveImprimirEntradas() ? "Entradas" : "");
    FReport->SetValues("pDescrSaidas", DeveImprimirSaidas() ? "Saídas" : "");
  }
}

bool TrptLedger::DeveImprimirEntradas() const {
  return !FEhRelMovCaixa || FMovimento == 1 || FMovimento == 2;
}

bool TrptLedger::DeveImprimirSaidas() const {
  return !FEhRelMovCaixa || FMovimento == 1 || FMovimento == 3;
}

void TrptLedger::PegarDadosContas() {
  if (FDMSaldoConta == nullptr) FDMSaldoConta = CriarDMSaldoConta();
  TnFiltroSaldoConta filtro =
      FiltroSaldoConta(FDataInicial, FDataFinal, FOrigemDados, FCodigoEscrit, FCodigoConta);
  filtro.EhRelMovCaixa = FEhRelMovCaixa;
  filtro.ImpContaSaldoZero = Trim(FReport->RepParam("pImpContaSaldoZero")) == "1";
  filtro.OmitirContaContabil = FOmitirContaContabil == "1";
  FCdsContas = FDMSaldoConta->Gerar(filtro);
}

// The entries of one account of one company (company 0 stands for all
// companies together and adds no company condition).
void TrptLedger::CarregarDadosCaixas(int64_t ACodigoConta, int64_t ACodigoEscrit) {
  TnFiltroCaixas filtro;
  filtro.DataInicial = FDataInicial;
  filtro.DataFinal = FDataFinal;
  filtro.EhRelMovCaixa = FEhRelMovCaixa;
  filtro.CodigoEscrit = ACodigoEscrit;
  filtro.CodigoConta = ACodigoConta;
  filtro.OrigemDados = FOrigemDados;
  filtro.Ordenar = FOrdenar;
  DestruirSQL(FCdsCaixas);
  FCdsCaixas = ExecutarSQL(SelectCaixas(filtro), {}, true, false, -1, "", nullptr, true);
  if (FMapperCaixas == nullptr) FMapperCaixas = std::make_unique<TnMapperCaixas>();
  TnFieldMapper::MapearFields(FCdsCaixas, *FMapperCaixas);
}

// --- the print -------------------------------------------------------------------

void TrptLedger::ImprimirInterno() {
  // Released when the body ends, also on failure; the entries are replaced
  // account by account and the guard frees whichever set is current.
  TnSQLGuard guarda_empresa(FCdsEmpresa);
  TnSQLGuard guarda_caixas(FCdsCaixas);
  TnSQLGuard guarda_cfg(FCdsCfgConta);

  FEhContinuacao = false;
  LerParametros();
  if (!FOrigemDados.empty()) FReport->MsgMensagem(1, kMsgFiltroOrigem);
  FReport->OnSectionPrint = [this](TObject* sender, int section) {
    DepoisImprimir(sender, section);
  };

  PegarDadosContas();
  if (FMapperContas == nullptr) FMapperContas = std::make_unique<TnMapperContas>();
  TnFieldMapper::MapearFields(FCdsContas, *FMapperContas);
  FCdsEmpresa = nDMConexao().ExecuteQueryView(SelectEmpresas(FCodigoEscrit));
  if (FMapperEmpresas == nullptr) FMapperEmpresas = std::make_unique<TnMapperEmpresas>();
  TnFieldMapper::MapearFields(FCdsEmpresa, *FMapperEmpresas);

  TnPercurso percurso;
  percurso.total = FCdsContas->RecordCount();
  percurso.posicao = 1;

  FCdsCfgConta = nDMConexao().ExecuteQueryView(SelectCfgConta());
  FCdsCfgConta->First();
  percurso.primeira_conta = true;
  FTotalGeralEntradas = FTotalGeralSaidas = FTotalGeralSaldo = 0;

  for (FCdsEmpresa->First(); !FCdsEmpresa->Eof(); FCdsEmpresa->Next()) {
    PrepararEmpresa();
    if (FCdsContas->IsEmpty()) {
      // The struck-through page already fills the sheet.
      ImprimirPeriodoSemMov();
    } else {
      ImprimirContas(percurso);
      if (FEhRelMovCaixa) ImprimirTotalGeral();
      InvalidarFinalFolha(FReport, kLinhaSemMovimento, kFimFolha, "R9");
    }
    if (FCodigoEscrit.empty()) break;  // one pass covers all companies together
  }
}

void TrptLedger::PrepararEmpresa() {
  if (FCodigoEscrit.empty()) {
    FCdsContas->SetFiltered(false);
    FReport->SetValues("pNomeEmpresa", "");
    FReport->SetValues("pInscrFederal", "");
    return;
  }
  FTotalGeralEntradas = FTotalGeralSaidas = FTotalGeralSaldo = 0;
  const int64_t codigo = FMapperEmpresas->CODIGOPESSOAFIN->AsInteger();
  FReport->SetValues("pNomeEmpresa", FormatFloat("0000", static_cast<double>(codigo)) + " " +
                                         FMapperEmpresas->Nome->AsString());
  FReport->SetValues("pInscrFederal", "CNPJ: " + FMapperEmpresas->InscFederal->AsString());
  FCdsContas->SetFiltered(false);
  FCdsContas->SetFilter("CODIGOESCRIT = " + IntToStr(codigo));
  FCdsContas->SetFiltered(true);
}

void TrptLedger::ImprimirContas(TnPercurso& percurso) {
  FCdsContas->First();
  while (!FCdsContas->Eof()) {
    FReport->CSLShowProgress(percurso.posicao, percurso.total);
    if (Trim(FMapperContas->TipoConta->AsString()) == "S") {
      FCdsContas->Next();
      continue;
    }
    ImprimirConta(percurso);
    FCdsContas->Next();
    ++percurso.posicao;
  }
}

void TrptLedger::ImprimirConta(TnPercurso& percurso) {
  const int natureza = NaturezaConta();
  PreencherCabecalhoConta();

  FEhContinuacao = false;
  if (!percurso.primeira_conta) FReport->RepPrintSection(kSeparadorConta);
  percurso.primeira_conta = false;
  // The separator may have turned the flag on; a page started by the header
  // below must not repeat the header of an account not yet begun.
  FEhContinuacao = false;
  FReport->RepPrintSection(kCabecalhoConta);
  FReport->RepPrintSection(kEspaco);

  double saldo = FMapperContas->SaldoAnterior->AsFloat();
  const std::string mascara = MascaraSaldo(natureza);
  ImprimirSaldoAnterior(saldo, mascara);

  CarregarDadosCaixas(FMapperContas->CodigoConta->AsInteger(),
                      FMapperContas->CodigoEscrit->AsInteger());
  if (FCdsCaixas->IsEmpty()) return;  // header and opening balance only
  for (FCdsCaixas->First(); !FCdsCaixas->Eof(); FCdsCaixas->Next()) {
    ImprimirCaixa(saldo, natureza, mascara);
  }
  ImprimirTotaisConta(percurso);
}

void TrptLedger::PreencherCabecalhoConta() {
  FReport->SetValues("pCabContaCtb", "Conta: " + FMapperContas->CodigoConta->AsString());
  FReport->SetValues("pCabClassifConta", FMapperContas->ClassifConta->AsString());
  FReport->SetValues("pCabDescrConta",
                     DepoisDoPrimeiroBranco(FMapperContas->DescrConta->AsString()));
  PreencherTitulo();
}

// The title is the nearest synthetic row above the account; without one
// the previous title stays on the header.
void TrptLedger::PreencherTitulo() {
  TnVoltarRegistro voltar(FCdsContas);
  for (FCdsContas->Prior(); !FCdsContas->Bof(); FCdsContas->Prior()) {
    if (Trim(FMapperContas->TipoConta->AsString()) != "S") continue;
    FReport->SetValues("pCabTitulo", "Título: " + FMapperContas->ClassifConta->AsString());
    FReport->SetValues("pCabContaTitulo",
                       DepoisDoPrimeiroBranco(FMapperContas->DescrConta->AsString()));
    break;
  }
}

// 1 debit nature, -1 credit nature, from the configuration of the top-level
// group the classification begins with.
int TrptLedger::NaturezaConta() const {
  const std::string classif = Trim(FMapperContas->ClassifConta->AsString());
  const std::string grupo = classif.empty() ? "" : classif.substr(0, 1);
  return static_cast<int>(FCdsCfgConta->FieldByName("NATURGRUPO" + grupo)->AsInteger());
}

std::string TrptLedger::MascaraSaldo(int natureza) const {
  const uint8_t n = ByteBaixo(natureza);
  if (n == ByteBaixo(1)) return FEhRelMovCaixa ? "#,##0.00;(#,##0.00)" : "#,##0.00D;#,##0.00C";
  if (n == ByteBaixo(-1)) return FEhRelMovCaixa ? "(#,##0.00);#,##0.00" : "#,##0.00C;#,##0.00D";
  return kMascaraValor;
}

void TrptLedger::ImprimirSaldoAnterior(double saldo, const std::string& mascara) {
  FReport->SetValues("R1", FormatDateTime("dd/MM/yyyy", IncDay(FDataInicial, -1)));
  FReport->SetValues("R11", "");
  if (FEhRelMovCaixa) FReport->SetValues("R9", "");
  const std::string formatado = FormatFloat(mascara, saldo);
  const std::string absoluto = FormatFloat(kMascaraValor, std::fabs(saldo));
  if (LadoCredito(formatado)) {
    FReport->SetValues("R6", "");
    FReport->SetValues("R7", DeveImprimirSaidas() ? absoluto : "");
    FTotalGeralSaldo -= std::fabs(saldo);
  } else {
    FReport->SetValues("R6", DeveImprimirEntradas() ? absoluto : "");
    FReport->SetValues("R7", "");
    FTotalGeralSaldo += std::fabs(saldo);
  }
  FReport->SetValues("R8", formatado);
  FReport->SetValues("pTotalDebito", "");
  FReport->SetValues("pTotalCredito", "");
  FReport->RepPrintSection(kSaldoAnterior);
}

void TrptLedger::ImprimirCaixa(double& saldo, int natureza, const std::string& mascara) {
  const TnMapperCaixas& caixa = *FMapperCaixas;
  FReport->SetValues("R1", FormatDateTime("dd/MM/yyyy", caixa.DataCaixa->AsDateTime()));
  const uint8_t tipo = ByteBaixo(caixa.TipoMovCaixa->AsInteger());
  const double valor = caixa.ValorCaixa->AsFloat();
  const bool saida = tipo == ByteBaixo(-1);
  if (saida) {
    FReport->SetValues("R6", "");
    FReport->SetValues("R7", DeveImprimirSaidas() ? FormatFloat(kMascaraValor, valor) : "");
    FTotalGeralSaidas += valor;
  } else {
    FReport->SetValues("R6", DeveImprimirEntradas() ? FormatFloat(kMascaraValor, valor) : "");
    FReport->SetValues("R7", "");
    FTotalGeralEntradas += valor;
  }
  FReport->SetValues("R11", caixa.CodigoAcerto->AsString());
  if (FEhRelMovCaixa) FReport->SetValues("R9", caixa.CONTRAPARTIDA->AsString());

  saldo += tipo == ByteBaixo(natureza) ? valor : -valor;
  // The grand balance counts cash, whatever the nature of the account the
  // cash sits in: inflows raise it, outflows lower it.
  FTotalGeralSaldo += saida ? -valor : valor;
  FReport->SetValues("R8", FormatFloat(mascara, saldo));
  ImprimirHistorico();
}

// The first history line prints with the entry; further lines print alone
// (the settlement code stays, to tie them to their entry).
void TrptLedger::ImprimirHistorico() {
  std::string descricao = FMapperCaixas->DescrHistCtb->AsString();
  std::string historico = FMapperCaixas->HistoricoCaixa->AsString();
  const std::vector<std::string> linhas = FDivisorTexto.GerarArrayLinhas(
      MontarHistoricoCaixa(descricao, historico), kTamLinhaHistorico);
  FReport->SetValues("R2", linhas.empty() ? "" : linhas.front());
  FReport->RepPrintSection(kLinhaCaixa);
  if (linhas.size() < 2) return;
  for (const char* nome : {"R1", "R6", "R7", "R8"}) FReport->SetValues(nome, "");
  if (FEhRelMovCaixa) FReport->SetValues("R9", "");
  for (size_t i = 1; i < linhas.size(); ++i) {
    FReport->SetValues("R2", linhas[i]);
    FReport->RepPrintSection(kLinhaCaixa);
  }
}

void TrptLedger::ImprimirTotaisConta(TnPercurso& percurso) {
  const double debito = FMapperContas->ValorDebito->AsFloat();
  const double credito = FMapperContas->ValorCredito->AsFloat();
  if (debito > 0) {
    FReport->SetValues("pTotalDebito",
                       DeveImprimirEntradas() ? FormatFloat(kMascaraValor, debito) : "");
  }
  if (credito > 0) {
    FReport->SetValues("pTotalCredito",
                       DeveImprimirSaidas() ? FormatFloat(kMascaraValor, credito) : "");
  }
  FReport->SetValues("pDescrTotal", "Totais da conta");
  if (FEhRelMovCaixa) FReport->SetValues("pTotalSaldo", "");
  FReport->RepPrintSection(kTotais);

  // Too little room left for another account: fill the page and let the
  // next account begin on a fresh one.
  if (!FReport->CanPrintSection({kEspacoConta, kMargemInferior})) {
    while (FReport->CanPrintSection({kEspaco, kCabecalhoPagina})) FReport->RepPrintSection(kEspaco);
    FReport->SetCSLIsPageEnd(true);
    FEhContinuacao = false;
    percurso.primeira_conta = true;
  }
}

void TrptLedger::ImprimirTotalGeral() {
  FReport->RepPrintSection(kSeparadorConta);
  FReport->SetValues("pDescrTotal", "Total Geral");
  if (DeveImprimirEntradas() && FTotalGeralEntradas > 0) {
    FReport->SetValues("pTotalDebito", FormatarValor(FTotalGeralEntradas));
  }
  if (DeveImprimirSaidas() && FTotalGeralSaidas > 0) {
    FReport->SetValues("pTotalCredito", FormatarValor(FTotalGeralSaidas));
  }
  FReport->SetValues("pTotalSaldo", FormatarValor(FTotalGeralSaldo));
  FReport->RepPrintSection(kTotais);
}

// A diagonal of asterisks down the page, with the words on line 25.
void TrptLedger::ImprimirPeriodoSemMov() {
  // Nothing of an account printed before belongs on this page.
  FEhContinuacao = false;
  FReport->SetValues("R9", "");
  for (int i = 1; i <= kLinhasPeriodoSemMov; ++i) {
    if (i == kLinhaPeriodoSemMov) {
      FReport->SetValues("R9",
                         std::string(i * 4, ' ') + "P E R Í O D O   S E M   M O V I M E N T O");
    } else {
      FReport->SetValues("R9", std::string(i * 5, ' ') + "**");
    }
    FReport->RepPrintSection(kLinhaSemMovimento);
    TnpqLabel* label = FReport->LabelByName("R9");
    label->SetFontStyle({});
    label->SetFontSize(8);
  }
}

// After each section: the first one of an account arms the continuation
// header, which from then on heads every new page inside the account.
void TrptLedger::DepoisImprimir(TObject*, int Section) {
  if (!FEhContinuacao) {
    FEhContinuacao = true;
  } else if (Section == kCabecalhoPagina) {
    FReport->RepPrintSection(kContinuacao);
    FReport->RepPrintSection(kEspaco);
  }
}

VIREO_REGISTER_REPORT(TrptLedger)

}  // namespace vireo
