#include "reports/payables/rptSupplierStatement.h"

#include "frame/nrwBaseDllReg.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/report/engine.h"

namespace vireo {

namespace {

const TnVariacaoExtrato kFornecedor = {"Extrato Fornecedor entre ", "pCodigoFornecedorExibir",
                                       "pDescFornecedor", "D"};

}  // namespace

TrptSupplierStatement::~TrptSupplierStatement() = default;

std::string TrptSupplierStatement::Versao() { return "[versao: 1.1.89.0]"; }

std::vector<int> TrptSupplierStatement::CriarListaSectionsParaZebrar() {
  TnrwBaseDll::CriarListaSectionsParaZebrar();
  return {Secao::kLinha, Secao::kCabecalhoGrupo};
}

void TrptSupplierStatement::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptSupplierStatement::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptSupplierStatement::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptSupplierStatement::DepoisConfigurar() {
  TnrwBaseDll::DepoisConfigurar();
  FReport->OnSectionPrint = [this](TObject* sender, int section) {
    DepoisImprimir(sender, section);
  };
}

void TrptSupplierStatement::DepoisImprimir(TObject*, int Section) {
  if (Section == Secao::kCabecalhoPagina) FReport->RepPrintSection(Secao::kTitulosColunas);
}

void TrptSupplierStatement::LerParametros() {
  FParCodigoEscrit = Trim(FReport->RepParam("pCodigoEscrit"));
  LerPeriodoExtrato(FReport, FParDataInicial, FParDataFinal);
  FParCodigoFornecedor = Trim(FReport->RepParam("pCodigoFornecedor"));
  ConferirPeriodoExtrato(FParDataInicial, FParDataFinal);
}

void TrptSupplierStatement::ImprimirInterno() {
  LerParametros();
  FExtrato = std::make_unique<TnExtratoFornecedor>();
  FExtrato->SetDataInicial(FParDataInicial);
  FExtrato->SetDataFinal(FParDataFinal);
  FExtrato->SetCodigoFornecedor(FParCodigoFornecedor);
  FExtrato->SetCodigoEscrit(FParCodigoEscrit);
  FExtrato->CarregarItens();
  if (FExtrato->Dados()->IsEmpty()) return;
  ImprimirExtrato(FReport, FExtrato->Dados(), kFornecedor, FParDataInicial, FParDataFinal,
                  FParCodigoEscrit, FSaldoAnterior);
}

VIREO_REGISTER_REPORT(TrptSupplierStatement)

}  // namespace vireo
