// Users of the host.  Code 0 is left free: the agenda shows it as the
// administrator.
#include "db/demo_context.h"
#include "db/demo_documents.h"

namespace vireo::demo {

void GenerateUsers(DemoContext& context) {
  DemoRandom& random = context.Random();
  TableWriter& users = context.Table(
      "USUARIO", {"CODIGOUSUARIO", "NOMEUSUARIO", "NOMEUSUARIOCOMPL", "EMAIL", "ATIVO"});
  int count = 4 + 2 * context.Scale();
  for (int code = 1; code <= count; ++code) {
    std::string name = PersonName(random);
    std::string email = EmailOf(name, "aroeira.com.br");
    std::string login = email.substr(0, email.find('@'));
    bool active = code < count || random.Chance(50);
    users.Insert({code, login.substr(0, 30), name, email, active ? 1 : 0});
    context.Ids().users.push_back(code);
  }
}

}  // namespace vireo::demo
