// The reports only read: every layout of every plug-in of the catalogue
// prints the demo database with ordinary and hostile values, every
// statement it runs is in a read-only transaction, and the rows are the
// same afterwards.  A write through the reports' own path is refused.
#include <gtest/gtest.h>

#include <string>

#include "host/core/exception.h"
#include "host/data/sql.h"
#include "tests/proof/proof_support.h"

namespace vireo::test {
namespace {

class ReadOnlyTest : public DemoTest {};

// Values a report must survive without writing: they reach the panel as a
// user could type them, and either print or are refused.
const TnParamValues kHostile[] = {
    {{"pCodigoEscrit", "1) or (1=1"}},
    {{"pCompetencia", "'; delete from FPRCAIXA; --"}},
    {{"pConta", "1;2;3..9"}},
    {{"pDataInicial", "31/12/2025"}, {"pDataFinal", "01/01/2025"}},  // a reversed period
};

TEST_F(ReadOnlyTest, EveryReportPrintsTheDemoReadingOnly) {
  ASSERT_FALSE(CatalogueCases().empty()) << "no plug-in in " << VIREO_PLUGIN_DIR;
  int prints = 0, statements = 0;
  ScratchDir out("proof-ro");
  for (const ReportCase& c : CatalogueCases()) {
    SCOPED_TRACE(c.label);
    {
      StatementLog log;
      TnPrintResult r = DemoSession(c)->Print(OutputsIn(out.Path()));
      EXPECT_GT(r.pages, 0);
      EXPECT_GT(log.Prepares(), 0) << "the print ran no statement";
      EXPECT_TRUE(log.Writers().empty()) << log.Writers().front();
      statements += log.Prepares();
      ++prints;
    }
    for (const TnParamValues& hostile : kHostile) {
      StatementLog log;
      try {
        auto session = DemoSession(c);
        for (const auto& [name, value] : hostile) {
          if (session->Engine().GetParams()->FindParam(name)) session->SetParameter(name, value);
        }
        session->Print(OutputsIn(out.Path()));
      } catch (const Exception&) {
        // Refusing the value is fine here; the hostile suite checks how.
      }
      EXPECT_TRUE(log.Writers().empty()) << log.Writers().front();
      statements += log.Prepares();
      ++prints;
    }
    out.Clear();
  }
  EXPECT_TRUE(DigestOf(Demo().Connection()) == Demo().Before());
  RecordProperty("prints", prints);
  RecordProperty("statements", statements);
  std::cout << "read-only proof: " << CatalogueCases().size() << " layouts, " << prints
            << " prints, " << statements << " statements\n";
}

TEST_F(ReadOnlyTest, TheReportsPathRefusesAWrite) {
  for (const char* sql :
       {"delete from FPRCAIXA", "update FPRCONTA set DESCRCONTA = 'x'",
        "insert into FPRHISTORICO (CODIGOHISTCTB, DESCRHISTCTB) values (999, 'x')"}) {
    SCOPED_TRACE(sql);
    StatementLog log;
    // Also when the report asks for a writable dataset: the flag is kept
    // for the reports' calls, not obeyed.
    for (bool read_only : {true, false}) {
      TnClientDataSet* rows = nullptr;
      EXPECT_THROW(rows = ExecutarSQL(sql, {}, true, false, -1, "", nullptr, read_only),
                   EDatabaseError);
      DestruirSQL(rows);
    }
    EXPECT_TRUE(log.Writers().empty());
  }
  EXPECT_TRUE(DigestOf(Demo().Connection()) == Demo().Before());
}

}  // namespace
}  // namespace vireo::test
