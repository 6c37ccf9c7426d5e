// TrptCentreChartTracking: cost centres month by month.  The period is cut
// into calendar months; for each month, on its own pages, every cost centre
// of one company with the trial balance of its accounts for that month
// (opening balance, debits, credits, closing balance).  Each month is worked
// out anew by the balance entity TnBalancete (an account tree per cost
// centre).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/core/datetime.h"
#include "host/report/base_dll.h"
#include "reports/balances/BalanceteCentroCusto.h"

namespace vireo {

class IPlanoItem;
class TnBalancete;
struct TnItensFilial;

// The company row of a month.
using TMapEscr = TMapEmp;

class TrptCentreChartTracking : public TnrwBaseDll {
 public:
  // The sections of the layout.
  enum Secao : int {
    kCabecalhoPagina = 1,
    kTituloCentroCusto = 8,
    kLinhaConta = 9,
    kRodapeCentroCusto = 10,  // 10 to 12 close each cost centre, in this order
    kRodapeCentroCusto2 = 11,
    kRodapeCentroCusto3 = 12,
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptCentreChartTracking() override;

  std::string Versao() override;
  void ImprimirInterno() override;

 private:
  void Mes();
  void ImprimirCentroCusto(const TnItensFilial& centro);
  void ImprimirConta(IPlanoItem* conta);

  int64_t FCodigoEscrit = 0;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  std::string FCodigoCentroCusto;
  int FRegistro = 0;
  int FTotalRegistro = 0;
  std::unique_ptr<TnBalancete> FBalancete;
  TnClientDataSet* FCdsEscrit = nullptr;
};

}  // namespace vireo
