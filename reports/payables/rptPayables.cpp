#include "reports/payables/rptPayables.h"

#include "frame/nrwBaseDllReg.h"
#include "host/core/convert.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "reports/payables/TitulosUtil.h"

namespace vireo {

namespace {

// Document kind of "other documents", described by DESCRTIPODOCCAB.
const char kTipoDocOutros[] = "99";

}  // namespace

TrptPayables::~TrptPayables() = default;

std::string TrptPayables::Versao() { return "[versao: 1.1.89.0]"; }

std::vector<int> TrptPayables::CriarListaSectionsParaZebrar() {
  TnrwBaseDll::CriarListaSectionsParaZebrar();  // fetched and dropped
  return {kLinhaFornecedor,     kLinhaVencimento,     kReservada,
          kCabecalhoFornecedor, kCabecalhoVencimento, kTotalGrupo};
}

void TrptPayables::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptPayables::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptPayables::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptPayables::DepoisConfigurar() {
  TnrwBaseDll::DepoisConfigurar();
  FReport->OnSectionPrint = [this](TObject* sender, int section) {
    DepoisImprimir(sender, section);
  };
}

void TrptPayables::DepoisImprimir(TObject*, int Section) {
  if (Section != kCabecalhoPagina) return;
  if (FParTipoQuebra == tqPessoa) {
    FReport->RepPrintSection(kTitulosColunasFornecedor);
  } else if (FParTipoQuebra == tqData) {
    FReport->RepPrintSection(kTitulosColunasVencimento);
  }
}

void TrptPayables::LerParametros() {
  FParCodigoEscrit = Trim(FReport->RepParam("pCodigoEscrit"));
  FParDataInicial = LerParamData(*FReport, "pDataInicial");
  FParDataFinal = LerParamData(*FReport, "pDataFinal");
  FParCodigoFornecedor = Trim(FReport->RepParam("pCodigoFornecedor"));
  FParTipoQuebra = LerParamInteiro(*FReport, "pOrdenar");
  FParModelo = LerParamInteiro(*FReport, "pModelo");
  FParDataFiltrar = LerParamInteiroDef(*FReport, "pDataFiltrar");
  ValidarTipoQuebra(FParTipoQuebra);
}

void TrptPayables::AbrirDados() {
  TnFiltroContasPagar filtro;
  filtro.DataInicial = FParDataInicial;
  filtro.DataFinal = FParDataFinal;
  filtro.TipoQuebra = FParTipoQuebra;
  filtro.Modelo = FParModelo;
  filtro.DataFiltrar = FParDataFiltrar;
  filtro.CodigoFornecedor = FParCodigoFornecedor;
  filtro.CodigoEscrit = FParCodigoEscrit;
  FFiltroDado = FiltroDadoContasPagar(filtro);

  FCdsContasPagar =
      ExecutarSQL(SelectContasPagar(filtro, FFiltroDado), {}, true, false, -1, "", nullptr, true);
  FCdsContasPagar->SetIndexFieldNames(FParTipoQuebra == tqPessoa
                                          ? "NOMEFORNECEDOR;DATAVENCIMENTOPAG"
                                          : "DATAVENCIMENTOPAG;NOMEFORNECEDOR");
  FMapperContasPagar = FCdsContasPagar->GetMapper<TMapperContasPagar>();

  FCdsTelefone =
      ExecutarSQL(SelectTelefonesFornecedor(FFiltroDado), {}, true, false, -1, "", nullptr, true);
  FCdsTelefone->SetIndexFieldNames("CODIGOPESSOAFIN");
  FMapperTelefone = FCdsTelefone->GetMapper<TnMapperTelefone>();
}

void TrptPayables::ImprimirInterno() {
  LerParametros();
  ValidarPeriodo(FParDataInicial, FParDataFinal);

  TnSQLGuard guarda_contas(FCdsContasPagar);
  TnSQLGuard guarda_telefone(FCdsTelefone);
  AbrirDados();
  if (FCdsContasPagar->IsEmpty()) return;

  FCdsContasPagar->First();
  PreencherTitulo();
  PreencherEmpresa(*FReport, FParCodigoEscrit, FMapperContasPagar->NOMEEMPRESA,
                   FMapperContasPagar->INSCRFEDERALEMPRESA);

  FTotalValor = 0;
  FTotalPeriodoValor = 0;
  ImprimirCabecalhoGrupo();
  std::string grupo = FMapperContasPagar->CAMPOQUEBRA->AsString();
  const long long total = FCdsContasPagar->RecordCount();
  long long posicao = 0;

  for (; !FCdsContasPagar->Eof(); FCdsContasPagar->Next()) {
    if (FMapperContasPagar->CAMPOQUEBRA->AsString() != grupo) {
      ImprimirTotalGrupo();
      FTotalValor = 0;
      ImprimirCabecalhoGrupo();
      grupo = FMapperContasPagar->CAMPOQUEBRA->AsString();
    }
    ImprimirLinha();
    FTotalValor += ValorTitulo();
    FTotalPeriodoValor += ValorTitulo();
    FReport->CSLShowProgress(++posicao, total);
  }
  ImprimirTotalGrupo();
  ImprimirTotalGeral();
}

void TrptPayables::PreencherTitulo() {
  std::string titulo = FParTipoQuebra == tqPessoa ? "Contas a Pagar por Fornecedor entre "
                                                  : "Contas a Pagar por Vencimento entre ";
  titulo += DateToStr(FParDataInicial) + " e " + DateToStr(FParDataFinal);
  FReport->SetValues("pTitulo", titulo + SufixoModelo(FParModelo));
}

std::string TrptPayables::Telefone() const {
  if (FMapperContasPagar->CODIGOFORNECEDOR->IsNull()) return "";
  const Variant codigo(FMapperContasPagar->CODIGOFORNECEDOR->AsInteger());
  return FCdsTelefone->FindKey({codigo}) ? FMapperTelefone->Valor->AsString() : "";
}

double TrptPayables::ValorTitulo() const {
  const double saldo = FMapperContasPagar->SALDO->AsFloat();
  return FParModelo == mtContabil ? saldo + FMapperContasPagar->BAIXASFORAPERIODO->AsFloat()
                                  : saldo;
}

void TrptPayables::ImprimirCabecalhoGrupo() {
  const TMapperContasPagar& m = *FMapperContasPagar;
  if (FParTipoQuebra == tqPessoa) {
    FReport->SetValues("pCodigoFornecedorExibir", m.CODIGOFORNECEDOR->AsString());
    std::string descricao = m.NOMEFORNECEDOR->AsString();
    const std::string telefone = Telefone();
    if (!telefone.empty()) descricao += " - Fone: " + telefone;
    FReport->SetValues("pDescFornecedor", descricao);
    FReport->RepPrintSection(kCabecalhoFornecedor);
  } else {
    FReport->SetValues("pVencimento", FormatarDataTitulo(m.DATAVENCIMENTOPAG));
    FReport->RepPrintSection(kCabecalhoVencimento);
  }
}

void TrptPayables::ImprimirLinha() {
  const TMapperContasPagar& m = *FMapperContasPagar;
  if (FParTipoQuebra == tqPessoa) {
    FReport->SetValues("R1", m.DOCUMENTOPAG->AsString());
    FReport->SetValues("R2", FormatarDataTitulo(m.DATALANCAMENTOPAG));
    FReport->SetValues("R3", FormatarDataTitulo(m.DATAVENCIMENTOPAG));
  } else {
    FReport->SetValues("R1", m.CODIGOFORNECEDOR->AsString() + " - " + m.NOMEFORNECEDOR->AsString());
    FReport->SetValues("R2", Telefone());
    const bool sem_nota = m.NUMERONF->IsNull() || m.NUMERONF->AsInteger() == 0;
    FReport->SetValues("R3", sem_nota && m.TIPODOCCAB->AsString() == kTipoDocOutros
                                 ? m.DESCRTIPODOCCAB->AsString()
                                 : m.DOCUMENTOPAG->AsString());
    FReport->SetValues("R4", FormatarDataTitulo(m.DATALANCAMENTOPAG));
  }
  FReport->SetValues("R5", FormatarValorTitulo(ValorTitulo()));
  FReport->SetValues("R6", m.OBSERVACAO->AsString());
  FReport->RepPrintSection(FParTipoQuebra == tqPessoa ? kLinhaFornecedor : kLinhaVencimento);
}

void TrptPayables::ImprimirTotalGrupo() {
  FReport->SetValues("R5", FormatarValorTitulo(FTotalValor));
  FReport->RepPrintSection(kTotalGrupo);
}

void TrptPayables::ImprimirTotalGeral() {
  FReport->SetValues("R5", FormatarValorTitulo(FTotalPeriodoValor));
  FReport->RepPrintSection(kTotalGeral);
}

VIREO_REGISTER_REPORT(TrptPayables)

}  // namespace vireo
