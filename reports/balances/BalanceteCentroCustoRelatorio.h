// TnrwBalanceteCentroCusto: what the three cost-centre trial balances share
// as reports.  Each reads the same panel (company, period, group break,
// blank line before a group account, zero balances, entry origins, account
// and cost-centre selections), checks the period, fills the company header
// from the balance entity it processed, and releases its datasets and lists
// the origin warning however the print ends.  A report gives the kind of
// the entity and the walk of its tree.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/biz/balancete.h"
#include "host/core/datetime.h"
#include "host/report/base_dll.h"

namespace vireo {

class TnrwBalanceteCentroCusto : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  ~TnrwBalanceteCentroCusto() override;

  std::string Versao() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;

 protected:
  // Reads the shared parameters; a report with more reads them after these.
  virtual void LerParametros();
  // The print's body, after the period check.
  virtual void Imprimir() = 0;
  // The datasets released when the print ends: the company's, and any a
  // report adds.
  virtual std::vector<TnClientDataSet**> DataSetsImpressao();

  // Opens the company, processes the entity of `tipo` and fills the header;
  // the progress counters start over.
  void IniciarImpressao(TnTipoMescla tipo, bool lista_conta_sem_rateio = false);

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
  std::string FFprCodigoCentroCusto;
  std::unique_ptr<TnBalancete> FBalancete;
  TnClientDataSet* FCdsEmpresa = nullptr;
};

}  // namespace vireo
