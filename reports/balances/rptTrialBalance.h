// TrptTrialBalance: the trial balance of the financial chart of accounts.
//
// One line per account with its opening balance, debits, credits, movement
// and closing balance over a period; synthetic (grouping) accounts in bold,
// a new page for each company and, when asked, for each top-level group.
// The balances come from the host's account-balance data module
// TnFprDPGerarSaldoContaIndividual; the report walks its rows in the order
// the module left them, company by company.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/biz/empresas.h"
#include "host/biz/mapper_contas.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"

namespace vireo {

class TField;
class TnClientDataSet;
class TnFprDPGerarSaldoContaIndividual;

// Which amount columns the lines show.
enum TnTipoBalancete { tbDebCred, tbDebCredMovim, tbMovim };

class TrptTrialBalance : public TnrwBaseDll {
 public:
  // The sections of the layout.
  enum Secao : int {
    kCabecalhoPagina = 1,
    kLinhaConta = 8,
    kLinhaEmBranco = 9,  // before a synthetic account, when asked for
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptTrialBalance() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;

 private:
  void GerarSaldos();
  void LerOpcoes();
  void AjustarColunas();
  void ImprimirContas();
  bool Sintetica() const;
  void PreencherLinha();
  void TrocarEmpresa();
  void QuebrarPagina();
  void AplicarEstiloLinha();
  void MostrarMensagens();

  std::unique_ptr<TnFprDPGerarSaldoContaIndividual> FDMSaldoConta;
  TnClientDataSet* FCdsEmpresa = nullptr;
  TnClientDataSet* FCdsContas = nullptr;  // the data module's
  std::unique_ptr<TnMapperEmpresas> FMapperEmpresas;
  std::unique_ptr<TnMapperContas> FMapperContas;
  TnTipoBalancete FTipoBalancete = tbDebCred;
  std::string FCodigoEscrit;
  std::string FOldClassifConta;
  int ATotalRegistro = 0;
  int ARegistro = 0;
  int64_t FOldCodigoEscrit = 0;
  bool FPularLinhaSint = false;
  bool FImprimirSohSint = false;
  bool FQuebraPagGrupo = false;
};

}  // namespace vireo
