// Helpers of the db tests: a temporary directory per test and small
// readers of query results.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/core/variant.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"

namespace vireo::testing {

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vireo-db-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline std::unique_ptr<TnClientDataSet> Select(TnConnection& connection, const std::string& sql,
                                               const std::vector<Variant>& params = {}) {
  return std::unique_ptr<TnClientDataSet>(connection.Query(sql, params));
}

// The first column of the first row, as text.
inline std::string Scalar(TnConnection& connection, const std::string& sql,
                          const std::vector<Variant>& params = {}) {
  auto rows = Select(connection, sql, params);
  return rows->IsEmpty() ? std::string() : rows->Fields(0)->AsString();
}

inline int64_t Count(TnConnection& connection, const std::string& sql) {
  return Select(connection, sql)->Fields(0)->AsInteger();
}

// Every row as "a|b|c", in query order.
inline std::vector<std::string> Rows(TnConnection& connection, const std::string& sql) {
  auto rows = Select(connection, sql);
  std::vector<std::string> out;
  for (rows->First(); !rows->Eof(); rows->Next()) {
    std::string line;
    for (int i = 0; i < rows->FieldCount(); ++i) {
      if (i) line += "|";
      line += rows->Fields(i)->IsNull() ? "<null>" : rows->Fields(i)->AsString();
    }
    out.push_back(line);
  }
  return out;
}

}  // namespace vireo::testing
