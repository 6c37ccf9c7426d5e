// The queries of the cash-flow entities (TnItensFluxoCaixa and
// TnDadosContasCorrentes): every figure is summed by the database, grouped
// by day, day and person, or account, so no entry is fetched one by one
// unless the day detail asks for entries without a person.
//
// Counted cash entries: FPRCAIXA rows of the company (all companies for 0)
// on analytic accounts (TIPOCONTA 2) whose modality is not 0, of the account
// selection and of the origins the origin selection names (all origins when
// it is empty).  TIPOMOVCAIXA 1 is an inflow and -1 an outflow; VALORCAIXA
// is summed as stored, so a reversal stored negative lowers its side.
// Entries of other kinds give their day a row but no amount.
//
// Open titles: receivables and payables of the company in situation 1 (open)
// or 2 (partly paid), at the amount still open, by due date.  No account,
// origin or operation selection applies to them.
#pragma once

#include <cstdint>
#include <string>

#include "host/core/datetime.h"
#include "host/core/export.h"

namespace vireo {

// What the cash flow is asked for.  The dates are bound to the markers
// :pDataInicial and :pDataFinal; selections are turned into conditions
// (EnParam naming the parameter for text that is not a selection).
struct VIREO_API TnFiltroFluxoCaixa {
  int64_t CodigoEscrit = 0;  // 0: all companies
  TDateTime DataInicial = 0;
  TDateTime DataFinal = 0;
  std::string CodigoConta;   // accounts
  std::string OrigemLcto;    // ORIGEMLCTOCAIXA values counted; empty: all
  std::string TipoOperacao;  // FINALIDADEACERTO of the settlements kept; empty: all
  int Modo = 0;              // 0 forecast (titles), 1 realised (entries), 2 both
};

enum TnModoFluxoCaixa : int { mfcPrevisto = 0, mfcRealizado = 1, mfcAmbos = 2 };

// DATA, RECEBER, RECEBIDO, PAGAR, PAGO: one row per day with an entry or a
// title of the mode, in date order.
VIREO_API std::string SelectTotaisDia(const TnFiltroFluxoCaixa& filtro);
// DATA, CODIGOPESSOAFIN (0 for none), NOME, RECEBER, RECEBIDO, PAGAR, PAGO,
// DESCRHISTCTB: per day and person; an entry without a person alone, with
// its own text as NOME and its standard history's description; a title
// without a person alone, with its history as NOME.
VIREO_API std::string SelectDetalheDia(const TnFiltroFluxoCaixa& filtro);
// SALDOANTERIOR: counted inflows less outflows before the start date; the
// operation selection does not apply.
VIREO_API std::string SelectSaldoAnterior(const TnFiltroFluxoCaixa& filtro);
// CODIGOCONTA, DESCRCONTA, LIMITECREDITO, SALDO: the analytic current
// accounts of the selection that belong to the company (or to none), by
// code, with their balance before the start date.
VIREO_API std::string SelectContasCorrentes(const TnFiltroFluxoCaixa& filtro);

}  // namespace vireo
