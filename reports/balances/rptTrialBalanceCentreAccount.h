// TrptTrialBalanceCentreChart of the deliverable rptTrialBalanceCentreAccount:
// the trial balance of one company as the tree of its cost centres (group
// cost centres above their sub-centres) with, under each cost centre, the
// accounts whose amounts were apportioned to it: opening balance, debits,
// credits and closing balance of each.  The figures and the tree come from
// the balance entity TnBalancete (cost centres, each with its accounts).
//
// The class bears the name of rptTrialBalanceCentreChart's class; each
// library holds its own, kept apart here by the namespace.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reports/balances/BalanceteCentroCustoRelatorio.h"

namespace vireo {

class IPlanoItem;

namespace centro_conta {

class TrptTrialBalanceCentreChart : public TnrwBalanceteCentroCusto {
 public:
  // The sections of the layout.
  enum Secao : int {
    kCabecalhoPagina = 1,
    kLinhaConta = 8,  // an account of a cost centre, a blank line
    kLinhaCentroCusto = 9,
  };

  using TnrwBalanceteCentroCusto::TnrwBalanceteCentroCusto;

  std::vector<int> CriarListaSectionsParaZebrar() override;

 private:
  void Imprimir() override;
  void ImprimirItem(IPlanoItem* item);
  void LinhaEmBranco();

  std::string Fclasse;
};

}  // namespace centro_conta
}  // namespace vireo
