// Totals of the cost-centre shares of the cash entries (FPRCAIXACUSTO joined
// to FPRCAIXA) per account and cost centre, summed by the database: what the
// cost-centre balances are made of.  Shares are never fetched one by one.
//
// A share's signed amount is VALORCUSTO x NATURLCTOCUSTO x -1: a debit share
// (nature 1) lowers the balance, a credit share (-1) raises it, any other
// nature counts zero.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/core/datetime.h"

namespace vireo::biz {

// How the shares meet their entries: a lookup of each share's entry by its
// key, or the entries hashed once (the join on expressions keeps the
// database off the key), which is what kAuto takes.
enum class ShareJoin { kAuto, kKeyLookup, kHash };

struct ShareQuery {
  TDateTime first_day = 0;
  TDateTime last_day = 0;   // shares dated up to here, both days included
  int64_t company = 0;      // 0 or below: every company together
  std::string origins_out;  // selection of entry origins left out
  ShareJoin join = ShareJoin::kAuto;
};

struct ShareTotal {
  int64_t account = 0;        // CODIGOCONTA of the entry
  int64_t centre = 0;         // CODIGOCENTROCUSTO of the share
  int64_t before = 0;         // cents: signed sum of the shares before first_day
  int64_t debit = 0;          // cents: VALORCUSTO of the period's nature-1 shares
  int64_t credit = 0;         // cents: VALORCUSTO of the period's nature -1 shares
  int64_t period_shares = 0;  // shares of the period, of any nature
};

// The SQL texts, with the markers :pDataInicial and :pDataFinal.
std::string ShareTotalsSQL(const ShareQuery& query);
std::vector<ShareTotal> LoadShareTotals(const ShareQuery& query);

// Accounts with cash entries up to the last day (company and origins as
// in the query), apportioned or not.
std::string AccountsWithEntriesSQL(const ShareQuery& query);
std::vector<int64_t> LoadAccountsWithEntries(const ShareQuery& query);

}  // namespace vireo::biz
