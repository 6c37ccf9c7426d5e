// TrptTrialBalanceCentreChart: for each cost centre of one company a title
// line and that cost centre's own trial balance over the chart of accounts
// (group accounts above their sub-accounts, synthetic accounts in bold):
// opening balance, debits, credits and closing balance.  The balance entity
// TnBalancete gives one account tree per cost centre.
//
// rptTrialBalanceCentreAccount's library holds a class of the same name;
// each stays in its own namespace.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reports/balances/BalanceteCentroCustoRelatorio.h"

namespace vireo {

class IPlanoItem;
struct TnItensFilial;

namespace centro_plano {

class TrptTrialBalanceCentreChart : public TnrwBalanceteCentroCusto {
 public:
  // The sections of the layout.
  enum Secao : int {
    kCabecalhoPagina = 1,
    kLinhaConta = 8,         // an account of the cost centre's tree, a blank line
    kTituloCentroCusto = 9,  // the cost centre's title, and the line closing it
  };

  using TnrwBalanceteCentroCusto::TnrwBalanceteCentroCusto;

  std::vector<int> CriarListaSectionsParaZebrar() override;

 private:
  void Imprimir() override;
  void ImprimirCentroCusto(const TnItensFilial& centro);
  void ImprimirConta(IPlanoItem* item);

  int64_t FCentroCusto = 0;
};

}  // namespace centro_plano
}  // namespace vireo
