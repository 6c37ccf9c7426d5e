// TnMapperContas: the rows of the account-balance data module
// (TnFprDPGerarSaldoContaIndividual's "nClientDataSet"), as the ledger and
// the trial balances read them.  Kept beside the module so the reports and the
// module agree on one shape.
#pragma once

#include "host/data/dataset.h"
#include "host/data/mapper.h"

namespace vireo {

struct TnMapperContas {
  TField* CodigoEscrit{};
  TField* CodigoConta{};
  TField* ClassifConta{};
  TField* DescrConta{};
  TField* TipoConta{};
  TField* Movimento{};
  TField* ValorDebito{};
  TField* ValorCredito{};
  TField* Saldo{};
  TField* SaldoAnterior{};
  TField* NaturSaldo{};
  VIREO_MAPPER(TnMapperContas, CodigoEscrit, CodigoConta, ClassifConta, DescrConta, TipoConta,
               Movimento, ValorDebito, ValorCredito, Saldo, SaldoAnterior, NaturSaldo)
};

}  // namespace vireo
