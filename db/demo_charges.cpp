// Settlements with charges, and the monthly account totals.
//
// Each month every company pays a title late, with a fine or interest, and
// receives one with interest or a discount; the charge is an entry of its
// own (FPRACERTOCX origin 3) on the chart's interest or discount account,
// so the settlement's cash side is the title plus or minus the charge and
// its entries still balance.  Then FPRCONTASALDO gets, per company,
// account and month, the debits and credits of the cash book; accounts the
// cash book never moves have none.  A random sequence of its own keeps the
// rest of the demo as it was.
#include <cmath>
#include <string>

#include "db/demo_context.h"

namespace vireo::demo {

namespace {

constexpr uint32_t kStreamCharges = 0x16C4A2u;
const int kFirstYear = 2025;
const int kMonths = 18;

enum Purpose { kReceipt = 1, kPayment = 2 };
enum Side { kTitleSide = 1, kCashSide = 2, kChargeSide = 3 };
enum Origin { kPayables = 1, kReceivables = 2 };

// Accounts of the chart the charges go to, by description (demo_chart.cpp).
const char kInterestReceived[] = "Juros Recebidos";
const char kInterestPaid[] = "Juros Pagos";
const char kDiscountGiven[] = "Descontos Concedidos";

struct Leg {
  int account = 0;          // a code, or 0 for the charge account below
  const char* charge = "";  // description of the charge account
  int kind = 1;             // 1 inflow (debit), -1 outflow (credit)
  double value = 0;
  int side = 0;
};

class ChargeBook {
 public:
  explicit ChargeBook(DemoContext& context)
      : context_(context),
        random_(context.Seed() + kStreamCharges),
        settlements_(context.Table(
            "FPRACERTO", {"CODIGOESCRIT", "CODIGOACERTO", "FINALIDADEACERTO", "DATAACERTO",
                          "VALORACERTO", "CODIGOPESSOAFIN", "HISTORICOACERTO", "CODIGOUSUARIO"})),
        entries_(context.Table(
            "FPRCAIXA", {"CODIGOESCRIT", "CODIGOCAIXA", "CODIGOCONTA", "DATACAIXA", "TIPOMOVCAIXA",
                         "VALORCAIXA", "CODIGOHISTCTB", "HISTORICOCAIXA", "ORIGEMLCTOCAIXA",
                         "CODIGOPESSOAFIN", "DOCUMENTOCAIXA"})),
        links_(context.Table("FPRACERTOCX", {"CODIGOESCRIT", "CODIGOACERTO", "CODIGOCAIXA",
                                             "ORIGEMCAIXA", "CODIGOCONTA"})),
        charge_entry_(context.Transaction().Prepare(
            "INSERT INTO FPRCAIXA (CODIGOESCRIT, CODIGOCAIXA, CODIGOCONTA, DATACAIXA, "
            "TIPOMOVCAIXA, VALORCAIXA, CODIGOHISTCTB, HISTORICOCAIXA, ORIGEMLCTOCAIXA, "
            "CODIGOPESSOAFIN, DOCUMENTOCAIXA) SELECT FIRST 1 CAST(? AS INTEGER), CAST(? AS "
            "INTEGER), CODIGOCONTA, CAST(? AS DATE), CAST(? AS INTEGER), CAST(? AS NUMERIC(15,2)), "
            "CAST(? AS INTEGER), CAST(? AS VARCHAR(500)), CAST(? AS INTEGER), CAST(? AS INTEGER), "
            "CAST(? AS VARCHAR(30)) FROM FPRCONTA WHERE DESCRCONTA = ? ORDER BY CODIGOCONTA")),
        charge_link_(context.Transaction().Prepare(
            "INSERT INTO FPRACERTOCX (CODIGOESCRIT, CODIGOACERTO, CODIGOCAIXA, ORIGEMCAIXA, "
            "CODIGOCONTA) SELECT FIRST 1 CAST(? AS INTEGER), CAST(? AS INTEGER), CAST(? AS "
            "INTEGER), CAST(? AS INTEGER), CODIGOCONTA FROM FPRCONTA WHERE DESCRCONTA = ? ORDER BY "
            "CODIGOCONTA")) {}

  void Month(DemoCompany& company, int year, int month) {
    for (int i = 0; i < context_.Scale(); ++i) {
      LatePayment(company, year, month);
      Receipt(company, year, month);
    }
  }

 private:
  int Pick(const std::vector<int>& codes) { return random_.Pick(std::span<const int>(codes)); }

  // A title paid late: the bank pays the title and the fine or interest.
  void LatePayment(DemoCompany& company, int year, int month) {
    const double title = random_.Amount(300, 6000);
    const double charge = std::round(title * random_.Between(2, 8)) / 100.0;
    const int supplier = Pick(context_.Ids().suppliers);
    Settle(company, kPayment, EncodeDate(year, month, random_.Between(1, 28)), title, supplier,
           random_.Chance(50) ? "Pagamento com multa" : "Pagamento com juros",
           {{Pick(company.current_accounts), "", -1, title + charge, kCashSide},
            {Pick(context_.Ids().expense_accounts), "", 1, title, kTitleSide},
            {0, kInterestPaid, 1, charge, kChargeSide}});
  }

  // A title received late with interest, or early with a discount.
  void Receipt(DemoCompany& company, int year, int month) {
    const double title = random_.Amount(300, 9000);
    const double charge = std::round(title * random_.Between(1, 5)) / 100.0;
    const int customer = Pick(context_.Ids().customers);
    const TDateTime date = EncodeDate(year, month, random_.Between(1, 28));
    const int bank = Pick(company.current_accounts);
    const int revenue = Pick(context_.Ids().revenue_accounts);
    if (random_.Chance(50)) {
      Settle(company, kReceipt, date, title, customer, "Recebimento com juros",
             {{bank, "", 1, title + charge, kCashSide},
              {revenue, "", -1, title, kTitleSide},
              {0, kInterestReceived, -1, charge, kChargeSide}});
    } else {
      Settle(company, kReceipt, date, title, customer, "Recebimento com desconto",
             {{bank, "", 1, title - charge, kCashSide},
              {revenue, "", -1, title, kTitleSide},
              {0, kDiscountGiven, 1, charge, kChargeSide}});
    }
  }

  void Settle(DemoCompany& company, int purpose, TDateTime date, double value, int person,
              const std::string& text, std::initializer_list<Leg> legs) {
    const int code = ++company.last_settlement;
    const int user = Pick(context_.Ids().users);
    const std::string document = "NF " + std::to_string(random_.Between(1000, 99999));
    settlements_.Insert(
        {company.code, code, purpose, Variant::FromDateTime(date), value, person, document, user});
    const int origin = purpose == kReceipt ? kReceivables : kPayables;
    const int history = context_.Ids().histories[purpose == kReceipt ? 1 : 0];
    for (const Leg& leg : legs) {
      const int entry = ++company.last_cash_entry;
      ++context_.Ids().cash_entries;
      if (leg.account != 0) {
        entries_.Insert({company.code, entry, leg.account, Variant::FromDateTime(date), leg.kind,
                         leg.value, history, text, origin, person, document});
        links_.Insert({company.code, code, entry, leg.side, leg.account});
      } else {
        charge_entry_->Execute({company.code, entry, Variant::FromDateTime(date), leg.kind,
                                leg.value, history, text, origin, person, document, leg.charge});
        charge_link_->Execute({company.code, code, entry, leg.side, leg.charge});
      }
    }
  }

  DemoContext& context_;
  DemoRandom random_;
  TableWriter& settlements_;
  TableWriter& entries_;
  TableWriter& links_;
  std::unique_ptr<TnPreparedStatement> charge_entry_;
  std::unique_ptr<TnPreparedStatement> charge_link_;
};

}  // namespace

void GenerateSettlementCharges(DemoContext& context) {
  ChargeBook book(context);
  for (int m = 0; m < kMonths; ++m) {
    const int year = kFirstYear + m / 12;
    const int month = m % 12 + 1;
    for (DemoCompany& company : context.Ids().companies) book.Month(company, year, month);
  }
}

// One row per company, account and month of the cash book, dated the
// first day of the month.
void GenerateAccountBalances(DemoContext& context) {
  context.Transaction().Execute(
      "INSERT INTO FPRCONTASALDO (CODIGOESCRIT, CODIGOCONTA, DATASALDO, VALORDEB, VALORCRED) "
      "SELECT CODIGOESCRIT, CODIGOCONTA, DATEADD(1 - EXTRACT(DAY FROM DATACAIXA) DAY TO "
      "DATACAIXA), SUM(CASE WHEN TIPOMOVCAIXA = 1 THEN VALORCAIXA ELSE 0 END), SUM(CASE WHEN "
      "TIPOMOVCAIXA = 1 THEN 0 ELSE VALORCAIXA END) FROM FPRCAIXA GROUP BY 1, 2, 3");
}

}  // namespace vireo::demo
