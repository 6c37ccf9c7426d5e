// TField: typed reads and writes of one column at its dataset's current row.
//
// The common cases (a number read from a numeric column, a text from a text
// column) read the column's vector directly; the rare cross-type cases go
// through Variant so that they convert exactly as a Variant would.
#include <cmath>

#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/data/dataset.h"

namespace vireo {

namespace {

using Column = TnClientDataSet::Column;

// Conversion errors name the field, so a user can tell which column of which
// query held the bad text.
template <class F>
auto Converting(const TField& field, F&& convert) {
  try {
    return convert();
  } catch (const EConvertError& e) {
    throw EConvertError("Campo '" + field.FieldName() + "': " + e.what());
  }
}

// Delphi's TFloatField.AsInteger rounds; halves go away from zero.
int64_t RoundToInt(double v) {
  if (!(std::fabs(v) < 9.2e18)) {
    throw EConvertError("o valor " + FloatToStr(v) + " não cabe num número inteiro");
  }
  return std::llround(v);
}

// Text written to a number, date or Boolean field, read as Delphi's
// StrToInt/StrToFloat/StrToDateTime would.
void WriteText(Column& c, int row, const std::string& v) {
  switch (c.type) {
    case TFieldType::Integer:
      c.SetInt(row, StrToInt64(v));
      break;
    case TFieldType::Boolean:
      c.SetInt(row, Variant(v).AsBoolean() ? 1 : 0);
      break;
    case TFieldType::Float:
      c.SetReal(row, StrToFloat(v));
      break;
    case TFieldType::DateTime:
      c.SetReal(row, StrToDateTime(v));
      break;
    case TFieldType::String:
    case TFieldType::Blob:
      c.SetText(row, v);
      break;
  }
}

}  // namespace

TField::TField(TnClientDataSet* owner, int index, TFieldDef def)
    : owner_(owner), index_(index), def_(std::move(def)) {}

int TField::WriteRow() const {
  if (!owner_->Editing()) {
    throw Exception("Não é possível alterar o campo '" + def_.name +
                    "': o conjunto de dados não está em edição (chame Edit ou Append antes).");
  }
  owner_->modified_ = true;
  return owner_->edit_row_;
}

bool TField::IsNull() const {
  const int row = owner_->CurrentRow();
  return row < 0 || owner_->ColumnAt(index_).IsNull(row);
}

Variant TField::Value() const {
  const int row = owner_->CurrentRow();
  const Column& c = owner_->ColumnAt(index_);
  if (row < 0 || c.IsNull(row)) return Variant();
  switch (def_.type) {
    case TFieldType::Integer:
      return Variant(c.ints[row]);
    case TFieldType::Boolean:
      return Variant(c.ints[row] != 0);
    case TFieldType::Float:
      return Variant(c.reals[row]);
    case TFieldType::DateTime:
      return Variant::FromDateTime(c.reals[row]);
    case TFieldType::String:
      return Variant(c.texts[row]);
    case TFieldType::Blob:
      break;
  }
  return Variant::FromBytes(c.texts[row]);
}

std::string TField::AsString() const {
  const int row = owner_->CurrentRow();
  const Column& c = owner_->ColumnAt(index_);
  if (row < 0 || c.IsNull(row)) return std::string();
  if (c.kind == StorageKind::Text) return c.texts[row];
  return Value().AsString();
}

int64_t TField::AsInteger() const {
  const int row = owner_->CurrentRow();
  const Column& c = owner_->ColumnAt(index_);
  if (row < 0 || c.IsNull(row)) return 0;
  switch (c.kind) {
    case StorageKind::Int:
      return c.ints[row];
    case StorageKind::Real:
      return Converting(*this, [&] { return RoundToInt(c.reals[row]); });
    case StorageKind::Text:
      break;
  }
  return Converting(*this, [&] { return StrToInt64(c.texts[row]); });
}

double TField::AsFloat() const {
  const int row = owner_->CurrentRow();
  const Column& c = owner_->ColumnAt(index_);
  if (row < 0 || c.IsNull(row)) return 0;
  switch (c.kind) {
    case StorageKind::Int:
      return static_cast<double>(c.ints[row]);
    case StorageKind::Real:
      return c.reals[row];
    case StorageKind::Text:
      break;
  }
  return Converting(*this, [&] { return StrToFloat(c.texts[row]); });
}

TDateTime TField::AsDateTime() const {
  const int row = owner_->CurrentRow();
  const Column& c = owner_->ColumnAt(index_);
  if (row < 0 || c.IsNull(row)) return 0;
  switch (c.kind) {
    case StorageKind::Int:
      return static_cast<double>(c.ints[row]);
    case StorageKind::Real:
      return c.reals[row];
    case StorageKind::Text:
      break;
  }
  return Converting(*this, [&] { return StrToDateTime(c.texts[row]); });
}

bool TField::AsBoolean() const {
  const int row = owner_->CurrentRow();
  const Column& c = owner_->ColumnAt(index_);
  if (row < 0 || c.IsNull(row)) return false;
  if (c.kind == StorageKind::Int) return c.ints[row] != 0;
  return Converting(*this, [&] { return Value().AsBoolean(); });
}

void TField::SetAsInteger(int64_t v) {
  const int row = WriteRow();
  Column& c = owner_->ColumnAt(index_);
  switch (c.kind) {
    case StorageKind::Int:
      c.SetInt(row, def_.type == TFieldType::Boolean ? (v != 0) : v);
      break;
    case StorageKind::Real:
      c.SetReal(row, static_cast<double>(v));
      break;
    case StorageKind::Text:
      c.SetText(row, IntToStr(v));
      break;
  }
}

void TField::SetAsFloat(double v) {
  const int row = WriteRow();
  Column& c = owner_->ColumnAt(index_);
  switch (c.kind) {
    case StorageKind::Int:
      if (def_.type == TFieldType::Boolean) {
        c.SetInt(row, v != 0);
      } else {
        c.SetInt(row, Converting(*this, [&] { return RoundToInt(v); }));
      }
      break;
    case StorageKind::Real:
      c.SetReal(row, v);
      break;
    case StorageKind::Text:
      c.SetText(row, FloatToStr(v));
      break;
  }
}

void TField::SetAsDateTime(TDateTime v) {
  const int row = WriteRow();
  Column& c = owner_->ColumnAt(index_);
  if (c.kind == StorageKind::Real) {
    c.SetReal(row, v);
  } else {
    SetValue(Variant::FromDateTime(v));
  }
}

void TField::SetAsBoolean(bool v) {
  const int row = WriteRow();
  Column& c = owner_->ColumnAt(index_);
  if (c.kind == StorageKind::Int) {
    c.SetInt(row, v ? 1 : 0);
  } else {
    SetValue(Variant(v));
  }
}

// As in Delphi, an empty text written to a number or date field clears it.
void TField::SetAsString(const std::string& v) {
  const int row = WriteRow();
  Column& c = owner_->ColumnAt(index_);
  if (c.kind == StorageKind::Text) {
    c.SetText(row, v);
  } else if (v.empty()) {
    c.SetNull(row);
  } else {
    Converting(*this, [&] { WriteText(c, row, v); });
  }
}

void TField::SetValue(const Variant& v) {
  const int row = WriteRow();
  Column& c = owner_->ColumnAt(index_);
  if (v.IsNull() ||
      (c.kind != StorageKind::Text && v.Type() == TVarType::Text && v.AsString().empty())) {
    c.SetNull(row);
    return;
  }
  Cell cell = Converting(*this, [&] { return c.ToCell(v); });
  if (cell.real) cell.i = Converting(*this, [&] { return RoundToInt(cell.d); });
  c.Restore(row, cell);
}

void TField::Clear() { owner_->ColumnAt(index_).SetNull(WriteRow()); }

}  // namespace vireo
