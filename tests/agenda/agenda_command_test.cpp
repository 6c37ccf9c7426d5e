// `vireo agenda edit` on a temporary database: what a save writes, and that
// a refusal or a cancel writes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "db/schema.h"
#include "tests/agenda/agenda_test_support.h"
#include "tests/support/db_digest.h"
#include "tests/support/vireo_run.h"

namespace vireo::test {
namespace {

class AgendaCommandTest : public AgendaDbTest {
 protected:
  void SetUp() override {
    AgendaDbTest::SetUp();
    for (int u : {3, 8, 10}) Usuario(u, "u" + std::to_string(u));
    Compromissar({.seq = 1,
                  .usuario = 3,
                  .inicio = "03/03/2025 09:00",
                  .fim = "03/03/2025 10:00",
                  .titulo = "Semanal",
                  .tipo = 1,
                  .regra = "FREQ=WEEKLY;COUNT=5"});
    Compromissar({.seq = 2,
                  .usuario = 3,
                  .inicio = "04/03/2025 09:00",
                  .fim = "04/03/2025 10:00",
                  .titulo = "Único"});
    Commit();
    // The program opens the file itself: this process lets go of it.
    SetCurrentConnection(nullptr);
    db_.reset();
  }
  void Reabrir() {
    db_ = TnConnection::Open({Arquivo()});
    SetCurrentConnection(db_.get());
  }
  std::string Arquivo() const { return (dir_ / "agenda.fdb").string(); }

  VireoRun Editar(const std::string& args, const std::string& entrada) {
    // An embedded database is opened by one process at a time.
    SetCurrentConnection(nullptr);
    db_.reset();
    const std::string arquivo = (dir_ / "entrada.txt").string();
    std::ofstream(arquivo) << entrada;
    return RunVireo("agenda edit --db " + Arquivo() + " " + args + " < " + arquivo);
  }
  DbDigest Digest() {
    Reabrir();
    DbDigest d = DigestOf(*db_);
    SetCurrentConnection(nullptr);
    db_.reset();
    return d;
  }
  std::vector<std::string> Linhas(const std::string& sql) {
    Reabrir();
    std::vector<std::string> out;
    std::unique_ptr<TnClientDataSet> rows(db_->Query(sql));
    for (rows->First(); !rows->Eof(); rows->Next()) {
      std::string linha;
      for (int i = 0; i < rows->FieldCount(); ++i) {
        linha +=
            (i ? "|" : "") + (rows->Fields(i)->IsNull() ? "null" : rows->Fields(i)->AsString());
      }
      out.push_back(linha);
    }
    return out;
  }
};

TEST_F(AgendaCommandTest, ABookingForThreeUsersWritesThreeRows) {
  const VireoRun s = Editar("--user 8",
                            "Assunto=Reunião geral\nInicio=10/03/2025 14:00\n"
                            "Fim=10/03/2025 15:00\nCODIGOUSUARIODEST=3;8;10\nok\n");
  ASSERT_EQ(s.status, 0) << s.output;
  EXPECT_EQ(Linhas("select CODIGOUSUARIODEST, CODIGOUSUARIOORIG, MULTIPLA, TITULOTAREFA, "
                   "TIPOTAREFA from AGENDAUSUARIO where SEQAGENDA > 2 order by SEQAGENDA"),
            (std::vector<std::string>{"3|8|1|Reunião geral|0", "8|8|1|Reunião geral|0",
                                      "10|8|1|Reunião geral|0"}));
}

TEST_F(AgendaCommandTest, RefusalsAndCancelsLeaveEveryTableAsItWas) {
  const DbDigest antes = Digest();
  struct Caso {
    std::string args, entrada;
    int status;
  };
  for (const Caso& c :
       std::vector<Caso>{{"", "CODIGOUSUARIODEST=3;99\nok\n", 3},
                         {"", "CODIGOUSUARIODEST=\nok\n", 3},
                         {"", "Fim=01/01/2000 00:00\nok\n", 3},
                         {"--deny DireitoPodeAgendarCompromisso", "CODIGOUSUARIODEST=8\nok\n", 3},
                         {"", "CODIGOPESSOAFIN=1\nCODIGOCONTATO=5\nok\n", 3},
                         {"77", "ok\n", 3},
                         {"2", "Assunto=Outro\ncancelar\n", 0},
                         {"2", "Assunto=Outro\n", 0},
                         {"1 --occurrence 9", "ok\n", 3}}) {
    const VireoRun s = Editar(c.args, c.entrada);
    EXPECT_EQ(s.status, c.status) << c.args << " / " << c.entrada << s.output;
  }
  const DbDigest depois = Digest();
  EXPECT_EQ(antes.tables, depois.tables);
}

TEST_F(AgendaCommandTest, AnEditedOccurrencePrintsInItsNewPlace) {
  // Index 2 of the Mondays from 3 March is 17 March.
  const VireoRun s =
      Editar("1 --occurrence 2",
             "Assunto=Semanal movida\nInicio=18/03/2025 15:00\nFim=18/03/2025 16:00\n"
             "ok\n");
  ASSERT_EQ(s.status, 0) << s.output;
  EXPECT_EQ(Linhas("select SEQAGENDAPAI, INDICERECORRENCIATAREFA, TIPOTAREFA, CODIGOUSUARIODEST "
                   "from AGENDAUSUARIO where SEQAGENDA = 3"),
            (std::vector<std::string>{"1|2|2|3"}));
  const TracePrint p = Agenda("01/03/2025", "31/03/2025", {{"pCodigoUsuario", "3"}});
  std::vector<std::string> titulos;
  for (const json& secao : p.Of(8)) titulos.push_back(Var(secao, "R1") + " " + Var(secao, "R3"));
  EXPECT_EQ(titulos, (std::vector<std::string>{"03/03/2025 Semanal", "04/03/2025 Único",
                                               "10/03/2025 Semanal", "18/03/2025 Semanal movida",
                                               "24/03/2025 Semanal", "31/03/2025 Semanal"}));
  // The same occurrence again opens the changed row; completing it hides it.
  const VireoRun concluir = Editar("1 --occurrence 2", "cxCheckBoxConcluida=Sim\nok\n");
  ASSERT_EQ(concluir.status, 0) << concluir.output;
  EXPECT_EQ(Linhas("select count(*) from AGENDAUSUARIO"), (std::vector<std::string>{"3"}));
  EXPECT_EQ(Agenda("01/03/2025", "31/03/2025", {{"pCodigoUsuario", "3"}}).Of(8).size(), 5u);
}

}  // namespace
}  // namespace vireo::test
