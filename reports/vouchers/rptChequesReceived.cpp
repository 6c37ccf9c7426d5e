#include "reports/vouchers/rptChequesReceived.h"

#include "frame/nrwBaseDllReg.h"
#include "host/biz/origens_contabilizacao.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"

namespace vireo {

TrptChequesReceived::~TrptChequesReceived() {
  DestruirSQL(FCdsEmpresa);
  DestruirSQL(FCdsCheque);
}

std::string TrptChequesReceived::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TrptChequesReceived::CriarListaSectionsParaZebrar() {
  return {kCheque, kTotal, kCabecalho, kReservada};
}

void TrptChequesReceived::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptChequesReceived::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptChequesReceived::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptChequesReceived::LerParametros() {
  TnFiltroCheques filtro;
  LerFiltroCheques(*FReport, filtro);
  FCodigoEscrit = filtro.CodigoEscrit;
  FNumeroCheque = filtro.NumeroCheque;
  FStatusCheque = filtro.StatusCheque;
  FDataInicial = filtro.DataInicial;
  FDataFinal = filtro.DataFinal;
  FCodigoPessoa = Trim(FReport->RepParam("pCodigoPessoaFin"));
}

void TrptChequesReceived::ImprimirInterno() {
  TnSQLGuard guarda_empresa(FCdsEmpresa);
  TnSQLGuard guarda_cheque(FCdsCheque);
  LerParametros();
  TnFiltroCheques filtro;
  filtro.DataInicial = FDataInicial;
  filtro.DataFinal = FDataFinal;
  filtro.CodigoEscrit = FCodigoEscrit;
  filtro.NumeroCheque = FNumeroCheque;
  filtro.StatusCheque = FStatusCheque;
  filtro.CodigoPessoa = FCodigoPessoa;
  ValidarPeriodoCheques(filtro);
  if (!AbrirConsultasCheque(*FReport, SelectEmpresasCheque(FCodigoEscrit),
                            SelectChequesRecebidos(filtro), FCdsEmpresa, FCdsCheque)) {
    return;
  }
  if (FCdsEmpresa->IsEmpty() || FCdsCheque->IsEmpty()) return;
  FChe = FCdsCheque->GetMapper<TMapCheRecebido>();
  FTotalRegistro = FCdsCheque->RecordCount();
  FRegistro = 0;
  FChequesImpressos.clear();
  ImprimirEmpresas();
}

// Every company closes with a blank line and its total, even one without
// cheques in the period.
void TrptChequesReceived::ImprimirEmpresas() {
  const TMapEmp& empresa = *FCdsEmpresa->GetMapper<TMapEmp>();
  for (FCdsEmpresa->First(); !FCdsEmpresa->Eof(); FCdsEmpresa->Next()) {
    CabecalhoEmpresaCheque(*FReport, FCodigoEscrit, empresa);
    FSomaTotal = 0;
    ImprimirCheques(empresa.CODIGOPESSOAFIN->AsInteger());
    EsvaziarLinhaCheque(*FReport);
    FReport->RepPrintSection(kCheque);
    ImprimirTotalCheque(*FReport, kTotal, "Total:", FSomaTotal);
    if (FCodigoEscrit.empty()) break;  // every company's cheques in one list
    FReport->SetCSLIsPageEnd(true);
  }
}

void TrptChequesReceived::ImprimirCheques(int64_t empresa) {
  FDataPrevAux = 0;
  FiltrarChequesEmpresa(*FCdsCheque, FCodigoEscrit, empresa);
  FCdsCheque->First();
  while (!FCdsCheque->Eof()) {
    FReport->CSLShowProgress(++FRegistro, FTotalRegistro);
    const bool novo =
        FChequesImpressos.emplace(FChe->CODIGOESCRIT->AsInteger(), FChe->CODIGOCHEQUE->AsInteger())
            .second;
    if (novo) ImprimirDataECheque();
    FCdsCheque->Next();
    if (FCdsCheque->Eof()) ImprimirTotalDataCheque(*FReport, kTotal, FDataPrevAux, FSomaCheque);
  }
}

void TrptChequesReceived::ImprimirDataECheque() {
  const TDateTime previsao = FChe->DATAPREVISAO->AsDateTime();
  if (previsao != FDataPrevAux) {
    if (FDataPrevAux != 0) ImprimirTotalDataCheque(*FReport, kTotal, FDataPrevAux, FSomaCheque);
    FReport->SetValues("R7", "Data Previsão: " + DateToStr(previsao));
    FReport->RepPrintSection(kCabecalho);
    FDataPrevAux = previsao;
    FSomaCheque = 0;
  }
  ImprimirCheque();
  FSomaCheque += FChe->VALOR->AsFloat();
  FSomaTotal += FChe->VALOR->AsFloat();
}

// A cheque whose status-1 detail names nobody shows no person.
void TrptChequesReceived::ImprimirCheque() {
  const TMapCheRecebido& che = *FChe;
  FReport->SetValues(
      "R1", FormatFloat(kMascaraNumeroCheque, static_cast<double>(che.NUMEROCHEQUE->AsInteger())));
  FReport->SetValues("R2",
                     che.CODIGOPESSOAFIN->IsNull()
                         ? std::string()
                         : FormatFloat(kMascaraNumeroCheque,
                                       static_cast<double>(che.CODIGOPESSOAFIN->AsInteger())) +
                               " - " + che.NOME->AsString());
  FReport->SetValues(
      "R3", TFprListDescricao::GetDscStatusCheque(static_cast<int>(che.STATUSCHEQUE->AsInteger())));
  FReport->SetValues("R4", DateToStr(che.DATAEMISSAO->AsDateTime()));
  FReport->SetValues("R5", DateToStr(che.DATAPREVISAO->AsDateTime()));
  FReport->SetValues("R6", FormatFloat(kMascaraValorCheque, che.VALOR->AsFloat()));
  FReport->RepPrintSection(kCheque);
}

VIREO_REGISTER_REPORT(TrptChequesReceived)

}  // namespace vireo
