// TrptLedger: the ledger of the financial chart of accounts (cash and bank
// accounts), printed from the cash entries.
//
// For every analytic account: a header with the account and its title, the
// balance carried from before the period, each entry of the period (date,
// history, settlement, inflow or outflow, running balance) and the period
// totals.  One plug-in, two layouts, told apart by the hidden parameter
// pEhRelMovCaixa:
//
//  - ledger (rptLedger.json): balances carry the letter D or C;
//  - cash movement (rptLedger.movcaixa.json, pEhRelMovCaixa "1"): credit-side
//    balances are written in parentheses, the user may keep only inflows or
//    only outflows, each entry shows its counterpart account and a grand
//    total closes each company.
//
// Opening balances and period totals come from the host's data module
// TnFprDPGerarSaldoContaIndividual; the entries come from the report's own
// query.  A company without accounts gets a page struck through with
// "P E R Í O D O   S E M   M O V I M E N T O".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/biz/empresas.h"
#include "host/biz/mapper_contas.h"
#include "host/core/datetime.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"
#include "reports/ledgers/DivisorTexto.h"
#include "reports/ledgers/rptLedgerSQL.h"

namespace vireo {

class TField;
class TnClientDataSet;
class TnFprDPGerarSaldoContaIndividual;

struct TnMapperCaixas {
  TField* CodigoEscrit{};
  TField* CodigoCaixa{};
  TField* CodigoConta{};
  TField* DataCaixa{};
  TField* TipoMovCaixa{};
  TField* ValorCaixa{};
  TField* HistoricoCaixa{};
  TField* OrigemLctoCaixa{};
  TField* DescrHistCtb{};
  TField* NaturSaldo{};
  TField* CodigoAcerto{};
  TField* CONTRAPARTIDA{};
  VIREO_MAPPER(TnMapperCaixas, CodigoEscrit, CodigoCaixa, CodigoConta, DataCaixa, TipoMovCaixa,
               ValorCaixa, HistoricoCaixa, OrigemLctoCaixa, DescrHistCtb, NaturSaldo, CodigoAcerto,
               CONTRAPARTIDA)
};

class TrptLedger : public TnrwBaseDll {
 public:
  // The sections of both layouts.
  enum Secao : int {
    kCabecalhoPagina = 1,
    kMargemInferior = 4,  // with kEspacoConta: the room a new account needs
    kLinhaCaixa = 8,      // an entry, or one more line of its history
    kEspacoConta = 9,
    kEspaco = 10,          // under the headers; filler at a forced page end
    kSeparadorConta = 11,  // before an account, and before the grand total
    kContinuacao = 12,     // the account's header again on a new page
    kCabecalhoConta = 13,
    kSaldoAnterior = 14,
    kLinhaSemMovimento = 15,  // a line of the struck-through page
    kTotais = 16,             // an account's totals, and the grand total
    kFimFolha = 17,           // closes the rest of the sheet
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptLedger() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;
  void DepoisConfigurar() override;

 private:
  // What the account walk keeps from one account to the next.
  struct TnPercurso {
    long long posicao = 1;
    long long total = 0;
    bool primeira_conta = true;
  };

  void LerParametros();
  void PegarDadosContas();
  void CarregarDadosCaixas(int64_t ACodigoConta, int64_t ACodigoEscrit);
  bool DeveImprimirEntradas() const;
  bool DeveImprimirSaidas() const;

  void PrepararEmpresa();
  void ImprimirContas(TnPercurso& percurso);
  void ImprimirConta(TnPercurso& percurso);
  void PreencherCabecalhoConta();
  void PreencherTitulo();
  int NaturezaConta() const;
  std::string MascaraSaldo(int natureza) const;
  void ImprimirSaldoAnterior(double saldo, const std::string& mascara);
  void ImprimirCaixa(double& saldo, int natureza, const std::string& mascara);
  void ImprimirHistorico();
  void ImprimirTotaisConta(TnPercurso& percurso);
  void ImprimirTotalGeral();
  void ImprimirPeriodoSemMov();
  void DepoisImprimir(TObject* Sender, int Section);

  std::unique_ptr<TnFprDPGerarSaldoContaIndividual> FDMSaldoConta;
  std::string FOrigemDados;
  std::string FCodigoConta;
  std::string FCodigoEscrit;
  std::string FOmitirContaContabil;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  TnClientDataSet* FCdsCfgConta = nullptr;
  TnClientDataSet* FCdsCaixas = nullptr;
  TnClientDataSet* FCdsContas = nullptr;  // the data module's
  TnClientDataSet* FCdsEmpresa = nullptr;
  std::unique_ptr<TnMapperContas> FMapperContas;
  std::unique_ptr<TnMapperEmpresas> FMapperEmpresas;
  std::unique_ptr<TnMapperCaixas> FMapperCaixas;
  bool FEhRelMovCaixa = false;
  bool FEhContinuacao = false;
  int FMovimento = 0;
  TnTipoOrdenacaoMoviCaixa FOrdenar = tpDataCaixa;
  double FTotalGeralEntradas = 0;
  double FTotalGeralSaidas = 0;
  double FTotalGeralSaldo = 0;
  TDivisorTexto FDivisorTexto;
};

}  // namespace vireo
