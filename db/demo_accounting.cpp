// Documents of the other modules and the accounting entries generated for
// them, January 2025 to June 2026:
//
//  - every receipt and payment settlement of the cash book (demo_cash.cpp)
//    gets its entries (origins 2, 3 and 4 by the settlement's purpose); a
//    receipt or payment to a person also gets the receivable or payable
//    document it settled (origins 0 and 1), posted some days before, with
//    one installment and the settlement's receipt or payment on it, so the
//    settlement's documents (DocumentoAcerto) name that title;
//  - each month and company also brings receivables of the commercial module
//    (CONTARECEBER), service notes, sales, a works budget and purchase notes
//    with their entries.
//
// Entries are posted with both accounts or as one-sided entries that add up
// per document; revenue and expense entries are split over cost centres.
// The faults listed in DemoSummary::accounting_faults are planted on top
// (demo_accounting_book.cpp).
#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "db/demo_accounting_book.h"

namespace vireo::demo {

namespace {

enum Purpose { kReceipt = 1, kPayment = 2, kMovement = 3 };

const char* const kWorks[] = {"Reforma da sede",    "Ampliação do depósito",
                              "Cobertura do pátio", "Instalações elétricas",
                              "Pintura da fachada", "Adequação de acessibilidade",
                              "Muro de divisa",     "Climatização do escritório"};

// Codes of the documents only this step writes, per company.
struct Numbers {
  int commercial_receivable = 20000;  // CONTARECEBER.NUMERODCTOCR
  int service_note = 0;               // SERVICONOTA.NUMERONS
  int sale = 0;                       // VENDA.CODIGOVENDA
  int work = 0;                       // OBRAORCAMENTO.CODIGOOBRA
  int purchase_note = 0;              // NOTAENTRADA.CODIGONOTAENT
};

TDateTime MonthStart(int month) {
  return EncodeDate(kAccountingFirstYear + month / 12, month % 12 + 1, 1);
}

// Position of a date among the months of generated entries, -1 outside.
int MonthOf(TDateTime date) {
  const TDateParts parts = DecodeDate(date);
  const int month = (parts.year - kAccountingFirstYear) * 12 + parts.month - 1;
  return month >= 0 && month < kAccountingMonths ? month : -1;
}

double Cents(double value) { return std::llround(value * 100) / 100.0; }

class Documents {
 public:
  explicit Documents(DemoContext& context)
      : context_(context),
        random_(context.Random()),
        ids_(context.Ids()),
        book_(context),
        scale_(context.Scale()) {}

  void Month(DemoCompany& company, int month, const std::vector<DemoSettlement>& settlements) {
    for (const DemoSettlement& settlement : settlements) Settlement(company, month, settlement);
    for (int i = 0; i < 2 * scale_; ++i) CommercialReceivable(company, month);
    for (int i = 0; i < 2 * scale_; ++i) ServiceNote(company, month);
    for (int i = 0; i < 2 * scale_; ++i) Sale(company, month);
    for (int i = 0; i < scale_; ++i) WorksBudget(company, month);
    for (int i = 0; i < 2 * scale_; ++i) PurchaseNote(company, month);
  }

 private:
  TDateTime DayIn(int month) { return MonthStart(month) + random_.Between(0, 27); }
  int Customer() { return random_.Pick(std::span<const int>(ids_.customers)); }
  int Supplier() { return random_.Pick(std::span<const int>(ids_.suppliers)); }
  TableWriter& Table(const std::string& table, const std::vector<std::string>& columns) {
    return context_.Table(table, columns);
  }

  // --- settlements and the titles they settled ---------------------------------

  void Settlement(DemoCompany& company, int month, const DemoSettlement& s) {
    LedgerDocument doc;
    doc.identifier = std::to_string(s.code);
    doc.date = s.date;
    const std::string history = "Acerto " + doc.identifier;
    if (s.purpose == kReceipt) {
      doc.variant = kReceiptSettlement;
      const double interest =
          random_.Chance(20) ? random_.Amount(1, std::max(1.0, s.value * 0.05)) : 0;
      if (interest > 0) {
        doc.lines = {{kBancos, 0, s.value, history},
                     {0, kDuplicatas, Cents(s.value - interest), history},
                     {0, kReceitasFinanceiras, interest, "Juros recebidos - " + history}};
      } else {
        doc.lines = {{kBancos, kDuplicatas, s.value, history}};
      }
      if (s.person != 0) ReceivableFor(company, month, s, Cents(s.value - interest), interest);
    } else if (s.purpose == kPayment) {
      doc.variant = kPaymentSettlement;
      if (s.person != 0) {
        doc.lines = {{kFornecedores, kBancos, s.value, history}};
        PayableFor(company, month, s);
      } else {
        doc.lines = {{kDespesasPessoal, kBancos, s.value, "Folha de pagamento - " + history}};
      }
    } else {
      doc.variant = kMovementSettlement;
      const int way = random_.Between(1, 3);
      const int debit = way == 1 ? kCaixa : (way == 2 ? kBancos : kAplicacoes);
      const int credit = way == 2 ? kCaixa : kBancos;
      doc.lines = {{debit, credit, s.value, "Transferência - " + history}};
    }
    book_.Post(company, month, std::move(doc), [&](int entry) {
      Table("FPRACERTOCTB", {"CODIGOESCRIT", "FPRCHAVELCTOCTB", "CODIGOACERTO"})
          .Insert({company.code, entry, s.code});
    });
  }

  // The receivable a receipt settled: one installment, received in full.
  void ReceivableFor(DemoCompany& company, int month, const DemoSettlement& s, double value,
                     double interest) {
    const int code = ++company.last_receivable_document;
    const int invoice = random_.Between(1000, 99999);
    const TDateTime issued = s.date - random_.Between(5, 45);
    const std::string document = "NF " + std::to_string(invoice);
    Table("FPRCONTARECEBERCAB",
          {"CODIGOESCRIT", "CODIGORECEBERCAB", "CODIGOPESSOAFIN", "CODIGOCONTA", "TIPODOCCAB",
           "DESCRTIPODOCCAB", "NUMERONF", "DATALANCAMENTOCAB", "VALORRECCAB", "HISTORICOCAB"})
        .Insert({company.code, code, s.person,
                 random_.Pick(std::span<const int>(ids_.revenue_accounts)), 1, "Nota fiscal",
                 invoice, Variant::FromDateTime(issued), value, "Venda faturada - " + document});
    Table("FPRCONTARECEBER",
          {"CODIGOESCRIT", "CODIGORECEBERCAB", "CODIGORECEBER", "CODIGOPESSOAFIN", "PARCELAREC",
           "DOCUMENTOREC", "DATALANCAMENTOREC", "DATAVENCIMENTOREC", "VALORREC", "SALDOREC",
           "SITUACAOREC", "HISTORICOREC"})
        .Insert({company.code, code, 1, s.person, 1, document, Variant::FromDateTime(issued),
                 Variant::FromDateTime(s.date), value, 0.0, 3, "Parcela única"});
    Table("FPRCONTARECEBERBAIXA",
          {"CODIGOESCRIT", "CODIGORECEBERCAB", "CODIGORECEBER", "CODIGOACERTO",
           "DATALANCAMENTOBAIXA", "VALORBAIXA", "VALORJUROBAIXA"})
        .Insert({company.code, code, 1, s.code, Variant::FromDateTime(s.date), value, interest});

    LedgerDocument doc;
    doc.variant = kFinancialReceivable;
    doc.identifier = std::to_string(code);
    doc.date = issued;
    const int revenue = random_.Chance(50) ? kReceitaServicos : kReceitaVendas;
    doc.lines = {{kDuplicatas, revenue, value, "Título a receber " + document}};
    book_.Post(company, month, std::move(doc), [&](int entry) {
      Table("FPRCONTARECEBERCABCTB", {"CODIGOESCRIT", "FPRCHAVELCTOCTB", "CODIGORECEBERCAB"})
          .Insert({company.code, entry, code});
    });
  }

  // The payable a payment settled; some withhold a tax, so the expense is
  // the gross amount and the supplier is paid the net.
  void PayableFor(DemoCompany& company, int month, const DemoSettlement& s) {
    const int code = ++company.last_payable_document;
    const int invoice = random_.Between(1000, 99999);
    const TDateTime issued = s.date - random_.Between(5, 40);
    const std::string document = "NF " + std::to_string(invoice);
    const double withheld = random_.Chance(40) ? Cents(s.value * 0.015 + 0.01) : 0;
    const double gross = Cents(s.value + withheld);
    const int kinds[] = {kDespesasAdministrativas, kDespesasComerciais, kDespesasFinanceiras,
                         kImpostosTaxas};
    const int expense = random_.Pick(kinds);
    Table("FPRCONTAPAGARCAB",
          {"CODIGOESCRIT", "CODIGOPAGARCAB", "CODIGOPESSOAFIN", "CODIGOCONTA", "TIPODOCCAB",
           "DESCRTIPODOCCAB", "NUMERONF", "DATALANCAMENTOCAB", "VALORPAGCAB", "HISTORICOCAB"})
        .Insert({company.code, code, s.person,
                 random_.Pick(std::span<const int>(ids_.expense_accounts)), 1, "Nota fiscal",
                 invoice, Variant::FromDateTime(issued), gross, "Compra - " + document});
    Table("FPRCONTAPAGAR", {"CODIGOESCRIT", "CODIGOPAGARCAB", "CODIGOPAGAR", "CODIGOPESSOAFIN",
                            "PARCELAPAG", "DOCUMENTOPAG", "DATALANCAMENTOPAG", "DATAVENCIMENTOPAG",
                            "VALORPAG", "SALDOPAG", "SITUACAOPAG", "HISTORICOPAG"})
        .Insert({company.code, code, 1, s.person, 1, document, Variant::FromDateTime(issued),
                 Variant::FromDateTime(s.date), s.value, 0.0, 3, "Parcela única"});
    Table("FPRCONTAPAGARBAIXA", {"CODIGOESCRIT", "CODIGOPAGARCAB", "CODIGOPAGAR", "CODIGOACERTO",
                                 "DATALANCAMENTOBAIXA", "VALORBAIXA"})
        .Insert({company.code, code, 1, s.code, Variant::FromDateTime(s.date), s.value});

    LedgerDocument doc;
    doc.variant = kPayable;
    doc.identifier = std::to_string(code);
    doc.date = issued;
    const std::string history = "Título a pagar " + document;
    if (withheld > 0) {
      doc.lines = {{expense, 0, gross, history},
                   {0, kFornecedores, s.value, history},
                   {0, kImpostosRecolher, withheld, "Imposto retido - " + history}};
    } else {
      doc.lines = {{expense, kFornecedores, s.value, history}};
    }
    book_.Post(company, month, std::move(doc), [&](int entry) {
      Table("FPRCONTAPAGARCABCTB", {"CODIGOESCRIT", "FPRCHAVELCTOCTB", "CODIGOPAGARCAB"})
          .Insert({company.code, entry, code});
    });
  }

  // --- documents of the other modules ------------------------------------------

  void CommercialReceivable(DemoCompany& company, int month) {
    const int number = ++numbers_[company.code].commercial_receivable;
    const TDateTime date = DayIn(month);
    const double value = random_.Amount(300, 12000);
    Table("CONTARECEBER", {"CODIGOESCRIT", "NUMERODCTOCR", "CODIGOPESSOAFIN", "DATAEMISSAOCR",
                           "DATAVENCIMENTOCR", "VALORCR"})
        .Insert({company.code, number, Customer(), Variant::FromDateTime(date),
                 Variant::FromDateTime(date + 30), value});
    LedgerDocument doc;
    doc.variant = kCommercialReceivable;
    doc.identifier = std::to_string(number);
    doc.date = date;
    const std::string history = "Duplicata " + doc.identifier;
    doc.lines = {{kDuplicatas, kReceitaVendas, value, history}};
    if (random_.Chance(30)) {
      doc.lines.push_back(
          {kImpostosTaxas, kImpostosRecolher, Cents(value * 0.0365), "PIS/COFINS - " + history});
    }
    book_.Post(company, month, std::move(doc), [&](int entry) {
      Table("CONTARECEBERCTB", {"CODIGOESCRIT", "FPRCHAVELCTOCTB", "NUMERODCTOCR"})
          .Insert({company.code, entry, number});
    });
  }

  void ServiceNote(DemoCompany& company, int month) {
    const int number = ++numbers_[company.code].service_note;
    const TDateTime date = DayIn(month);
    const double value = random_.Amount(500, 20000);
    Table("SERVICONOTA",
          {"CODIGOESCRIT", "SERIENS", "NUMERONS", "CODIGOPESSOAFIN", "DATAEMISSAONS", "VALORBRUTO"})
        .Insert({company.code, "A", number, Customer(), Variant::FromDateTime(date), value});
    LedgerDocument doc;
    doc.variant = kServiceNote;
    doc.identifier = "A";  // series and number, as the checks join them
    doc.identifier += std::to_string(number);
    doc.date = date;
    const std::string history = "NFS A-" + std::to_string(number);
    doc.lines = {{kDuplicatas, kReceitaServicos, value, history},
                 {kImpostosTaxas, kImpostosRecolher, Cents(value * 0.05), "ISS - " + history}};
    book_.Post(company, month, std::move(doc), [&](int entry) {
      Table("SERVICONOTACTB", {"CODIGOESCRIT", "FPRCHAVELCTOCTB", "SERIENS", "NUMERONS"})
          .Insert({company.code, entry, "A", number});
    });
  }

  // Cash or credit sales; some with a discount, posted as one-sided entries.
  void Sale(DemoCompany& company, int month) {
    const int number = ++numbers_[company.code].sale;
    const TDateTime date = DayIn(month);
    const double value = random_.Amount(50, 6000);
    Table("VENDA",
          {"CODIGOESCRIT", "CODIGOVENDA", "CODIGOPESSOAFIN", "DATAVENDA", "VALORTOTALVENDA"})
        .Insert({company.code, number, Customer(), Variant::FromDateTime(date), value});
    LedgerDocument doc;
    doc.variant = kSale;
    doc.identifier = std::to_string(number);
    doc.date = date;
    const std::string history = "Venda " + doc.identifier;
    const int way = random_.Between(1, 10);
    if (way <= 5) {
      doc.lines = {{kCaixa, kReceitaVendas, value, history}};
    } else if (way <= 8) {
      doc.lines = {{kDuplicatas, kReceitaVendas, value, history}};
    } else {
      const double discount = Cents(value * random_.Between(2, 10) / 100.0);
      doc.lines = {{kDuplicatas, 0, Cents(value - discount), history},
                   {kDescontosConcedidos, 0, discount, "Desconto - " + history},
                   {0, kReceitaVendas, value, history}};
    }
    book_.Post(company, month, std::move(doc), [&](int entry) {
      Table("VENDACTB", {"CODIGOESCRIT", "FPRCHAVELCTOCTB", "CODIGOVENDA"})
          .Insert({company.code, entry, number});
    });
  }

  // Materials go to fixed assets, labour to expenses.
  void WorksBudget(DemoCompany& company, int month) {
    const int number = ++numbers_[company.code].work;
    const TDateTime date = DayIn(month);
    const double materials = random_.Amount(5000, 60000);
    const double labour = random_.Amount(2000, 30000);
    const Variant budget_date = Variant::FromDateTime(date);
    Table("OBRAORCAMENTO",
          {"CODIGOESCRIT", "CODIGOOBRA", "DATAORCAMENTO", "DESCROBRA", "VALORTOTALORCADO"})
        .Insert(
            {company.code, number, budget_date, random_.Pick(kWorks), Cents(materials + labour)});
    LedgerDocument doc;
    doc.variant = kWorksBudget;
    doc.identifier = std::to_string(number);
    doc.date = date;
    const std::string history = "Orçamento da obra " + doc.identifier;
    doc.lines = {{kImobilizado, kFornecedores, materials, "Materiais - " + history},
                 {kDespesasPessoal, kSalariosPagar, labour, "Mão de obra - " + history}};
    book_.Post(company, month, std::move(doc), [&](int entry) {
      Table("OBRAORCAMENTOCTB", {"CODIGOESCRIT", "FPRCHAVELCTOCTB", "CODIGOOBRA", "DATAORCAMENTO"})
          .Insert({company.code, entry, number, budget_date});
    });
  }

  void PurchaseNote(DemoCompany& company, int month) {
    const int number = ++numbers_[company.code].purchase_note;
    const TDateTime date = DayIn(month);
    const double goods = random_.Amount(100, 9000);
    const double freight = random_.Chance(30) ? random_.Amount(20, 400) : 0;
    Table("NOTAENTRADA",
          {"CODIGOESCRIT", "CODIGONOTAENT", "CODIGOPESSOAFIN", "DATAENTRADA", "VALORTOTALNOTA"})
        .Insert({company.code, number, Supplier(), Variant::FromDateTime(date),
                 Cents(goods + freight)});
    LedgerDocument doc;
    doc.variant = kPurchaseNote;
    doc.identifier = std::to_string(number);
    doc.date = date;
    const std::string history = "NF de entrada " + doc.identifier;
    const int expense = random_.Chance(50) ? kDespesasAdministrativas : kDespesasComerciais;
    doc.lines = {{expense, kFornecedores, goods, history}};
    if (freight > 0) {
      doc.lines.push_back({kDespesasComerciais, kFornecedores, freight, "Frete - " + history});
    }
    book_.Post(company, month, std::move(doc), [&](int entry) {
      Table("NOTAENTRADACTB", {"CODIGOESCRIT", "FPRCHAVELCTOCTB", "CODIGONOTAENT"})
          .Insert({company.code, entry, number});
    });
  }

  DemoContext& context_;
  DemoRandom& random_;
  DemoIds& ids_;
  AccountingBook book_;
  int scale_;
  std::map<int, Numbers> numbers_;
};

}  // namespace

void GenerateAccounting(DemoContext& context) {
  // The cash book's settlements of the period, by company and month.
  std::map<std::pair<int, int>, std::vector<DemoSettlement>> settlements;
  for (const DemoSettlement& s : context.Ids().settlements) {
    const int month = MonthOf(s.date);
    if (month >= 0) settlements[{s.company, month}].push_back(s);
  }
  Documents documents(context);
  for (int month = 0; month < kAccountingMonths; ++month) {
    for (DemoCompany& company : context.Ids().companies) {
      documents.Month(company, month, settlements[{company.code, month}]);
    }
  }
}

}  // namespace vireo::demo
