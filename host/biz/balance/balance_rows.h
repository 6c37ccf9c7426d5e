// The rows of the account-balance result, worked out from the chart and the
// entry totals: each analytic account's opening balance, inflows, outflows
// and movement, and each synthetic account summing the analytic accounts
// below it, in chart order, one set of rows per company or one for all.
#pragma once

#include <cstdint>
#include <vector>

#include "host/biz/balance/chart_of_accounts.h"
#include "host/biz/balance/entry_totals.h"
#include "host/biz/balance/notes.h"

namespace vireo::biz {

// Amounts in cents.
struct BalanceFigures {
  int64_t before = 0;    // opening balance
  int64_t debit = 0;     // inflows of the period
  int64_t credit = 0;    // outflows of the period
  int64_t movement = 0;  // change of the balance in the period
  bool Empty() const { return before == 0 && debit == 0 && credit == 0; }
  int64_t Closing() const { return before + movement; }
  void Add(const BalanceFigures& other);
};

struct BalanceRow {
  int64_t company = 0;  // 0 when the companies go together
  const ChartAccount* account = nullptr;
  BalanceFigures figures;
};

struct BalanceChoices {
  std::vector<bool> kept;          // per chart position: analytic accounts that may appear
  bool by_company = false;         // a set per company; else one set with code 0
  std::vector<int64_t> companies;  // selected companies that exist
  bool all_companies = true;       // no company selection was given
  bool zero_rows = false;          // also accounts without balance or movement
};

// Entries of accounts that are not kept are ignored; entries of accounts
// outside the chart, of synthetic accounts or without standard history are
// left out and noted.  A synthetic account appears when an analytic account
// below it does.  Accounts that belong to one company (CODIGOESCRITORIO)
// appear without figures only in that company's set.
std::vector<BalanceRow> BuildBalanceRows(const ChartOfAccounts& chart,
                                         const std::vector<EntryTotal>& totals,
                                         const BalanceChoices& choices, Notes& notes);

}  // namespace vireo::biz
