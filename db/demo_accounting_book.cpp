#include "db/demo_accounting_book.h"

#include <algorithm>
#include <cmath>

namespace vireo::demo {

namespace {

// ORIGEMDADO of an entry: how it came to be.
enum DataOrigin { kAutomatic = 1, kTyped = 2, kImported = 3 };
// FPRLCTOGER.NATURLCTOCTB: the side of the entry an allocation splits.
enum Nature { kDebitSide = 1, kCreditSide = -1 };

int OriginOf(DocumentVariant variant) {
  return variant <= kFinancialReceivable ? 0 : static_cast<int>(variant) - 1;
}

int ProductOf(DocumentVariant variant) {
  if (variant == kCommercialReceivable) return 0;
  if (variant == kFinancialReceivable) return 2;
  return -1;
}

Variant AccountValue(int account) { return account != 0 ? Variant(account) : Variant(); }

}  // namespace

AccountingBook::AccountingBook(DemoContext& context)
    : context_(context),
      random_(context.Random()),
      entries_(context.Table(
          "FPRLCTOCTB",
          {"CODIGOESCRIT", "FPRCHAVELCTOCTB", "CODIGOEMPRESA", "DATALCTOCTB", "VALORLCTOCTB",
           "CONTACTBDEB", "CONTACTBCRED", "HISTORICOLCTOCTB", "CODIGOUSUARIO", "ORIGEMDADO"})),
      allocations_(context.Table("FPRLCTOGER", {"CODIGOESCRIT", "FPRCHAVELCTOCTB", "NATURLCTOCTB",
                                                "CODIGOCENTROCUSTO", "VALORLCTOGER"})) {
  PlanFaults();
}

// Ten unbalanced documents and three entries of each allocation fault per
// unit of scale, spread over the companies, the months and (for the
// documents) every kind of document in turn.
void AccountingBook::PlanFaults() {
  const int companies = static_cast<int>(context_.Ids().companies.size());
  if (companies == 0) return;
  for (int f = 0; f < kVariants * context_.Scale(); ++f) {
    const Slot slot{f % companies, (7 * f + 1) % kAccountingMonths};
    ++unbalanced_[{slot, f % kVariants}];
  }
  for (int g = 0; g < 3 * context_.Scale(); ++g) {
    allocation_faults_[{g % companies, (5 * g + 2) % kAccountingMonths}].push_back(
        DemoAccountingFault::kAllocationMismatch);
    allocation_faults_[{g % companies, (5 * g + 9) % kAccountingMonths}].push_back(
        DemoAccountingFault::kMissingAllocation);
  }
}

int AccountingBook::Position(const DemoCompany& company) const {
  const std::vector<DemoCompany>& all = context_.Ids().companies;
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i].code == company.code) return static_cast<int>(i);
  }
  return -1;
}

void AccountingBook::Post(DemoCompany& company, int month, LedgerDocument document,
                          const std::function<void(int entry)>& link) {
  auto due = unbalanced_.find({{Position(company), month}, document.variant});
  if (due != unbalanced_.end() && due->second > 0) {
    --due->second;
    Unbalance(document);
    Record(DemoAccountingFault::kUnbalancedDocument, company, document, 0);
  }
  const int user = User();
  const int origin = DataOrigin();
  for (const EntryLine& line : document.lines) {
    const int entry = ++company.last_ledger_entry;
    entries_.Insert({company.code, entry, company.code, Variant::FromDateTime(document.date),
                     line.value, AccountValue(line.debit), AccountValue(line.credit), line.history,
                     user, origin});
    link(entry);
    Allocate(company, month, document, entry, line);
  }
}

// The last entry with both accounts loses its balance-sheet side (the
// revenue or expense side keeps its allocations); a document of one-sided
// entries gets a stray debit instead.
void AccountingBook::Unbalance(LedgerDocument& document) {
  for (auto line = document.lines.rbegin(); line != document.lines.rend(); ++line) {
    if (line->debit == 0 || line->credit == 0) continue;
    if (IsResultAccount(line->credit) && !IsResultAccount(line->debit)) {
      line->debit = 0;
    } else {
      line->credit = 0;
    }
    return;
  }
  document.lines.push_back(
      {kAdiantamentos, 0, random_.Amount(0.5, 99), "Ajuste lançado sem contrapartida"});
}

// Revenue and expense entries are split over cost centres on their result
// side, unless an allocation fault is due in the company and month.
void AccountingBook::Allocate(const DemoCompany& company, int month, const LedgerDocument& document,
                              int entry, const EntryLine& line) {
  int nature = 0;
  if (IsResultAccount(line.debit)) {
    nature = kDebitSide;
  } else if (IsResultAccount(line.credit)) {
    nature = kCreditSide;
  } else {
    return;
  }
  double total = line.value;
  auto due = allocation_faults_.find({Position(company), month});
  if (due != allocation_faults_.end() && !due->second.empty()) {
    const DemoAccountingFault::Kind kind = due->second.front();
    due->second.erase(due->second.begin());
    Record(kind, company, document, entry);
    if (kind == DemoAccountingFault::kMissingAllocation) return;
    total -= random_.Amount(0.01, std::max(0.01, std::min(50.0, line.value / 2)));
  }
  WriteAllocations(company, entry, nature, total);
}

// One to three distinct cost centres with random shares, in units of
// 0.0001 so the shares add up to the total exactly.
void AccountingBook::WriteAllocations(const DemoCompany& company, int entry, int nature,
                                      double total) {
  const std::vector<int>& centres = context_.Ids().cost_centres;
  const int count = std::min<int>(random_.Between(1, 3), static_cast<int>(centres.size()));
  std::vector<int> chosen;
  std::vector<int> weights;
  int weight_sum = 0;
  while (static_cast<int>(chosen.size()) < count) {
    const int centre = random_.Pick(std::span<const int>(centres));
    if (std::find(chosen.begin(), chosen.end(), centre) != chosen.end()) continue;
    chosen.push_back(centre);
    weights.push_back(random_.Between(1, 10));
    weight_sum += weights.back();
  }
  const int64_t units = std::llround(total * 10000);
  int64_t written = 0;
  for (size_t i = 0; i < chosen.size(); ++i) {
    const int64_t share =
        i + 1 == chosen.size() ? units - written : units * weights[i] / weight_sum;
    written += share;
    allocations_.Insert(
        {company.code, entry, nature, chosen[i], static_cast<double>(share) / 10000.0});
  }
}

void AccountingBook::Record(DemoAccountingFault::Kind kind, const DemoCompany& company,
                            const LedgerDocument& document, int entry) {
  DemoAccountingFault fault;
  fault.kind = kind;
  fault.company = company.code;
  fault.origin = OriginOf(document.variant);
  fault.product = ProductOf(document.variant);
  fault.document = document.identifier;
  fault.entry = entry;
  fault.date = document.date;
  context_.Ids().accounting_faults.push_back(fault);
}

// Most entries carry the user who posted the document; some were posted by
// the administrator (user 0, who has no row in USUARIO).
int AccountingBook::User() {
  if (random_.Chance(10)) return 0;
  return random_.Pick(std::span<const int>(context_.Ids().users));
}

int AccountingBook::DataOrigin() {
  const int draw = random_.Between(1, 100);
  if (draw <= 85) return kAutomatic;
  return draw <= 97 ? kTyped : kImported;
}

}  // namespace vireo::demo
