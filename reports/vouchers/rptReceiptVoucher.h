// TrptReceiptVoucher: the receipt vouchers of one company, the twin of
// TrptPaymentVoucher for receivable titles: one framed voucher for every
// receipt number recorded for a settlement and a paying customer
// (FPRRECIBORECEBIMENTO), with the settled installments of FPRCONTARECEBER
// and their interest, fine and discount.  A final date before the initial
// date selects nothing.  Only reads; it records no receipt.
#pragma once

#include <string>

#include "host/core/datetime.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"
#include "reports/vouchers/ReciboUtil.h"

namespace vireo {

class TField;
class TnClientDataSet;

struct TnMapperRelRecebimento {
  TField* CODIGOESCRIT{};
  TField* LOGO{};
  TField* CODIGOACERTO{};
  TField* CODIGOPESSOAFIN{};
  TField* CODIGORECEBERCAB{};
  TField* CODIGORECEBER{};
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
  TField* DATALANCAMENTOREC{};
  TField* DATAVENCIMENTOREC{};
  TField* HISTORICOREC{};
  TField* PARCELAREC{};
  TField* DATALANCAMENTOBAIXA{};
  TField* VALORBAIXA{};
  TField* VALORJUROBAIXA{};
  TField* VALORMULTABAIXA{};
  TField* VALORDESCBAIXA{};
  VIREO_MAPPER(TnMapperRel, CODIGOESCRIT, LOGO, CODIGOACERTO, CODIGOPESSOAFIN, CODIGORECEBERCAB,
               CODIGORECEBER, NUMERORECIBO, NOMEEMPRESA, INSCFEDERALEMPRESA, TELEFONE, ENDERECO,
               NOMEMUNICIPIO, SIGLAESTADO, NOMECLI, TIPOINSCFEDERAL, INSCFEDERALCLI,
               DATALANCAMENTOREC, DATAVENCIMENTOREC, HISTORICOREC, PARCELAREC, DATALANCAMENTOBAIXA,
               VALORBAIXA, VALORJUROBAIXA, VALORMULTABAIXA, VALORDESCBAIXA)
};

class TrptReceiptVoucher : public TnrwBaseDll {
 public:
  using Secao = TnSecoesRecibo::Secao;
  using TnMapperRel = TnMapperRelRecebimento;

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptReceiptVoucher() override;

  std::string Versao() override;  // "[versao: 1.1.102.0]"
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
