// Banks and their branches.  The banks are the real clearing numbers of
// large Brazilian banks; the branches are made up.
#include "db/demo_context.h"

namespace vireo::demo {

namespace {

struct BankRow {
  int code;
  const char* name;
  const char* short_name;
};

const BankRow kBanks[] = {{1, "Banco do Brasil S.A.", "BB"},
                          {33, "Banco Santander (Brasil) S.A.", "Santander"},
                          {77, "Banco Inter S.A.", "Inter"},
                          {104, "Caixa Econômica Federal", "Caixa"},
                          {237, "Banco Bradesco S.A.", "Bradesco"},
                          {341, "Itaú Unibanco S.A.", "Itaú"},
                          {748, "Banco Cooperativo Sicredi S.A.", "Sicredi"},
                          {756, "Banco Cooperativo do Brasil S.A. - Sicoob", "Sicoob"}};

const char* const kBranchNames[] = {"Centro",  "Praça da Sé",    "Avenida Brasil", "Batel",
                                    "Savassi", "Jardim América", "Rodoviária",     "Shopping"};

}  // namespace

void GenerateBanks(DemoContext& context) {
  DemoRandom& random = context.Random();
  TableWriter& banks = context.Table("BANCO", {"CODIGOBANCO", "NOMEBANCO"});
  TableWriter& agencies = context.Table(
      "AGENCIABANC",
      {"CODIGOAGENCIABANC", "CODIGOBANCO", "NUMEROAGENCIA", "DGAGENCIA", "NOMEAGENCIA"});
  int agency = 0;
  for (const BankRow& bank : kBanks) {
    banks.Insert({bank.code, bank.name});
    for (int i = 0; i < 2; ++i) {
      ++agency;
      int number = random.Between(100, 4999);
      int digit = random.Between(0, 9);
      std::string branch = random.Pick(kBranchNames);
      agencies.Insert(
          {agency, bank.code, std::to_string(number), std::to_string(digit), "Agência " + branch});
      context.Ids().agencies.push_back(agency);
      context.Ids().agency_banks[agency] = bank.short_name;
    }
  }
}

}  // namespace vireo::demo
