#include "host/biz/balance/plan_tree.h"

namespace vireo::biz {

namespace {

double Money(int64_t cents) { return static_cast<double>(cents) / 100.0; }

}  // namespace

ItemFigures ItemFigures::Of(int64_t before, int64_t debit, int64_t credit, int64_t period_shares) {
  ItemFigures out;
  out.figures.before = before;
  out.figures.debit = debit;
  out.figures.credit = credit;
  out.figures.movement = credit - debit;
  out.period_shares = period_shares;
  return out;
}

void ItemFigures::Add(const ItemFigures& other) {
  figures.Add(other.figures);
  period_shares += other.period_shares;
}

PlanShape::PlanShape(const ChartOfAccounts& plan) : plan_(plan) {
  const std::vector<ChartAccount>& items = plan.Accounts();
  const int size = static_cast<int>(items.size());
  // The plan sorts the empty classifications first, by code; they go last.
  for (int i = 0; i < size; ++i)
    if (!items[i].classification.empty()) order_.push_back(i);
  for (int i = 0; i < size; ++i)
    if (items[i].classification.empty()) order_.push_back(i);

  rank_.assign(size, 0);
  parent_.assign(size, -1);
  // In classification order an item's ancestors come before it and every
  // item between an ancestor and it extends the ancestor too, so the
  // synthetic items still open form a stack.
  std::vector<int> open;
  for (int r = 0; r < size; ++r) {
    const int i = order_[r];
    rank_[i] = r;
    const std::string& classification = items[i].classification;
    if (classification.empty()) continue;
    while (!open.empty() && !IsBelow(items[open.back()].classification, classification)) {
      open.pop_back();
    }
    if (!open.empty()) parent_[i] = open.back();
    if (items[i].synthetic) open.push_back(i);
  }
}

PlanNode::PlanNode(const ChartAccount& item, const ItemFigures& figures)
    : code_(item.code),
      description_(item.description),
      classification_(item.classification),
      synthetic_(item.synthetic),
      figures_(figures.figures) {}

double PlanNode::SaldoAnterior() const { return Money(figures_.before); }
double PlanNode::Debito() const { return Money(figures_.debit); }
double PlanNode::Credito() const { return Money(figures_.credit); }
double PlanNode::SaldoAtual() const { return Money(figures_.Closing()); }

PlanTree::PlanTree(const PlanShape& shape, const std::unordered_map<int, ItemFigures>& analytic) {
  const std::vector<ChartAccount>& items = shape.Plan().Accounts();
  std::vector<ItemFigures> sums(items.size());
  std::vector<bool> shown(items.size(), false);
  for (const auto& [position, figures] : analytic) {
    shown[position] = true;
    sums[position] = figures;
  }
  // Children come after their parent: walking backwards, every item has
  // all of its own sum before it adds it to its parent.
  const std::vector<int>& order = shape.Order();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const int parent = shape.Parent(*it);
    if (!shown[*it] || parent < 0) continue;
    shown[parent] = true;
    sums[parent].Add(sums[*it]);
  }
  nodes_.emplace_back();
  std::vector<PlanNode*> node_of(items.size(), nullptr);
  for (int position : order) {
    if (!shown[position]) continue;
    PlanNode* node = &nodes_.emplace_back(items[position], sums[position]);
    node_of[position] = node;
    const int parent = shape.Parent(position);
    (parent < 0 ? Root() : node_of[parent])->AddChild(node);
  }
}

}  // namespace vireo::biz
