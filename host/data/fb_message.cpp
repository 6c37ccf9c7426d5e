#include "host/data/fb_message.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <map>

#include "host/core/exception.h"

namespace vireo::fb {
namespace {

using Firebird::IAttachment;
using Firebird::ITransaction;
using Firebird::ThrowStatusWrapper;

constexpr unsigned kOctets = 1;  // character set of binary text

double Power10(int n) {
  static const double table[] = {1,    10,   100,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                                 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
  return (n >= 0 && n <= 18) ? table[n] : std::pow(10.0, n);
}

std::string DoubleText(double v) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

// Text handed to the database for a value: C locale, ISO dates.
std::string SqlText(const Variant& v) {
  switch (v.Type()) {
    case TVarType::Float:
      return DoubleText(v.AsFloat());
    case TVarType::Boolean:
      return v.AsBoolean() ? "TRUE" : "FALSE";
    case TVarType::DateTime: {
      TDateParts p = DecodeDate(v.AsDateTime());
      int h, n, s, z;
      DecodeTime(v.AsDateTime(), h, n, s, z);
      char buf[40];
      snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, h, n, s);
      return buf;
    }
    default:
      return v.AsString();
  }
}

double NumberOf(const Variant& v) {
  if (v.Type() == TVarType::Text) {
    std::string t = v.AsString();
    double d;
    auto r = std::from_chars(t.data(), t.data() + t.size(), d);
    if (r.ec == std::errc() && r.ptr == t.data() + t.size()) return d;
  }
  return v.AsFloat();
}

ISC_QUAD WriteBlob(ThrowStatusWrapper& st, IAttachment* att, ITransaction* tra,
                   const std::string& bytes) {
  ISC_QUAD id;
  Firebird::IBlob* blob = att->createBlob(&st, tra, &id, 0, nullptr);
  size_t pos = 0;
  while (pos < bytes.size()) {
    unsigned n = static_cast<unsigned>(std::min<size_t>(bytes.size() - pos, 32768));
    blob->putSegment(&st, n, bytes.data() + pos);
    pos += n;
  }
  blob->close(&st);
  return id;
}

std::string ReadBlob(ThrowStatusWrapper& st, IAttachment* att, ITransaction* tra,
                     const ISC_QUAD* id) {
  Ref<Firebird::IBlob> blob(att->openBlob(&st, tra, const_cast<ISC_QUAD*>(id), 0, nullptr));
  std::string out;
  char buf[32768];
  for (;;) {
    unsigned len = 0;
    int r = blob->getSegment(&st, sizeof buf, buf, &len);
    if (r != Firebird::IStatus::RESULT_OK && r != Firebird::IStatus::RESULT_SEGMENT) break;
    out.append(buf, len);
  }
  blob->close(&st);
  blob.Forget();
  return out;
}

TFieldType FieldTypeOf(const Slot& s) {
  switch (s.type) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
      return s.scale == 0 ? TFieldType::Integer : TFieldType::Float;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
      return TFieldType::Float;
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
      return TFieldType::DateTime;
    case SQL_BOOLEAN:
      return TFieldType::Boolean;
    case SQL_BLOB:
      return s.sub_type == 1 ? TFieldType::String : TFieldType::Blob;
    case SQL_TEXT:
    case SQL_VARYING:
      return s.charset == kOctets ? TFieldType::Blob : TFieldType::String;
    default:
      return TFieldType::String;
  }
}

int64_t ReadScaledInt(const Slot& s, const unsigned char* p) {
  switch (s.type) {
    case SQL_SHORT: {
      int16_t v;
      memcpy(&v, p, sizeof v);
      return v;
    }
    case SQL_LONG: {
      int32_t v;
      memcpy(&v, p, sizeof v);
      return v;
    }
    default: {
      int64_t v;
      memcpy(&v, p, sizeof v);
      return v;
    }
  }
}

void WriteScaledInt(const Slot& s, unsigned char* p, int64_t v) {
  switch (s.type) {
    case SQL_SHORT: {
      int16_t x = static_cast<int16_t>(v);
      memcpy(p, &x, sizeof x);
      break;
    }
    case SQL_LONG: {
      int32_t x = static_cast<int32_t>(v);
      memcpy(p, &x, sizeof x);
      break;
    }
    default:
      memcpy(p, &v, sizeof v);
  }
}

TDateTime ReadDate(const unsigned char* p) {
  ISC_DATE d;
  memcpy(&d, p, sizeof d);
  return static_cast<double>(d - kDateOffset);
}

TDateTime ReadTime(const unsigned char* p) {
  ISC_TIME t;
  memcpy(&t, p, sizeof t);
  return t / kTimeUnitsPerDay;
}

void WriteDateTime(const Slot& s, unsigned char* p, TDateTime v) {
  double day = std::floor(v);
  ISC_DATE d = static_cast<ISC_DATE>(day) + kDateOffset;
  ISC_TIME t = static_cast<ISC_TIME>(std::llround((v - day) * kTimeUnitsPerDay));
  if (t >= kTimeUnitsPerDay) t = static_cast<ISC_TIME>(kTimeUnitsPerDay) - 1;
  if (s.type == SQL_TYPE_DATE) {
    memcpy(p, &d, sizeof d);
  } else if (s.type == SQL_TYPE_TIME) {
    memcpy(p, &t, sizeof t);
  } else {
    memcpy(p, &d, sizeof d);
    memcpy(p + sizeof d, &t, sizeof t);
  }
}

std::string RightTrimmed(const char* p, size_t n) {
  while (n > 0 && p[n - 1] == ' ') --n;
  return std::string(p, n);
}

}  // namespace

std::vector<Slot> DescribeSlots(ThrowStatusWrapper& st, Firebird::IMessageMetadata* meta) {
  std::vector<Slot> slots;
  unsigned n = meta->getCount(&st);
  slots.reserve(n);
  for (unsigned i = 0; i < n; ++i) {
    Slot s;
    s.type = meta->getType(&st, i) & ~1u;
    s.offset = meta->getOffset(&st, i);
    s.null_offset = meta->getNullOffset(&st, i);
    s.length = meta->getLength(&st, i);
    s.scale = meta->getScale(&st, i);
    s.sub_type = meta->getSubType(&st, i);
    s.charset = meta->getCharSet(&st, i);
    const char* alias = meta->getAlias(&st, i);
    s.name = alias && *alias ? alias : meta->getField(&st, i);
    slots.push_back(std::move(s));
  }
  return slots;
}

InputMessage::InputMessage(ThrowStatusWrapper& st, Firebird::IMessageMetadata* meta)
    : slots_(DescribeSlots(st, meta)), buffer_(meta->getMessageLength(&st)) {}

void InputMessage::Bind(ThrowStatusWrapper& st, IAttachment* att, ITransaction* tra,
                        const std::vector<Variant>& values) {
  if (values.size() != slots_.size()) {
    throw EDatabaseError("A consulta espera " + std::to_string(slots_.size()) +
                         " parâmetro(s), mas recebeu " + std::to_string(values.size()));
  }
  for (size_t i = 0; i < slots_.size(); ++i) BindOne(st, att, tra, slots_[i], i, values[i]);
}

void InputMessage::BindOne(ThrowStatusWrapper& st, IAttachment* att, ITransaction* tra,
                           const Slot& s, size_t index, const Variant& v) {
  unsigned char* p = buffer_.data() + s.offset;
  int16_t null_flag = v.IsNull() ? -1 : 0;
  memcpy(buffer_.data() + s.null_offset, &null_flag, sizeof null_flag);
  if (v.IsNull() || s.type == SQL_NULL) return;
  try {
    switch (s.type) {
      case SQL_SHORT:
      case SQL_LONG:
      case SQL_INT64:
        if (s.scale == 0 && v.Type() != TVarType::Float)
          WriteScaledInt(
              s, p, v.Type() == TVarType::Text ? static_cast<int64_t>(NumberOf(v)) : v.AsInteger());
        else
          WriteScaledInt(s, p, std::llround(NumberOf(v) * Power10(-s.scale)));
        break;
      case SQL_FLOAT: {
        float f = static_cast<float>(NumberOf(v));
        memcpy(p, &f, sizeof f);
        break;
      }
      case SQL_DOUBLE:
      case SQL_D_FLOAT: {
        double d = NumberOf(v);
        memcpy(p, &d, sizeof d);
        break;
      }
      case SQL_TIMESTAMP:
      case SQL_TYPE_DATE:
      case SQL_TYPE_TIME:
        WriteDateTime(s, p, v.AsDateTime());
        break;
      case SQL_BOOLEAN: {
        FB_BOOLEAN b = v.AsBoolean() ? FB_TRUE : FB_FALSE;
        memcpy(p, &b, sizeof b);
        break;
      }
      case SQL_BLOB: {
        ISC_QUAD id =
            WriteBlob(st, att, tra, v.Type() == TVarType::Bytes ? v.AsString() : SqlText(v));
        memcpy(p, &id, sizeof id);
        break;
      }
      case SQL_TEXT:
      case SQL_VARYING: {
        std::string text = SqlText(v);
        if (text.size() > s.length) {
          throw EDatabaseError("valor com " + std::to_string(text.size()) + " bytes não cabe nos " +
                               std::to_string(s.length) + " do parâmetro");
        }
        if (s.type == SQL_TEXT) {
          memset(p, ' ', s.length);
          memcpy(p, text.data(), text.size());
        } else {
          uint16_t len = static_cast<uint16_t>(text.size());
          memcpy(p, &len, sizeof len);
          memcpy(p + sizeof len, text.data(), text.size());
        }
        break;
      }
      default:
        throw EDatabaseError("tipo de parâmetro não suportado (" + std::to_string(s.type) + ")");
    }
  } catch (const EConvertError& e) {
    throw EDatabaseError("Parâmetro " + std::to_string(index + 1) + " da consulta: " + e.Message());
  } catch (const EDatabaseError& e) {
    throw EDatabaseError("Parâmetro " + std::to_string(index + 1) + " da consulta: " + e.Message());
  }
}

RowReader::RowReader(ThrowStatusWrapper& st, Firebird::IMessageMetadata* meta)
    : slots_(DescribeSlots(st, meta)), length_(meta->getMessageLength(&st)) {}

void RowReader::DefineFields(TnClientDataSet* dataset) const {
  std::map<std::string, int> seen;
  for (const Slot& s : slots_) {
    std::string name = s.name;
    std::string key;
    for (char c : name) key += static_cast<char>(toupper(static_cast<unsigned char>(c)));
    int n = seen[key]++;
    if (n > 0) name += "_" + std::to_string(n);
    dataset->AddFieldDef(name, FieldTypeOf(s), static_cast<int>(s.length));
  }
  dataset->CreateDataSet();
}

void RowReader::Append(ThrowStatusWrapper& st, IAttachment* att, ITransaction* tra,
                       const unsigned char* buffer, TnClientDataSet* dataset) const {
  dataset->Append();
  for (size_t i = 0; i < slots_.size(); ++i) {
    const Slot& s = slots_[i];
    TField* f = dataset->Fields(static_cast<int>(i));
    int16_t null_flag;
    memcpy(&null_flag, buffer + s.null_offset, sizeof null_flag);
    if (null_flag) continue;  // appended rows start null
    const unsigned char* p = buffer + s.offset;
    switch (s.type) {
      case SQL_SHORT:
      case SQL_LONG:
      case SQL_INT64:
        if (s.scale == 0)
          f->SetAsInteger(ReadScaledInt(s, p));
        else
          f->SetAsFloat(static_cast<double>(ReadScaledInt(s, p)) / Power10(-s.scale));
        break;
      case SQL_FLOAT: {
        float v;
        memcpy(&v, p, sizeof v);
        f->SetAsFloat(v);
        break;
      }
      case SQL_DOUBLE:
      case SQL_D_FLOAT: {
        double v;
        memcpy(&v, p, sizeof v);
        f->SetAsFloat(v);
        break;
      }
      case SQL_TYPE_DATE:
        f->SetAsDateTime(ReadDate(p));
        break;
      case SQL_TYPE_TIME:
        f->SetAsDateTime(ReadTime(p));
        break;
      case SQL_TIMESTAMP:
        f->SetAsDateTime(ReadDate(p) + ReadTime(p + sizeof(ISC_DATE)));
        break;
      case SQL_BOOLEAN:
        f->SetAsBoolean(*p != 0);
        break;
      case SQL_BLOB: {
        ISC_QUAD id;
        memcpy(&id, p, sizeof id);
        std::string bytes = ReadBlob(st, att, tra, &id);
        if (s.sub_type == 1)
          f->SetAsString(bytes);
        else
          f->SetValue(Variant::FromBytes(std::move(bytes)));
        break;
      }
      case SQL_TEXT:
        f->SetAsString(RightTrimmed(reinterpret_cast<const char*>(p), s.length));
        break;
      case SQL_VARYING: {
        uint16_t len;
        memcpy(&len, p, sizeof len);
        f->SetAsString(std::string(reinterpret_cast<const char*>(p + sizeof len), len));
        break;
      }
      default:
        break;
    }
  }
  dataset->Post();
}

}  // namespace vireo::fb
