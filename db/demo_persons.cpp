// Person records shared by every kind of person: the register row, roles,
// addresses and contacts.
#include "db/demo_context.h"
#include "db/demo_documents.h"

namespace vireo::demo {

void AddPerson(DemoContext& context, const PersonData& person) {
  context
      .Table("PESSOAFINANCEIRO",
             {"CODIGOPESSOAFIN", "NOME", "TIPOINSCFEDERAL", "INSCFEDERAL", "DATACADASTRO"})
      .Insert({person.code, person.name, person.legal ? 2 : 1, person.tax_number,
               RandomDate(context.Random(), 2015, 2022)});
  ++context.Ids().persons;
}

void AddRole(DemoContext& context, int person, int role) {
  context.Table("PESSOAGRUPO", {"CODIGOPESSOAFIN", "TIPOGRUPOPESSOA"}).Insert({person, role});
}

void AddAddress(DemoContext& context, int person, const DemoTown& town, bool standard) {
  DemoRandom& random = context.Random();
  int address = context.NextAddressCode();
  Variant street_complement =
      random.Chance(20) ? Variant(std::string("Quadra ") + std::to_string(random.Between(1, 40)))
                        : Variant();
  context
      .Table("VENDERECO", {"CODIGOENDERECO", "ENDERECO1", "ENDERECO2", "COMPLEMENTO", "CEP",
                           "NOMEMUNICIPIO", "SIGLAESTADO"})
      .Insert({address, StreetName(random), DistrictName(random), street_complement,
               Cep(random, town), town.name, town.state});
  Variant own_complement;
  if (random.Chance(40)) {
    std::string kind = random.Chance(50) ? "Sala " : "Apto ";
    int floor = random.Between(1, 30);
    int unit = random.Between(1, 4);
    own_complement = kind + std::to_string(floor * 10 + unit);
  }
  context
      .Table("PESSOAENDERECO",
             {"CODIGOPESSOAFIN", "CODIGOENDERECO", "NRENDERECO", "COMPLEMENTO", "PADRAO"})
      .Insert({person, address, std::to_string(random.Between(10, 2999)), own_complement,
               standard ? 1 : 0});
}

void AddContact(DemoContext& context, int person, int kind, const std::string& value) {
  context.Table("PESSOACONTATO", {"CODIGOPESSOAFIN", "TIPOCONTATO", "VALOR"})
      .Insert({person, kind, value});
}

}  // namespace vireo::demo
