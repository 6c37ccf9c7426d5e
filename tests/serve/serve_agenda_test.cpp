// The agenda through the API: appointments made, changed and completed by
// the agenda's editor and read back from the table and from the month's
// listing (series expanded, labels, completion); refusals that write
// nothing; requests the API turns away.
#include <memory>

#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "tests/serve/serve_test_support.h"

namespace vireo::serve_test {
namespace {

using Changes = std::vector<std::pair<std::string, std::string>>;

class ServeAgendaTest : public ServeTest {
 protected:
  static void SetUpTestSuite() {
    ServeTest::SetUpTestSuite();
    auto db = TnConnection::Open({*dir_ + "/t.fdb"});
    auto w = db->StartWrite();
    for (int u : {3, 8})
      w->Execute(
          "update or insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO) values (?, ?) "
          "matching (CODIGOUSUARIO)",
          {u, "usuario" + std::to_string(u)});
    w->Commit();
  }

  static json Edit(std::optional<int> seq, const Changes& changes,
                   std::optional<int> occurrence = {}) {
    json body = {{"changes", json::array()}};
    if (seq) body["seq"] = *seq;
    if (occurrence) body["occurrence"] = *occurrence;
    for (const auto& [name, value] : changes) body["changes"].push_back({name, value});
    return body;
  }

  // The agenda table's rows, "|"-joined, as the test's own connection sees them.
  static std::vector<std::string> Rows(const std::string& sql) {
    auto db = TnConnection::Open({*dir_ + "/t.fdb"});
    std::unique_ptr<TnClientDataSet> rows(db->Query(sql));
    std::vector<std::string> out;
    for (rows->First(); !rows->Eof(); rows->Next()) {
      std::string line;
      for (int i = 0; i < rows->FieldCount(); ++i)
        line += (i ? "|" : "") + (rows->Fields(i)->IsNull() ? "null" : rows->Fields(i)->AsString());
      out.push_back(line);
    }
    return out;
  }
  static std::vector<std::string> Table() {
    return Rows("select * from AGENDAUSUARIO order by SEQAGENDA");
  }

  static json Month(const std::string& extra = "") {
    return Get("/api/agenda?de=01/03/2025&ate=31/03/2025" + extra);
  }
  static std::vector<json> Titled(const json& month, const std::string& caption) {
    std::vector<json> out;
    for (const json& i : month["items"])
      if (i["caption"] == caption) out.push_back(i);
    return out;
  }
  static std::string Field(const json& form, const std::string& name, const char* key) {
    for (const json& f : form["fields"])
      if (f["name"] == name) return f[key].is_string() ? f[key].get<std::string>() : f[key].dump();
    ADD_FAILURE() << "no field " << name;
    return {};
  }
};

TEST_F(ServeAgendaTest, AppointmentIsMadeChangedAndCompletedThroughTheEditor) {
  json form = Post("/api/agenda/editor", Edit({}, {}));
  EXPECT_EQ(form["editor"], "TncxSchedulerEventEditor");
  EXPECT_EQ(form["title"], "Novo agendamento");
  EXPECT_EQ(Field(form, "CODIGOUSUARIODEST", "text"), "3");  // the session's user
  EXPECT_EQ(Field(form, "CODIGOUSUARIODEST", "lookup"), "true");
  json users = Post("/api/agenda/editor/choices",
                    {{"changes", json::array()}, {"field", "CODIGOUSUARIODEST"}})["items"];
  EXPECT_NE(users.dump().find("usuario8"), std::string::npos) << users;
  std::string importante;
  for (const json& f : form["fields"])
    if (f["name"] == "Marcador")
      for (const json& i : f["items"])
        if (i["text"] == "Importante") importante = i["value"];
  ASSERT_FALSE(importante.empty());

  // A booking for two users: one row each, the first the session user's.
  json saved = Post("/api/agenda/save", Edit({}, {{"Assunto", "Reunião de balanço"},
                                                  {"Inicio", "10/03/2025 14:00"},
                                                  {"Fim", "10/03/2025 15:30"},
                                                  {"Marcador", importante},
                                                  {"CODIGOUSUARIODEST", "3;8"}}));
  EXPECT_EQ(saved["users"], json::array({3, 8}));
  EXPECT_EQ(Rows("select CODIGOUSUARIODEST, CODIGOUSUARIOORIG, MULTIPLA from AGENDAUSUARIO "
                 "where TITULOTAREFA = 'Reunião de balanço' order by CODIGOUSUARIODEST"),
            (std::vector<std::string>{"3|3|1", "8|3|1"}));

  // The session's user sees its own row only, in the label's colour.
  std::vector<json> mine = Titled(Month(), "Reunião de balanço");
  ASSERT_EQ(mine.size(), 1u);
  EXPECT_EQ(mine[0]["start"], "2025-03-10T14:00");
  EXPECT_EQ(mine[0]["finish"], "2025-03-10T15:30");
  EXPECT_EQ(mine[0]["color"], "#e8736b");
  EXPECT_EQ(mine[0]["label"], "Importante");
  EXPECT_EQ(mine[0]["completed"], false);
  int seq = mine[0]["seq"];

  json change =
      Post("/api/agenda/save", Edit(seq, {{"Local", "Sala 2"}, {"Fim", "10/03/2025 16:00"}}));
  EXPECT_EQ(change["users"], json::array({3}));
  EXPECT_EQ(
      Rows("select LOCALIZACAOTAREFA from AGENDAUSUARIO where SEQAGENDA = " + std::to_string(seq)),
      (std::vector<std::string>{"Sala 2"}));
  EXPECT_EQ(Titled(Month(), "Reunião de balanço")[0]["finish"], "2025-03-10T16:00");

  Post("/api/agenda/save", Edit(seq, {{"cxCheckBoxConcluida", "1"}}));
  json done = Titled(Month(), "Reunião de balanço")[0];
  EXPECT_EQ(done["completed"], true);
  EXPECT_EQ(Rows("select CONCLUIDA from AGENDAUSUARIO where SEQAGENDA = " + std::to_string(seq)),
            (std::vector<std::string>{"1"}));
  // The other user's row is a row of its own, untouched.
  EXPECT_EQ(Rows("select CONCLUIDA from AGENDAUSUARIO where CODIGOUSUARIODEST = 8 and "
                 "TITULOTAREFA = 'Reunião de balanço'"),
            (std::vector<std::string>{"0"}));
}

TEST_F(ServeAgendaTest, SeriesShowsEveryOccurrenceAndOneIsCompletedOnItsOwn) {
  Post("/api/agenda/save", Edit({}, {{"Assunto", "Fechamento semanal"},
                                     {"Inicio", "03/03/2025 09:00"},
                                     {"Fim", "03/03/2025 10:00"},
                                     {"Recorrencia", "WEEKLY"},
                                     {"Termino", "1"},
                                     {"Ocorrencias", "5"}}));
  std::vector<json> weeks = Titled(Month(), "Fechamento semanal");
  ASSERT_EQ(weeks.size(), 5u);
  EXPECT_EQ(weeks[4]["start"], "2025-03-31T09:00");
  EXPECT_EQ(weeks[2]["index"], 2);
  int series = weeks[2]["seq"];

  json form = Post("/api/agenda/editor", Edit(series, {}, 2));
  EXPECT_EQ(Field(form, "Inicio", "text").substr(0, 10), "17/03/2025");
  Post("/api/agenda/save", Edit(series, {{"cxCheckBoxConcluida", "1"}}, 2));

  weeks = Titled(Month(), "Fechamento semanal");
  ASSERT_EQ(weeks.size(), 5u);  // the changed occurrence replaces the series' one
  for (size_t i = 0; i < weeks.size(); ++i) EXPECT_EQ(weeks[i]["completed"], i == 2) << weeks[i];
  EXPECT_EQ(weeks[2]["series"], series);
  EXPECT_EQ(weeks[2]["start"], "2025-03-17T09:00");
  // Another week of the same month only shows what falls in it.
  json week = Get("/api/agenda?de=16/03/2025&ate=22/03/2025");
  EXPECT_EQ(Titled(week, "Fechamento semanal").size(), 1u);
}

TEST_F(ServeAgendaTest, RefusalsAnswerTheEditorsReasonAndWriteNothing) {
  {
    // Another user's appointment, which the session's user may not open.
    auto db = TnConnection::Open({*dir_ + "/t.fdb"});
    auto w = db->StartWrite();
    w->Execute(
        "update or insert into AGENDAUSUARIO (SEQAGENDA, CODIGOUSUARIODEST, DATAHORAINICIO, "
        "DATAHORAFIM, TITULOTAREFA, TIPOTAREFA) values (500, 8, '2025-03-05 10:00', "
        "'2025-03-05 11:00', 'Do outro', 0) matching (SEQAGENDA)");
    w->Commit();
  }
  const std::vector<std::string> before = Table();
  struct Case {
    json body;
    std::string message;
  };
  for (const Case& c : std::vector<Case>{
           {Edit({}, {{"Assunto", "x"}, {"CODIGOUSUARIODEST", "3;99"}}),
            "Usuário de destino inválido."},
           {Edit({}, {{"CODIGOUSUARIODEST", ""}}), "Usuário de destino inválido."},
           {Edit({}, {{"Inicio", "10/03/2025 14:00"}, {"Fim", "10/03/2025 13:00"}}),
            "O término não pode ser anterior ao início."},
           {Edit(9999, {{"Assunto", "x"}}), "Agendamento 9999"},
           {Edit(500, {{"Assunto", "Meu agora"}}), "Agendamento 500: é da agenda de outro"},
       }) {
    auto r = Client().Post("/api/agenda/save", c.body.dump(), "application/json");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 422) << c.body << r->body;
    json answer = json::parse(r->body, nullptr, false);
    EXPECT_EQ(answer.value("error", "").rfind(c.message, 0), 0u) << c.body << r->body;
  }
  // A value of the wrong form is refused where it is typed, and the save
  // does not go on without it.
  json bad =
      Post("/api/agenda/save", Edit({}, {{"Lembrete", "1"}, {"LembreteMinutos", "quinze"}}), 422);
  EXPECT_EQ(bad.value("field", ""), "LembreteMinutos");
  EXPECT_EQ(bad["form"]["refused"]["field"], "LembreteMinutos");
  EXPECT_EQ(Table(), before);
  Post("/api/agenda/editor", Edit(500, {}), 422);  // not even to look at it
  EXPECT_TRUE(Titled(Month(), "Do outro").empty());
}

TEST_F(ServeAgendaTest, RequestsOutsideTheRulesAreTurnedAway) {
  Get("/api/agenda?de=01/03/2025", 400);
  Get("/api/agenda?de=31/03/2025&ate=01/03/2025", 400);
  Get("/api/agenda?de=01/01/2024&ate=31/12/2025", 400);
  Post("/api/agenda/editor", {{"changes", "Assunto=x"}}, 400);
  Post("/api/agenda/editor", Edit({}, {{"SEQAGENDA", "1"}}), 400);  // no such field
  Post("/api/agenda/editor", {{"occurrence", 1}}, 400);
  Post("/api/agenda/editor", {{"seq", -1}}, 400);
  // Who is logged in is the server's: a user in the address changes nothing.
  EXPECT_EQ(Month("&usuario=8&user=8")["user"], 3);
}

}  // namespace
}  // namespace vireo::serve_test
