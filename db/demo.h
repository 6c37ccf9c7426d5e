// Demo data for `vireo demo`, benchmarks and manual checks: a deterministic
// set of companies, banks, persons, users, charts of accounts, cost centres
// and configuration, the base that the demo's movements build on.
//
// The same options always give the same rows: the generator draws from its
// own seeded random sequence and never looks at the clock.
#pragma once

#include <cstdint>
#include <vector>

#include "db/demo_accounting.h"
#include "host/data/connection.h"

namespace vireo {

struct DemoOptions {
  int scale = 1;              // multiplies the volumes (persons, accounts, ...)
  uint32_t seed = 20240531u;  // another seed gives other names and numbers
};

// What the generator wrote, for messages and checks.
struct DemoSummary {
  int companies = 0;
  int persons = 0;  // companies included
  int accounts = 0;
  int cost_centres = 0;
  int rows = 0;  // every row inserted
  // Faults planted in the generated accounting entries, in the order planted.
  std::vector<DemoAccountingFault> accounting_faults;
};

// Fills a database that holds the schema and no demo data yet, in one
// transaction.  Raises Exception for a scale below 1 or a database that
// already has companies; database errors leave nothing written.
DemoSummary GenerateDemo(TnConnection& connection, const DemoOptions& options = {});

}  // namespace vireo
