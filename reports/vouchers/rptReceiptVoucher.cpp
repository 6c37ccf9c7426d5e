#include "reports/vouchers/rptReceiptVoucher.h"

#include "frame/nrwBaseDllReg.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "reports/vouchers/ReciboSQL.h"

namespace vireo {

namespace {

const TnTextosRecibo kTextosRecebimento = {", Conta Receber ", "pDataRecebimento"};

}  // namespace

TrptReceiptVoucher::~TrptReceiptVoucher() { DestruirSQL(FCds); }

std::string TrptReceiptVoucher::Versao() { return "[versao: 1.1.102.0]"; }

void TrptReceiptVoucher::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptReceiptVoucher::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptReceiptVoucher::DoParamExit(TObject*, TnpqParamItem*) {}

TnCamposRecibo TrptReceiptVoucher::Campos() const {
  TnCamposRecibo campos = CamposComuns(*FMapperRel);
  campos.CODIGOCAB = FMapperRel->CODIGORECEBERCAB;
  campos.DATAVENCIMENTO = FMapperRel->DATAVENCIMENTOREC;
  campos.HISTORICO = FMapperRel->HISTORICOREC;
  campos.PARCELA = FMapperRel->PARCELAREC;
  return campos;
}

void TrptReceiptVoucher::ImprimirInterno() {
  TnSQLGuard guarda(FCds);
  FFiltro = LerFiltroRecibo(FReport);
  FCds = ExecutarSQL(SelectReciboRecebimento(FFiltro), {}, true, false, -1, "", nullptr, true);
  FMapperRel = FCds->GetMapper<TnMapperRel>();
  if (FCds->IsEmpty()) return;
  TnImpressaoRecibos(FReport, FCds, Campos(), kTextosRecebimento).Imprimir();
}

VIREO_REGISTER_REPORT(TrptReceiptVoucher)

}  // namespace vireo
