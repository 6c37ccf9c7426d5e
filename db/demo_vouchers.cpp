// For each company and month of the demo period, a payable and a receivable
// document of 2 to 6 installments for one person, some falling due in
// different months, and what became of them: all paid by one settlement
// (with interest and a fine when late, a discount when early), some paid
// together and the rest left open, each paid on its own across a month end
// with the last one partly paid, or none paid but the first in part.  Each
// company also gets a title paid before the date it was entered and a
// cancelled one.  Then the receipts: one number per settlement and person,
// numbered per company, for these settlements and those of the cash book.
// Every settlement moves the cash book: its net amount leaves or enters a
// current account, against the person's expense or revenue account.
// The third company's latest contact becomes an e-mail, so its vouchers
// print no telephone.
#include "db/demo_vouchers.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "db/demo_accounting_book.h"
#include "db/demo_context.h"
#include "db/demo_documents.h"
#include "host/core/datetime.h"

namespace vireo::demo {

namespace {

// Added to the demo seed: this step's own random sequences, one for the
// documents and one for the accounts their cash entries move.
constexpr uint32_t kOwnSequence = 0x5EC1B0u;
constexpr uint32_t kCashSequence = 0x5EC1CAu;

enum Purpose { kReceipt = 1, kPayment = 2 };
enum Situation { kOpen = 1, kPartlyPaid = 2, kSettled = 3, kCancelled = 4 };
enum Outcome { kAllTogether = 0, kSomeTogether, kEachAlone, kNonePaid, kOutcomes };
enum Side { kTitleSide = 1, kCashSide = 2 };  // FPRACERTOCX.ORIGEMCAIXA

const TDateTime kLastDay = EncodeDate(kAccountingFirstYear + 1, 6, 30);

double Cents(double value) { return std::llround(value * 100) / 100.0; }

// The payable or the receivable tables.
struct Kind {
  bool payable;
  const char* header_table;
  const char* header_code;
  const char* header_value;
  const char* table;
  const char* code;
  const char* suffix;  // PAG / REC
  const char* settlements;
  const char* receipts;
  int purpose;
};

const Kind kPayables = {true,          "FPRCONTAPAGARCAB",   "CODIGOPAGARCAB",
                        "VALORPAGCAB", "FPRCONTAPAGAR",      "CODIGOPAGAR",
                        "PAG",         "FPRCONTAPAGARBAIXA", "FPRRECIBOPAGAMENTO",
                        kPayment};
const Kind kReceivables = {false,         "FPRCONTARECEBERCAB",   "CODIGORECEBERCAB",
                           "VALORRECCAB", "FPRCONTARECEBER",      "CODIGORECEBER",
                           "REC",         "FPRCONTARECEBERBAIXA", "FPRRECIBORECEBIMENTO",
                           kReceipt};

struct Payment {
  size_t installment = 0;
  double value = 0;
  double interest = 0;
  double fine = 0;
  double discount = 0;
};

struct Settlement {
  TDateTime date = 0;
  std::vector<Payment> payments;
};

struct Installment {
  TDateTime entered = 0;
  TDateTime due = 0;
  double value = 0;
  double paid = 0;
  bool cancelled = false;
};

// One document: its installments and the settlements that paid them.
struct Document {
  int person = 0;
  std::string number;
  std::string history;
  std::vector<Installment> installments;
  std::vector<Settlement> settlements;
};

class Vouchers {
 public:
  Vouchers(DemoContext& context, uint32_t seed)
      : context_(context),
        random_(seed + kOwnSequence),
        accounts_(seed + kCashSequence),
        ids_(context.Ids()) {}

  void Run() {
    for (DemoCompany& company : ids_.companies) {
      for (int month = 0; month < kAccountingMonths; ++month) {
        for (int i = 0; i < context_.Scale(); ++i) {
          Write(company, kPayables, Installments(kPayables, month));
          Write(company, kReceivables, Installments(kReceivables, month));
        }
      }
      for (const Kind* kind : {&kPayables, &kReceivables}) {
        Write(company, *kind, PaidBeforeEntered(*kind));
        Write(company, *kind, Cancelled(*kind));
      }
    }
    CashBookReceipts();
    WriteReceipts();
    LatestContactAnEmail();
  }

 private:
  int Person(const Kind& kind) {
    return random_.Pick(std::span<const int>(kind.payable ? ids_.suppliers : ids_.customers));
  }

  Document NewDocument(const Kind& kind) {
    Document doc;
    doc.person = Person(kind);
    doc.number = std::string(kind.payable ? "NF " : "Fatura ") +
                 std::to_string(random_.Between(1000, 99999));
    doc.history =
        kind.payable ? "Compra parcelada - " + doc.number : "Venda parcelada - " + doc.number;
    return doc;
  }

  // Interest and fine when paid after the due date, a discount when paid
  // some days before it.
  Payment Pay(const Document& doc, size_t i, TDateTime date, double value) {
    const Installment& inst = doc.installments[i];
    Payment p{i, value};
    const int late = static_cast<int>(std::floor(date - inst.due));
    if (late > 0) {
      p.interest = Cents(value * 0.00033 * late);
      p.fine = random_.Chance(70) ? Cents(value * 0.02) : 0;
    } else if (late <= -3 && random_.Chance(60)) {
      p.discount = Cents(value * 0.03);
    }
    return p;
  }

  void Settle(Document& doc, TDateTime date, std::vector<Payment> payments) {
    if (date > kLastDay || payments.empty()) return;
    for (const Payment& p : payments) doc.installments[p.installment].paid += p.value;
    doc.settlements.push_back({date, std::move(payments)});
  }

  Document Installments(const Kind& kind, int month) {
    Document doc = NewDocument(kind);
    const TDateTime entered =
        EncodeDate(kAccountingFirstYear + month / 12, month % 12 + 1, 1) + random_.Between(0, 20);
    const int count = random_.Between(2, 6);
    const bool same_month = random_.Chance(25);
    for (int i = 0; i < count; ++i) {
      Installment inst;
      inst.entered = entered;
      inst.due = same_month ? entered + 5 + 3 * i : IncMonth(entered + 10, i);
      inst.value = random_.Amount(150, 2500);
      doc.installments.push_back(inst);
    }
    switch (random_.Between(0, kOutcomes - 1)) {
      case kAllTogether: {
        const TDateTime date = doc.installments.back().due + random_.Between(-8, 12);
        std::vector<Payment> payments;
        for (size_t i = 0; i < doc.installments.size(); ++i) {
          payments.push_back(Pay(doc, i, date, doc.installments[i].value));
        }
        Settle(doc, date, std::move(payments));
        break;
      }
      case kSomeTogether: {
        const size_t paid = static_cast<size_t>(random_.Between(2, count));
        const TDateTime date = doc.installments[paid - 1].due + random_.Between(-4, 6);
        std::vector<Payment> payments;
        for (size_t i = 0; i < paid; ++i) {
          payments.push_back(Pay(doc, i, date, doc.installments[i].value));
        }
        Settle(doc, date, std::move(payments));
        break;
      }
      case kEachAlone:
        // Paid a few days into the month after the due date's month end.
        for (size_t i = 0; i < doc.installments.size(); ++i) {
          const Installment& inst = doc.installments[i];
          const TDateTime date = std::floor(EndOfTheMonth(inst.due)) + random_.Between(1, 4);
          const bool last = i + 1 == doc.installments.size();
          const double value = last ? Cents(inst.value / 2) : inst.value;
          Settle(doc, date, {Pay(doc, i, date, value)});
        }
        break;
      default: {
        const Installment& first = doc.installments.front();
        Settle(doc, first.due, {Pay(doc, 0, first.due, Cents(first.value * 0.4))});
        break;
      }
    }
    return doc;
  }

  // Entered in the books a week after the payment that settled it.
  Document PaidBeforeEntered(const Kind& kind) {
    Document doc = NewDocument(kind);
    const TDateTime paid = EncodeDate(kAccountingFirstYear, 3, 1) + random_.Between(0, 20);
    doc.installments.push_back({paid + 7, paid, random_.Amount(300, 1500)});
    Settle(doc, paid, {Pay(doc, 0, paid, doc.installments[0].value)});
    return doc;
  }

  Document Cancelled(const Kind& kind) {
    Document doc = NewDocument(kind);
    doc.history = "Lançado em duplicidade - " + doc.number;
    const TDateTime entered = EncodeDate(kAccountingFirstYear, 2, 1) + random_.Between(0, 20);
    doc.installments.push_back({entered, entered + 30, random_.Amount(300, 1500), 0, true});
    return doc;
  }

  static int SituationOf(const Installment& inst) {
    if (inst.cancelled) return kCancelled;
    if (inst.paid <= 0) return kOpen;
    return inst.paid + 0.005 < inst.value ? kPartlyPaid : kSettled;
  }

  void Write(DemoCompany& company, const Kind& kind, const Document& doc) {
    const int header =
        kind.payable ? ++company.last_payable_document : ++company.last_receivable_document;
    const std::string s = kind.suffix;
    double total = 0;
    for (const Installment& inst : doc.installments) total += inst.value;
    const auto& accounts = kind.payable ? ids_.expense_accounts : ids_.revenue_accounts;
    context_
        .Table(kind.header_table,
               {"CODIGOESCRIT", kind.header_code, "CODIGOPESSOAFIN", "CODIGOCONTA", "TIPODOCCAB",
                "DESCRTIPODOCCAB", "DATALANCAMENTOCAB", kind.header_value, "HISTORICOCAB"})
        .Insert({company.code, header, doc.person, random_.Pick(std::span<const int>(accounts)), 99,
                 kind.payable ? "Nota fiscal parcelada" : "Fatura parcelada",
                 Variant::FromDateTime(doc.installments.front().entered), Cents(total),
                 doc.history});
    TableWriter& titles = context_.Table(
        kind.table, {"CODIGOESCRIT", kind.header_code, kind.code, "CODIGOPESSOAFIN", "PARCELA" + s,
                     "DOCUMENTO" + s, "DATALANCAMENTO" + s, "DATAVENCIMENTO" + s, "VALOR" + s,
                     "SALDO" + s, "SITUACAO" + s, "HISTORICO" + s});
    const int count = static_cast<int>(doc.installments.size());
    for (int i = 0; i < count; ++i) {
      const Installment& inst = doc.installments[i];
      const int situation = SituationOf(inst);
      // Some installments carry no text of their own.
      const std::string history =
          random_.Chance(20) ? "   "
                             : "Parcela " + std::to_string(i + 1) + " de " + std::to_string(count);
      titles.Insert({company.code, header, i + 1, doc.person, i + 1, doc.number,
                     Variant::FromDateTime(inst.entered), Variant::FromDateTime(inst.due),
                     inst.value, situation == kCancelled ? 0.0 : Cents(inst.value - inst.paid),
                     situation, history});
    }
    for (const Settlement& settlement : doc.settlements) {
      WriteSettlement(company, kind, doc, header, settlement);
    }
  }

  void WriteSettlement(DemoCompany& company, const Kind& kind, const Document& doc, int header,
                       const Settlement& settlement) {
    const int code = ++company.last_settlement;
    TableWriter& rows =
        context_.Table(kind.settlements, {"CODIGOESCRIT", kind.header_code, kind.code,
                                          "CODIGOACERTO", "DATALANCAMENTOBAIXA", "VALORBAIXA",
                                          "VALORJUROBAIXA", "VALORMULTABAIXA", "VALORDESCBAIXA"});
    double total = 0;
    for (const Payment& p : settlement.payments) {
      rows.Insert({company.code, header, static_cast<int>(p.installment) + 1, code,
                   Variant::FromDateTime(settlement.date), p.value, p.interest, p.fine,
                   p.discount});
      total += p.value + p.interest + p.fine - p.discount;
    }
    const std::string history = std::string(kind.payable ? "Pagamento " : "Recebimento ") +
                                std::to_string(settlement.payments.size()) + " parcela(s) - " +
                                doc.number;
    context_
        .Table("FPRACERTO", {"CODIGOESCRIT", "CODIGOACERTO", "FINALIDADEACERTO", "DATAACERTO",
                             "VALORACERTO", "CODIGOPESSOAFIN", "HISTORICOACERTO"})
        .Insert({company.code, code, kind.purpose, Variant::FromDateTime(settlement.date),
                 Cents(total), doc.person, history});
    receipts_.push_back({company.code, code, doc.person, kind.purpose, settlement.date});
    const int current = Pick(company.current_accounts);
    const int other = Pick(kind.payable ? ids_.expense_accounts : ids_.revenue_accounts);
    const int way = kind.payable ? -1 : 1;
    for (const auto& [account, way_of_side, side] :
         {std::tuple{current, way, kCashSide}, std::tuple{other, -way, kTitleSide}}) {
      AddTitleSettlementEntry(context_, company,
                              {code, account, way_of_side, side, settlement.date, Cents(total),
                               kind.payable, doc.person, history, doc.number});
    }
  }

  int Pick(const std::vector<int>& codes) { return accounts_.Pick(std::span<const int>(codes)); }

  // The settlements of the cash book that paid or received from a person
  // in the demo period settled one title of that person each (the
  // accounting step wrote it).
  void CashBookReceipts() {
    const TDateTime first_day = EncodeDate(kAccountingFirstYear, 1, 1);
    for (const DemoSettlement& s : ids_.settlements) {
      const bool in_period = s.date >= first_day && s.date < kLastDay + 1;
      if (in_period && s.person != 0 && (s.purpose == kReceipt || s.purpose == kPayment)) {
        receipts_.push_back({s.company, s.code, s.person, s.purpose, s.date});
      }
    }
  }

  void WriteReceipts() {
    std::sort(receipts_.begin(), receipts_.end(), [](const Receipt& a, const Receipt& b) {
      return std::make_pair(a.company, a.settlement) < std::make_pair(b.company, b.settlement);
    });
    std::map<std::pair<int, int>, int> last_number;  // by company and purpose
    for (const Receipt& r : receipts_) {
      const int number = ++last_number[{r.company, r.purpose}];
      context_
          .Table(r.purpose == kPayment ? kPayables.receipts : kReceivables.receipts,
                 {"CODIGOESCRIT", "CODIGOACERTO", "CODIGOPESSOAFIN", "NUMERORECIBO", "DATARECIBO"})
          .Insert({r.company, r.settlement, r.person, number, Variant::FromDateTime(r.date)});
    }
  }

  void LatestContactAnEmail() {
    const DemoCompany& company = ids_.companies.back();
    AddContact(context_, company.code, kEmail,
               "contato@" + AsciiWord(company.short_name) + ".com.br");
  }

  struct Receipt {
    int company;
    int settlement;
    int person;
    int purpose;
    TDateTime date;
  };

  DemoContext& context_;
  DemoRandom random_;
  DemoRandom accounts_;
  DemoIds& ids_;
  std::vector<Receipt> receipts_;
};

}  // namespace

void GenerateVouchers(DemoContext& context, uint32_t seed) { Vouchers(context, seed).Run(); }

}  // namespace vireo::demo
