#include "reports/vouchers/rptPaymentVoucher.h"

#include "frame/nrwBaseDllReg.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/text.h"
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

void TrptPaymentVoucher::LerParametros() {
  FCodigoEscrit = StrToIntDef(FReport->RepParam("pCodigoEscrit"), 0);
  FDataInicial = StrToDateDef(FReport->RepParam("pDataInicial"), 0);
  FDataFinal = StrToDateDef(FReport->RepParam("pDataFinal"), 0);
  FCodigoAcerto = Trim(FReport->RepParam("pCodigoAcerto"));
  FCodigoPessoaFin = Trim(FReport->RepParam("pCodigoPessoaFin"));
}

TnCamposRecibo TrptPaymentVoucher::Campos() const {
  const TnMapperRel& m = *FMapperRel;
  return {m.LOGO,
          m.CODIGOPESSOAFIN,
          m.CODIGOPAGARCAB,
          m.NUMERORECIBO,
          m.NOMEEMPRESA,
          m.INSCFEDERALEMPRESA,
          m.TELEFONE,
          m.ENDERECO,
          m.NOMEMUNICIPIO,
          m.SIGLAESTADO,
          m.NOMECLI,
          m.INSCFEDERALCLI,
          m.DATAVENCIMENTOPAG,
          m.HISTORICOPAG,
          m.PARCELAPAG,
          m.DATALANCAMENTOBAIXA,
          m.VALORBAIXA,
          m.VALORJUROBAIXA,
          m.VALORMULTABAIXA,
          m.VALORDESCBAIXA};
}

void TrptPaymentVoucher::ImprimirInterno() {
  TnSQLGuard guarda(FCds);
  LerParametros();
  if (FDataFinal < FDataInicial) {
    throw EnParam("pDataInicial", "Data inicial não pode ser maior que data final.");
  }
  TnFiltroRecibo filtro;
  filtro.CodigoEscrit = FCodigoEscrit;
  filtro.DataInicial = FDataInicial;
  filtro.DataFinal = FDataFinal;
  filtro.CodigoAcerto = FCodigoAcerto;
  filtro.CodigoPessoaFin = FCodigoPessoaFin;
  FCds = ExecutarSQL(SelectReciboPagamento(filtro), {}, true, false, -1, "", nullptr, true);
  FMapperRel = FCds->GetMapper<TnMapperRel>();
  if (FCds->IsEmpty()) return;
  const TnCamposRecibo campos = Campos();
  TnImpressaoRecibos(FReport, FCds, campos, kTextosPagamento).Imprimir();
}

VIREO_REGISTER_REPORT(TrptPaymentVoucher)

}  // namespace vireo
