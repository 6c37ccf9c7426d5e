#include "db/demo_context.h"

#include "host/core/datetime.h"
#include "host/core/exception.h"

namespace vireo::demo {

TableWriter::TableWriter(TnWriteTransaction& transaction, const std::string& table,
                         const std::vector<std::string>& columns)
    : table_(table), columns_(columns.size()) {
  std::string names, markers;
  for (const std::string& column : columns) {
    names += (names.empty() ? "" : ", ") + column;
    markers += markers.empty() ? "?" : ", ?";
  }
  statement_ =
      transaction.Prepare("INSERT INTO " + table + " (" + names + ") VALUES (" + markers + ")");
}

void TableWriter::Insert(const std::vector<Variant>& values) {
  if (values.size() != columns_) {
    throw Exception("Dados de demonstração: " + std::to_string(values.size()) +
                    " valores para as " + std::to_string(columns_) + " colunas de " + table_);
  }
  statement_->Execute(values);
  ++count_;
}

DemoContext::DemoContext(TnWriteTransaction& transaction, const DemoOptions& options)
    : transaction_(transaction), random_(options.seed), seed_(options.seed), scale_(options.scale) {}

TableWriter& DemoContext::Table(const std::string& table, const std::vector<std::string>& columns) {
  std::string key = table;
  for (const std::string& column : columns) key += "," + column;
  std::unique_ptr<TableWriter>& writer = writers_[key];
  if (!writer) writer = std::make_unique<TableWriter>(transaction_, table, columns);
  return *writer;
}

int DemoContext::Rows() const {
  int rows = 0;
  for (const auto& [key, writer] : writers_) rows += writer->Count();
  return rows;
}

Variant DateValue(int year, int month, int day) {
  return Variant::FromDateTime(EncodeDate(year, month, day));
}

Variant RandomDate(DemoRandom& random, int first_year, int last_year) {
  int year = random.Between(first_year, last_year);
  int month = random.Between(1, 12);
  int day = random.Between(1, 28);
  return DateValue(year, month, day);
}

}  // namespace vireo::demo
