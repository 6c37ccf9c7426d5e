#include "reports/payables/rptPayments.h"

#include "frame/nrwBaseDllReg.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "reports/payables/TitulosUtil.h"
#include "reports/payables/rptPaymentsSQL.h"

namespace vireo {

namespace {

void Somar(TValorTotal& total, const TMapperPagto& m) {
  const double pago = m.VALORBAIXA->AsFloat();
  const double juro_multa = m.VALORJUROBAIXA->AsFloat() + m.VALORMULTABAIXA->AsFloat();
  const double desconto = m.VALORDESCBAIXA->AsFloat();
  total.vlrPago += pago;
  total.vlrJuroEmulta += juro_multa;
  total.vlrDesconto += desconto;
  total.vlrTotal += pago + juro_multa - desconto;
}

}  // namespace

TrptPayments::~TrptPayments() = default;

std::string TrptPayments::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TrptPayments::CriarListaSectionsParaZebrar() {
  TnrwBaseDll::CriarListaSectionsParaZebrar();  // fetched and dropped
  return {kLinhaFornecedor,     kLinhaData,     kObservacao,
          kCabecalhoFornecedor, kCabecalhoData, kTotalGrupoFornecedor};
}

void TrptPayments::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptPayments::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptPayments::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptPayments::DepoisConfigurar() {
  TnrwBaseDll::DepoisConfigurar();
  FReport->OnSectionPrint = [this](TObject* sender, int section) {
    DepoisImprimir(sender, section);
  };
}

void TrptPayments::DepoisImprimir(TObject*, int Section) {
  if (Section != kCabecalhoPagina) return;
  if (FTipoQuebra == 0) {
    FReport->RepPrintSection(kTitulosColunasFornecedor);
  } else if (FTipoQuebra == 1) {
    FReport->RepPrintSection(kTitulosColunasData);
  }
}

void TrptPayments::CarregarParametros() {
  FCodigoEscrit = Trim(FReport->RepParam("pCodigoEscrit"));
  FDataInicial = LerParamData(*FReport, "pDataInicial");
  FDataFinal = LerParamData(*FReport, "pDataFinal");
  FCodigoFornecedor = Trim(FReport->RepParam("pCodigoFornecedor"));
  FTipoQuebra = LerParamInteiro(*FReport, "pOrdenar");
  FCodigoConta = Trim(FReport->RepParam("pCodigoConta"));
  FExibirColuna = LerParamInteiro(*FReport, "pExibirColuna") == coConta ? coConta : coDocumento;
  ValidarPeriodo(FDataInicial, FDataFinal);
  if (!FCodigoConta.empty()) VerificarContasSinteticas();
}

void TrptPayments::VerificarContasSinteticas() {
  TnClientDataSet* sinteticas =
      ExecutarSQL(SelectContasSinteticas(FCodigoConta), {}, true, false, 1, "", nullptr, true);
  TnSQLGuard guarda(sinteticas);
  if (!sinteticas->IsEmpty()) {
    FReport->MsgMensagem(kMsgObservacao,
                         "Encontradas contas sintéticas na seleção, elas foram ignoradas na "
                         "execução do relatório.");
  }
}

void TrptPayments::PreencherTitulos() {
  std::string titulo = "Pagamentos entre %s a %s";
  titulo.replace(titulo.find("%s"), 2, DateToStr(FDataInicial));
  titulo.replace(titulo.find("%s"), 2, DateToStr(FDataFinal));
  FReport->SetValues("pTitulo", titulo);
  FReport->SetValues("pTituloColuna", FExibirColuna == coConta ? "Conta" : "Documento");
}

void TrptPayments::ImprimirInterno() {
  FReport->MsgConfigurar({"Mensagem"}, 0);
  CarregarParametros();
  PreencherTitulos();

  TnFiltroPagamentos filtro;
  filtro.DataInicial = FDataInicial;
  filtro.DataFinal = FDataFinal;
  filtro.TipoQuebra = FTipoQuebra;
  filtro.CodigoEscrit = FCodigoEscrit;
  filtro.CodigoFornecedor = FCodigoFornecedor;
  filtro.CodigoConta = FCodigoConta;
  TnSQLGuard guarda(FcdsPagamento);
  FcdsPagamento = ExecutarSQL(SelectPagamentos(filtro), {}, true, false, -1, "", nullptr, true);
  if (FcdsPagamento->IsEmpty()) return;

  const TMapperPagto& m = *FcdsPagamento->GetMapper<TMapperPagto>();
  const long long total = FcdsPagamento->RecordCount();
  long long posicao = 0;
  FcdsPagamento->First();
  PreencherEmpresa(*FReport, FCodigoEscrit, m.NOMEEMPRESA, m.INSCFEDERAL);

  ImprimirCabecalhoGrupo(m);
  FvalorPorGrupo = TValorTotal{};
  FvalorTotal = TValorTotal{};
  std::string grupo = m.QuebraCampo->AsString();
  const int secao_total_grupo = PorFornecedor() ? kTotalGrupoFornecedor : kTotalGrupoData;

  for (; !FcdsPagamento->Eof(); FcdsPagamento->Next()) {
    if (m.QuebraCampo->AsString() != grupo) {
      ImprimirTotal(FvalorPorGrupo, secao_total_grupo);
      FvalorPorGrupo = TValorTotal{};
      ImprimirCabecalhoGrupo(m);
      grupo = m.QuebraCampo->AsString();
    }
    ImprimirLinha(m);
    Somar(FvalorPorGrupo, m);
    Somar(FvalorTotal, m);
    FReport->CSLShowProgress(++posicao, total);
  }
  ImprimirTotal(FvalorPorGrupo, secao_total_grupo);
  ImprimirTotal(FvalorTotal, PorFornecedor() ? kTotalGeralFornecedor : kTotalGeralData);
}

void TrptPayments::ImprimirCabecalhoGrupo(const TMapperPagto& m) {
  if (PorFornecedor()) {
    FReport->SetValues("pCodigoFornecedorExibir", m.CODIGOPESSOAFIN->AsString());
    FReport->SetValues("pDescFornecedor", m.NOMEPESSOA->AsString());
    FReport->RepPrintSection(kCabecalhoFornecedor);
  } else {
    FReport->SetValues("pPagamento", FormatarDataTitulo(m.DATALANCAMENTOBAIXA));
    FReport->RepPrintSection(kCabecalhoData);
  }
}

void TrptPayments::ImprimirLinha(const TMapperPagto& m) {
  FReport->SetValues("R1", PorFornecedor()
                               ? FormatarDataTitulo(m.DATALANCAMENTOBAIXA)
                               : m.CODIGOPESSOAFIN->AsString() + " - " + m.NOMEPESSOA->AsString());
  FReport->SetValues("R2", FExibirColuna == coConta
                               ? m.CodigoConta->AsString() + " - " + m.DescrConta->AsString()
                               : m.NUMERONF->AsString());
  FReport->SetValues("R3", FormatarDataTitulo(m.DATAVENCIMENTOPAG));
  FReport->SetValues("R4", FormatarValorTitulo(m.VALORPAG->AsFloat()));
  const double pago = m.VALORBAIXA->AsFloat();
  const double juro_multa = m.VALORJUROBAIXA->AsFloat() + m.VALORMULTABAIXA->AsFloat();
  const double desconto = m.VALORDESCBAIXA->AsFloat();
  FReport->SetValues("R5", FormatarValorTitulo(pago));
  FReport->SetValues("R6", FormatarValorTitulo(juro_multa));
  FReport->SetValues("R7", FormatarValorTitulo(desconto));
  FReport->SetValues("R8", FormatarValorTitulo(pago + juro_multa - desconto));
  FReport->SetValues("pObservacao", m.HISTORICOPAG->AsString());
  FReport->RepPrintSection(PorFornecedor() ? kLinhaFornecedor : kLinhaData);
  if (!Trim(m.HISTORICOPAG->AsString()).empty()) FReport->RepPrintSection(kObservacao);
}

void TrptPayments::ImprimirTotal(const TValorTotal& valor, int secao) {
  FReport->SetValues("R5", FormatarValorTitulo(valor.vlrPago));
  FReport->SetValues("R6", FormatarValorTitulo(valor.vlrJuroEmulta));
  FReport->SetValues("R7", FormatarValorTitulo(valor.vlrDesconto));
  FReport->SetValues("R8", FormatarValorTitulo(valor.vlrTotal));
  FReport->RepPrintSection(secao);
}

VIREO_REGISTER_REPORT(TrptPayments)

}  // namespace vireo
