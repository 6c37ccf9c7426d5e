#include "reports/vouchers/rptReceiptVoucher.h"

#include "frame/nrwBaseDllReg.h"
#include "host/core/convert.h"
#include "host/core/text.h"
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

void TrptReceiptVoucher::LerParametros() {
  FCodigoEscrit = StrToIntDef(FReport->RepParam("pCodigoEscrit"), 0);
  FDataInicial = StrToDateDef(FReport->RepParam("pDataInicial"), 0);
  FDataFinal = StrToDateDef(FReport->RepParam("pDataFinal"), 0);
  FCodigoAcerto = Trim(FReport->RepParam("pCodigoAcerto"));
  FCodigoPessoaFin = Trim(FReport->RepParam("pCodigoPessoaFin"));
}

TnCamposRecibo TrptReceiptVoucher::Campos() const {
  const TnMapperRel& m = *FMapperRel;
  return {m.LOGO,
          m.CODIGOPESSOAFIN,
          m.CODIGORECEBERCAB,
          m.NUMERORECIBO,
          m.NOMEEMPRESA,
          m.INSCFEDERALEMPRESA,
          m.TELEFONE,
          m.ENDERECO,
          m.NOMEMUNICIPIO,
          m.SIGLAESTADO,
          m.NOMECLI,
          m.INSCFEDERALCLI,
          m.DATAVENCIMENTOREC,
          m.HISTORICOREC,
          m.PARCELAREC,
          m.DATALANCAMENTOBAIXA,
          m.VALORBAIXA,
          m.VALORJUROBAIXA,
          m.VALORMULTABAIXA,
          m.VALORDESCBAIXA};
}

void TrptReceiptVoucher::ImprimirInterno() {
  TnSQLGuard guarda(FCds);
  LerParametros();
  TnFiltroRecibo filtro;
  filtro.CodigoEscrit = FCodigoEscrit;
  filtro.DataInicial = FDataInicial;
  filtro.DataFinal = FDataFinal;
  filtro.CodigoAcerto = FCodigoAcerto;
  filtro.CodigoPessoaFin = FCodigoPessoaFin;
  FCds = ExecutarSQL(SelectReciboRecebimento(filtro), {}, true, false, -1, "", nullptr, true);
  FMapperRel = FCds->GetMapper<TnMapperRel>();
  if (FCds->IsEmpty()) return;
  const TnCamposRecibo campos = Campos();
  TnImpressaoRecibos(FReport, FCds, campos, kTextosRecebimento).Imprimir();
}

VIREO_REGISTER_REPORT(TrptReceiptVoucher)

}  // namespace vireo
