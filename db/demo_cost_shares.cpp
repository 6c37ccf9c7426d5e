// Cost-centre shares (FPRCAIXACUSTO) of the demo's cash book: the revenue
// leg of every receipt and the expense leg of every payment and of the
// salaries go to one, two or three analytic cost centres (of the few each
// account of a company is charged to), the shares adding
// up to the entry's amount, each share's nature the entry's kind of
// movement.  Now and then a share is a reversal: a negative amount that
// moves part of the entry from one cost centre to the others.  Transfers,
// bank fees, yields and till reimbursements are not apportioned.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "db/demo_context.h"

namespace vireo::demo {

namespace {

// Added to the demo seed: this step draws from a sequence of its own, so
// the data of the steps before it stays as it was.
const uint64_t kSeedOffset = 0xC05757A1u;
const int kReversalPercent = 3;

const size_t kCentresPerAccount = 6;

// The cost centres an account's entries go to: a few of its own, drawn the
// first time the account is apportioned, as a company charges each kind of
// revenue or expense to the same departments month after month.
class CentrePools {
 public:
  CentrePools(DemoRandom& random, const std::vector<int>& centres)
      : random_(random), centres_(centres) {}

  const std::vector<int>& Of(int company, int account) {
    std::vector<int>& pool = pools_[{company, account}];
    if (pool.empty()) pool = Distinct(std::min(kCentresPerAccount, centres_.size()), centres_);
    return pool;
  }

  // 1 to 3 distinct cost centres of the pool.
  std::vector<int> Pick(const std::vector<int>& pool) {
    const int roll = random_.Between(1, 100);
    return Distinct(std::min<size_t>(roll <= 50 ? 1 : roll <= 85 ? 2 : 3, pool.size()), pool);
  }

 private:
  std::vector<int> Distinct(size_t wanted, const std::vector<int>& from) {
    std::vector<int> picked;
    while (picked.size() < wanted) {
      const int centre = from[random_.Between(0, static_cast<int>(from.size()) - 1)];
      if (std::find(picked.begin(), picked.end(), centre) == picked.end()) picked.push_back(centre);
    }
    return picked;
  }

  DemoRandom& random_;
  const std::vector<int>& centres_;
  std::map<std::pair<int, int>, std::vector<int>> pools_;
};

// `total` cents cut into `parts` positive pieces.
std::vector<int64_t> Split(DemoRandom& random, int64_t total, size_t parts) {
  std::vector<int64_t> pieces;
  int64_t left = total;
  for (size_t i = 1; i < parts; ++i) {
    const int64_t piece = std::max<int64_t>(1, left * random.Between(20, 70) / 100);
    pieces.push_back(piece);
    left -= piece;
  }
  pieces.push_back(left);
  return pieces;
}

// The amounts of the shares, in cents, adding up to the entry's.
std::vector<int64_t> Shares(DemoRandom& random, int64_t amount, size_t centres) {
  if (centres >= 2 && amount > 100 && random.Chance(kReversalPercent)) {
    const int64_t reversed = std::max<int64_t>(1, amount * random.Between(5, 30) / 100);
    std::vector<int64_t> shares = Split(random, amount + reversed, centres - 1);
    shares.push_back(-reversed);
    return shares;
  }
  return Split(random, amount, centres);
}

}  // namespace

void GenerateCostShares(DemoContext& context) {
  DemoRandom random(context.Seed() + kSeedOffset);
  const std::vector<int>& centres = context.Ids().cost_centres;
  if (centres.empty()) return;
  TableWriter& shares = context.Table(
      "FPRCAIXACUSTO",
      {"CODIGOESCRIT", "CODIGOCAIXA", "CODIGOCENTROCUSTO", "VALORCUSTO", "NATURLCTOCUSTO"});
  CentrePools pools(random, centres);
  for (const DemoCashLeg& leg : context.Ids().apportionable) {
    const int64_t amount = std::llround(leg.value * 100.0);
    const std::vector<int> picked = pools.Pick(pools.Of(leg.company, leg.account));
    const std::vector<int64_t> values = Shares(random, amount, picked.size());
    for (size_t i = 0; i < picked.size(); ++i) {
      shares.Insert(
          {leg.company, leg.code, picked[i], static_cast<double>(values[i]) / 100.0, leg.kind});
    }
  }
}

}  // namespace vireo::demo
