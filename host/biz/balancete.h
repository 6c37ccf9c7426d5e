// TnBalancete: the balance entity of the cost-centre reports.  It crosses
// the chart of accounts (FPRCONTA) with the cost-centre plan
// (FPRCENTROCUSTO) over the cost-centre shares of the cash entries
// (FPRCAIXACUSTO joined to FPRCAIXA): for every pair of an account and a
// cost centre that a selected share dated up to the final date charges, the
// opening balance, the period's debits and credits and the closing balance.
//
// Set the inputs, call ProcessarDados, then read the trees and lists; the
// entity owns every result, valid until the next ProcessarDados or its end.
//
// Figures: a share's signed amount is VALORCUSTO x NATURLCTOCUSTO x -1 (a
// debit share lowers the balance; natures other than 1 and -1 count zero).
// Opening = signed sum before the initial date; debits = VALORCUSTO of the
// period's nature-1 shares, credits of the nature -1 ones (a negative value
// lowers its side); closing = opening - debits + credits.
//
// Kinds (TnTipoMescla): 1 cost centres, each with the accounts it was
// charged to; 2 accounts, each with their cost centres; 3 one account tree
// per cost centre; any other value works as 2.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/biz/plano_item.h"
#include "host/core/datetime.h"
#include "host/core/export.h"

namespace vireo {

// How the two plans are crossed.
using TnTipoMescla = std::uint8_t;
inline constexpr TnTipoMescla kMesclaCentroConta = 1;  // cost centres with their accounts
inline constexpr TnTipoMescla kMesclaContaCentro = 2;  // accounts with their cost centres
inline constexpr TnTipoMescla kMesclaPorCentro = 3;    // an account tree per cost centre

// One detail item under a header item: a cost centre of an account (kind 2)
// or an account of a cost centre (kind 1), with the pair's figures.
struct VIREO_API TnItensAnalitico {
  int64_t CodigoCabecalho = 0;  // the header item's code
  int64_t Codigo = 0;           // the detail item's code
  std::string Descricao;
  std::string Classificacao;
  double SaldoAnterior = 0;
  double Debito = 0;
  double Credito = 0;
  double SaldoAtual = 0;
};

using TnListaAnalitica = std::vector<TnItensAnalitico>;

// A cost centre of kind 3 with the account tree of its shares.
struct VIREO_API TnItensFilial {
  int64_t CodigoCentroCusto = 0;
  std::string DescrCentroCusto;
  IPlanoItem* Plano = nullptr;  // root: its children are the top-level accounts
};

class VIREO_API TnBalancete {
 public:
  TnBalancete();
  ~TnBalancete();
  TnBalancete(const TnBalancete&) = delete;
  TnBalancete& operator=(const TnBalancete&) = delete;

  // Inputs.  Not set: company 0, empty selections, no origin filter, both
  // options off.
  void SetCodigoEscrit(int64_t codigo);  // 0 or below: every company together
  void SetCodigoConta(const std::string& selecao);
  void SetTipoMescla(TnTipoMescla tipo);
  void SetDataInicial(TDateTime data);
  void SetDataFinal(TDateTime data);
  void SetOrigemDados(const std::string& origens);  // origins whose entries are left out
  // Also pairs and items with zero opening balance and no share in the period.
  void SetImpSaldoZero(bool valor);
  // Kind 2: also the analytic accounts of the selection with cash entries
  // but no share up to the final date (zero figures, empty list).
  void SetListaContaSemRateio(bool valor);
  void SetCodigoCentroCusto(const std::string& selecao);

  // Raises EnParam for a selection outside the syntax, before any query;
  // database errors pass on.
  void ProcessarDados();

  // Kinds 1 and 2: header items with a non-empty list plus their detail
  // items; kind 3: cost centres plus the account items of their trees.
  int TotalItens() const;
  // Roots of the trees; their children are the top-level items.
  IPlanoItem* PlanoContas() const;
  IPlanoItem* PlanoCentrosCusto() const;
  // Kind 3: the cost centres with something to show, in the plan's order;
  // null when there is none.
  const std::vector<TnItensFilial>* ListaFilial() const;
  // The detail items of a header item (kind 1 a cost centre, kind 2 an
  // account) in the detail plan's order; empty for a synthetic item, an
  // unknown code or before ProcessarDados.
  const TnListaAnalitica& RetornaListaAnalitica(double codigo) const;

 private:
  struct VIREO_LOCAL Resultado;

  int64_t FCodigoEscrit = 0;
  std::string FCodigoConta;
  TnTipoMescla FTipoMescla = 0;  // works as kMesclaContaCentro
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  std::string FOrigemDados;
  bool FImpSaldoZero = false;
  bool FListaContaSemRateio = false;
  std::string FCodigoCentroCusto;
  std::unique_ptr<Resultado> FResultado;
};

}  // namespace vireo
