#include "reports/payables/rptReceivables.h"

#include "frame/nrwBaseDllReg.h"
#include "host/biz/helper_enum_str.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "host/report/panel.h"
#include "reports/payables/TitulosUtil.h"
#include "reports/payables/rptReceivablesSQL.h"

namespace vireo {

TrptReceivables::~TrptReceivables() = default;

std::string TrptReceivables::Versao() { return "[versao: 1.1.89.0]"; }

std::vector<int> TrptReceivables::CriarListaSectionsParaZebrar() {
  TnrwBaseDll::CriarListaSectionsParaZebrar();  // fetched and dropped
  return {kLinhaCliente,     kLinhaVencimento,     kReservada,
          kCabecalhoCliente, kCabecalhoVencimento, kTotalGrupo};
}

void TrptReceivables::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptReceivables::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptReceivables::DepoisConfigurar() {
  TnrwBaseDll::DepoisConfigurar();
  FReport->OnSectionPrint = [this](TObject* sender, int section) {
    DepoisImprimir(sender, section);
  };
}

void TrptReceivables::DepoisImprimir(TObject*, int Section) {
  if (Section != kCabecalhoPagina) return;
  if (FParTipoQuebra == tqPessoa) {
    FReport->RepPrintSection(kTitulosColunasCliente);
  } else if (FParTipoQuebra == tqData) {
    FReport->RepPrintSection(kTitulosColunasVencimento);
  }
}

// --- the panel ---------------------------------------------------------------------

void TrptReceivables::DoParamChange(TObject* sender, TnpqParamItem* param) {
  TnrwBaseDll::DoParamChange(sender, param);
  if (param == nullptr) return;
  if (param->Name() == "pCalcularJuros") {
    MudouCalcularJuros();
  } else if (param->Name() == "pTipoCalculo") {
    MudouTipoCalculo();
  }
}

void TrptReceivables::MudouCalcularJuros() {
  TnFraControle* calcular = FReport->EdFindFieldControl("pCalcularJuros");
  TnFraControle* tipo = FReport->EdFindFieldControl("pTipoCalculo");
  TnFraControle* moeda = FReport->EdFindFieldControl("pCodigoMoeda");
  TnFraControle* data_base = FReport->EdFindFieldControl("pDataBase");
  if (calcular->GetAsString() == THelperEnumStr::TDicSimNao(1)) {
    tipo->SetEnabled(true);
    data_base->SetEnabled(true);
    FReport->EdRequiredField("pTipoCalculo", true);
    FReport->EdRequiredField("pDataBase", true);
    return;
  }
  tipo->SetEnabled(false);
  moeda->SetEnabled(false);
  data_base->SetEnabled(false);
  FReport->EdRequiredField("pTipoCalculo", false);
  FReport->EdRequiredField("pDataBase", false);
  FReport->EdRequiredField("pCodigoMoeda", false);
  tipo->SetAsString("0");
  data_base->SetAsString("");
  moeda->SetAsString("");
}

void TrptReceivables::MudouTipoCalculo() {
  TnFraControle* tipo = FReport->EdFindFieldControl("pTipoCalculo");
  const bool correcao = tipo->GetAsString() == "1";
  FReport->EdFindFieldControl("pCodigoMoeda")->SetEnabled(correcao);
  FReport->EdRequiredField("pCodigoMoeda", correcao);
}

// --- the print ---------------------------------------------------------------------

void TrptReceivables::LerParametros() {
  FParCodigoEscrit = Trim(FReport->RepParam("pCodigoEscrit"));
  FParDataInicial = LerParamData(*FReport, "pDataInicial");
  FParDataFinal = LerParamData(*FReport, "pDataFinal");
  FParDataBase = LerParamData(*FReport, "pDataBase");
  FParCodigoCliente = Trim(FReport->RepParam("pCodigoCliente"));
  FParTipoQuebra = LerParamInteiro(*FReport, "pOrdenar");
  FParModelo = LerParamInteiro(*FReport, "pModelo");
  FParCodigoMoeda = LerParamInteiroDef(*FReport, "pCodigoMoeda");
  const std::string calcular = FReport->RepParam("pCalcularJuros");
  if (!TryStrToBool(calcular, FParCalcularJuros)) {
    throw EConvertError("Parâmetro pCalcularJuros: \"" + calcular + "\" não é sim nem não.");
  }
  ValidarTipoQuebra(FParTipoQuebra);
}

void TrptReceivables::AbrirDados() {
  TnFiltroContasReceber filtro;
  filtro.DataInicial = FParDataInicial;
  filtro.DataFinal = FParDataFinal;
  filtro.TipoQuebra = FParTipoQuebra;
  filtro.Modelo = FParModelo;
  filtro.CodigoCliente = FParCodigoCliente;
  filtro.CodigoEscrit = FParCodigoEscrit;
  FCdsContasReceber = ExecutarSQL(SelectContasReceber(filtro, PegarTipoCon()), {}, true, false, -1,
                                  "", nullptr, true);
  FCdsContasReceber->SetIndexFieldNames(FParTipoQuebra == tqPessoa
                                            ? "NOMECLIENTE;DATAVENCIMENTOREC"
                                            : "DATAVENCIMENTOREC;NOMECLIENTE");
  FMapperContasReceber = FCdsContasReceber->GetMapper<TMapperContasReceber>();
}

void TrptReceivables::ImprimirInterno() {
  LerParametros();
  ValidarPeriodo(FParDataInicial, FParDataFinal);

  TnSQLGuard guarda(FCdsContasReceber);
  AbrirDados();
  if (FCdsContasReceber->IsEmpty()) return;

  FCdsContasReceber->First();
  PreencherTitulo();
  PreencherEmpresa(*FReport, FParCodigoEscrit, FMapperContasReceber->NOMEEMPRESA,
                   FMapperContasReceber->INSCRFEDERALEMPRESA);

  FTotalValor = FTotalMultaJuro = FTotalTotal = 0;
  FTotalPeriodoValor = FTotalPeriodoMultaJuro = FTotalPeriodoTotal = 0;
  ImprimirCabecalhoGrupo();
  std::string grupo = FMapperContasReceber->CAMPOQUEBRA->AsString();
  const long long total = FCdsContasReceber->RecordCount();
  long long posicao = 0;
  CriarCalculo();

  for (; !FCdsContasReceber->Eof(); FCdsContasReceber->Next()) {
    if (FMapperContasReceber->CAMPOQUEBRA->AsString() != grupo) {
      ImprimirTotalGrupo();
      FTotalValor = FTotalMultaJuro = FTotalTotal = 0;
      ImprimirCabecalhoGrupo();
      grupo = FMapperContasReceber->CAMPOQUEBRA->AsString();
    }
    Somar(ImprimirLinha());
    FReport->CSLShowProgress(++posicao, total);
  }
  ImprimirTotalGrupo();
  ImprimirTotalGeral();
}

void TrptReceivables::PreencherTitulo() {
  std::string titulo = FParTipoQuebra == tqPessoa ? "Contas a Receber por Cliente entre "
                                                  : "Contas a Receber por Vencimento entre ";
  titulo += DateToStr(FParDataInicial) + " e " + DateToStr(FParDataFinal);
  FReport->SetValues("pTitulo", titulo + SufixoModelo(FParModelo));
}

void TrptReceivables::CriarCalculo() {
  const int tipo_calculo = StrToIntDef(FReport->GetValues("pTipoCalculo"), 0);
  FCalculoInadimp = std::make_unique<TnCalculoInadimplencia>(FParCalcularJuros, FParDataBase,
                                                             FParCodigoMoeda, tipo_calculo);
}

TrptReceivables::TnValores TrptReceivables::ValoresTitulo() {
  const TMapperContasReceber& m = *FMapperContasReceber;
  TnValores v;
  v.valor = m.SALDO->AsFloat();
  if (FParModelo == mtContabil) v.valor += m.BAIXASFORAPERIODO->AsFloat();
  if (FParCalcularJuros) {
    const TDateTime vencimento = m.DATAVENCIMENTOREC->AsDateTime();
    const int64_t escrit = m.CODIGOESCRIT->AsInteger();
    v.multa_juro = FCalculoInadimp->CalcularJuro(vencimento, v.valor, escrit) +
                   FCalculoInadimp->CalcularMulta(vencimento, v.valor, escrit);
  }
  v.total = v.valor + v.multa_juro;
  return v;
}

void TrptReceivables::ImprimirCabecalhoGrupo() {
  const TMapperContasReceber& m = *FMapperContasReceber;
  if (FParTipoQuebra == tqPessoa) {
    FReport->SetValues("pCodigoClienteExibir", m.CODIGOCLIENTE->AsString());
    std::string descricao = m.NOMECLIENTE->AsString();
    const std::string fone = m.FONE->AsString();
    if (!fone.empty()) descricao += " - Fone: " + fone;
    FReport->SetValues("pDescCliente", descricao);
    FReport->RepPrintSection(kCabecalhoCliente);
  } else {
    FReport->SetValues("pVencimento", FormatarDataTitulo(m.DATAVENCIMENTOREC));
    FReport->RepPrintSection(kCabecalhoVencimento);
  }
}

TrptReceivables::TnValores TrptReceivables::ImprimirLinha() {
  const TMapperContasReceber& m = *FMapperContasReceber;
  if (FParTipoQuebra == tqPessoa) {
    FReport->SetValues("R1", m.DOCUMENTOREC->AsString());
    FReport->SetValues("R2", FormatarDataTitulo(m.DATALANCAMENTOREC));
    FReport->SetValues("R3", FormatarDataTitulo(m.DATAVENCIMENTOREC));
  } else {
    FReport->SetValues("R1", m.CODIGOCLIENTE->AsString() + " - " + m.NOMECLIENTE->AsString());
    FReport->SetValues("R2", m.FONE->AsString());
    FReport->SetValues("R3", m.DOCUMENTOREC->AsString());
    FReport->SetValues("R4", FormatarDataTitulo(m.DATALANCAMENTOREC));
  }
  const TnValores v = ValoresTitulo();
  FReport->SetValues("R5", FormatarValorTitulo(v.valor));
  FReport->SetValues("R6", FormatarValorTitulo(v.multa_juro));
  FReport->SetValues("R7", FormatarValorTitulo(v.total));
  FReport->SetValues("R8", m.COBRADOR->AsString());
  FReport->SetValues("R9", m.OBSERVACAO->AsString());
  FReport->RepPrintSection(FParTipoQuebra == tqPessoa ? kLinhaCliente : kLinhaVencimento);
  return v;
}

// The calculator is asked again for the totals; the line printed the
// answers of the first time, so both must agree.
void TrptReceivables::Somar(const TnValores& linha) {
  const TnValores v = ValoresTitulo();
  if (v.multa_juro != linha.multa_juro) {
    throw Exception("O cálculo de juros e multa do título " +
                    FMapperContasReceber->DOCUMENTOREC->AsString() +
                    " deu respostas diferentes para a linha e para os totais.");
  }
  FTotalValor += v.valor;
  FTotalMultaJuro += v.multa_juro;
  FTotalTotal += v.total;
  FTotalPeriodoValor += v.valor;
  FTotalPeriodoMultaJuro += v.multa_juro;
  FTotalPeriodoTotal += v.total;
}

void TrptReceivables::ImprimirTotalGrupo() {
  FReport->SetValues("R5", FormatarValorTitulo(FTotalValor));
  FReport->SetValues("R6", FormatarValorTitulo(FTotalMultaJuro));
  FReport->SetValues("R7", FormatarValorTitulo(FTotalTotal));
  FReport->RepPrintSection(kTotalGrupo);
}

void TrptReceivables::ImprimirTotalGeral() {
  FReport->SetValues("R5", FormatarValorTitulo(FTotalPeriodoValor));
  FReport->SetValues("R6", FormatarValorTitulo(FTotalPeriodoMultaJuro));
  FReport->SetValues("R7", FormatarValorTitulo(FTotalPeriodoTotal));
  FReport->RepPrintSection(kTotalGeral);
}

VIREO_REGISTER_REPORT(TrptReceivables)

}  // namespace vireo
