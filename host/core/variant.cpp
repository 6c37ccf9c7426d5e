// Variant conversions.
//
// They follow Delphi where a report may rely on it: null reads as 0, "" or
// false; a float read as an integer rounds half to even (Delphi's Round);
// a Boolean reads as 1 or 0 as a number and as "True" or "False" as text;
// a date-time reads as its short date, with the long time when it is not
// midnight.  Text reads through the locale (FormatSettings).
#include "host/core/variant.h"

#include <cmath>
#include <limits>

#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"

namespace vireo {

namespace {

const char* TypeName(TVarType type) {
  switch (type) {
    case TVarType::Null:
      return "nulo";
    case TVarType::Integer:
      return "inteiro";
    case TVarType::Float:
      return "ponto flutuante";
    case TVarType::Text:
      return "texto";
    case TVarType::DateTime:
      return "data";
    case TVarType::Boolean:
      return "lógico";
    case TVarType::Bytes:
      return "binário";
    case TVarType::Array:
      return "lista";
  }
  return "?";
}

[[noreturn]] void CastError(TVarType from, const char* to) {
  throw EConvertError(std::string("Não é possível converter um valor do tipo ") + TypeName(from) +
                      " para " + to);
}

int64_t RoundToInteger(double value, TVarType from) {
  const double r = std::nearbyint(value);
  if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) CastError(from, "inteiro");
  return static_cast<int64_t>(r);
}

bool IsNumeric(TVarType t) {
  return t == TVarType::Integer || t == TVarType::Float || t == TVarType::DateTime ||
         t == TVarType::Boolean;
}

}  // namespace

Variant Variant::FromDateTime(TDateTime v) {
  Variant out;
  out.type_ = TVarType::DateTime;
  out.d_ = v;
  return out;
}

Variant Variant::FromBytes(std::string bytes) {
  Variant out;
  out.type_ = TVarType::Bytes;
  out.s_ = std::move(bytes);
  return out;
}

Variant Variant::FromArray(std::vector<Variant> items) {
  Variant out;
  out.type_ = TVarType::Array;
  out.a_ = std::move(items);
  return out;
}

int64_t Variant::AsInteger() const {
  switch (type_) {
    case TVarType::Null:
      return 0;
    case TVarType::Integer:
    case TVarType::Boolean:
      return i_;
    case TVarType::Float:
    case TVarType::DateTime:
      return RoundToInteger(d_, type_);
    case TVarType::Text: {
      int64_t out = 0;
      if (TryStrToInt64(s_, out)) return out;
      double d = 0;
      if (TryStrToFloat(s_, d)) return RoundToInteger(d, type_);
      return StrToInt64(s_);  // raises with the text quoted
    }
    default:
      CastError(type_, "inteiro");
  }
}

double Variant::AsFloat() const {
  switch (type_) {
    case TVarType::Null:
      return 0;
    case TVarType::Integer:
    case TVarType::Boolean:
      return static_cast<double>(i_);
    case TVarType::Float:
    case TVarType::DateTime:
      return d_;
    case TVarType::Text:
      return StrToFloat(s_);
    default:
      CastError(type_, "ponto flutuante");
  }
}

std::string Variant::AsString() const {
  switch (type_) {
    case TVarType::Null:
      return "";
    case TVarType::Integer:
      return IntToStr(i_);
    case TVarType::Float:
      return FloatToStr(d_);
    case TVarType::DateTime:
      return DateTimeToStr(d_);
    case TVarType::Boolean:
      return i_ ? "True" : "False";
    case TVarType::Text:
    case TVarType::Bytes:
      return s_;
    default:
      CastError(type_, "texto");
  }
}

TDateTime Variant::AsDateTime() const {
  switch (type_) {
    case TVarType::Null:
      return 0;
    case TVarType::Integer:
    case TVarType::Boolean:
      return static_cast<double>(i_);
    case TVarType::Float:
    case TVarType::DateTime:
      return d_;
    case TVarType::Text:
      return StrToDateTime(s_);
    default:
      CastError(type_, "data");
  }
}

bool Variant::AsBoolean() const {
  switch (type_) {
    case TVarType::Null:
      return false;
    case TVarType::Integer:
    case TVarType::Boolean:
      return i_ != 0;
    case TVarType::Float:
    case TVarType::DateTime:
      return d_ != 0;
    case TVarType::Text: {
      const std::string t = UpperCase(Trim(s_));
      if (t == "TRUE") return true;
      if (t == "FALSE") return false;
      double d = 0;
      if (TryStrToFloat(s_, d)) return d != 0;
      throw EConvertError("'" + s_ + "' não é um valor lógico válido");
    }
    default:
      CastError(type_, "lógico");
  }
}

const std::vector<Variant>& Variant::AsArray() const {
  if (type_ != TVarType::Array) CastError(type_, "lista");
  return a_;
}

// Null equals only null; numbers of any kind compare by value; text compares
// with text byte for byte and with a number by reading it as a number.
bool Variant::operator==(const Variant& other) const {
  if (IsNull() || other.IsNull()) return IsNull() && other.IsNull();
  if (type_ == TVarType::Integer && other.type_ == TVarType::Integer) return i_ == other.i_;
  if (IsNumeric(type_) && IsNumeric(other.type_)) return AsFloat() == other.AsFloat();
  if (type_ == TVarType::Array || other.type_ == TVarType::Array) {
    return type_ == other.type_ && a_ == other.a_;
  }
  const bool text = type_ == TVarType::Text || type_ == TVarType::Bytes;
  const bool other_text = other.type_ == TVarType::Text || other.type_ == TVarType::Bytes;
  if (text && other_text) return s_ == other.s_;
  double a = 0, b = 0;
  const bool a_ok = text ? TryStrToFloat(s_, a) : (a = AsFloat(), true);
  const bool b_ok = other_text ? TryStrToFloat(other.s_, b) : (b = other.AsFloat(), true);
  return a_ok && b_ok && a == b;
}

}  // namespace vireo
