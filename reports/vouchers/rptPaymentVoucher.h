// TrptPaymentVoucher: the payment receipts of one company.  For every
// receipt number recorded for a settlement of payable titles and a payee
// (FPRRECIBOPAGAMENTO), one framed voucher: the company's letterhead, the
// payee, the reference month, the receipt number and the payment date, one
// line per settled amount (the installment, its interest, fine and
// discount), blank lines up to a fixed height, the total, and the place,
// date and signature.  Only reads; it records no receipt.
#pragma once

#include <string>

#include "host/core/datetime.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"
#include "reports/vouchers/ReciboUtil.h"

namespace vireo {

class TField;
class TnClientDataSet;

struct TnMapperRelPagamento {
  TField* CODIGOESCRIT{};
  TField* LOGO{};
  TField* CODIGOACERTO{};
  TField* CODIGOPESSOAFIN{};
  TField* CODIGOPAGARCAB{};
  TField* CODIGOPAGAR{};
  TField* NUMERORECIBO{};
  TField* NOMEEMPRESA{};
  TField* INSCFEDERALEMPRESA{};
  TField* TELEFONE{};
  TField* ENDERECO{};
  TField* NOMEMUNICIPIO{};
  TField* SIGLAESTADO{};
  TField* NOMECLI{};
  TField* TIPOINSCFEDERAL{};
  TField* INSCFEDERALCLI{};
  TField* DATALANCAMENTOPAG{};
  TField* DATAVENCIMENTOPAG{};
  TField* HISTORICOPAG{};
  TField* PARCELAPAG{};
  TField* DATALANCAMENTOBAIXA{};
  TField* VALORBAIXA{};
  TField* VALORJUROBAIXA{};
  TField* VALORMULTABAIXA{};
  TField* VALORDESCBAIXA{};
  VIREO_MAPPER(TnMapperRel, CODIGOESCRIT, LOGO, CODIGOACERTO, CODIGOPESSOAFIN, CODIGOPAGARCAB,
               CODIGOPAGAR, NUMERORECIBO, NOMEEMPRESA, INSCFEDERALEMPRESA, TELEFONE, ENDERECO,
               NOMEMUNICIPIO, SIGLAESTADO, NOMECLI, TIPOINSCFEDERAL, INSCFEDERALCLI,
               DATALANCAMENTOPAG, DATAVENCIMENTOPAG, HISTORICOPAG, PARCELAPAG, DATALANCAMENTOBAIXA,
               VALORBAIXA, VALORJUROBAIXA, VALORMULTABAIXA, VALORDESCBAIXA)
};

class TrptPaymentVoucher : public TnrwBaseDll {
 public:
  using Secao = TnSecoesRecibo::Secao;
  using TnMapperRel = TnMapperRelPagamento;

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptPaymentVoucher() override;

  std::string Versao() override;  // "[versao: 1.1.108.0]"
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;

 private:
  TnCamposRecibo Campos() const;

  TnFiltroRecibo FFiltro;  // company, dates, settlement and payee selections
  TnClientDataSet* FCds = nullptr;
  TnMapperRel* FMapperRel = nullptr;  // owned by FCds
};

}  // namespace vireo
