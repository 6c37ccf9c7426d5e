#include "host/biz/balancete.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

#include "host/biz/balance/chart_of_accounts.h"
#include "host/biz/balance/cost_shares.h"
#include "host/biz/balance/plan_tree.h"
#include "host/data/selection.h"

namespace vireo {

using biz::ChartOfAccounts;
using biz::ItemFigures;
using biz::PlanShape;
using biz::PlanTree;

namespace {

// An account and a cost centre (plan positions) with the figures of their
// shares.
struct Pair {
  int account = 0;
  int centre = 0;
  ItemFigures figures;
};

using FiguresByPosition = std::unordered_map<int, ItemFigures>;

double Money(int64_t cents) { return static_cast<double>(cents) / 100.0; }

// The shares inside both selections, one pair per account and cost centre;
// `with_share` marks the accounts any of them reached.
std::vector<Pair> SelectedPairs(const std::vector<biz::ShareTotal>& totals,
                                const ChartOfAccounts& accounts,
                                const std::vector<bool>& accounts_in,
                                const ChartOfAccounts& centres, const std::vector<bool>& centres_in,
                                std::vector<bool>& with_share) {
  std::vector<Pair> pairs;
  with_share.assign(accounts.Accounts().size(), false);
  for (const biz::ShareTotal& total : totals) {
    const int account = accounts.IndexOf(total.account);
    const int centre = centres.IndexOf(total.centre);
    if (account < 0 || centre < 0 || !accounts_in[account] || !centres_in[centre]) continue;
    with_share[account] = true;
    pairs.push_back(
        {account, centre,
         ItemFigures::Of(total.before, total.debit, total.credit, total.period_shares)});
  }
  return pairs;
}

FiguresByPosition SumBy(const std::vector<Pair>& pairs, int Pair::*key) {
  FiguresByPosition sums;
  for (const Pair& pair : pairs) sums[pair.*key].Add(pair.figures);
  return sums;
}

}  // namespace

struct TnBalancete::Resultado {
  Resultado() : contas(ChartOfAccounts::Load()), centros(ChartOfAccounts::LoadCostCentres()) {}

  ChartOfAccounts contas;
  ChartOfAccounts centros;
  std::unique_ptr<PlanShape> forma_contas;
  std::unique_ptr<PlanShape> forma_centros;
  std::unique_ptr<PlanTree> arvore_contas;
  std::unique_ptr<PlanTree> arvore_centros;
  std::vector<std::unique_ptr<PlanTree>> arvores_filiais;
  std::vector<TnItensFilial> filiais;
  std::unordered_map<int64_t, TnListaAnalitica> listas;
  int total = 0;

  // The detail list of each header item, in the detail plan's order.
  void MontarListas(std::vector<Pair> pairs, bool por_centro) {
    const ChartOfAccounts& cabecalho = por_centro ? centros : contas;
    const ChartOfAccounts& detalhe = por_centro ? contas : centros;
    const PlanShape& forma = por_centro ? *forma_contas : *forma_centros;
    int Pair::*chave = por_centro ? &Pair::centre : &Pair::account;
    int Pair::*item = por_centro ? &Pair::account : &Pair::centre;
    std::sort(pairs.begin(), pairs.end(), [&](const Pair& a, const Pair& b) {
      return forma.Rank(a.*item) < forma.Rank(b.*item);
    });
    for (const Pair& pair : pairs) {
      const biz::ChartAccount& dono = cabecalho.Accounts()[pair.*chave];
      const biz::ChartAccount& det = detalhe.Accounts()[pair.*item];
      const biz::BalanceFigures& f = pair.figures.figures;
      listas[dono.code].push_back({dono.code, det.code, det.description, det.classification,
                                   Money(f.before), Money(f.debit), Money(f.credit),
                                   Money(f.Closing())});
    }
    for (const auto& [codigo, lista] : listas) total += 1 + static_cast<int>(lista.size());
  }

  // Kind 3: per cost centre, in the plan's order, the account tree of its
  // pairs.
  void MontarFiliais(const std::vector<Pair>& pairs) {
    std::map<int, FiguresByPosition> por_centro;  // by rank of the cost centre
    for (const Pair& pair : pairs) {
      por_centro[forma_centros->Rank(pair.centre)][pair.account].Add(pair.figures);
    }
    for (const auto& [rank, figuras] : por_centro) {
      const biz::ChartAccount& centro = centros.Accounts()[forma_centros->Order()[rank]];
      arvores_filiais.push_back(std::make_unique<PlanTree>(*forma_contas, figuras));
      PlanTree& arvore = *arvores_filiais.back();
      filiais.push_back({centro.code, centro.description, arvore.Root()});
      total += 1 + arvore.Count();
    }
  }
};

TnBalancete::TnBalancete() = default;
TnBalancete::~TnBalancete() = default;

void TnBalancete::SetCodigoEscrit(int64_t codigo) { FCodigoEscrit = codigo; }
void TnBalancete::SetCodigoConta(const std::string& selecao) { FCodigoConta = selecao; }
void TnBalancete::SetTipoMescla(TnTipoMescla tipo) { FTipoMescla = tipo; }
void TnBalancete::SetDataInicial(TDateTime data) { FDataInicial = data; }
void TnBalancete::SetDataFinal(TDateTime data) { FDataFinal = data; }
void TnBalancete::SetOrigemDados(const std::string& origens) { FOrigemDados = origens; }
void TnBalancete::SetImpSaldoZero(bool valor) { FImpSaldoZero = valor; }
void TnBalancete::SetListaContaSemRateio(bool valor) { FListaContaSemRateio = valor; }
void TnBalancete::SetCodigoCentroCusto(const std::string& selecao) { FCodigoCentroCusto = selecao; }

void TnBalancete::ProcessarDados() {
  FResultado.reset();
  // Every selection is read before the first query.
  ParseSelection(FCodigoConta, "pCodigoConta");
  ParseSelection(FCodigoCentroCusto, "pCodigoCentroCusto");
  ParseSelection(FOrigemDados, "pOrigemDados");

  auto r = std::make_unique<Resultado>();
  biz::Notes notas;  // unknown codes of a selection just select nothing
  const std::vector<bool> contas_sel =
      biz::ChosenAnalytics(r->contas, FCodigoConta, "pCodigoConta", notas);
  const std::vector<bool> centros_sel =
      biz::ChosenAnalytics(r->centros, FCodigoCentroCusto, "pCodigoCentroCusto", notas);
  const biz::ShareQuery consulta{FDataInicial, FDataFinal, FCodigoEscrit, FOrigemDados};

  std::vector<bool> com_rateio;
  std::vector<Pair> pares = SelectedPairs(biz::LoadShareTotals(consulta), r->contas, contas_sel,
                                          r->centros, centros_sel, com_rateio);
  if (!FImpSaldoZero) {
    std::erase_if(pares, [](const Pair& pair) { return pair.figures.Idle(); });
  }

  r->forma_contas = std::make_unique<PlanShape>(r->contas);
  r->forma_centros = std::make_unique<PlanShape>(r->centros);
  FiguresByPosition por_conta = SumBy(pares, &Pair::account);
  const bool por_centro = FTipoMescla == kMesclaCentroConta;
  const bool filiais = FTipoMescla == kMesclaPorCentro;
  if (FListaContaSemRateio && !por_centro && !filiais) {
    for (int64_t codigo : biz::LoadAccountsWithEntries(consulta)) {
      const int conta = r->contas.IndexOf(codigo);
      if (conta >= 0 && contas_sel[conta] && !com_rateio[conta]) por_conta[conta];
    }
  }
  r->arvore_contas = std::make_unique<PlanTree>(*r->forma_contas, por_conta);
  r->arvore_centros = std::make_unique<PlanTree>(*r->forma_centros, SumBy(pares, &Pair::centre));
  if (filiais) {
    r->MontarFiliais(pares);
  } else {
    r->MontarListas(std::move(pares), por_centro);
  }
  FResultado = std::move(r);
}

int TnBalancete::TotalItens() const { return FResultado ? FResultado->total : 0; }

IPlanoItem* TnBalancete::PlanoContas() const {
  return FResultado ? FResultado->arvore_contas->Root() : nullptr;
}

IPlanoItem* TnBalancete::PlanoCentrosCusto() const {
  return FResultado ? FResultado->arvore_centros->Root() : nullptr;
}

const std::vector<TnItensFilial>* TnBalancete::ListaFilial() const {
  if (!FResultado || FResultado->filiais.empty()) return nullptr;
  return &FResultado->filiais;
}

const TnListaAnalitica& TnBalancete::RetornaListaAnalitica(double codigo) const {
  static const TnListaAnalitica kVazia;
  if (!FResultado) return kVazia;
  const auto it = FResultado->listas.find(std::llround(codigo));
  return it == FResultado->listas.end() ? kVazia : it->second;
}

}  // namespace vireo
