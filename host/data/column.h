// TnClientDataSet::Column: the storage of one field of a dataset.
//
// A column is one typed vector plus a vector of null marks, indexed by stored
// row.  Integer and Boolean fields live in `ints`, Float and DateTime fields
// in `reals`, String and Blob fields in `texts`; the other two vectors stay
// empty.  Appending a row pushes one element on two vectors, so loading a
// large result allocates nothing per row beyond long string contents.
//
// Order used by indexes, ranges and FindKey: null before any value, numbers
// by value, texts by their bytes (UTF-8 byte order, case-sensitive).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/core/export.h"
#include "host/core/variant.h"
#include "host/data/cell.h"
#include "host/data/dataset.h"

namespace vireo {

enum class StorageKind { Int, Real, Text };

StorageKind StorageOf(TFieldType type);

struct VIREO_LOCAL TnClientDataSet::Column {
  explicit Column(TFieldType t) : type(t), kind(StorageOf(t)) {}

  TFieldType type;
  StorageKind kind;
  std::vector<uint8_t> nulls;  // 1 where the row holds null
  std::vector<int64_t> ints;
  std::vector<double> reals;
  std::vector<std::string> texts;

  int Size() const { return static_cast<int>(nulls.size()); }
  bool IsNull(int row) const { return nulls[row] != 0; }

  void Reserve(int rows);
  void PushNull();
  void PopBack();
  void Clear();
  // Appends row `row` of `from`, a column of the same type.
  void AppendFrom(const Column& from, int row);

  void SetNull(int row) { nulls[row] = 1; }
  void SetInt(int row, int64_t v) {
    ints[row] = v;
    nulls[row] = 0;
  }
  void SetReal(int row, double v) {
    reals[row] = v;
    nulls[row] = 0;
  }
  void SetText(int row, std::string v) {
    texts[row] = std::move(v);
    nulls[row] = 0;
  }

  // Three-way comparisons in index order.
  int Compare(int a, int b) const;
  int Compare(int row, const Cell& c) const;

  // A number whose unsigned order is the column's order of non-null values:
  // the value itself for numbers, eight bytes from `skip` on for texts (equal
  // keys then need the full texts).
  uint64_t SortKey(int row, size_t skip = 0) const;
  // Length of the prefix that the non-null texts of these rows share.
  size_t CommonPrefix(const std::vector<int>& rows) const;

  void Save(int row, Cell& out) const;
  void Restore(int row, const Cell& c);
  // The value converted to this column's kind; raises EConvertError when it
  // does not read as one (a text that is not a number for an integer column).
  Cell ToCell(const Variant& v) const;
};

inline TnClientDataSet::Column& TnClientDataSet::ColumnAt(int i) { return *columns_[i]; }
inline const TnClientDataSet::Column& TnClientDataSet::ColumnAt(int i) const {
  return *columns_[i];
}

}  // namespace vireo
