#include "reports/vouchers/rptChequesIssued.h"

#include "frame/nrwBaseDllReg.h"
#include "host/biz/origens_contabilizacao.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/host_session.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "host/report/panel.h"

namespace vireo {

TrptChequesIssued::~TrptChequesIssued() {
  DestruirSQL(FCdsEmpresa);
  DestruirSQL(FCdsCheque);
}

std::string TrptChequesIssued::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TrptChequesIssued::CriarListaSectionsParaZebrar() {
  return {kCheque, kTotal, kCabecalho, kReservada};
}

void TrptChequesIssued::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptChequesIssued::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptChequesIssued::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptChequesIssued::DepoisConfigurar() {
  TnrwBaseDll::DepoisConfigurar();
  if (auto* conta =
          dynamic_cast<TnFraCtrlNDLinkEdit*>(FReport->EdFindFieldControl("pCodigoContaBanc"))) {
    conta->SetSQLAdicional([this] { return SQLAdicionalContaBanc(); });
  }
}

std::string TrptChequesIssued::SQLAdicionalContaBanc() const {
  const Variant empresa = nDMConexao().Selecao().GetParamValue("CodigoEscrit");
  if (empresa.IsNull()) return "";
  return "CODIGOPESSOAFIN = " + empresa.AsString();
}

void TrptChequesIssued::LerParametros() {
  TnFiltroCheques filtro;
  LerFiltroCheques(*FReport, filtro);
  FCodigoEscrit = filtro.CodigoEscrit;
  FNumeroCheque = filtro.NumeroCheque;
  FStatusCheque = filtro.StatusCheque;
  FDataInicial = filtro.DataInicial;
  FDataFinal = filtro.DataFinal;
  FContaBanc = Trim(FReport->RepParam("pCodigoContaBanc"));
  FNominal = Trim(FReport->RepParam("pNominal"));
}

void TrptChequesIssued::ImprimirInterno() {
  TnSQLGuard guarda_empresa(FCdsEmpresa);
  TnSQLGuard guarda_cheque(FCdsCheque);
  LerParametros();
  TnFiltroCheques filtro{FDataInicial,  FDataFinal, FCodigoEscrit, FNumeroCheque,
                         FStatusCheque, FContaBanc, FNominal,      ""};
  ValidarPeriodoCheques(filtro);
  if (!AbrirConsultasCheque(*FReport, SelectEmpresasCheque(FCodigoEscrit),
                            SelectChequesEmitidos(filtro), FCdsEmpresa, FCdsCheque)) {
    return;
  }
  FCdsCheque->SetIndexFieldNames("CODIGOCONTABANC;DATAPREVISAO");
  if (FCdsEmpresa->IsEmpty() || FCdsCheque->IsEmpty()) return;
  FChe = FCdsCheque->GetMapper<TMapChe>();
  FTotalRegistro = FCdsCheque->RecordCount();
  FRegistro = 0;
  ImprimirEmpresas();
}

void TrptChequesIssued::ImprimirEmpresas() {
  const TMapEmp& empresa = *FCdsEmpresa->GetMapper<TMapEmp>();
  for (FCdsEmpresa->First(); !FCdsEmpresa->Eof(); FCdsEmpresa->Next()) {
    CabecalhoEmpresaCheque(*FReport, FCodigoEscrit, empresa);
    FSomaTotal = 0;
    FSomaTotalConta = 0;
    ImprimirCheques(empresa.CODIGOPESSOAFIN->AsInteger());
    ImprimirTotalConta();
    if (!FCdsCheque->IsEmpty()) {
      EsvaziarLinhaCheque(*FReport);
      ImprimirTotalCheque(*FReport, kTotal, "Total:", FSomaTotal);
    }
    if (FCodigoEscrit.empty()) break;  // every company's cheques in one list
    FReport->SetCSLIsPageEnd(true);
  }
}

// The date tests look at the date alone: a new account whose first cheque
// falls on the date the previous account ended with carries the date group
// on, heading and sum included.
void TrptChequesIssued::ImprimirCheques(int64_t empresa) {
  FDataPrevAux = 0;
  FCodigoContaBanc = -1;
  FiltrarChequesEmpresa(*FCdsCheque, FCodigoEscrit, empresa);
  FCdsCheque->First();
  while (!FCdsCheque->Eof()) {
    FReport->CSLShowProgress(++FRegistro, FTotalRegistro);
    const TDateTime previsao = FChe->DATAPREVISAO->AsDateTime();
    if (previsao != FDataPrevAux && FDataPrevAux != 0)
      ImprimirTotalDataCheque(*FReport, kTotal, FDataPrevAux, FSomaCheque);
    if (FChe->CODIGOCONTABANC->AsInteger() != FCodigoContaBanc) {
      if (FCodigoContaBanc > 0) ImprimirTotalConta();
      ImprimirCabecalhoConta();
      FCodigoContaBanc = FChe->CODIGOCONTABANC->AsInteger();
    }
    if (previsao != FDataPrevAux) {
      ImprimirCabecalhoData();
      FDataPrevAux = previsao;
      FSomaCheque = 0;
    }
    ImprimirCheque();
    const double valor = FChe->VALOR->AsFloat();
    FSomaCheque += valor;
    FSomaTotal += valor;
    FSomaTotalConta += valor;
    FCdsCheque->Next();
    if (FCdsCheque->Eof()) ImprimirTotalDataCheque(*FReport, kTotal, FDataPrevAux, FSomaCheque);
  }
}

void TrptChequesIssued::ImprimirCabecalhoConta() {
  const TMapChe& che = *FChe;
  FReport->SetValues(
      "R7", "Conta Bancária: " + che.NRCONTABANC->AsString() + "-" + che.DGCONTABANC->AsString() +
                ". Agência: " + che.CODIGOAGENCIABANC->AsString() +
                ". Banco: " + che.CODIGOBANCO->AsString() + " " + che.NOMEBANCO->AsString());
  FReport->RepPrintSection(kCabecalho);
  FReport->SetValues("R7", "");
  FReport->RepPrintSection(kCabecalho);
}

void TrptChequesIssued::ImprimirCabecalhoData() {
  FReport->SetValues("R7", "Data Previsão: " + DateToStr(FChe->DATAPREVISAO->AsDateTime()));
  FReport->RepPrintSection(kCabecalho);
}

// A cheque without a detail row of its status shows no detail date.
void TrptChequesIssued::ImprimirCheque() {
  const TMapChe& che = *FChe;
  FReport->SetValues(
      "R1", FormatFloat(kMascaraNumeroCheque, static_cast<double>(che.NUMEROCHEQUE->AsInteger())));
  FReport->SetValues("R2", che.NOMINAL->AsString());
  FReport->SetValues(
      "R3", TFprListDescricao::GetDscStatusCheque(static_cast<int>(che.STATUSCHEQUE->AsInteger())));
  FReport->SetValues("R4", DateToStr(che.DATAEMISSAO->AsDateTime()));
  FReport->SetValues("R5", DateToStr(che.DATAPREVISAO->AsDateTime()));
  FReport->SetValues("R6", FormatFloat(kMascaraValorCheque, che.VALOR->AsFloat()));
  FReport->SetValues("R8", che.DATADETALHE->IsNull()
                               ? std::string()
                               : FormatDateTime("dd/mm/yyyy", che.DATADETALHE->AsDateTime()));
  FReport->RepPrintSection(kCheque);
}

void TrptChequesIssued::ImprimirTotalConta() {
  if (FCdsCheque->IsEmpty()) return;
  FReport->SetValues("R7", "");
  FReport->RepPrintSection(kCabecalho);
  EsvaziarLinhaCheque(*FReport);
  ImprimirTotalCheque(*FReport, kTotal, "Total Conta Bancária:", FSomaTotalConta);
  FSomaTotalConta = 0;
  FReport->RepPrintSection(kCabecalho);
}

VIREO_REGISTER_REPORT(TrptChequesIssued)

}  // namespace vireo
