#include "reports/payables/rptCustomerStatement.h"

#include "frame/nrwBaseDllReg.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/report/engine.h"

namespace vireo {

namespace {

const TnVariacaoExtrato kCliente = {"Extrato Cliente entre ", "pCodigoClienteExibir",
                                    "pDescCliente", "C"};

}  // namespace

TrptCustomerStatement::~TrptCustomerStatement() = default;

std::string TrptCustomerStatement::Versao() { return "[versao: 1.1.89.0]"; }

std::vector<int> TrptCustomerStatement::CriarListaSectionsParaZebrar() {
  TnrwBaseDll::CriarListaSectionsParaZebrar();
  return {Secao::kLinha, Secao::kCabecalhoGrupo};
}

void TrptCustomerStatement::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptCustomerStatement::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptCustomerStatement::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptCustomerStatement::DepoisConfigurar() {
  TnrwBaseDll::DepoisConfigurar();
  FReport->OnSectionPrint = [this](TObject* sender, int section) {
    DepoisImprimir(sender, section);
  };
}

void TrptCustomerStatement::DepoisImprimir(TObject*, int Section) {
  if (Section == Secao::kCabecalhoPagina) FReport->RepPrintSection(Secao::kTitulosColunas);
}

void TrptCustomerStatement::LerParametros() {
  FParCodigoEscrit = Trim(FReport->RepParam("pCodigoEscrit"));
  LerPeriodoExtrato(FReport, FParDataInicial, FParDataFinal);
  FParCodigoCliente = Trim(FReport->RepParam("pCodigoCliente"));
  ConferirPeriodoExtrato(FParDataInicial, FParDataFinal);
}

void TrptCustomerStatement::ImprimirInterno() {
  LerParametros();
  FExtrato = std::make_unique<TnExtratoCliente>();
  FExtrato->SetDataInicial(FParDataInicial);
  FExtrato->SetDataFinal(FParDataFinal);
  FExtrato->SetCodigoCliente(FParCodigoCliente);
  FExtrato->SetCodigoEscrit(FParCodigoEscrit);
  FExtrato->CarregarItens();
  if (FExtrato->Dados()->IsEmpty()) return;
  ImprimirExtrato(FReport, FExtrato->Dados(), kCliente, FParDataInicial, FParDataFinal,
                  FParCodigoEscrit, FSaldoAnterior);
}

VIREO_REGISTER_REPORT(TrptCustomerStatement)

}  // namespace vireo
