// Variant: a value of one of the kinds a database column or a parameter can
// hold, with Delphi-like conversions between them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/core/export.h"

namespace vireo {

enum class TVarType { Null, Integer, Float, Text, DateTime, Boolean, Bytes, Array };

class VIREO_API Variant {
 public:
  Variant() = default;  // null
  Variant(int v) : type_(TVarType::Integer), i_(v) {}
  Variant(int64_t v) : type_(TVarType::Integer), i_(v) {}
  Variant(double v) : type_(TVarType::Float), d_(v) {}
  Variant(bool v) : type_(TVarType::Boolean), i_(v ? 1 : 0) {}
  Variant(const char* v) : type_(TVarType::Text), s_(v) {}
  Variant(std::string v) : type_(TVarType::Text), s_(std::move(v)) {}

  static Variant Null() { return Variant(); }
  static Variant FromDateTime(TDateTime v);
  static Variant FromBytes(std::string bytes);
  static Variant FromArray(std::vector<Variant> items);

  TVarType Type() const { return type_; }
  bool IsNull() const { return type_ == TVarType::Null; }

  // Conversions raise EConvertError when the value cannot be read as asked
  // (a text that is not a number, for instance).  Null reads as 0 or "".
  int64_t AsInteger() const;
  double AsFloat() const;
  std::string AsString() const;
  TDateTime AsDateTime() const;
  bool AsBoolean() const;
  const std::vector<Variant>& AsArray() const;  // raises unless an array

  bool operator==(const Variant& other) const;
  bool operator!=(const Variant& other) const { return !(*this == other); }

 private:
  TVarType type_ = TVarType::Null;
  int64_t i_ = 0;
  double d_ = 0;
  std::string s_;  // text or bytes
  std::vector<Variant> a_;
};

}  // namespace vireo
