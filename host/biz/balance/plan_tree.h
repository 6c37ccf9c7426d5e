// A plan (chart of accounts or cost centres) as a tree of items with
// figures, the shape the balance entity hands to the reports: each item
// under the nearest synthetic item above it, in classification order (ties
// by code), items without classification at the top level after the
// classified ones.  An analytic item shows when it has figures; a synthetic
// one when an item below it shows, with the sum of the analytic items below.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/biz/balance/balance_rows.h"
#include "host/biz/balance/chart_of_accounts.h"
#include "host/biz/plano_item.h"

namespace vireo::biz {

// Figures of an item, in cents, and whether any share of the period reached
// it (a share of zero counts).
struct ItemFigures {
  BalanceFigures figures;
  int64_t period_shares = 0;

  // Opening balance, debits, credits: the closing balance is the opening
  // one less the debits plus the credits.
  static ItemFigures Of(int64_t before, int64_t debit, int64_t credit, int64_t period_shares);
  void Add(const ItemFigures& other);
  // Nothing to show when zero balances are left out.
  bool Idle() const { return figures.before == 0 && period_shares == 0; }
};

// The order of a plan's items and each one's parent, worked out once per
// plan and shared by every tree made of it.
class PlanShape {
 public:
  explicit PlanShape(const ChartOfAccounts& plan);

  const ChartOfAccounts& Plan() const { return plan_; }
  // Plan positions in tree order.
  const std::vector<int>& Order() const { return order_; }
  // Place of a plan position in tree order.
  int Rank(int position) const { return rank_[position]; }
  // Plan position of the parent, -1 for a top-level item.
  int Parent(int position) const { return parent_[position]; }

 private:
  const ChartOfAccounts& plan_;
  std::vector<int> order_;
  std::vector<int> rank_;
  std::vector<int> parent_;
};

class PlanNode final : public IPlanoItemSaldo {
 public:
  PlanNode() = default;  // the root: no item of its own
  PlanNode(const ChartAccount& item, const ItemFigures& figures);

  const TnListaPlanoItem& Filhos() const override { return children_; }
  double Codigo() const override { return static_cast<double>(code_); }
  std::string Descricao() const override { return description_; }
  std::string Classificacao() const override { return classification_; }
  bool Sintetico() const override { return synthetic_; }
  double SaldoAnterior() const override;
  double Debito() const override;
  double Credito() const override;
  double SaldoAtual() const override;

  void AddChild(PlanNode* child) { children_.Add(child); }

 private:
  TnListaPlanoItem children_;
  int64_t code_ = 0;
  std::string description_;
  std::string classification_;
  bool synthetic_ = false;
  BalanceFigures figures_;
};

class PlanTree {
 public:
  // `analytic`: figures by plan position of the analytic items that show.
  PlanTree(const PlanShape& shape, const std::unordered_map<int, ItemFigures>& analytic);
  PlanTree(const PlanTree&) = delete;
  PlanTree& operator=(const PlanTree&) = delete;

  PlanNode* Root() { return &nodes_.front(); }
  // Items of the tree, the root left out.
  int Count() const { return static_cast<int>(nodes_.size()) - 1; }

 private:
  std::deque<PlanNode> nodes_;  // the root first; a deque keeps them in place
};

}  // namespace vireo::biz
