// ExecutarSQL and friends against a real embedded database: types, nulls,
// markers, the read-only guarantee and the error messages a user sees.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "host/core/datetime.h"
#include "host/core/exception.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/data/statement_hook.h"

namespace vireo {
namespace {

namespace fs = std::filesystem;

class FirebirdTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char tmpl[] = "/tmp/vireo-fbtest-XXXXXX";
    dir_ = mkdtemp(tmpl);
    con_ = TnConnection::Create({dir_ + "/t.fdb"}).release();
    auto w = con_->StartWrite();
    w->Execute(
        "create table T (ID integer not null primary key, S smallint, B bigint, "
        "N numeric(15,2), N4 numeric(15,4), D double precision, V varchar(60), C char(5), "
        "DT date, TS timestamp, TXT blob sub_type text, BIN blob sub_type binary, "
        "OK boolean)");
    w->CommitRetaining();
    auto ins = w->Prepare("insert into T values (?,?,?,?,?,?,?,?,?,?,?,?,?)");
    ins->Execute({1, 7, int64_t{9000000000}, 1234.56, 0.0001, 2.5, "Açúcar & Café", "AB",
                  Variant::FromDateTime(EncodeDate(2024, 2, 29)),
                  Variant::FromDateTime(EncodeDate(2023, 12, 31) + EncodeTime(23, 59, 58)),
                  std::string(70000, 'x'), Variant::FromBytes(std::string("\x89PNG\0\1", 6)),
                  true});
    ins->Execute({2, Variant(), Variant(), Variant(), Variant(), Variant(), Variant(), Variant(),
                  Variant(), Variant(), Variant(), Variant(), Variant()});
    ins->Execute({3, -1, -2, -0.01, -1.2345, -3.75, "três", "Z", Variant(), Variant(), "",
                  Variant(), false});
    w->Commit();
    SetCurrentConnection(con_);
  }
  static void TearDownTestSuite() {
    SetCurrentConnection(nullptr);
    delete con_;
    fs::remove_all(dir_);
  }

  static std::string dir_;
  static TnConnection* con_;
};

std::string FirebirdTest::dir_;
TnConnection* FirebirdTest::con_ = nullptr;

TEST_F(FirebirdTest, ReadsEveryTypeAndNull) {
  TnClientDataSet* ds = ExecutarSQL("select * from T order by ID");
  TnSQLGuard guard(ds);
  ASSERT_EQ(ds->RecordCount(), 3);
  EXPECT_EQ(ds->FieldByName("s")->AsInteger(), 7);
  EXPECT_EQ(ds->FieldByName("B")->AsInteger(), 9000000000);
  EXPECT_DOUBLE_EQ(ds->FieldByName("N")->AsFloat(), 1234.56);
  EXPECT_DOUBLE_EQ(ds->FieldByName("N4")->AsFloat(), 0.0001);
  EXPECT_DOUBLE_EQ(ds->FieldByName("D")->AsFloat(), 2.5);
  EXPECT_EQ(ds->FieldByName("V")->AsString(), "Açúcar & Café");
  EXPECT_EQ(ds->FieldByName("C")->AsString(), "AB");
  EXPECT_EQ(ds->FieldByName("DT")->AsDateTime(), EncodeDate(2024, 2, 29));
  EXPECT_NEAR(ds->FieldByName("TS")->AsDateTime(),
              EncodeDate(2023, 12, 31) + EncodeTime(23, 59, 58), 1e-9);
  EXPECT_EQ(ds->FieldByName("TXT")->AsString().size(), 70000u);
  EXPECT_EQ(ds->FieldByName("BIN")->Value().AsString(), std::string("\x89PNG\0\1", 6));
  EXPECT_TRUE(ds->FieldByName("OK")->AsBoolean());
  ds->Next();
  for (int i = 1; i < ds->FieldCount(); ++i) EXPECT_TRUE(ds->Fields(i)->IsNull()) << i;
  EXPECT_EQ(ds->FieldByName("V")->AsString(), "");
  EXPECT_EQ(ds->FieldByName("N")->AsFloat(), 0.0);
  ds->Next();
  EXPECT_DOUBLE_EQ(ds->FieldByName("N")->AsFloat(), -0.01);
  EXPECT_DOUBLE_EQ(ds->FieldByName("N4")->AsFloat(), -1.2345);
  EXPECT_EQ(ds->FieldByName("V")->AsString(), "três");
}

TEST_F(FirebirdTest, MarkersBindByDescribedTypes) {
  TnClientDataSet* ds = ExecutarSQL(
      "select ID from T where DT >= :pData and DT <= :pData and N > :pValor and V = :pTexto",
      {Variant::FromDateTime(EncodeDate(2024, 2, 29)), 1000.5, "Açúcar & Café"});
  TnSQLGuard guard(ds);
  ASSERT_EQ(ds->RecordCount(), 1);
  EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 1);

  TnSQLParams named;
  named.Add("PVALOR", "-0.01").Add("pId", "3");
  TnClientDataSet* ds2 = ExecutarSQL("select V from T where N = :pValor and ID = :pId", named);
  TnSQLGuard guard2(ds2);
  ASSERT_EQ(ds2->RecordCount(), 1);
  EXPECT_EQ(ds2->FieldByName("V")->AsString(), "três");
}

TEST_F(FirebirdTest, MissingParameterValuesAreErrors) {
  EXPECT_THROW(ExecutarSQL("select ID from T where ID = :a and S = :b", {1}), EDatabaseError);
  TnSQLParams named;
  named.Add("a", 1);
  try {
    ExecutarSQL("select ID from T where ID = :a and S = :b", named);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find(":b"), std::string::npos) << e.Message();
  }
}

TEST_F(FirebirdTest, ReportsCannotWrite) {
  try {
    ExecutarSQL("insert into T (ID) values (99)");
    FAIL() << "insert succeeded";
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find("read-only"), std::string::npos) << e.Message();
  }
  EXPECT_THROW(ExecutarSQL("delete from T"), EDatabaseError);
  EXPECT_THROW(ExecutarSQL("update T set V = 'x'"), EDatabaseError);
  TnClientDataSet* ds = ExecutarSQL("select count(*) as N from T");
  TnSQLGuard guard(ds);
  EXPECT_EQ(ds->FieldByName("N")->AsInteger(), 3);
}

// Removes the statement hook at the end of a test, whatever happens.
struct HookScope {
  explicit HookScope(TnStatementHook hook) { SetStatementHook(std::move(hook)); }
  ~HookScope() { SetStatementHook({}); }
};

TEST_F(FirebirdTest, TheStatementHookSeesEveryQueryReadOnlyAndEveryRow) {
  std::vector<std::string> prepared;
  std::vector<int64_t> rows;
  bool all_read_only = true;
  {
    HookScope scope([&](const TnStatementEvent& e) {
      all_read_only = all_read_only && e.read_only;
      if (e.kind == TnStatementEvent::kPrepare) prepared.push_back(e.sql);
      if (e.kind == TnStatementEvent::kFetch) rows.push_back(e.row);
    });
    TnClientDataSet* ds = ExecutarSQL("select ID from T order by ID");
    TnSQLGuard guard(ds);
  }
  EXPECT_TRUE(all_read_only);
  EXPECT_EQ(prepared, (std::vector<std::string>{"select ID from T order by ID"}));
  EXPECT_EQ(rows, (std::vector<int64_t>{1, 2, 3}));
}

TEST_F(FirebirdTest, AFetchThatFailsMidwayLeavesTheConnectionUsable) {
  {
    HookScope scope([](const TnStatementEvent& e) {
      if (e.kind == TnStatementEvent::kFetch && e.row == 2) {
        throw EDatabaseError("conexão perdida (falha provocada)");
      }
    });
    EXPECT_THROW(ExecutarSQL("select ID from T order by ID"), EDatabaseError);
  }
  TnClientDataSet* ds = ExecutarSQL("select count(*) as N from T");
  TnSQLGuard guard(ds);
  EXPECT_EQ(ds->FieldByName("N")->AsInteger(), 3);
}

TEST_F(FirebirdTest, WritersPrepareOutsideTheReadOnlyTransaction) {
  bool read_only = true;
  HookScope scope([&](const TnStatementEvent& e) { read_only = e.read_only; });
  auto w = con_->StartWrite();
  w->Prepare("update T set S = S where ID = 0");
  EXPECT_FALSE(read_only);
}

TEST_F(FirebirdTest, SqlErrorsNameTheStatement) {
  try {
    ExecutarSQL("select NAOEXISTE from T");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find("NAOEXISTE"), std::string::npos) << e.Message();
  }
}

TEST_F(FirebirdTest, RefreshRunsTheSameQueryWithNewValues) {
  TnClientDataSet* ds = ExecutarSQL("select ID, V from T where ID = :pId", {1});
  TnSQLGuard guard(ds);
  TField* v = ds->FieldByName("V");
  RefreshSQL(ds, {3});
  ASSERT_EQ(ds->RecordCount(), 1);
  EXPECT_EQ(ds->FieldByName("V"), v);  // fields survive, so mappers stay bound
  EXPECT_EQ(v->AsString(), "três");
}

TEST_F(FirebirdTest, PegarValorCampo) {
  EXPECT_EQ(PegarValorCampo("T", "V", "ID = 3").AsString(), "três");
  EXPECT_TRUE(PegarValorCampo("T", "V", "ID = 42").IsNull());
  Variant both = PegarValorCampo("T", "ID, V", "ID = 1");
  ASSERT_EQ(both.Type(), TVarType::Array);
  EXPECT_EQ(both.AsArray()[0].AsInteger(), 1);
  EXPECT_EQ(both.AsArray()[1].AsString(), "Açúcar & Café");
}

TEST_F(FirebirdTest, MaxRowsStopsTheFetch) {
  TnClientDataSet* ds = ExecutarSQL("select ID from T order by ID", {}, true, false, 2);
  TnSQLGuard guard(ds);
  EXPECT_EQ(ds->RecordCount(), 2);
}

TEST(FirebirdOpen, MissingFilesAndBadPathsAreNamed) {
  try {
    TnConnection::Open({"/tmp/vireo-nao-existe.fdb"});
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find("/tmp/vireo-nao-existe.fdb"), std::string::npos);
  }
  try {
    TnConnection::Create({"/nao/existe/pasta/x.fdb"});
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find("/nao/existe/pasta/x.fdb"), std::string::npos) << e.Message();
  }
  EXPECT_THROW(CurrentConnection(), EDatabaseError);
}

TEST(FirebirdOpen, NotADatabase) {
  char tmpl[] = "/tmp/vireo-notdb-XXXXXX";
  int fd = mkstemp(tmpl);
  ASSERT_GE(write(fd, "hello", 5), 0);
  close(fd);
  try {
    TnConnection::Open({tmpl});
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find(tmpl), std::string::npos) << e.Message();
  }
  unlink(tmpl);
}

}  // namespace
}  // namespace vireo
