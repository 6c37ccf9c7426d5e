// Firebird message buffers: parameters bound by the statement's described
// types, and result rows read into dataset fields.
#pragma once

#include <string>
#include <vector>

#include "host/core/variant.h"
#include "host/data/dataset.h"
#include "host/data/firebird.h"

namespace vireo::fb {

// Layout of one column or parameter inside a message buffer.
struct Slot {
  unsigned type;  // SQL_* without the nullable bit
  unsigned offset;
  unsigned null_offset;
  unsigned length;
  int scale;
  int sub_type;
  unsigned charset;
  std::string name;
};

std::vector<Slot> DescribeSlots(Firebird::ThrowStatusWrapper& st, Firebird::IMessageMetadata* meta);

// Fills an input buffer from values, converting each to the type the
// statement described for its parameter.  Blob parameters are written as new
// blobs in the given transaction.
class InputMessage {
 public:
  InputMessage(Firebird::ThrowStatusWrapper& st, Firebird::IMessageMetadata* meta);
  void Bind(Firebird::ThrowStatusWrapper& st, Firebird::IAttachment* att,
            Firebird::ITransaction* tra, const std::vector<Variant>& values);
  unsigned char* Buffer() { return buffer_.empty() ? nullptr : buffer_.data(); }
  size_t Count() const { return slots_.size(); }

 private:
  void BindOne(Firebird::ThrowStatusWrapper& st, Firebird::IAttachment* att,
               Firebird::ITransaction* tra, const Slot& slot, size_t index, const Variant& value);
  std::vector<Slot> slots_;
  std::vector<unsigned char> buffer_;
};

// Reads fetched rows into a dataset whose fields it defines.
class RowReader {
 public:
  RowReader(Firebird::ThrowStatusWrapper& st, Firebird::IMessageMetadata* meta);
  // Adds one field per column (duplicate names get _1, _2 ... like the
  // original host) and opens the dataset.
  void DefineFields(TnClientDataSet* dataset) const;
  // Appends the row in buffer to the dataset.
  void Append(Firebird::ThrowStatusWrapper& st, Firebird::IAttachment* att,
              Firebird::ITransaction* tra, const unsigned char* buffer,
              TnClientDataSet* dataset) const;
  size_t MessageLength() const { return length_; }
  size_t ColumnCount() const { return slots_.size(); }

 private:
  std::vector<Slot> slots_;
  size_t length_ = 0;
};

}  // namespace vireo::fb
