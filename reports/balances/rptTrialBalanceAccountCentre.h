// TrptTrialBalanceAccountCentre: the trial balance of one company as the
// tree of its accounts (group accounts above their sub-accounts, in the
// chart's order) with, under each account, the cost centres its amounts were
// apportioned to: opening balance, debits, credits and closing balance of
// each.  The figures and the tree come from the balance entity TnBalancete
// (accounts, each with its cost centres).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/report/base_dll.h"

namespace vireo {

class IPlanoItem;
class TnBalancete;

class TrptTrialBalanceAccountCentre : public TnrwBaseDll {
 public:
  // The sections of the layout.
  enum Secao : int {
    kCabecalhoPagina = 1,
    kLinhaCentroCusto = 8,  // a cost centre of an account, an account without any, a blank line
    kLinhaConta = 9,
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptTrialBalanceAccountCentre() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;

 private:
  void LerParametros();
  void Imprimir();
  void CriarBalancete();
  void ImprimirItem(IPlanoItem* item);
  std::string RotuloEntrada(const std::string& classificacao) const;
  void LinhaEmBranco();

  int64_t FCodigoEscrit = 0;
  int FRegistro = 0;
  int FPos = 0;
  int FTotalRegistro = 0;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  bool FQuebrarPorGrupo = false;
  bool FListaContaSemRateio = false;
  bool FPularLinhaCadaSintetica = false;
  bool FImpSaldoZero = false;
  std::string FOrigemDados;
  std::string FCodigoConta;
  std::string FClasse;
  std::string FFprCodigoCentroCusto;
  std::unique_ptr<TnBalancete> FBalancete;
  TnClientDataSet* FCdsMascConta = nullptr;
  TnClientDataSet* FCdsEmpresa = nullptr;
};

}  // namespace vireo
