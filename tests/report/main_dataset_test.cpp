// The layout's own query (MainDataSet) against an embedded database: the
// parameters bound, the selection filter applied, and labels that show its
// columns.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>

#include "host/core/datetime.h"
#include "host/core/exception.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "tests/report/report_test_support.h"

namespace vireo {
namespace {

const char* kLayout = R"({
  "parameters": [{"name": "pDataInicial", "kind": "date", "default": "01/01/2024"},
                 {"name": "pCodigoEscrit", "kind": "selection"}],
  "query": ["select CODIGO, NOME from EMPRESA where DATA >= :pDataInicial",
            "{filter:CODIGO:pCodigoEscrit} order by CODIGO"],
  "sections": [{"number": 8, "height": 20, "objects": [
    {"name": "lblNome", "field": "NOME", "left": 0, "width": 200, "height": 16}]}]
})";

class MainDataSetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/vireo-report-db-XXXXXX";
    dir_ = mkdtemp(pattern);
    connection_ = TnConnection::Create({dir_ + "/r.fdb", "", ""});
    auto write = connection_->StartWrite();
    write->Execute("create table EMPRESA (CODIGO integer, NOME varchar(40), DATA date)");
    write->CommitRetaining();
    auto insert = write->Prepare("insert into EMPRESA values (?, ?, ?)");
    insert->Execute({1, "Alfa", Variant::FromDateTime(EncodeDate(2024, 1, 5))});
    insert->Execute({2, "Beta", Variant::FromDateTime(EncodeDate(2023, 12, 1))});
    insert->Execute({3, "Gama", Variant::FromDateTime(EncodeDate(2024, 2, 1))});
    insert->Execute({4, "Delta", Variant::FromDateTime(EncodeDate(2024, 3, 1))});
    write->Commit();
    SetCurrentConnection(connection_.get());
  }
  static void TearDownTestSuite() {
    SetCurrentConnection(nullptr);
    connection_.reset();
    std::filesystem::remove_all(dir_);
  }

  // Prints section 8 once per row of MainDataSet; the texts drawn.
  static std::vector<std::string> PrintRows(TnrwReport& engine) {
    test::TestReport report(&engine);
    report.body = [&](test::TestReport& r) {
      TnClientDataSet* rows = r.MainDataSet();
      for (rows->First(); !rows->Eof(); rows->Next()) engine.RepPrintSection(8);
    };
    test::PrintRun run;
    test::Print(engine, report, run);
    return run.canvas.Texts();
  }

  static std::string dir_;
  static std::unique_ptr<TnConnection> connection_;
};

std::string MainDataSetTest::dir_;
std::unique_ptr<TnConnection> MainDataSetTest::connection_;

TEST_F(MainDataSetTest, RowsFollowTheParametersAsTheyAreWhenThePrintStarts) {
  TnrwReport engine(ParseLayout(kLayout, "q.json"));
  ASSERT_NE(engine.MainDataSet(), nullptr);
  EXPECT_EQ(engine.MainDataSet()->RecordCount(), 3);  // on first use, dates from 2024
  engine.GetParams()->SetValues("pCodigoEscrit", "1;4");
  EXPECT_EQ(PrintRows(engine), (std::vector<std::string>{"Alfa", "Delta"}));
}

TEST_F(MainDataSetTest, DateMarkerIsBoundAsADate) {
  TnrwReport engine(ParseLayout(kLayout, "q.json"));
  engine.GetParams()->SetValues("pDataInicial", "2023-11-30");
  EXPECT_EQ(PrintRows(engine), (std::vector<std::string>{"Alfa", "Beta", "Gama", "Delta"}));
}

TEST_F(MainDataSetTest, QueryErrorsNameTheLayoutAndLeaveNoPrint) {
  TnrwReport engine(ParseLayout(
      R"({"query": "select NADA from EMPRESA", "sections": [{"number": 8, "height": 10}]})",
      "q.json"));
  try {
    engine.BeginPrint();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message().rfind("q.json: consulta do layout: ", 0), 0) << e.Message();
  }
  EXPECT_FALSE(engine.Printing());
}

TEST_F(MainDataSetTest, LabelOfAMissingColumnIsAnError) {
  TnrwReport engine(ParseLayout(R"({"query": "select CODIGO from EMPRESA", "sections": [
      {"number": 8, "height": 10, "objects": [{"name": "x", "field": "NOME"}]}]})",
                                "q.json"));
  engine.BeginPrint();
  try {
    engine.RepPrintSection(8);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "q.json: uma etiqueta mostra o campo NOME, que a consulta do layout não traz");
  }
}

}  // namespace
}  // namespace vireo
