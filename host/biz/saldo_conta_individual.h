// TnFprDPGerarSaldoContaIndividual: the account-balance data module of the
// financial chart.  The ledger and the trial balances ask the host for it by
// name (CriarDMNovo), fill its parameters, run it and read its result
// "nClientDataSet": one row per account with its opening balance, the
// period's inflows and outflows, movement and closing balance, worked out
// from the cash entries (FPRCAIXA) by the same rule the ledger uses for its
// running balance, so both reports always agree.
//
// Two ways in, one run: Gerar takes a typed TnFiltroSaldoConta and returns
// the result; Executar (the by-name host route) reads the texts below into
// a filter and calls Gerar.
//
// Parameters (texts, set with Param(name)->SetValue):
//   pDataInicial, pDataFinal  the period ("dd/mm/yyyy" or "yyyy-mm-dd"); required
//   pGerarSaldoAnterior       "1" (default) sums the entries before the period
//                             into SaldoAnterior; "0" leaves it at 0, so Saldo
//                             is the period's movement alone
//   pOrigemLctoCaixa          entry origins (ORIGEMLCTOCAIXA) left out of every figure
//   pCodigoEscrit             companies; empty for all
//   pCodigoConta              accounts; a synthetic account picks those below it
//   pEhRelMovCaixa            "1": cash movement, only the entries of settlements
//                             (FPRACERTOCX origin 1 or 2) of current accounts
//                             (modality other than 0), as the cash movement
//                             ledger lists them, also before the period
//   pImpContaSaldoZero        "1": also accounts without opening balance or movement
//   pQuebra                   "2": one set of rows per company, with its code;
//                             anything else: all selected companies together, code 0
//   pOmitirContaContabil      "1": leaves out accounts of modality 0 (ordinary)
//   pMsgErro                  out: what the run could not do, one problem per
//                             line; empty when there was none
//
// Result fields: CodigoEscrit, CodigoConta, ClassifConta, DescrConta
// (classification, a blank and the description), TipoConta ("S" synthetic,
// "A" analytic), Movimento, ValorDebito (inflows), ValorCredito (outflows),
// Saldo, SaldoAnterior, NaturSaldo (nature of the account's group: 1 debit,
// -1 credit, 0 unknown).  Rows are indexed by "CodigoEscrit;ClassifConta;
// CodigoConta": per company, synthetic accounts ahead of those below them.
#pragma once

#include <memory>
#include <string>

#include "host/core/datetime.h"
#include "host/core/export.h"
#include "host/report/data_module.h"

namespace vireo {

class TnClientDataSet;

// What one run is asked for; each member is the parameter of the same name.
struct TnFiltroSaldoConta {
  TDateTime DataInicial = 0;  // 0: not given (the run refuses it)
  TDateTime DataFinal = 0;
  bool GerarSaldoAnterior = true;
  bool EhRelMovCaixa = false;
  bool ImpContaSaldoZero = false;
  bool QuebraPorEmpresa = false;  // pQuebra "2"
  bool OmitirContaContabil = false;
  std::string CodigoEscrit;     // selection; empty for all
  std::string CodigoConta;      // selection; empty for all
  std::string OrigemLctoCaixa;  // selection of origins left out
};

class VIREO_API TnFprDPGerarSaldoContaIndividual : public TnDMPowerParam {
 public:
  TnFprDPGerarSaldoContaIndividual();
  ~TnFprDPGerarSaldoContaIndividual() override;

  // Reads the parameters into a filter and runs Gerar.
  void Executar() override;
  // Runs the filter and returns the result (the module's nClientDataSet);
  // what the run could not do is in MsgErro() afterwards.  Raises EnParam
  // for a missing or reversed period; database errors pass on.
  virtual TnClientDataSet* Gerar(const TnFiltroSaldoConta& filtro);
  // pMsgErro of the last run.
  std::string MsgErro();
};

// The filter most reports ask for: the period with opening balances, the
// selections as typed, companies apart when a selection of companies is
// given.
VIREO_API TnFiltroSaldoConta FiltroSaldoConta(TDateTime inicio, TDateTime fim,
                                              const std::string& origem,
                                              const std::string& codigo_escrit,
                                              const std::string& codigo_conta);

// A period date of a report's panel as the module reads its own: 0 when the
// text is empty (the run then asks for it), else the date; raises EnParam
// naming the parameter for a text that is not a date.
VIREO_API TDateTime DataDoPeriodo(const TnpqParamItem& item);

// The host's module of that class, created by name as the host's reports do
// (so that a module registered in its place is the one used).  Raises when
// the host has none or it is another kind of module.
VIREO_API std::unique_ptr<TnFprDPGerarSaldoContaIndividual> CriarDMSaldoConta();

}  // namespace vireo
