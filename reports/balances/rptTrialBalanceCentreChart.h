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
#include <memory>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/report/base_dll.h"

namespace vireo {

class IPlanoItem;
class TnBalancete;
struct TnItensFilial;

namespace centro_plano {

class TrptTrialBalanceCentreChart : public TnrwBaseDll {
 public:
  // The sections of the layout.
  enum Secao : int {
    kCabecalhoPagina = 1,
    kLinhaConta = 8,         // an account of the cost centre's tree, a blank line
    kTituloCentroCusto = 9,  // the cost centre's title, and the line closing it
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
  void ImprimirCentroCusto(const TnItensFilial& centro);
  void ImprimirConta(IPlanoItem* item);

  int64_t FCodigoEscrit = 0;
  int FPos = 0;
  int64_t FCentroCusto = 0;
  int FRegistro = 0;
  int FTotalRegistro = 0;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  bool FQuebrarPorGrupo = false;
  bool FPularLinhaCadaSintetica = false;
  bool FImpSaldoZero = false;
  std::string FOrigemDados;
  std::string FCodigoConta;
  std::string FFprCodigoCentroCusto;
  std::unique_ptr<TnBalancete> FBalancete;
  TnClientDataSet* FCdsEmpresa = nullptr;
};

}  // namespace centro_plano
}  // namespace vireo
