// Cheques of the demo companies (FPRCHEQUE) with their status history
// (CHEQUEDETALHE), January 2025 to June 2026: cheques issued to suppliers
// and cheques received from customers, on the companies' bank accounts, in
// every status, several on each expected date of each account, some with
// two detail rows of the status they are in.  A random sequence of its own
// keeps the rest of the demo as it was.
#include <vector>

#include "db/demo_context.h"

namespace vireo::demo {

namespace {

constexpr uint32_t kStreamCheques = 0x16C0E5u;
const int kFirstYear = 2025;
const int kMonths = 18;
// Expected dates fall on few days, so a date gathers several cheques.
const int kExpectedDays[] = {5, 12, 20, 27};

enum ChequeKind { kIssued = 1, kReceived = 2 };
enum Status {
  kRegistered = 1,
  kDeposited = 2,
  kCleared = 3,
  kReturned = 4,
  kCancelled = 5,
  kPassedOn = 6
};

// The statuses a cheque went through to reach its current one.
std::vector<int> History(int status) {
  switch (status) {
    case kDeposited:
      return {kRegistered, kDeposited};
    case kCleared:
      return {kRegistered, kDeposited, kCleared};
    case kReturned:
      return {kRegistered, kDeposited, kReturned};
    case kCancelled:
      return {kRegistered, kCancelled};
    case kPassedOn:
      return {kRegistered, kPassedOn};
    default:
      return {kRegistered};
  }
}

const char* Note(int status) {
  switch (status) {
    case kRegistered:
      return "Cheque cadastrado";
    case kDeposited:
      return "Depositado em conta";
    case kCleared:
      return "Compensado pelo banco";
    case kReturned:
      return "Devolvido (alínea 11)";
    case kCancelled:
      return "Cancelado";
    default:
      return "Repassado a terceiro";
  }
}

class ChequeBook {
 public:
  explicit ChequeBook(DemoContext& context)
      : context_(context),
        random_(context.Seed() + kStreamCheques),
        // The bank columns come from the account row; the code follows the
        // highest the company has, whoever wrote it.
        cheque_(context.Transaction().Prepare(
            "INSERT INTO FPRCHEQUE (CODIGOESCRIT, CODIGOCHEQUE, TIPOCHEQUE, CODIGOBANCO, "
            "CODIGOAGENCIABANC, CODIGOCONTABANC, NRCONTABANC, DGCONTABANC, NUMEROCHEQUE, "
            "DATAEMISSAO, DATAPREVISAO, NOMINAL, VALOR, SITUACAO, STATUSCHEQUE) "
            "SELECT P.CODIGOPESSOAFIN, (SELECT COALESCE(MAX(C.CODIGOCHEQUE), 0) + 1 FROM FPRCHEQUE "
            "C WHERE C.CODIGOESCRIT = P.CODIGOPESSOAFIN), CAST(? AS INTEGER), AG.CODIGOBANCO, "
            "P.CODIGOAGENCIABANC, P.CODIGOCONTABANC, P.NRCONTABANC, P.DGCONTABANC, "
            "CAST(? AS INTEGER), CAST(? AS DATE), CAST(? AS DATE), (SELECT NOME FROM "
            "PESSOAFINANCEIRO WHERE CODIGOPESSOAFIN = CAST(? AS INTEGER)), CAST(? AS "
            "NUMERIC(15,2)), "
            "1, CAST(? AS INTEGER) FROM PESSOACONTABANC P JOIN AGENCIABANC AG ON "
            "AG.CODIGOAGENCIABANC = P.CODIGOAGENCIABANC WHERE P.CODIGOPESSOAFIN = ? AND "
            "P.CODIGOCONTABANC = ?")),
        detail_(context.Transaction().Prepare(
            "INSERT INTO CHEQUEDETALHE (CODIGOESCRIT, CODIGOCHEQUE, STATUSCHEQUE, DATADETALHE, "
            "CODIGOPESSOAFIN, OBSERVACAO) VALUES (?, (SELECT MAX(CODIGOCHEQUE) FROM FPRCHEQUE "
            "WHERE CODIGOESCRIT = ?), ?, ?, ?, ?)")) {}

  void Month(const DemoCompany& company, int year, int month) {
    for (int account : company.bank_accounts) {
      for (int i = 0; i < 3 * context_.Scale(); ++i) Cheque(company, account, kIssued, year, month);
      for (int i = 0; i < 2 * context_.Scale(); ++i)
        Cheque(company, account, kReceived, year, month);
    }
  }

 private:
  int Pick(const std::vector<int>& codes) { return random_.Pick(std::span<const int>(codes)); }

  void Cheque(const DemoCompany& company, int account, int kind, int year, int month) {
    DemoIds& ids = context_.Ids();
    const TDateTime expected = EncodeDate(year, month, random_.Pick(kExpectedDays));
    const TDateTime issued = expected - random_.Between(0, 20);
    const int last_status = kind == kIssued ? kCancelled : kPassedOn;
    const int status = random_.Between(kRegistered, last_status);
    // Issued cheques name the supplier paid; received ones the company.
    const int person = kind == kIssued ? Pick(ids.suppliers) : Pick(ids.customers);
    const int payee = kind == kIssued ? person : company.code;
    const double value = kind == kIssued ? random_.Amount(150, 9000) : random_.Amount(80, 6000);
    cheque_->Execute({kind, random_.Between(100, 999999), Variant::FromDateTime(issued),
                      Variant::FromDateTime(expected), payee, value, status, company.code,
                      account});
    TDateTime date = issued;
    for (int step : History(status)) {
      Detail(company, step, date, person);
      date = date + random_.Between(1, 4);
    }
    if (random_.Chance(15)) Detail(company, status, date, person);  // a second row of its status
  }

  void Detail(const DemoCompany& company, int status, TDateTime date, int person) {
    detail_->Execute({company.code, company.code, status, Variant::FromDateTime(date),
                      status == kRegistered ? Variant(person) : Variant(), Note(status)});
  }

  DemoContext& context_;
  DemoRandom random_;
  std::unique_ptr<TnPreparedStatement> cheque_;
  std::unique_ptr<TnPreparedStatement> detail_;
};

}  // namespace

void GenerateCheques(DemoContext& context) {
  ChequeBook book(context);
  for (int m = 0; m < kMonths; ++m) {
    const int year = kFirstYear + m / 12;
    const int month = m % 12 + 1;
    for (const DemoCompany& company : context.Ids().companies) book.Month(company, year, month);
  }
}

}  // namespace vireo::demo
