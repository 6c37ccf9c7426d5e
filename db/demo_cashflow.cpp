#include "db/demo_cashflow.h"

#include <span>
#include <string>
#include <vector>

#include "db/demo_random.h"

namespace vireo::demo {

namespace {

// January 2025 to December 2026: the demo period and six months past it.
const int kFirstYear = 2025;
const int kMonths = 24;
const uint64_t kSeedOffset = 0x13CA5F10u;  // this step's own random sequence

// SITUACAOREC / SITUACAOPAG.
enum Situation { kOpen = 1, kPartlyPaid = 2, kSettled = 3, kCancelled = 4 };

struct Title {
  int company = 0;
  int code = 0;
  int person = 0;  // 0: none
  TDateTime issued = 0;
  TDateTime due = 0;
  double value = 0;
  double open = 0;
  int situation = kOpen;
  int invoice = 0;
  std::string document;
  std::string history;
};

class OpenTitles {
 public:
  OpenTitles(DemoContext& context, uint32_t seed)
      : random_(uint64_t{seed} + kSeedOffset),
        ids_(context.Ids()),
        receivable_heads_(context.Table(
            "FPRCONTARECEBERCAB",
            {"CODIGOESCRIT", "CODIGORECEBERCAB", "CODIGOPESSOAFIN", "CODIGOCONTA", "TIPODOCCAB",
             "DESCRTIPODOCCAB", "NUMERONF", "DATALANCAMENTOCAB", "VALORRECCAB", "HISTORICOCAB"})),
        receivables_(
            context.Table("FPRCONTARECEBER",
                          {"CODIGOESCRIT", "CODIGORECEBERCAB", "CODIGORECEBER", "CODIGOPESSOAFIN",
                           "PARCELAREC", "DOCUMENTOREC", "DATALANCAMENTOREC", "DATAVENCIMENTOREC",
                           "VALORREC", "SALDOREC", "SITUACAOREC", "HISTORICOREC"})),
        payable_heads_(context.Table(
            "FPRCONTAPAGARCAB",
            {"CODIGOESCRIT", "CODIGOPAGARCAB", "CODIGOPESSOAFIN", "CODIGOCONTA", "TIPODOCCAB",
             "DESCRTIPODOCCAB", "NUMERONF", "DATALANCAMENTOCAB", "VALORPAGCAB", "HISTORICOCAB"})),
        payables_(
            context.Table("FPRCONTAPAGAR",
                          {"CODIGOESCRIT", "CODIGOPAGARCAB", "CODIGOPAGAR", "CODIGOPESSOAFIN",
                           "PARCELAPAG", "DOCUMENTOPAG", "DATALANCAMENTOPAG", "DATAVENCIMENTOPAG",
                           "VALORPAG", "SALDOPAG", "SITUACAOPAG", "HISTORICOPAG"})),
        scale_(context.Scale()) {}

  void Month(DemoCompany& company, int year, int month) {
    for (int i = 0; i < 6 * scale_; ++i) Receivable(company, year, month);
    for (int i = 0; i < 6 * scale_; ++i) Payable(company, year, month);
  }

 private:
  Title Draw(DemoCompany& company, int year, int month, const std::vector<int>& persons,
             const char* without_person) {
    Title t;
    t.company = company.code;
    t.due = EncodeDate(year, month, random_.Between(1, 28));
    t.issued = t.due - random_.Between(10, 60);
    t.value = random_.Amount(150, 9000);
    t.person = random_.Chance(20) ? 0 : random_.Pick(std::span<const int>(persons));
    const int roll = random_.Between(1, 100);
    t.situation = roll <= 55   ? kOpen
                  : roll <= 75 ? kPartlyPaid
                  : roll <= 92 ? kSettled
                               : kCancelled;
    t.open = t.situation == kOpen || t.situation == kCancelled ? t.value
             : t.situation == kSettled                         ? 0.0
                                       : random_.Amount(t.value * 0.1, t.value * 0.9);
    t.invoice = random_.Between(1000, 99999);
    t.document = "NF " + std::to_string(t.invoice);
    t.history = t.person == 0 ? std::string(without_person) + " - " + t.document : "Parcela única";
    return t;
  }

  static Variant Person(const Title& t) { return t.person != 0 ? Variant(t.person) : Variant(); }

  void Receivable(DemoCompany& company, int year, int month) {
    Title t = Draw(company, year, month, ids_.customers, "Recebimento avulso");
    t.code = ++company.last_receivable_document;
    receivable_heads_.Insert({t.company, t.code, Person(t),
                              random_.Pick(std::span<const int>(ids_.revenue_accounts)), 1,
                              "Nota fiscal", t.invoice, Variant::FromDateTime(t.issued), t.value,
                              "Venda a prazo - " + t.document});
    receivables_.Insert({t.company, t.code, 1, Person(t), 1, t.document,
                         Variant::FromDateTime(t.issued), Variant::FromDateTime(t.due), t.value,
                         t.open, t.situation, t.history});
  }

  void Payable(DemoCompany& company, int year, int month) {
    Title t = Draw(company, year, month, ids_.suppliers, "Pagamento avulso");
    t.code = ++company.last_payable_document;
    payable_heads_.Insert({t.company, t.code, Person(t),
                           random_.Pick(std::span<const int>(ids_.expense_accounts)), 1,
                           "Nota fiscal", t.invoice, Variant::FromDateTime(t.issued), t.value,
                           "Compra a prazo - " + t.document});
    payables_.Insert({t.company, t.code, 1, Person(t), 1, t.document,
                      Variant::FromDateTime(t.issued), Variant::FromDateTime(t.due), t.value,
                      t.open, t.situation, t.history});
  }

  DemoRandom random_;
  DemoIds& ids_;
  TableWriter& receivable_heads_;
  TableWriter& receivables_;
  TableWriter& payable_heads_;
  TableWriter& payables_;
  int scale_;
};

}  // namespace

void GenerateOpenTitles(DemoContext& context, uint32_t seed) {
  OpenTitles titles(context, seed);
  for (int m = 0; m < kMonths; ++m) {
    const int year = kFirstYear + m / 12;
    const int month = m % 12 + 1;
    for (DemoCompany& company : context.Ids().companies) titles.Month(company, year, month);
  }
}

}  // namespace vireo::demo
