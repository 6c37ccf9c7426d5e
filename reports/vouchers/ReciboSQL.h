// The voucher query of the payment and the receipt voucher: the settlements
// of one company in a date range joined with their installments, the
// company's letterhead (address, latest contact when a telephone), the payee
// and the receipt recorded for the settlement and payee.
#pragma once

#include <string>

#include "host/core/datetime.h"

namespace vireo {

// What a voucher query is narrowed to.
struct TnFiltroRecibo {
  int CodigoEscrit = 0;
  TDateTime DataInicial = 0;
  TDateTime DataFinal = 0;
  std::string CodigoAcerto;     // selection; empty for all
  std::string CodigoPessoaFin;  // selection; empty for all
};

// Payable settlements (FPRCONTAPAGARBAIXA) and FPRRECIBOPAGAMENTO.
std::string SelectReciboPagamento(const TnFiltroRecibo& filtro);
// Receivable settlements (FPRCONTARECEBERBAIXA) and FPRRECIBORECEBIMENTO.
std::string SelectReciboRecebimento(const TnFiltroRecibo& filtro);

}  // namespace vireo
