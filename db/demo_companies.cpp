// The three companies that keep books in the demo database: their person
// records, logos, addresses, telephones, bank accounts and collection
// settings.
#include "db/demo_context.h"
#include "db/demo_documents.h"
#include "db/demo_logo.h"

namespace vireo::demo {

namespace {

struct CompanyRow {
  const char* name;
  const char* short_name;
  const char* domain;
  size_t town;  // index into Towns()
  uint32_t colour;
  uint32_t accent;
};

const CompanyRow kCompanies[] = {
    {"Aroeira Consultoria e Gestão Ltda", "Aroeira", "aroeira.com.br", 0, 0x2E7D32, 0xC8E6C9},
    {"Comercial Ipê Materiais de Construção Ltda", "Ipê", "comercialipe.com.br", 1, 0xF9A825,
     0x6D4C41},
    {"Jequitibá Imóveis e Administração S.A.", "Jequitibá", "jequitibaimoveis.com.br", 2, 0x1565C0,
     0xFFFFFF}};

void AddBankAccounts(DemoContext& context, DemoCompany& company) {
  DemoRandom& random = context.Random();
  const std::vector<int>& agencies = context.Ids().agencies;
  TableWriter& accounts =
      context.Table("PESSOACONTABANC", {"CODIGOPESSOAFIN", "CODIGOCONTABANC", "CODIGOAGENCIABANC",
                                        "NRCONTABANC", "DGCONTABANC", "DESCRCONTABANC"});
  for (int code = 1; code <= 2; ++code) {
    int agency = random.Pick(std::span<const int>(agencies));
    int number = random.Between(10000, 999999);
    int digit = random.Between(0, 9);
    accounts.Insert({company.code, code, agency, std::to_string(number), std::to_string(digit),
                     code == 1 ? "Conta movimento" : "Conta de cobrança"});
    company.bank_accounts.push_back(code);
    company.bank_labels.push_back(context.Ids().agency_banks[agency] + " c/c " +
                                  std::to_string(number) + "-" + std::to_string(digit));
  }
}

void AddCollectionSettings(DemoContext& context, const DemoCompany& company) {
  DemoRandom& random = context.Random();
  double interest = random.Chance(50) ? 1.0 : 2.0;
  int grace = random.Between(0, 5);
  context
      .Table("EMPRESACFGBOLETO", {"CODIGOESCRIT", "CODIGOEMPRESACFGBOLETO", "CODIGOCONTABANC",
                                  "CARTEIRA", "PERCJUROMES", "PERCMULTA", "DIASCARENCIA"})
      .Insert({company.code, 1, company.bank_accounts.back(), "109", interest, 2.0, grace});
}

// Business telephone last: vouchers print the company's latest contact
// when it is a telephone.
void AddCompanyContacts(DemoContext& context, const DemoCompany& company, const char* domain) {
  DemoRandom& random = context.Random();
  AddContact(context, company.code, kEmail, std::string("financeiro@") + domain);
  AddContact(context, company.code, kWebSite, std::string("www.") + domain);
  AddContact(context, company.code, kFax, Telephone(random, *company.town, false));
  AddContact(context, company.code, kBusinessPhone, Telephone(random, *company.town, false));
}

}  // namespace

void GenerateCompanies(DemoContext& context) {
  TableWriter& offices = context.Table("ESCRITORIO", {"CODIGOESCRIT", "LOGO", "DATAABERTURA"});
  int code = 0;
  for (const CompanyRow& row : kCompanies) {
    DemoCompany company;
    company.code = ++code;
    company.name = row.name;
    company.short_name = row.short_name;
    company.town = &Towns()[row.town];
    AddPerson(context, {company.code, row.name, true, Cnpj(context.Random()), company.town});
    offices.Insert({company.code, Variant::FromBytes(LogoPng(row.colour, row.accent)),
                    DateValue(2005 + 4 * code, code, 10 * code)});
    AddAddress(context, company.code, *company.town, true);
    AddCompanyContacts(context, company, row.domain);
    AddBankAccounts(context, company);
    AddCollectionSettings(context, company);
    context.Ids().companies.push_back(company);
  }
}

}  // namespace vireo::demo
