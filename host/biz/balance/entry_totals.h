// Totals of the cash entries (FPRCAIXA) per company, account and kind of
// movement, summed by the database: the figures the account balances are
// made of.  Entries are never fetched one by one.
//
// The entries counted are exactly those the ledger lists for the same
// choices: joined with their settlement rows (FPRACERTOCX) and standard
// history (FPRHISTORICO) the way the ledger's entry query joins them, so an
// entry listed twice by the ledger counts twice here, and one the ledger
// cannot list (its standard history is missing) is reported apart.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/core/datetime.h"

namespace vireo {
class TField;
}

namespace vireo::biz {

struct EntryQuery {
  TDateTime first_day = 0;
  TDateTime last_day = 0;
  bool opening = true;         // also sum the entries before first_day
  bool cash_movement = false;  // only entries of settlements (origin 1 or 2)
  std::string companies;       // selection; empty for all
  std::string accounts;        // selection; empty for all
  std::string origins_out;     // selection of entry origins left out
};

struct EntryTotal {
  int64_t company = 0;
  int64_t account = 0;
  int kind = 0;         // low byte of TIPOMOVCAIXA (null read as 0): 1 inflow, 255 outflow
  bool listed = true;   // false: the standard history is missing
  int64_t before = 0;   // cents, entries before first_day
  int64_t period = 0;   // cents, entries from first_day to last_day
  int64_t entries = 0;  // number of entry rows summed
};

// " and not (<column> in the selection) ", or nothing for an empty selection:
// the condition that leaves out the entries of the selected origins.
std::string OriginsLeftOut(const std::string& column, const std::string& origins_out);

// The SQL text, with the markers :pDataInicial and :pDataFinal.
std::string EntryTotalsSQL(const EntryQuery& query);
// Runs it on the current connection.
std::vector<EntryTotal> LoadEntryTotals(const EntryQuery& query);

// A sum read from the database, in whole cents.
int64_t Cents(const TField* field);

}  // namespace vireo::biz
