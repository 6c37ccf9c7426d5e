// TrptTrialBalanceAccountCentre: the trial balance of one company as the
// tree of its accounts (group accounts above their sub-accounts, in the
// chart's order) with, under each account, the cost centres its amounts were
// apportioned to: opening balance, debits, credits and closing balance of
// each.  The figures and the tree come from the balance entity TnBalancete
// (accounts, each with its cost centres).
#pragma once

#include <string>
#include <vector>

#include "reports/balances/BalanceteCentroCustoRelatorio.h"

namespace vireo {

class IPlanoItem;

class TrptTrialBalanceAccountCentre : public TnrwBalanceteCentroCusto {
 public:
  // The sections of the layout.
  enum Secao : int {
    kCabecalhoPagina = 1,
    kLinhaCentroCusto = 8,  // a cost centre of an account, an account without any, a blank line
    kLinhaConta = 9,
  };

  using TnrwBalanceteCentroCusto::TnrwBalanceteCentroCusto;

  std::vector<int> CriarListaSectionsParaZebrar() override;

 private:
  void LerParametros() override;
  void Imprimir() override;
  std::vector<TnClientDataSet**> DataSetsImpressao() override;
  void ImprimirItem(IPlanoItem* item);
  std::string RotuloEntrada(const std::string& classificacao) const;
  void LinhaEmBranco();

  bool FListaContaSemRateio = false;
  std::string FClasse;
  TnClientDataSet* FCdsMascConta = nullptr;
};

}  // namespace vireo
