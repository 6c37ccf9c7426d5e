// Payable and receivable titles in every situation, due from January 2025
// to six months past the demo period (December 2026), with their payments
// and receipts settled through the cash book:
//
//  - documents of one to three monthly installments, a few without a person,
//    some "other documents" (kind 99) without an invoice number;
//  - installments due up to the demo's last day (30/06/2026) are mostly
//    settled, some a few days late (with interest and fine, some crossing a
//    month end) or early (with a discount), others partly paid, still open
//    or cancelled; later ones are mostly open;
//  - every payment and receipt is a settlement (FPRACERTO) with its cash
//    entry on a current account and its counterpart entry (FPRACERTOCX
//    origins 2 and 1), for the net amount moved, so the cash book agrees;
//  - receivables collected by bank carry a boleto of the company's
//    collection settings and the bank fee; one setting per company names a
//    bank account that does not exist;
//  - monthly quotations of the IPCA index, and two persons without any
//    contact.
//
// Its own random stream, seeded from the demo seed, so the data of the
// earlier steps does not change; codes continue from those already written.
#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "db/demo_accounting_book.h"
#include "db/demo_context.h"
#include "db/demo_documents.h"

namespace vireo::demo {

namespace {

constexpr uint64_t kSeedOffset = 0x14C0B7A5ULL;
constexpr int kDueMonths = 24;           // January 2025 to December 2026
constexpr int kIndiceCorrecao = 5;       // IPCA of demo_histories.cpp
constexpr int kCfgContaInexistente = 2;  // setting whose bank account is missing
constexpr int kContaBancInexistente = 99;

enum Situation { kOpen = 1, kPartlyPaid = 2, kSettled = 3, kCancelled = 4 };
enum Purpose { kReceipt = 1, kPayment = 2 };
enum Side { kOriginSide = 1, kCashSide = 2 };
enum Origin { kPayablesOrigin = 1, kReceivablesOrigin = 2 };
// Positions in ids.histories (the order of demo_histories.cpp).
enum HistoryIndex { kPaySupplier = 0, kReceiveCustomer = 1 };

const char* const kOtherDocuments[] = {"Guia de recolhimento", "Boleto avulso", "Recibo de aluguel",
                                       "Fatura de serviço público"};

TDateTime LastDemoDay() { return EncodeDate(2026, 6, 30); }
double Cents(double value) { return std::llround(value * 100) / 100.0; }

// One payment or receipt of an installment.
struct Posting {
  TDateTime date = 0;
  double value = 0;  // amount of the title it settles
  double interest = 0;
  double fine = 0;
  double discount = 0;
  double Cash() const { return Cents(value + interest + fine - discount); }
};

class Titles {
 public:
  Titles(DemoContext& context, uint64_t seed)
      : context_(context), random_(seed + kSeedOffset), ids_(context.Ids()) {}

  void Month(DemoCompany& company, int month) {
    const TDateTime first = EncodeDate(kAccountingFirstYear + month / 12, month % 12 + 1, 1);
    for (int i = 0; i < 6 * context_.Scale(); ++i) Document(company, first, true);
    for (int i = 0; i < 7 * context_.Scale(); ++i) Document(company, first, false);
  }

  void CollectionSettingWithoutAccount(const DemoCompany& company) {
    context_
        .Table("EMPRESACFGBOLETO", {"CODIGOESCRIT", "CODIGOEMPRESACFGBOLETO", "CODIGOCONTABANC",
                                    "CARTEIRA", "PERCJUROMES", "PERCMULTA", "DIASCARENCIA"})
        .Insert({company.code, kCfgContaInexistente, kContaBancInexistente, "112", 1.0, 2.0, 0});
  }

  void Quotations() {
    TableWriter& quotes =
        context_.Table("FPRMOEDACOTACAO", {"CODIGOMOEDA", "DATACOTACAO", "VALORCOTACAO"});
    double value = 100;
    for (int m = 0; m < kDueMonths + 3; ++m) {
      quotes.Insert({kIndiceCorrecao, DateValue(2024 + (m + 9) / 12, (m + 9) % 12 + 1, 1),
                     std::llround(value * 10000) / 10000.0});
      value *= 1 + random_.Between(10, 70) / 10000.0;
    }
  }

  void PersonsWithoutContact() {
    const char* const names[] = {"Oficina Mecânica Ponto Certo", "Marcos Vinícius Teixeira"};
    for (int i = 0; i < 2; ++i) {
      const int code = context_.NextPersonCode();
      AddPerson(context_,
                {code, names[i], i == 0, i == 0 ? Cnpj(random_) : Cpf(random_), &Towns()[0]});
      AddRole(context_, code, i == 0 ? kSupplier : kCustomer);
      (i == 0 ? ids_.suppliers : ids_.customers).push_back(code);
    }
  }

 private:
  // A payable (payable true) or receivable document issued in the month,
  // with its installments.
  void Document(DemoCompany& company, TDateTime month_start, bool payable) {
    const TDateTime issued = month_start + random_.Between(0, 27);
    const int installments = random_.Chance(30) ? random_.Between(2, 3) : 1;
    const double total = random_.Amount(payable ? 80 : 150, payable ? 9000 : 14000);
    const bool without_person = random_.Chance(payable ? 8 : 4);
    const int person = without_person ? 0 : Pick(payable ? ids_.suppliers : ids_.customers);
    const bool other = payable && random_.Chance(15);
    const int invoice = random_.Between(1000, 99999);
    const int code = payable ? ++company.last_payable_document : ++company.last_receivable_document;
    const std::string document = other ? std::string(random_.Pick(kOtherDocuments)).substr(0, 6) +
                                             " " + std::to_string(invoice)
                                       : "NF " + std::to_string(invoice);
    const std::string kind_text = other ? random_.Pick(kOtherDocuments) : "Nota fiscal";
    const Variant person_value = person != 0 ? Variant(person) : Variant();
    const int account = Pick(payable ? ids_.expense_accounts : ids_.revenue_accounts);
    const std::string history = (payable ? "Compra - " : "Venda - ") + document;

    context_
        .Table(payable ? "FPRCONTAPAGARCAB" : "FPRCONTARECEBERCAB",
               {"CODIGOESCRIT", payable ? "CODIGOPAGARCAB" : "CODIGORECEBERCAB", "CODIGOPESSOAFIN",
                "CODIGOCONTA", "TIPODOCCAB", "DESCRTIPODOCCAB", "NUMERONF", "DATALANCAMENTOCAB",
                payable ? "VALORPAGCAB" : "VALORRECCAB", "HISTORICOCAB"})
        .Insert({company.code, code, person_value, account, other ? 99 : 1, kind_text,
                 other ? Variant() : Variant(invoice), Variant::FromDateTime(issued), total,
                 history});

    const double share = Cents(total / installments);
    for (int n = 1; n <= installments; ++n) {
      const double value = n < installments ? share : Cents(total - share * (installments - 1));
      const TDateTime due = IncMonth(issued + random_.Between(10, 25), n - 1);
      if (due >= EncodeDate(kAccountingFirstYear + kDueMonths / 12, 1, 1)) break;
      Installment(company, payable, code, n, installments, person, document, issued, due, value);
    }
  }

  void Installment(DemoCompany& company, bool payable, int code, int n, int installments,
                   int person, const std::string& document, TDateTime issued, TDateTime due,
                   double value) {
    std::vector<Posting> postings;
    Situation situation = Decide(due);
    if (situation == kSettled) {
      postings.push_back(Paid(due, value, random_.Chance(40)));
    } else if (situation == kPartlyPaid) {
      Posting part;
      part.date = std::min(due + random_.Between(-5, 20), LastDemoDay());
      part.value = Cents(value * random_.Between(20, 70) / 100.0);
      postings.push_back(part);
      if (random_.Chance(30)) {  // a second partial payment, still not all
        Posting more = part;
        more.date = std::min(part.date + random_.Between(5, 30), LastDemoDay());
        more.value = Cents((value - part.value) * 0.5);
        postings.push_back(more);
      }
    }
    double paid = 0;
    for (const Posting& p : postings) paid += p.value;
    const double balance = situation == kCancelled ? 0 : Cents(value - paid);

    Variant boleto;
    double fee = 0;
    if (!payable && person != 0 && random_.Chance(60)) {
      boleto = Boleto(company, due, value);
      fee = random_.Amount(2.5, 4.9);
    }
    const std::string number = document + (installments > 1 ? "/" + std::to_string(n) : "");
    const std::string history =
        installments > 1 ? "Parcela " + std::to_string(n) + " de " + std::to_string(installments)
                         : (random_.Chance(50) ? "" : "Parcela única");
    const Variant person_value = person != 0 ? Variant(person) : Variant();
    if (payable) {
      context_
          .Table("FPRCONTAPAGAR",
                 {"CODIGOESCRIT", "CODIGOPAGARCAB", "CODIGOPAGAR", "CODIGOPESSOAFIN", "PARCELAPAG",
                  "DOCUMENTOPAG", "DATALANCAMENTOPAG", "DATAVENCIMENTOPAG", "VALORPAG", "SALDOPAG",
                  "SITUACAOPAG", "HISTORICOPAG"})
          .Insert({company.code, code, n, person_value, n, number, Variant::FromDateTime(issued),
                   Variant::FromDateTime(due), value, balance, situation, history});
    } else {
      context_
          .Table(
              "FPRCONTARECEBER",
              {"CODIGOESCRIT", "CODIGORECEBERCAB", "CODIGORECEBER", "CODIGOPESSOAFIN", "PARCELAREC",
               "DOCUMENTOREC", "DATALANCAMENTOREC", "DATAVENCIMENTOREC", "VALORREC", "SALDOREC",
               "SITUACAOREC", "HISTORICOREC", "CODIGOBOLETO", "TARIFAREC"})
          .Insert({company.code, code, n, person_value, n, number, Variant::FromDateTime(issued),
                   Variant::FromDateTime(due), value, balance, situation, history, boleto, fee});
    }
    for (const Posting& p : postings) Post(company, payable, code, n, person, number, p);
  }

  Situation Decide(TDateTime due) {
    const int draw = random_.Between(1, 100);
    if (due <= LastDemoDay() - 20) {
      return draw <= 62 ? kSettled : draw <= 76 ? kPartlyPaid : draw <= 94 ? kOpen : kCancelled;
    }
    if (due <= LastDemoDay()) return draw <= 40 ? kSettled : draw <= 55 ? kPartlyPaid : kOpen;
    return draw <= 88 ? kOpen : draw <= 94 ? kPartlyPaid : kCancelled;
  }

  // Paid in full: on time, late with interest and fine (at times into the
  // next month), or early with a discount.
  Posting Paid(TDateTime due, double value, bool late) {
    Posting p;
    p.value = value;
    if (late) {
      const int days = random_.Between(1, 18);
      p.date = std::min(due + days, LastDemoDay());
      p.interest = Cents(value * 0.02 / 30 * days);
      p.fine = random_.Chance(70) ? Cents(value * 0.02) : 0;
    } else if (random_.Chance(25)) {
      p.date = due - random_.Between(1, 6);
      p.discount = Cents(value * random_.Between(1, 5) / 100.0);
    } else {
      p.date = due;
    }
    return p;
  }

  Variant Boleto(DemoCompany& company, TDateTime due, double value) {
    const int code = ++boletos_[company.code];
    const int setting = random_.Chance(10) ? kCfgContaInexistente : 1;
    context_
        .Table("BOLETO", {"CODIGOESCRIT", "CODIGOBOLETO", "CODIGOEMPRESACFGBOLETO", "NOSSONUMERO",
                          "DATAEMISSAO", "DATAVENCIMENTO", "VALORBOLETO"})
        .Insert({company.code, code, setting, std::to_string(10000000 + code * 7),
                 Variant::FromDateTime(due - 20), Variant::FromDateTime(due), value});
    return code;
  }

  // The payment or receipt on the title, and the settlement that moved the
  // cash: one entry on a current account, its counterpart on the title's
  // side.
  void Post(DemoCompany& company, bool payable, int code, int n, int person,
            const std::string& document, const Posting& p) {
    const int settlement = ++company.last_settlement;
    const double cash = p.Cash();
    const Variant date = Variant::FromDateTime(p.date);
    context_
        .Table(payable ? "FPRCONTAPAGARBAIXA" : "FPRCONTARECEBERBAIXA",
               {"CODIGOESCRIT", payable ? "CODIGOPAGARCAB" : "CODIGORECEBERCAB",
                payable ? "CODIGOPAGAR" : "CODIGORECEBER", "CODIGOACERTO", "DATALANCAMENTOBAIXA",
                "VALORBAIXA", "VALORJUROBAIXA", "VALORMULTABAIXA", "VALORDESCBAIXA"})
        .Insert({company.code, code, n, settlement, date, p.value, p.interest, p.fine, p.discount});
    const Variant person_value = person != 0 ? Variant(person) : Variant();
    const int purpose = payable ? kPayment : kReceipt;
    context_
        .Table("FPRACERTO", {"CODIGOESCRIT", "CODIGOACERTO", "FINALIDADEACERTO", "DATAACERTO",
                             "VALORACERTO", "CODIGOPESSOAFIN", "HISTORICOACERTO", "CODIGOUSUARIO"})
        .Insert({company.code, settlement, purpose, date, cash, person_value, document,
                 Pick(ids_.users)});
    ids_.settlements.push_back({company.code, settlement, purpose, person, cash, p.date});
    if (payable) {
      context_
          .Table("FPRACERTOCP",
                 {"CODIGOESCRIT", "CODIGOACERTO", "CODIGOPAGARCAB", "CODIGOPAGAR", "VALORACERTOCP"})
          .Insert({company.code, settlement, code, n, p.value});
    }
    const int current = random_.Chance(15) ? company.cash_account : Pick(company.current_accounts);
    const int other = Pick(payable ? ids_.expense_accounts : ids_.revenue_accounts);
    const int way = payable ? -1 : 1;
    for (const auto& [account, kind, side] :
         {std::tuple{current, way, kCashSide}, std::tuple{other, -way, kOriginSide}}) {
      AddTitleSettlementEntry(context_, company,
                              {settlement, account, kind, side, p.date, cash, payable, person,
                               (payable ? "Pagamento " : "Recebimento ") + document, document});
    }
  }

  int Pick(const std::vector<int>& codes) { return random_.Pick(std::span<const int>(codes)); }

  DemoContext& context_;
  DemoRandom random_;
  DemoIds& ids_;
  std::map<int, int> boletos_;  // last CODIGOBOLETO by company
};

}  // namespace

void AddTitleSettlementEntry(DemoContext& context, DemoCompany& company,
                             const TitleSettlementEntry& e) {
  const int entry = ++company.last_cash_entry;
  ++context.Ids().cash_entries;
  context
      .Table("FPRCAIXA", {"CODIGOESCRIT", "CODIGOCAIXA", "CODIGOCONTA", "DATACAIXA", "TIPOMOVCAIXA",
                          "VALORCAIXA", "CODIGOHISTCTB", "HISTORICOCAIXA", "ORIGEMLCTOCAIXA",
                          "CODIGOPESSOAFIN", "DOCUMENTOCAIXA"})
      .Insert({company.code, entry, e.account, Variant::FromDateTime(e.date), e.kind, e.value,
               context.Ids().histories[e.payable ? kPaySupplier : kReceiveCustomer], e.text,
               e.payable ? kPayablesOrigin : kReceivablesOrigin,
               e.person != 0 ? Variant(e.person) : Variant(), e.document});
  context
      .Table("FPRACERTOCX",
             {"CODIGOESCRIT", "CODIGOACERTO", "CODIGOCAIXA", "ORIGEMCAIXA", "CODIGOCONTA"})
      .Insert({company.code, e.settlement, entry, e.side, e.account});
}

void GenerateTitles(DemoContext& context, uint64_t seed) {
  Titles titles(context, seed);
  titles.PersonsWithoutContact();
  titles.Quotations();
  for (DemoCompany& company : context.Ids().companies) {
    titles.CollectionSettingWithoutAccount(company);
  }
  for (int month = 0; month < kDueMonths - 1; ++month) {
    for (DemoCompany& company : context.Ids().companies) titles.Month(company, month);
  }
}

}  // namespace vireo::demo
