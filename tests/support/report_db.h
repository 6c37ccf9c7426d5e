// The database fixture of the tests that run host or report code on data of
// their own: a database per test made from the schema in a temporary
// directory, current for the host's data functions while the test runs,
// removed afterwards; rows are written in one transaction that a run
// commits first.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "db/schema.h"
#include "host/core/datetime.h"
#include "host/core/variant.h"
#include "host/data/connection.h"

namespace vireo::test {

// A date column's value.
inline Variant Dia(int year, int month, int day) {
  return Variant::FromDateTime(EncodeDate(year, month, day));
}

class ReportDbTest : public ::testing::Test {
 protected:
  // `tag` names the directory (/tmp/vireo-<tag>-XXXXXX), `file` the database.
  void OpenDatabase(const std::string& tag, const std::string& file) {
    std::string pattern = "/tmp/vireo-" + tag + "-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    db_ = CreateDatabaseFromTemplate((dir_ / file).string());
    SetCurrentConnection(db_.get());
  }
  void CloseDatabase() {
    SetCurrentConnection(nullptr);
    write_.reset();
    db_.reset();
    std::error_code ignored;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
  }

  void Exec(const std::string& sql, const std::vector<Variant>& params = {}) {
    if (!write_) write_ = db_->StartWrite();
    write_->Execute(sql, params);
  }
  void Commit() {
    if (write_) write_->Commit();
    write_.reset();
  }

  std::string TracePath() const { return (dir_ / "trace.jsonl").string(); }

  std::filesystem::path dir_;
  std::unique_ptr<TnConnection> db_;
  std::unique_ptr<TnWriteTransaction> write_;
};

}  // namespace vireo::test
