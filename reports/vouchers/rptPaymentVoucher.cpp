#include "reports/vouchers/rptPaymentVoucher.h"

#include "frame/nrwBaseDllReg.h"
#include "host/core/exception.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "reports/vouchers/ReciboSQL.h"

namespace vireo {

namespace {

const TnTextosRecibo kTextosPagamento = {", Conta Pagar ", "pDataPagamento"};

}  // namespace

TrptPaymentVoucher::~TrptPaymentVoucher() { DestruirSQL(FCds); }

std::string TrptPaymentVoucher::Versao() { return "[versao: 1.1.108.0]"; }

void TrptPaymentVoucher::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptPaymentVoucher::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptPaymentVoucher::DoParamExit(TObject*, TnpqParamItem*) {}

TnCamposRecibo TrptPaymentVoucher::Campos() const {
  TnCamposRecibo campos = CamposComuns(*FMapperRel);
  campos.CODIGOCAB = FMapperRel->CODIGOPAGARCAB;
  campos.DATAVENCIMENTO = FMapperRel->DATAVENCIMENTOPAG;
  campos.HISTORICO = FMapperRel->HISTORICOPAG;
  campos.PARCELA = FMapperRel->PARCELAPAG;
  return campos;
}

void TrptPaymentVoucher::ImprimirInterno() {
  TnSQLGuard guarda(FCds);
  FFiltro = LerFiltroRecibo(FReport);
  if (FFiltro.DataFinal < FFiltro.DataInicial) {
    throw EnParam("pDataInicial", "Data inicial não pode ser maior que data final.");
  }
  FCds = ExecutarSQL(SelectReciboPagamento(FFiltro), {}, true, false, -1, "", nullptr, true);
  FMapperRel = FCds->GetMapper<TnMapperRel>();
  if (FCds->IsEmpty()) return;
  TnImpressaoRecibos(FReport, FCds, Campos(), kTextosPagamento).Imprimir();
}

VIREO_REGISTER_REPORT(TrptPaymentVoucher)

}  // namespace vireo
