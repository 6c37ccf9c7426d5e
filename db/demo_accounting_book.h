// The writer of the demo's generated accounting entries: it numbers the
// entries of each company, writes their cost-centre allocations, and plants
// the faults of DemoAccountingFault on the documents and entries whose turn
// it is (demo_accounting_book.cpp).  The documents themselves are made in
// demo_accounting.cpp.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "db/demo_context.h"

namespace vireo::demo {

// Accounts of the accounting chart (PLANOESPEC, demo_ledger.cpp).
enum LedgerAccount {
  kCaixa = 11,
  kBancos = 12,
  kAplicacoes = 13,
  kDuplicatas = 14,
  kAdiantamentos = 15,
  kImobilizado = 16,
  kFornecedores = 21,
  kSalariosPagar = 22,
  kImpostosRecolher = 23,
  kReceitaServicos = 31,
  kReceitaVendas = 32,
  kReceitasFinanceiras = 33,
  kDespesasPessoal = 41,
  kDespesasAdministrativas = 42,
  kDespesasComerciais = 43,
  kDespesasFinanceiras = 44,
  kDescontosConcedidos = 45,
  kImpostosTaxas = 46,
  kJurosPagos = 47,
};

// Revenue and expense accounts carry cost-centre allocations.
inline bool IsResultAccount(int account) { return account >= kReceitaServicos; }

// The kinds of generated documents: the nine origin kinds, receivables once
// per product kind's table.
enum DocumentVariant {
  kCommercialReceivable,  // origin 0, CONTARECEBER (product kind 0)
  kFinancialReceivable,   // origin 0, FPRCONTARECEBERCAB (product kind 2)
  kPayable,               // origin 1
  kReceiptSettlement,     // origin 2, purpose 1
  kPaymentSettlement,     // origin 3, purpose 2
  kMovementSettlement,    // origin 4, purpose 3
  kServiceNote,           // origin 5
  kSale,                  // origin 6
  kWorksBudget,           // origin 7
  kPurchaseNote,          // origin 8
  kVariants
};

// One entry: a debit account, a credit account or both (0 for none).
struct EntryLine {
  int debit = 0;
  int credit = 0;
  double value = 0;
  std::string history;
};

struct LedgerDocument {
  DocumentVariant variant = kPayable;
  std::string identifier;  // the document's code as the checks show it
  TDateTime date = 0;
  std::vector<EntryLine> lines;
};

// Months of generated entries: January 2025 to June 2026.
inline constexpr int kAccountingFirstYear = 2025;
inline constexpr int kAccountingMonths = 18;

class AccountingBook {
 public:
  explicit AccountingBook(DemoContext& context);

  // Writes the document's entries and allocations; `link` writes the row
  // that ties an entry (by its FPRCHAVELCTOCTB) to the document.  `month`
  // (0 = January 2025) and the company's position pick the faults due.
  void Post(DemoCompany& company, int month, LedgerDocument document,
            const std::function<void(int entry)>& link);

 private:
  using Slot = std::pair<int, int>;  // company position, month

  void PlanFaults();
  int Position(const DemoCompany& company) const;
  void Unbalance(LedgerDocument& document);
  void Allocate(const DemoCompany& company, int month, const LedgerDocument& document, int entry,
                const EntryLine& line);
  void WriteAllocations(const DemoCompany& company, int entry, int nature, double total);
  void Record(DemoAccountingFault::Kind kind, const DemoCompany& company,
              const LedgerDocument& document, int entry);
  int User();
  int DataOrigin();

  DemoContext& context_;
  DemoRandom& random_;
  TableWriter& entries_;
  TableWriter& allocations_;
  // Faults still to plant: unbalanced documents by slot and variant, and
  // allocation faults by slot, in the order they are to be taken.
  std::map<std::pair<Slot, int>, int> unbalanced_;
  std::map<Slot, std::vector<DemoAccountingFault::Kind>> allocation_faults_;
};

}  // namespace vireo::demo
