// Storage, comparison and key conversion of dataset columns.
#include "host/data/column.h"

#include <cmath>
#include <cstring>

#include "host/core/convert.h"

namespace vireo {

namespace {

template <class T>
int ThreeWay(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// Null sorts before every value; `a_null`/`b_null` say which side is null.
int CompareNulls(bool a_null, bool b_null) { return a_null == b_null ? 0 : (a_null ? -1 : 1); }

// An integer column against a number that may have a fraction.
void SetNumberForIntColumn(double d, Cell& c) {
  if (std::trunc(d) == d && std::fabs(d) < 9.2e18) {
    c.i = static_cast<int64_t>(d);
  } else {
    c.real = true;
    c.d = d;
  }
}

}  // namespace

StorageKind StorageOf(TFieldType type) {
  switch (type) {
    case TFieldType::Integer:
    case TFieldType::Boolean:
      return StorageKind::Int;
    case TFieldType::Float:
    case TFieldType::DateTime:
      return StorageKind::Real;
    case TFieldType::String:
    case TFieldType::Blob:
      break;
  }
  return StorageKind::Text;
}

void TnClientDataSet::Column::Reserve(int rows) {
  nulls.reserve(rows);
  switch (kind) {
    case StorageKind::Int:
      ints.reserve(rows);
      break;
    case StorageKind::Real:
      reals.reserve(rows);
      break;
    case StorageKind::Text:
      texts.reserve(rows);
      break;
  }
}

void TnClientDataSet::Column::PushNull() {
  nulls.push_back(1);
  switch (kind) {
    case StorageKind::Int:
      ints.push_back(0);
      break;
    case StorageKind::Real:
      reals.push_back(0);
      break;
    case StorageKind::Text:
      texts.emplace_back();
      break;
  }
}

void TnClientDataSet::Column::PopBack() {
  nulls.pop_back();
  switch (kind) {
    case StorageKind::Int:
      ints.pop_back();
      break;
    case StorageKind::Real:
      reals.pop_back();
      break;
    case StorageKind::Text:
      texts.pop_back();
      break;
  }
}

void TnClientDataSet::Column::Clear() {
  nulls.clear();
  ints.clear();
  reals.clear();
  texts.clear();
}

void TnClientDataSet::Column::AppendFrom(const Column& from, int row) {
  nulls.push_back(from.nulls[row]);
  switch (kind) {
    case StorageKind::Int:
      ints.push_back(from.ints[row]);
      break;
    case StorageKind::Real:
      reals.push_back(from.reals[row]);
      break;
    case StorageKind::Text:
      texts.push_back(from.texts[row]);
      break;
  }
}

int TnClientDataSet::Column::Compare(int a, int b) const {
  const bool na = nulls[a] != 0, nb = nulls[b] != 0;
  if (na || nb) return CompareNulls(na, nb);
  switch (kind) {
    case StorageKind::Int:
      return ThreeWay(ints[a], ints[b]);
    case StorageKind::Real:
      return ThreeWay(reals[a], reals[b]);
    case StorageKind::Text:
      break;
  }
  const int c = texts[a].compare(texts[b]);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int TnClientDataSet::Column::Compare(int row, const Cell& key) const {
  const bool nr = nulls[row] != 0;
  if (nr || key.null) return CompareNulls(nr, key.null);
  switch (kind) {
    case StorageKind::Int:
      return key.real ? ThreeWay(static_cast<double>(ints[row]), key.d)
                      : ThreeWay(ints[row], key.i);
    case StorageKind::Real:
      return ThreeWay(reals[row], key.d);
    case StorageKind::Text:
      break;
  }
  const int c = texts[row].compare(key.s);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

uint64_t TnClientDataSet::Column::SortKey(int row, size_t skip) const {
  constexpr uint64_t kSign = uint64_t{1} << 63;
  switch (kind) {
    case StorageKind::Int:
      return static_cast<uint64_t>(ints[row]) ^ kSign;
    case StorageKind::Real: {
      const double d = reals[row] == 0 ? 0.0 : reals[row];  // -0 sorts as 0
      uint64_t bits;
      std::memcpy(&bits, &d, sizeof bits);
      return (bits & kSign) ? ~bits : bits | kSign;
    }
    case StorageKind::Text:
      break;
  }
  uint64_t key = 0;
  const std::string& t = texts[row];
  for (size_t i = skip; i < skip + 8; ++i) {
    key = (key << 8) | (i < t.size() ? static_cast<unsigned char>(t[i]) : 0);
  }
  return key;
}

size_t TnClientDataSet::Column::CommonPrefix(const std::vector<int>& rows) const {
  const std::string* first = nullptr;
  size_t common = 0;
  for (int row : rows) {
    if (kind != StorageKind::Text || IsNull(row)) continue;
    const std::string& t = texts[row];
    if (!first) {
      first = &t;
      common = t.size();
      continue;
    }
    size_t n = 0;
    while (n < common && n < t.size() && t[n] == (*first)[n]) ++n;
    common = n;
    if (common == 0) break;
  }
  return common;
}

void TnClientDataSet::Column::Save(int row, Cell& out) const {
  out.null = nulls[row] != 0;
  out.real = false;
  switch (kind) {
    case StorageKind::Int:
      out.i = ints[row];
      break;
    case StorageKind::Real:
      out.d = reals[row];
      break;
    case StorageKind::Text:
      out.s = texts[row];
      break;
  }
}

void TnClientDataSet::Column::Restore(int row, const Cell& c) {
  nulls[row] = c.null ? 1 : 0;
  switch (kind) {
    case StorageKind::Int:
      ints[row] = c.i;
      break;
    case StorageKind::Real:
      reals[row] = c.d;
      break;
    case StorageKind::Text:
      texts[row] = c.s;
      break;
  }
}

Cell TnClientDataSet::Column::ToCell(const Variant& v) const {
  Cell c;
  if (v.IsNull()) return c;
  c.null = false;
  switch (type) {
    case TFieldType::Integer:
      if (v.Type() == TVarType::Float || v.Type() == TVarType::DateTime) {
        SetNumberForIntColumn(v.AsFloat(), c);
      } else if (v.Type() == TVarType::Text) {
        double d = 0;
        if (TryStrToInt64(v.AsString(), c.i)) break;
        if (!TryStrToFloat(v.AsString(), d)) StrToInt64(v.AsString());  // raises, quoting it
        SetNumberForIntColumn(d, c);
      } else {
        c.i = v.AsInteger();
      }
      break;
    case TFieldType::Boolean:
      c.i = v.AsBoolean() ? 1 : 0;
      break;
    case TFieldType::Float:
      c.d = v.AsFloat();
      break;
    case TFieldType::DateTime:
      c.d = v.AsDateTime();
      break;
    case TFieldType::String:
    case TFieldType::Blob:
      c.s = v.AsString();
      break;
  }
  return c;
}

}  // namespace vireo
