#include "db/demo.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "db/schema.h"
#include "db_test_support.h"
#include "host/core/exception.h"

namespace vireo {
namespace {

using testing::Count;
using testing::Rows;
using testing::Scalar;
using testing::TempDir;

std::unique_ptr<TnConnection> DemoDatabase(const TempDir& dir, const std::string& name,
                                           const DemoOptions& options) {
  auto db = CreateDatabaseFromTemplate(dir.File(name));
  GenerateDemo(*db, options);
  return db;
}

// Check digits of a CPF (9 leading digits) or CNPJ (12), written out
// independently of the generator.
std::string CheckDigits(const std::string& digits) {
  std::vector<int> weights = digits.size() == 9
                                 ? std::vector<int>{10, 9, 8, 7, 6, 5, 4, 3, 2}
                                 : std::vector<int>{5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  std::string number = digits;
  for (int round = 0; round < 2; ++round) {
    if (round == 1) weights.insert(weights.begin(), digits.size() == 9 ? 11 : 6);
    int sum = 0;
    for (size_t i = 0; i < number.size(); ++i) sum += (number[i] - '0') * weights[i];
    number += static_cast<char>('0' + (sum % 11 < 2 ? 0 : 11 - sum % 11));
  }
  return number.substr(digits.size());
}

// The standard scale-1 demo, generated once for the checks that only read.
class DemoTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    db_ = CreateDatabaseFromTemplate(dir_->File("demo.fdb")).release();
    summary_ = GenerateDemo(*db_, DemoOptions{});
  }
  static void TearDownTestSuite() {
    delete db_;
    delete dir_;
  }
  static TnConnection& Db() { return *db_; }

  static TempDir* dir_;
  static TnConnection* db_;
  static DemoSummary summary_;
};

TempDir* DemoTest::dir_ = nullptr;
TnConnection* DemoTest::db_ = nullptr;
DemoSummary DemoTest::summary_;

TEST_F(DemoTest, SummaryMatchesTheTables) {
  EXPECT_EQ(summary_.companies, 3);
  EXPECT_EQ(Count(Db(), "select count(*) from ESCRITORIO"), 3);
  EXPECT_EQ(Count(Db(), "select count(*) from PESSOAFINANCEIRO"), summary_.persons);
  EXPECT_EQ(Count(Db(), "select count(*) from FPRCONTA"), summary_.accounts);
  EXPECT_EQ(Count(Db(), "select count(*) from FPRCENTROCUSTO"), summary_.cost_centres);
  EXPECT_GE(Count(Db(), "select count(*) from PESSOAGRUPO where TIPOGRUPOPESSOA = 1"), 30);
  EXPECT_GE(Count(Db(), "select count(*) from PESSOAGRUPO where TIPOGRUPOPESSOA = 2"), 20);
  EXPECT_GT(summary_.rows, summary_.persons + summary_.accounts);
}

// What the vouchers and headers need of a company: its person record with a
// CNPJ, a default address on a known street, a logo, and a latest contact
// that is a telephone.
TEST_F(DemoTest, CompaniesHaveLetterheadData) {
  auto companies = Rows(Db(),
                        "select E.CODIGOESCRIT, PE.TIPOINSCFEDERAL, EE.NOMEMUNICIPIO, "
                        "char_length(E.LOGO), PC.TIPOCONTATO "
                        "from ESCRITORIO E join PESSOAFINANCEIRO PE on PE.CODIGOPESSOAFIN = "
                        "E.CODIGOESCRIT join PESSOAENDERECO PEE on PEE.CODIGOPESSOAFIN = "
                        "PE.CODIGOPESSOAFIN and PEE.PADRAO = 1 join VENDERECO EE on "
                        "EE.CODIGOENDERECO = PEE.CODIGOENDERECO join PESSOACONTATO PC on "
                        "PC.CODIGOPESSOACONTATO = (select max(CODIGOPESSOACONTATO) from "
                        "PESSOACONTATO where CODIGOPESSOAFIN = PE.CODIGOPESSOAFIN) "
                        "order by 1");
  ASSERT_EQ(companies.size(), 3u);
  for (const std::string& row : companies) {
    EXPECT_NE(row.find("|2|"), std::string::npos) << row;  // CNPJ
    EXPECT_EQ(row.find("|0|"), std::string::npos) << row;  // a logo of some size
  }
  // The latest contact: a business telephone, but an e-mail for the third
  // company (its vouchers print no telephone).
  EXPECT_TRUE(companies[0].ends_with("|2")) << companies[0];
  EXPECT_TRUE(companies[1].ends_with("|2")) << companies[1];
  EXPECT_TRUE(companies[2].ends_with("|6")) << companies[2];
  std::string logo = Scalar(Db(), "select LOGO from ESCRITORIO where CODIGOESCRIT = 1");
  EXPECT_TRUE(logo.starts_with("\x89PNG\r\n\x1a\n"));
  EXPECT_TRUE(logo.ends_with(std::string("IEND\xae\x42\x60\x82", 8)));
}

TEST_F(DemoTest, TaxNumbersHaveValidCheckDigits) {
  auto persons =
      testing::Select(Db(), "select TIPOINSCFEDERAL, INSCFEDERAL, NOME from PESSOAFINANCEIRO");
  for (persons->First(); !persons->Eof(); persons->Next()) {
    std::string formatted = persons->Fields(1)->AsString();
    std::string digits;
    for (char c : formatted)
      if (c >= '0' && c <= '9') digits += c;
    bool cnpj = persons->Fields(0)->AsInteger() == 2;
    ASSERT_EQ(digits.size(), cnpj ? 14u : 11u) << formatted;
    EXPECT_EQ(digits.substr(digits.size() - 2), CheckDigits(digits.substr(0, digits.size() - 2)))
        << formatted;
    EXPECT_FALSE(persons->Fields(2)->AsString().empty());
  }
}

// Every classification fits the mask 9.9.99.999 of its group, hangs under a
// synthetic parent, and carries its group's nature; analytic accounts are
// leaves and synthetic ones have children.
TEST_F(DemoTest, ChartOfAccountsIsAWellFormedTree) {
  auto configuration = testing::Select(Db(), "select * from FPRCFGCONTA");
  ASSERT_EQ(configuration->RecordCount(), 1);
  std::map<std::string, int> kind;  // classification -> TIPOCONTA
  auto accounts = testing::Select(Db(), "select CLASSIFCONTA, TIPOCONTA, NATURSALDO from FPRCONTA");
  for (accounts->First(); !accounts->Eof(); accounts->Next()) {
    kind[accounts->Fields(0)->AsString()] = static_cast<int>(accounts->Fields(1)->AsInteger());
  }
  const size_t kWidths[] = {1, 1, 2, 3};
  std::set<std::string> parents;
  for (accounts->First(); !accounts->Eof(); accounts->Next()) {
    std::string classification = accounts->Fields(0)->AsString();
    std::string group(1, classification[0]);
    EXPECT_EQ(configuration->FieldByName("MASCGRUPO" + group)->AsString(), "9.9.99.999");
    EXPECT_EQ(accounts->Fields(2)->AsInteger(),
              configuration->FieldByName("NATURGRUPO" + group)->AsInteger())
        << classification;
    size_t level = 0, start = 0;
    for (;;) {
      size_t dot = classification.find('.', start);
      std::string segment = classification.substr(start, dot - start);
      ASSERT_LT(level, 4u) << classification;
      EXPECT_EQ(segment.size(), kWidths[level]) << classification;
      ++level;
      if (dot == std::string::npos) break;
      start = dot + 1;
    }
    bool synthetic = accounts->Fields(1)->AsInteger() == 1;
    EXPECT_EQ(synthetic, level < 4) << classification;
    if (level > 1) {
      std::string parent = classification.substr(0, classification.rfind('.'));
      ASSERT_TRUE(kind.count(parent)) << classification;
      EXPECT_EQ(kind[parent], 1) << classification;
      parents.insert(parent);
    }
  }
  for (const auto& [classification, type] : kind) {
    EXPECT_EQ(parents.count(classification) == 1, type == 1) << classification;
  }
}

TEST_F(DemoTest, EachCompanyHasCashAndBankAccounts) {
  // Bank accounts of the chart point at a bank account of their company,
  // at a branch of a known bank (the join of the chart-without-balance report).
  EXPECT_EQ(Count(Db(),
                  "select count(*) from FPRCONTA C where C.MODALIDADECONTA = 4 and "
                  "not exists (select 1 from PESSOACONTABANC PCB join AGENCIABANC AGE on "
                  "AGE.CODIGOAGENCIABANC = PCB.CODIGOAGENCIABANC join BANCO BAN on "
                  "BAN.CODIGOBANCO = AGE.CODIGOBANCO where PCB.CODIGOPESSOAFIN = "
                  "C.CODIGOPESSOACONTA and PCB.CODIGOCONTABANC = C.CODIGOCONTABANC and "
                  "C.CODIGOPESSOACONTA = C.CODIGOESCRITORIO)"),
            0);
  EXPECT_EQ(Rows(Db(),
                 "select E.CODIGOESCRIT, "
                 "(select count(*) from FPRCONTA C where C.CODIGOESCRITORIO = "
                 "E.CODIGOESCRIT and C.MODALIDADECONTA = 1), "
                 "(select count(*) from FPRCONTA C where C.CODIGOESCRITORIO = "
                 "E.CODIGOESCRIT and C.MODALIDADECONTA = 4) "
                 "from ESCRITORIO E order by 1"),
            (std::vector<std::string>{"1|1|2", "2|1|2", "3|1|2"}));
  EXPECT_EQ(Count(Db(),
                  "select count(*) from FPRCONTA where MODALIDADECONTA = 5 and "
                  "CODIGOMOEDA not in (select CODIGOMOEDA from FPRMOEDA)"),
            0);
  // The company's own setting names its collecting account; a second one
  // per company names an account that is gone, for the collector column.
  EXPECT_EQ(Count(Db(),
                  "select count(*) from EMPRESACFGBOLETO B where not exists (select 1 "
                  "from PESSOACONTABANC P where P.CODIGOPESSOAFIN = B.CODIGOESCRIT and "
                  "P.CODIGOCONTABANC = B.CODIGOCONTABANC) and B.CODIGOEMPRESACFGBOLETO = 1"),
            0);
}

TEST_F(DemoTest, CostCentresHangUnderConfiguredGroups) {
  auto configuration = testing::Select(Db(), "select * from FPRCFGCENTROCUSTO");
  ASSERT_EQ(configuration->RecordCount(), 1);
  auto centres = testing::Select(
      Db(), "select CLASSIFCENTROCUSTO, TIPOCENTROCUSTO from FPRCENTROCUSTO order by 1");
  std::set<std::string> groups;
  for (centres->First(); !centres->Eof(); centres->Next()) {
    std::string classification = centres->Fields(0)->AsString();
    std::string group(1, classification[0]);
    EXPECT_FALSE(configuration->FieldByName("NATURGRUPO" + group)->IsNull()) << classification;
    if (centres->Fields(1)->AsInteger() == 1) {
      groups.insert(classification);
    } else {
      EXPECT_TRUE(groups.count(group)) << classification;  // synthetic group listed first
    }
  }
  EXPECT_EQ(groups.size(), 3u);
}

TEST_F(DemoTest, RefusesADatabaseThatAlreadyHasCompanies) {
  int64_t persons = Count(Db(), "select count(*) from PESSOAFINANCEIRO");
  try {
    GenerateDemo(Db(), DemoOptions{});
    FAIL() << "generated twice";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("já tem empresas"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(Count(Db(), "select count(*) from PESSOAFINANCEIRO"), persons);
  EXPECT_THROW(GenerateDemo(Db(), DemoOptions{0, 1}), Exception);
}

// The same seed gives the same rows; another seed other names and numbers.
TEST(DemoDeterminismTest, SameSeedSameRowsOtherSeedOtherRows) {
  TempDir dir;
  auto first = DemoDatabase(dir, "a.fdb", DemoOptions{1, 42});
  auto second = DemoDatabase(dir, "b.fdb", DemoOptions{1, 42});
  auto other = DemoDatabase(dir, "c.fdb", DemoOptions{1, 43});
  const char* const kDumps[] = {
      "select CODIGOPESSOAFIN, NOME, INSCFEDERAL, DATACADASTRO from PESSOAFINANCEIRO order by 1",
      "select * from FPRCONTA order by 1",
      "select CODIGOPESSOAFIN, TIPOCONTATO, VALOR from PESSOACONTATO order by "
      "CODIGOPESSOACONTATO",
      "select * from VENDERECO order by 1",
      "select * from PESSOACONTABANC order by 1, 2",
      "select * from USUARIO order by 1"};
  for (const char* sql : kDumps) {
    EXPECT_EQ(Rows(*first, sql), Rows(*second, sql)) << sql;
  }
  EXPECT_NE(Rows(*first, kDumps[0]), Rows(*other, kDumps[0]));
  EXPECT_EQ(Count(*first, "select count(*) from FPRCONTA"),
            Count(*other, "select count(*) from FPRCONTA"));
}

TEST(DemoScaleTest, LargerScaleGivesMorePersonsAccountsAndCentres) {
  TempDir dir;
  auto small_db = CreateDatabaseFromTemplate(dir.File("small.fdb"));
  auto large_db = CreateDatabaseFromTemplate(dir.File("large.fdb"));
  DemoSummary small = GenerateDemo(*small_db, DemoOptions{1, 7});
  DemoSummary large = GenerateDemo(*large_db, DemoOptions{3, 7});
  EXPECT_EQ(large.companies, 3);
  EXPECT_GT(large.persons, 2 * small.persons);
  EXPECT_GT(large.accounts, small.accounts);
  EXPECT_GT(large.cost_centres, small.cost_centres);
  // Codes stay unique however many rows the scale asks for.
  EXPECT_EQ(Count(*large_db, "select count(distinct CLASSIFCONTA) from FPRCONTA"), large.accounts);
  EXPECT_EQ(Count(*large_db, "select count(distinct CLASSIFCENTROCUSTO) from FPRCENTROCUSTO"),
            large.cost_centres);
}

}  // namespace
}  // namespace vireo
