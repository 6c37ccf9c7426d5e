// The chart-of-accounts tree that carries amounts: TnPlanoContas builds an
// IPlano over the financial chart held in the global dataset
// FCdsPlanoContas (CODIGOCONTA, TIPOCONTA, CLASSIFCONTA, DESCRCONTA), a
// caller hands it one record of values per account, and its root items
// give the tree.
//
// The tree holds the accounts handed a record and every chart account
// above them (by classification), in classification order.  An item's
// debit, credit and balance are its own records' plus those of every item
// below it.  An account the chart lacks becomes a top-level analytic item
// with the record's classification.  Without records there is no item.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/biz/plano_item.h"
#include "host/core/export.h"

namespace vireo {

class TnClientDataSet;

// The chart dataset the tree reads; whoever fills it releases it
// (DestruirSQL).  One per thread, so prints in parallel workers keep apart.
VIREO_API TnClientDataSet*& FCdsPlanoContas();

struct VIREO_API TRecInfoValorPlano {
  int64_t CodigoConta = 0;
  std::string Classificacao;
  double Debito = 0;
  double Credito = 0;
  double Saldo = 0;
};

class VIREO_API IPlano {
 public:
  virtual ~IPlano();
  // Adds the values to the account's item; an account handed several
  // records adds them all.
  virtual void AdicionarValor(const TRecInfoValorPlano& registro) = 0;
  // The top-level items; items are IPlanoItemSaldo, owned by the tree.
  virtual const TnListaPlanoItem& Raizes() = 0;
};

class VIREO_API TnPlanoContas {
 public:
  // A tree over the chart in FCdsPlanoContas as it is now (an empty chart
  // when it is null).  `tipo` is the kind of chart; 0, the financial one,
  // is the only kind there is.
  static std::unique_ptr<IPlano> NovoPlanoConta(int tipo);
};

}  // namespace vireo
