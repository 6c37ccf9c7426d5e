// The demo agenda prints exactly the occurrences its generator planned.
#include <gtest/gtest.h>

#include <map>

#include "db/demo.h"
#include "db/demo_agenda.h"
#include "host/core/format.h"
#include "tests/agenda/agenda_test_support.h"

namespace vireo::test {
namespace {

class AgendaDemoTest : public AgendaDbTest {};

TEST_F(AgendaDemoTest, EachUsersPeriodListsWhatTheGeneratorPlanned) {
  DemoOptions options;
  GenerateDemo(*db_, options);
  std::vector<int> usuarios;
  {
    std::unique_ptr<TnClientDataSet> rows(
        db_->Query("select CODIGOUSUARIO from USUARIO order by 1"));
    for (rows->First(); !rows->Eof(); rows->Next()) {
      usuarios.push_back(static_cast<int>(rows->Fields(0)->AsInteger()));
    }
  }
  std::map<int, std::vector<std::string>> esperado;
  for (const demo::AgendaLinha& l : demo::PlanoAgenda(options.seed, options.scale, usuarios)) {
    esperado[l.usuario].push_back(FormatDateTime("dd/mm/yyyy hh:nn:ss", l.inicio) + " " +
                                  FormatDateTime("hh:nn:ss", l.fim) + " " + l.titulo);
  }
  usuarios.insert(usuarios.begin(), 0);
  for (int u : usuarios) {
    const TracePrint p = Agenda(FormatDateTime("dd/mm/yyyy", demo::AgendaInicio()),
                                FormatDateTime("dd/mm/yyyy", demo::AgendaFim()),
                                {{"pCodigoUsuario", std::to_string(u)}});
    std::vector<std::string> impresso;
    for (const json& s : p.Of(8)) {
      impresso.push_back(Var(s, "R1") + " " + Var(s, "R2") + " " + Var(s, "R4") + " " +
                         Var(s, "R3"));
    }
    EXPECT_GT(impresso.size(), 30u) << u;
    EXPECT_EQ(impresso, esperado[u]) << "usuário " << u;
  }
}

}  // namespace
}  // namespace vireo::test
