// Hostile values in every parameter of every report's panel: each print
// either succeeds, where the report's own rules take the value, or is
// refused as a parameter error that names the parameter, with nothing left
// in the output folder and no row changed.  A sample goes through the
// `vireo` program for its exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "host/core/exception.h"
#include "tests/proof/proof_support.h"

namespace vireo::test {
namespace {

// What a careful user expects of a value.  A date or a whole number is
// refused unless it is one: none of the inputs is a valid date, "-5" is the
// only number.  A selection of codes refuses what is not a list of codes
// and ranges; a negative code or a reversed range may instead select
// nothing.  Free text is the report's to read: it may print (the value
// never reaches the database as SQL, which the digest and the read-only
// statements prove) or be refused.
enum class Expect { kRefused, kEither };

struct HostileInput {
  const char* label;
  std::string value;
  bool number_like;  // what a code or range parameter may read as one
};

const std::vector<HostileInput>& Inputs() {
  static const std::vector<HostileInput> inputs = {
      {"sql-or", "1) or (1=1", false},
      {"sql-delete", "'; delete from FPRCAIXA; --", false},
      {"quote", "'", false},
      {"comment", "/* */", false},
      {"10MB", std::string(10 << 20, '7') + "x", false},
      {"bad-utf8", "\xff\xfe", false},
      {"feb-31", "31/02/2026", false},
      {"zero-date", "00/00/0000", false},
      {"reversed", "9..1", true},
      {"negative", "-5", true},
  };
  return inputs;
}

Expect ExpectFor(TnParamKind kind, const HostileInput& in) {
  switch (kind) {
    case TnParamKind::Date:
      return Expect::kRefused;
    case TnParamKind::Integer:
      return in.value == "-5" ? Expect::kEither : Expect::kRefused;
    case TnParamKind::Selection:
      return in.number_like ? Expect::kEither : Expect::kRefused;
    default:
      return Expect::kEither;
  }
}

bool Attacked(TnParamKind kind) {
  return kind == TnParamKind::Text || kind == TnParamKind::Selection || kind == TnParamKind::Date ||
         kind == TnParamKind::Integer;
}

bool Names(const std::string& message, const TnParamDef& def) {
  return message.find(def.name) != std::string::npos ||
         (!def.caption.empty() && message.find(def.caption) != std::string::npos);
}

class HostileParamsTest : public DemoTest {};

TEST_F(HostileParamsTest, EveryParameterOfEveryReportRefusesOrSurvives) {
  ScratchDir out("proof-hostile");
  const TnPrintOutputs targets = OutputsIn(out.Path());
  int reports = 0, parameters = 0, tries = 0, refused = 0, printed = 0;
  for (const ReportCase& c : CatalogueCases()) {
    ++reports;
    for (const TnParamDef& def : PanelOf(c)) {
      if (!Attacked(def.kind)) continue;
      ++parameters;
      for (const HostileInput& in : Inputs()) {
        SCOPED_TRACE(c.label + " " + def.name + " <- " + in.label);
        ++tries;
        StatementLog log;
        try {
          auto session = DemoSession(c);
          session->SetParameter(def.name, in.value);
          session->Print(targets);
          ++printed;
          EXPECT_EQ(ExpectFor(def.kind, in), Expect::kEither) << "the value was taken";
          // The trace holds the variables on every section line: a long
          // value must not be copied into each of them.
          EXPECT_LT(fs::file_size(targets.trace), 32u << 20);
          out.Clear();
        } catch (const Exception& e) {
          const bool parameter_error = dynamic_cast<const EUsage*>(&e) ||
                                       dynamic_cast<const EnParam*>(&e) ||
                                       dynamic_cast<const EConvertError*>(&e);
          EXPECT_TRUE(parameter_error) << "not a parameter error: " << e.Message().substr(0, 300);
          EXPECT_TRUE(Names(e.Message(), def)) << e.Message().substr(0, 300);
          EXPECT_TRUE(out.Entries().empty()) << out.Entries().front();
          ++refused;
        }
        EXPECT_TRUE(log.Writers().empty()) << log.Writers().front();
      }
    }
  }
  std::ostringstream summary;
  summary << Inputs().size() << " inputs x " << parameters << " parameters of " << reports
          << " layouts: " << tries << " tries, " << refused << " refused, " << printed
          << " printed";
  std::cout << "hostile parameters: " << summary.str() << "\n";
  RecordProperty("hostile", summary.str());
  EXPECT_GT(parameters, reports);  // every report has parameters of these kinds
}

// `vireo print` with a value given on its command line: status and message.
struct CliCase {
  std::vector<std::string> params;
  int status;
  const char* named;  // what standard error must name
};

std::string Quoted(const std::string& arg) {
  std::string out = "'";
  for (char ch : arg) out += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
  return out + "'";
}

TEST(HostileParamsCliTest, TheProgramAnswersWithTheParameterStatuses) {
  ScratchDir dir("proof-cli");
  const std::string db = dir / "empty.fdb";
  CreateDatabaseFromTemplate(db).reset();
  const CliCase cases[] = {
      {{"pDataInicial=31/02/2026"}, 3, "pDataInicial"},
      {{"pDataFinal=00/00/0000"}, 3, "pDataFinal"},
      {{"pCodigoEscrit=1) or (1=1"}, 3, "pCodigoEscrit"},
      {{"pCodigoEscrit='; delete from FPRCAIXA; --"}, 3, "pCodigoEscrit"},
      {{"pCodigoEscrit=9..1"}, 3, "pCodigoEscrit"},
      {{"pDataInicial=\xff\xfe"}, 3, "pDataInicial"},
      {{"pNaoExiste=1"}, 2, "pNaoExiste"},
      {{"pDataInicial"}, 2, "pDataInicial"},
  };
  for (const CliCase& c : cases) {
    SCOPED_TRACE(c.params.front());
    std::string cmd = std::string(VIREO_BIN) + " print rptLedger --db " + Quoted(db) + " -o " +
                      Quoted(dir / "out.pdf") + " --trace " + Quoted(dir / "out.trace");
    for (const std::string& p : c.params) cmd += " -p " + Quoted(p);
    cmd += " 2>" + Quoted(dir / "err.txt") + " >/dev/null";
    const int raw = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), c.status);
    std::ifstream err(dir / "err.txt");
    const std::string message((std::istreambuf_iterator<char>(err)), {});
    EXPECT_NE(message.find(c.named), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(dir / "out.pdf"));
    EXPECT_FALSE(fs::exists(dir / "out.trace"));
  }
}

}  // namespace
}  // namespace vireo::test
