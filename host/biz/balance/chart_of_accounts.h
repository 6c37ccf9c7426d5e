// The financial chart of accounts (FPRCONTA) as the balance entities see it:
// every account with its place in the tree, its modality, the company it
// belongs to and the balance nature of its top-level group (FPRCFGCONTA).
// The cost-centre plan (FPRCENTROCUSTO, FPRCFGCENTROCUSTO) has the same
// shape and loads into the same class; its items have no modality and no
// company.
//
// The nature decides how a cash entry moves a balance, the same way the
// ledger walks its entries: an entry whose kind of movement (1 inflow,
// -1 outflow) equals the nature of the account's group adds, any other
// subtracts.  The ledger reads the nature of the group named by the first
// character of the classification from the first configuration row, so the
// chart does too; the account's own NATURSALDO column is not used.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/biz/balance/notes.h"

namespace vireo::biz {

struct ChartAccount {
  int64_t code = 0;
  bool synthetic = false;      // TIPOCONTA 1
  std::string classification;  // trimmed
  std::string description;     // trimmed
  int modality = 0;            // MODALIDADECONTA, null read as 0 (ordinary)
  int64_t company = 0;         // CODIGOESCRITORIO; 0 for every company
  int group = 0;               // first digit of the classification; 0 when none
  int nature = 0;              // NATURGRUPOn of the group; 0 when unknown
  bool nature_known = false;   // the group exists and its nature is set
};

// Whether `classification` lies below `ancestor` in the tree: it extends it,
// and at a segment boundary when the classification has separators
// ("1.1" is above "1.1.01" but not above "1.10.01").
bool IsBelow(const std::string& ancestor, const std::string& classification);

// Which plan a ChartOfAccounts holds.
enum class PlanKind { kAccounts, kCostCentres };

class ChartOfAccounts {
 public:
  // Reads the chart and the group natures through the current connection.
  // Accounts whose group has no nature get nature 0: every entry then
  // subtracts, as in the ledger.
  static ChartOfAccounts Load();
  // Reads the cost-centre plan and its group natures the same way.
  static ChartOfAccounts LoadCostCentres();
  // For tests: a chart from rows, natures by group digit (index 1 to 9;
  // 0 for a group without nature).
  ChartOfAccounts(std::vector<ChartAccount> accounts, const int (&natures)[10]);

  // Whether the configuration table has a row at all.
  bool Configured() const { return configured_; }
  PlanKind Kind() const { return kind_; }

  // In classification order (ties by code).
  const std::vector<ChartAccount>& Accounts() const { return accounts_; }
  // Position of the account in Accounts(), -1 when the chart has no such code.
  int IndexOf(int64_t code) const;
  // Positions of the analytic accounts below the synthetic account at `index`.
  const std::vector<int>& AnalyticsBelow(int index) const { return below_[index]; }

 private:
  ChartOfAccounts() = default;
  static ChartOfAccounts Load(PlanKind kind);
  void Index();

  std::vector<ChartAccount> accounts_;
  std::unordered_map<int64_t, int> by_code_;
  std::vector<std::vector<int>> below_;  // per account; empty for analytic ones
  bool configured_ = false;
  PlanKind kind_ = PlanKind::kAccounts;
};

// Notes an account whose group gives no nature (the configuration lacks it,
// or the classification names no group); nothing when there is no
// configuration at all, which is noted once for the whole chart.
void NoteUnknownNature(const ChartOfAccounts& chart, const ChartAccount& account, Notes& notes);

// Which analytic accounts a selection text (pCodigoConta syntax) picks: every
// one when it is empty; otherwise those named or inside a range, and all the
// analytic accounts below a synthetic account that is picked.  A single code
// that is not in the chart, or a range with no account, is noted.  The same
// for the cost centres of a cost-centre plan.
std::vector<bool> ChosenAnalytics(const ChartOfAccounts& chart, const std::string& selection,
                                  const std::string& param_name, Notes& notes);

// The shortest selection text naming exactly these codes ("1..4;7").
std::string SelectionOf(std::vector<int64_t> codes);

}  // namespace vireo::biz
