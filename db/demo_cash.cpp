// The cash book of the demo companies (FPRCAIXA): entries on each company's
// till and bank accounts from October 2024 to June 2026, so that reports of
// the demo period (January 2025 to June 2026) find opening balances and
// movement in every month.  Receipts and payments are settlements
// (FPRACERTO) whose cash-side entry (FPRACERTOCX origin 2) moves a current
// account and whose origin-side entry (origin 1) moves a revenue or expense
// account the opposite way, which gives the cash movement report its
// counterpart accounts; transfers settle one current account against
// another; bank fees, yields and small reimbursements stand alone.
#include <string>

#include "db/demo_context.h"

namespace vireo::demo {

namespace {

// Months written: October 2024 to June 2026.
const int kFirstYear = 2024;
const int kFirstMonth = 10;
const int kMonths = 21;

// ORIGEMLCTOCAIXA: the module that made an entry.
enum Origin { kManual = 0, kPayables = 1, kReceivables = 2, kTransfers = 3, kBankFeed = 4 };

// Positions in ids.histories (the order of demo_histories.cpp).
enum HistoryIndex {
  kPaySupplier = 0,
  kReceiveCustomer = 1,
  kTransfer = 2,
  kBankFee = 3,
  kDeposit = 4,
  kWithdrawal = 5,
  kSalaries = 6,
  kYield = 9,
  kTaxes = 10,
  kCashSale = 11,
  kCashPurchase = 12,
  kReimbursement = 14,
};

enum Purpose { kReceipt = 1, kPayment = 2, kMovement = 3 };
enum Side { kOriginSide = 1, kCashSide = 2 };

// One leg of a settlement or a lone entry.
struct Leg {
  int account = 0;
  int kind = 1;  // 1 inflow, -1 outflow
  int side = 0;  // FPRACERTOCX.ORIGEMCAIXA; 0 outside any settlement
};

// What the legs of one operation share.
struct Operation {
  TDateTime date = 0;
  double value = 0;
  int history = 0;  // position in ids.histories
  int origin = kManual;
  int person = 0;
  std::string document;
  std::string text;
};

class CashBook {
 public:
  explicit CashBook(DemoContext& context)
      : context_(context),
        random_(context.Random()),
        ids_(context.Ids()),
        entries_(context.Table(
            "FPRCAIXA", {"CODIGOESCRIT", "CODIGOCAIXA", "CODIGOCONTA", "DATACAIXA", "TIPOMOVCAIXA",
                         "VALORCAIXA", "CODIGOHISTCTB", "HISTORICOCAIXA", "ORIGEMLCTOCAIXA",
                         "CODIGOPESSOAFIN", "DOCUMENTOCAIXA"})),
        settlements_(context.Table(
            "FPRACERTO", {"CODIGOESCRIT", "CODIGOACERTO", "FINALIDADEACERTO", "DATAACERTO",
                          "VALORACERTO", "CODIGOPESSOAFIN", "HISTORICOACERTO", "CODIGOUSUARIO"})),
        links_(context.Table("FPRACERTOCX", {"CODIGOESCRIT", "CODIGOACERTO", "CODIGOCAIXA",
                                             "ORIGEMCAIXA", "CODIGOCONTA"})) {}

  void Opening(DemoCompany& company) {
    const TDateTime date = EncodeDate(kFirstYear, kFirstMonth, 1) - 1;
    Lone(company, {company.cash_account, 1},
         {date, random_.Amount(500, 3000), kDeposit, kManual, 0, "", "Saldo de implantação"});
    for (int bank : company.current_accounts) {
      Lone(company, {bank, 1},
           {date, random_.Amount(20000, 80000), kDeposit, kManual, 0, "", "Saldo de implantação"});
    }
  }

  void Month(DemoCompany& company, int year, int month) {
    for (int i = 0; i < 10 * context_.Scale(); ++i) Receipt(company, year, month);
    for (int i = 0; i < 10 * context_.Scale(); ++i) Payment(company, year, month);
    for (int i = 0; i < context_.Scale(); ++i) Transfer(company, year, month);
    Salaries(company, year, month);
    BankItems(company, year, month);
  }

 private:
  TDateTime DayIn(int year, int month) { return EncodeDate(year, month, random_.Between(1, 28)); }

  int Pick(const std::vector<int>& codes) { return random_.Pick(std::span<const int>(codes)); }

  std::string Document(const char* prefix) {
    return prefix + std::to_string(random_.Between(1000, 99999));
  }

  void Receipt(DemoCompany& company, int year, int month) {
    const bool till = random_.Chance(20);
    Operation op;
    op.date = DayIn(year, month);
    op.value = till ? random_.Amount(20, 900) : random_.Amount(500, 15000);
    op.history = till ? kCashSale : kReceiveCustomer;
    op.origin = kReceivables;
    op.person = Pick(ids_.customers);
    op.document = Document("NF ");
    op.text = CashEntryText(random_, op.document);
    const int account = till ? company.cash_account : Pick(company.current_accounts);
    Settle(company, kReceipt, op, {account, 1, kCashSide},
           {Pick(ids_.revenue_accounts), -1, kOriginSide});
  }

  void Payment(DemoCompany& company, int year, int month) {
    const bool till = random_.Chance(15);
    Operation op;
    op.date = DayIn(year, month);
    op.value = till ? random_.Amount(10, 400) : random_.Amount(80, 7000);
    const int kinds[] = {kPaySupplier, kPaySupplier, kTaxes, kCashPurchase};
    op.history = till ? kCashPurchase : random_.Pick(kinds);
    op.origin = kPayables;
    op.person = Pick(ids_.suppliers);
    op.document = Document(random_.Chance(70) ? "NF " : "Boleto ");
    op.text = CashEntryText(random_, op.document);
    const int account = till ? company.cash_account : Pick(company.current_accounts);
    Settle(company, kPayment, op, {account, -1, kCashSide},
           {Pick(ids_.expense_accounts), 1, kOriginSide});
  }

  // Between the till and the first bank, or from the second bank to the first.
  void Transfer(DemoCompany& company, int year, int month) {
    const int way = random_.Between(1, 3);
    const int bank = company.current_accounts.front();
    Operation op;
    op.date = DayIn(year, month);
    op.value = random_.Amount(200, 3000);
    op.origin = kTransfers;
    op.document = Document("Doc ");
    op.text = CashEntryText(random_, op.document);
    int from = bank, to = company.cash_account;
    op.history = kWithdrawal;
    if (way == 2) {
      std::swap(from, to);
      op.history = kDeposit;
    } else if (way == 3) {  // the collection account feeds the one that pays
      from = company.current_accounts.back();
      to = bank;
      op.value = random_.Amount(2000, 15000);
      op.history = kTransfer;
    }
    Settle(company, kMovement, op, {to, 1, kCashSide}, {from, -1, kOriginSide});
  }

  void Salaries(DemoCompany& company, int year, int month) {
    Operation op;
    op.date = EncodeDate(year, month, 5);
    op.value = random_.Amount(8000, 20000);
    op.history = kSalaries;
    op.origin = kPayables;
    op.document = "Folha " + std::to_string(month) + "/" + std::to_string(year);
    op.text = "Folha de pagamento de " + std::to_string(month) + "/" + std::to_string(year);
    Settle(company, kPayment, op, {company.current_accounts.front(), -1, kCashSide},
           {ids_.expense_accounts.front(), 1, kOriginSide});
  }

  // Entries outside any settlement: fees on every bank account, a yield now
  // and then, and a reimbursement from the till.
  void BankItems(DemoCompany& company, int year, int month) {
    for (int bank : company.current_accounts) {
      Lone(company, {bank, -1},
           {DayIn(year, month), random_.Amount(9.9, 59.9), kBankFee, kBankFeed, 0, "",
            random_.Chance(50) ? "Pacote de serviços" : ""});
    }
    if (random_.Chance(40)) {
      Lone(company, {company.current_accounts.back(), 1},
           {DayIn(year, month), random_.Amount(5, 300), kYield, kBankFeed, 0, "", ""});
    }
    Operation op;
    op.date = DayIn(year, month);
    op.value = random_.Amount(10, 200);
    op.history = kReimbursement;
    op.document = Document("Recibo ");
    op.text = CashEntryText(random_, op.document);
    Lone(company, {company.cash_account, -1}, op);
  }

  int Write(DemoCompany& company, const Leg& leg, const Operation& op) {
    const int code = ++company.last_cash_entry;
    entries_.Insert({company.code, code, leg.account, Variant::FromDateTime(op.date), leg.kind,
                     op.value, ids_.histories[op.history], op.text, op.origin,
                     op.person ? Variant(op.person) : Variant(),
                     op.document.empty() ? Variant() : Variant(op.document)});
    ++ids_.cash_entries;
    return code;
  }

  void Lone(DemoCompany& company, const Leg& leg, const Operation& op) { Write(company, leg, op); }

  void Settle(DemoCompany& company, int purpose, const Operation& op, const Leg& cash,
              const Leg& other) {
    const int code = ++company.last_settlement;
    const int user = Pick(ids_.users);
    settlements_.Insert({company.code, code, purpose, Variant::FromDateTime(op.date), op.value,
                         op.person ? Variant(op.person) : Variant(), op.document, user});
    ids_.settlements.push_back({company.code, code, purpose, op.person, op.value, op.date});
    for (const Leg* leg : {&cash, &other}) {
      const int entry = Write(company, *leg, op);
      links_.Insert({company.code, code, entry, leg->side, leg->account});
      if (leg == &other && purpose != kMovement) {
        ids_.apportionable.push_back({company.code, entry, leg->account, op.value, leg->kind});
      }
    }
  }

  DemoContext& context_;
  DemoRandom& random_;
  DemoIds& ids_;
  TableWriter& entries_;
  TableWriter& settlements_;
  TableWriter& links_;
};

}  // namespace

void GenerateCash(DemoContext& context) {
  CashBook book(context);
  for (DemoCompany& company : context.Ids().companies) book.Opening(company);
  for (int m = 0; m < kMonths; ++m) {
    const int year = kFirstYear + (kFirstMonth - 1 + m) / 12;
    const int month = (kFirstMonth - 1 + m) % 12 + 1;
    for (DemoCompany& company : context.Ids().companies) book.Month(company, year, month);
  }
}

}  // namespace vireo::demo
