// The user agenda's prints: periods and month portions, all-day and
// completed appointments, the administrator, the right to see other users,
// series begun before the period and their exceptions, and the prints it
// refuses.
#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "tests/agenda/agenda_test_support.h"

namespace vireo::test {
namespace {

using V = std::vector<std::string>;

class AgendaReportTest : public AgendaDbTest {};

TEST_F(AgendaReportTest, OneDayAndAPeriodOverTwoMonthPortions) {
  Usuario(1, "ana");
  Compromissar({.seq = 1, .inicio = "04/03/2025 09:00", .fim = "04/03/2025 10:00", .titulo = "A"});
  Compromissar({.seq = 2, .inicio = "05/03/2025 09:00", .fim = "05/03/2025 10:00", .titulo = "B"});
  Compromissar({.seq = 3, .inicio = "01/04/2025 08:00", .fim = "01/04/2025 08:30", .titulo = "C"});
  Compromissar({.seq = 4, .inicio = "02/04/2025 08:00", .fim = "02/04/2025 08:30", .titulo = "D"});
  EXPECT_EQ(Linhas(Agenda("05/03/2025", "05/03/2025", {{"pCodigoUsuario", "1"}})),
            (V{"05/03/2025 09:00:00 05/03/2025 10:00:00 B"}));
  EXPECT_EQ(Linhas(Agenda("10/03/2025", "01/04/2025", {{"pCodigoUsuario", "1"}})),
            (V{"01/04/2025 08:00:00 01/04/2025 08:30:00 C"}));
}

TEST_F(AgendaReportTest, AllDayEndsOnItsLastDayAndOvernightOnTheNextOne) {
  Usuario(1, "ana");
  Compromissar({.seq = 1,
                .inicio = "05/03/2025 00:00",
                .fim = "06/03/2025 00:00",
                .titulo = "Feriado",
                .opcoes = 1});
  Compromissar(
      {.seq = 2, .inicio = "07/03/2025 22:00", .fim = "08/03/2025 02:00", .titulo = "Noite"});
  // A moment at midnight that takes no time keeps its day.
  Compromissar(
      {.seq = 3, .inicio = "09/03/2025 00:00", .fim = "09/03/2025 00:00", .titulo = "Marco"});
  EXPECT_EQ(Linhas(Agenda("01/03/2025", "31/03/2025", {{"pCodigoUsuario", "1"}})),
            (V{"05/03/2025 00:00:00 05/03/2025 00:00:00 Feriado",
               "07/03/2025 22:00:00 08/03/2025 02:00:00 Noite",
               "09/03/2025 00:00:00 09/03/2025 00:00:00 Marco"}));
}

TEST_F(AgendaReportTest, CompletedAppointmentsOnlyWhenAskedFor) {
  Usuario(1, "ana");
  Compromissar({.seq = 1,
                .inicio = "05/03/2025 09:00",
                .fim = "05/03/2025 10:00",
                .titulo = "Aberto",
                .concluida = 0});
  Compromissar({.seq = 2,
                .inicio = "05/03/2025 11:00",
                .fim = "05/03/2025 12:00",
                .titulo = "Nulo",
                .concluida = Variant()});
  Compromissar({.seq = 3,
                .inicio = "05/03/2025 13:00",
                .fim = "05/03/2025 14:00",
                .titulo = "Feito",
                .concluida = 1});
  Compromissar({.seq = 4,
                .inicio = "05/03/2025 15:00",
                .fim = "05/03/2025 16:00",
                .titulo = "Dois",
                .concluida = 2});
  const auto titulos = [](const TracePrint& p) {
    V out;
    for (const json& s : p.Of(8)) out.push_back(Var(s, "R3"));
    return out;
  };
  EXPECT_EQ(titulos(Agenda("05/03/2025", "05/03/2025", {{"pCodigoUsuario", "1"}})),
            (V{"Aberto", "Nulo"}));
  EXPECT_EQ(titulos(Agenda("05/03/2025", "05/03/2025",
                           {{"pCodigoUsuario", "1"}, {"pMostrarConcluido", "1"}})),
            (V{"Aberto", "Nulo", "Feito", "Dois"}));
}

TEST_F(AgendaReportTest, TheAdministratorIsAddedOnceAndEachUserEndsAPage) {
  Usuario(1, "ana");
  Usuario(2, "bia");  // no appointments: no line, no page of its own
  Usuario(3, "caio");
  Compromissar({.seq = 1,
                .usuario = 0,
                .inicio = "05/03/2025 09:00",
                .fim = "05/03/2025 10:00",
                .titulo = "Adm"});
  Compromissar({.seq = 2,
                .usuario = 1,
                .inicio = "05/03/2025 09:00",
                .fim = "05/03/2025 10:00",
                .titulo = "Ana"});
  Compromissar({.seq = 3,
                .usuario = 3,
                .inicio = "05/03/2025 09:00",
                .fim = "05/03/2025 10:00",
                .titulo = "Caio"});
  const TracePrint todos = Agenda("01/03/2025", "31/03/2025");
  std::vector<std::pair<std::string, int>> paginas;
  for (const json& s : todos.Of(8)) paginas.emplace_back(Var(s, "R3"), s["page"].get<int>());
  EXPECT_EQ(paginas,
            (std::vector<std::pair<std::string, int>>{{"Adm", 1}, {"Ana", 2}, {"Caio", 3}}));
  // 0 named in the selection brings the administrator; other users do not.
  EXPECT_EQ(Linhas(Agenda("01/03/2025", "31/03/2025", {{"pCodigoUsuario", "0..1"}})).size(), 2u);
  EXPECT_EQ(Linhas(Agenda("01/03/2025", "31/03/2025", {{"pCodigoUsuario", "1;3"}})).size(), 2u);
}

TEST_F(AgendaReportTest, AUserRowWithCodeZeroIsNotDoubled) {
  Usuario(0, "root");
  Compromissar({.seq = 1,
                .usuario = 0,
                .inicio = "05/03/2025 09:00",
                .fim = "05/03/2025 10:00",
                .titulo = "Adm"});
  const TracePrint p = Agenda("01/03/2025", "31/03/2025");
  EXPECT_EQ(Linhas(p), (V{"05/03/2025 09:00:00 05/03/2025 10:00:00 Adm"}));
  EXPECT_EQ(p.pages, 1);
}

TEST_F(AgendaReportTest, WithoutTheRightAUserSeesOnlyTheirOwnAgenda) {
  Usuario(1, "ana");
  Usuario(2, "bia");
  Compromissar({.seq = 1,
                .usuario = 1,
                .inicio = "05/03/2025 09:00",
                .fim = "05/03/2025 10:00",
                .titulo = "Ana"});
  Compromissar({.seq = 2,
                .usuario = 2,
                .inicio = "05/03/2025 09:00",
                .fim = "05/03/2025 10:00",
                .titulo = "Bia"});
  DefinirUsuario(2);
  NegarDireito("actTnOrgDPUsuario");
  const TracePrint p = Agenda("01/03/2025", "31/03/2025", {{"pCodigoUsuario", "1;2"}});
  ASSERT_EQ(p.Of(8).size(), 1u);
  EXPECT_EQ(Var(p.Of(8)[0], "R3"), "Bia");
}

TEST_F(AgendaReportTest, SeriesBegunBeforeThePeriodAndTheirExceptions) {
  Usuario(1, "ana");
  // Mondays from 3 February: 3 March is index 4, 10 March 5, 17 March 6,
  // 24 March 7, 31 March 8.
  Compromissar({.seq = 1,
                .inicio = "03/02/2025 09:00",
                .fim = "03/02/2025 10:00",
                .titulo = "Semanal",
                .tipo = 1,
                .regra = "FREQ=WEEKLY"});
  Compromissar({.seq = 2,
                .inicio = "11/03/2025 15:00",
                .fim = "11/03/2025 16:00",
                .titulo = "Movida",
                .tipo = 2,
                .pai = 1,
                .indice = 5});
  Compromissar({.seq = 3,
                .inicio = "17/03/2025 09:00",
                .fim = "17/03/2025 10:00",
                .titulo = "Semanal",
                .tipo = 3,
                .pai = 1,
                .indice = 6});
  Compromissar({.seq = 4,
                .inicio = "24/03/2025 09:00",
                .fim = "24/03/2025 10:00",
                .titulo = "Feita",
                .tipo = 2,
                .pai = 1,
                .indice = 7,
                .concluida = 1});
  Compromissar({.seq = 5,
                .inicio = "02/05/2025 09:00",
                .fim = "02/05/2025 10:00",
                .titulo = "Adiada",
                .tipo = 2,
                .pai = 1,
                .indice = 8});
  EXPECT_EQ(Linhas(Agenda("01/03/2025", "31/03/2025", {{"pCodigoUsuario", "1"}})),
            (V{"03/03/2025 09:00:00 03/03/2025 10:00:00 Semanal",
               "11/03/2025 15:00:00 11/03/2025 16:00:00 Movida"}));
}

TEST_F(AgendaReportTest, AnOccurrenceBegunBeforeAMonthPortionPrintsInItsOwnMonth) {
  Usuario(1, "ana");
  Compromissar(
      {.seq = 1, .inicio = "31/03/2025 22:00", .fim = "01/04/2025 02:00", .titulo = "Virada"});
  EXPECT_EQ(Linhas(Agenda("01/03/2025", "30/04/2025", {{"pCodigoUsuario", "1"}})),
            (V{"31/03/2025 22:00:00 01/04/2025 02:00:00 Virada"}));
  // Begun before the period: not listed in it.
  EXPECT_TRUE(Linhas(Agenda("01/04/2025", "30/04/2025", {{"pCodigoUsuario", "1"}})).empty());
}

TEST_F(AgendaReportTest, RefusedPrints) {
  Usuario(1, "ana");
  Compromissar({.seq = 9,
                .inicio = "03/03/2025 09:00",
                .fim = "03/03/2025 10:00",
                .tipo = 1,
                .regra = "FREQ=SECONDLY"});
  try {
    Agenda("01/03/2025", "31/03/2025");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("Agendamento 9"), std::string::npos) << e.Message();
  }
  try {
    Agenda("02/03/2025", "01/03/2025");
    FAIL();
  } catch (const EnParam& e) {
    EXPECT_EQ(e.Message(), "Data inicial não pode ser maior que data final.");
  }
  EXPECT_ANY_THROW(Agenda("01/03/2025", "31/03/2025", {{"pCodigoUsuario", "1) or (1=1"}}));
}

}  // namespace
}  // namespace vireo::test
