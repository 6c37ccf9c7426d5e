// Customers, suppliers and interested parties: persons with addresses,
// contacts and, for suppliers, bank accounts to pay them into.
#include "db/demo_context.h"
#include "db/demo_documents.h"

namespace vireo::demo {

namespace {

const char* const kMailDomains[] = {"gmail.com",    "hotmail.com",  "uol.com.br",
                                    "terra.com.br", "yahoo.com.br", "bol.com.br"};

PersonData NewPerson(DemoContext& context, bool legal) {
  DemoRandom& random = context.Random();
  PersonData person;
  person.code = context.NextPersonCode();
  person.legal = legal;
  person.name = legal ? FirmName(random) : PersonName(random);
  person.tax_number = legal ? Cnpj(random) : Cpf(random);
  person.town = &PickTown(random);
  return person;
}

// Between none and three contacts; about one person in six has only an
// e-mail, so reports meet persons without a telephone.
void AddPersonContacts(DemoContext& context, const PersonData& person) {
  DemoRandom& random = context.Random();
  int phones = random.Between(0, 2);
  for (int i = 0; i < phones; ++i) {
    bool mobile = !person.legal || random.Chance(30);
    AddContact(context, person.code, mobile ? kMobile : kBusinessPhone,
               Telephone(random, *person.town, mobile));
  }
  if (phones == 0 || random.Chance(50)) {
    std::string domain = person.legal ? AsciiWord(FirmWord(person.name)) + ".com.br"
                                      : std::string(random.Pick(kMailDomains));
    std::string mailbox = person.legal ? "contato@" + domain : EmailOf(person.name, domain);
    AddContact(context, person.code, kEmail, mailbox);
  }
}

void AddSupplierBankAccount(DemoContext& context, int person) {
  DemoRandom& random = context.Random();
  int agency = random.Pick(std::span<const int>(context.Ids().agencies));
  int number = random.Between(1000, 99999);
  int digit = random.Between(0, 9);
  context
      .Table("PESSOACONTABANC", {"CODIGOPESSOAFIN", "CODIGOCONTABANC", "CODIGOAGENCIABANC",
                                 "NRCONTABANC", "DGCONTABANC", "DESCRCONTABANC"})
      .Insert({person, 1, agency, std::to_string(number), std::to_string(digit),
               "Conta para pagamentos"});
}

PersonData AddFullPerson(DemoContext& context, bool legal, int role) {
  PersonData person = NewPerson(context, legal);
  AddPerson(context, person);
  AddRole(context, person.code, role);
  AddAddress(context, person.code, *person.town, true);
  AddPersonContacts(context, person);
  return person;
}

void AddInterestedParty(DemoContext& context, int property) {
  PersonData person = AddFullPerson(context, false, kInterested);
  context.Table("INTERESSADO", {"CODIGOPESSOAFIN", "CODIGOIMOVEL", "CODIGOESCRIT"})
      .Insert({person.code, property, 3});
  context.Ids().interested.push_back(person.code);
}

}  // namespace

void GeneratePeople(DemoContext& context) {
  DemoRandom& random = context.Random();
  DemoIds& ids = context.Ids();
  int scale = context.Scale();
  for (int i = 0; i < 20 * scale; ++i) {
    PersonData supplier = AddFullPerson(context, random.Chance(90), kSupplier);
    if (random.Chance(60)) AddSupplierBankAccount(context, supplier.code);
    ids.suppliers.push_back(supplier.code);
    // Some suppliers also buy from the companies.
    if (random.Chance(15)) {
      AddRole(context, supplier.code, kCustomer);
      ids.customers.push_back(supplier.code);
    }
  }
  for (int i = 0; i < 30 * scale; ++i) {
    PersonData customer = AddFullPerson(context, random.Chance(40), kCustomer);
    if (random.Chance(10)) AddAddress(context, customer.code, *customer.town, false);
    ids.customers.push_back(customer.code);
  }
  for (int i = 0; i < 6 * scale; ++i) AddInterestedParty(context, 1 + i % (4 * scale));
}

}  // namespace vireo::demo
