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
#include <memory>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/report/base_dll.h"

namespace vireo {

class IPlanoItem;
class TnBalancete;

namespace centro_conta {

class TrptTrialBalanceCentreChart : public TnrwBaseDll {
 public:
  // The sections of the layout.
  enum Secao : int {
    kCabecalhoPagina = 1,
    kLinhaConta = 8,  // an account of a cost centre, a blank line
    kLinhaCentroCusto = 9,
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptTrialBalanceCentreChart() override;

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
  void LinhaEmBranco();

  int64_t FCodigoEscrit = 0;
  int FPos = 0;
  int FRegistro = 0;
  int FTotalRegistro = 0;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  bool FQuebrarPorGrupo = false;
  bool FPularLinhaCadaSintetica = false;
  bool FImpSaldoZero = false;
  std::string FOrigemDados;
  std::string FCodigoConta;
  std::string Fclasse;
  std::string FFprCodigoCentroCusto;
  std::unique_ptr<TnBalancete> FBalancete;
  TnClientDataSet* FCdsEmpresa = nullptr;
};

}  // namespace centro_conta
}  // namespace vireo
