// A digest of everything a database holds: every user table, every row,
// every column's text.  Two digests are equal exactly when no
// row was added, removed or changed, which is how the tests prove that the
// reports only read.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/core/text.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"

namespace vireo::test {

struct DbDigest {
  std::map<std::string, uint64_t> tables;  // table -> digest of its rows
  std::map<std::string, int> rows;         // table -> row count
  bool operator==(const DbDigest& o) const { return tables == o.tables && rows == o.rows; }
};

namespace digest_detail {

inline void Mix(uint64_t& h, const std::string& text) {
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  h ^= 0xFF;  // a separator no text holds, so "ab","c" differs from "a","bc"
  h *= 1099511628211ull;
}

inline std::vector<std::string> Column(TnConnection& db, const std::string& sql) {
  std::unique_ptr<TnClientDataSet> rows(db.Query(sql));
  std::vector<std::string> out;
  for (rows->First(); !rows->Eof(); rows->Next()) out.push_back(Trim(rows->Fields(0)->AsString()));
  return out;
}

}  // namespace digest_detail

inline DbDigest DigestOf(TnConnection& db) {
  using digest_detail::Column;
  DbDigest digest;
  for (const std::string& table :
       Column(db,
              "select RDB$RELATION_NAME from RDB$RELATIONS where coalesce(RDB$SYSTEM_FLAG, 0) = 0 "
              "and RDB$VIEW_BLR is null order by RDB$RELATION_NAME")) {
    // Rows combine by addition, so the order the database returns them in
    // does not matter (some tables have no key to order by).
    std::unique_ptr<TnClientDataSet> rows(db.Query("select * from " + table));
    uint64_t h = 0;
    int count = 0;
    for (rows->First(); !rows->Eof(); rows->Next(), ++count) {
      uint64_t row = 1469598103934665603ull;
      for (int i = 0; i < rows->FieldCount(); ++i) {
        TField* f = rows->Fields(i);
        digest_detail::Mix(row, f->IsNull() ? std::string("\x01null") : f->AsString());
      }
      h += row;
    }
    digest.tables[table] = h;
    digest.rows[table] = count;
  }
  return digest;
}

}  // namespace vireo::test
