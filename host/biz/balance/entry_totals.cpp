#include "host/biz/balance/entry_totals.h"

#include <cmath>

#include "host/data/dataset.h"
#include "host/data/selection.h"
#include "host/data/sql.h"

namespace vireo::biz {

namespace {

// The ledger compares only the low byte of the kind (-1 reads as 255) and
// reads a null kind as 0; the grouping keeps exactly that distinction.
const char kKind[] = "BIN_AND(COALESCE(C.TIPOMOVCAIXA, 0), 255)";

std::string Sums(bool opening) {
  if (!opening) return "0 AS ANTES, SUM(C.VALORCAIXA) AS PERIODO, ";
  return "SUM(CASE WHEN C.DATACAIXA < :pDataInicial THEN C.VALORCAIXA ELSE 0 END) AS ANTES, "
         "SUM(CASE WHEN C.DATACAIXA >= :pDataInicial THEN C.VALORCAIXA ELSE 0 END) AS PERIODO, ";
}

std::string Conditions(const EntryQuery& query) {
  // Summing the opening balance reads nearly every entry up to the end date;
  // "+ 0" keeps the optimizer off the date index, so it takes the index by
  // company and account when there is a selection, or reads the table in order.
  std::string where = query.opening ? "where C.DATACAIXA + 0 <= :pDataFinal "
                                    : "where C.DATACAIXA between :pDataInicial and :pDataFinal ";
  if (query.cash_movement) where += "and AC.ORIGEMCAIXA in (1, 2) ";
  where += FilterInterval("C.CODIGOESCRIT", query.companies, {1}, true, 0);
  where += FilterInterval("C.CODIGOCONTA", query.accounts, {1}, true, 0);
  return where + OriginsLeftOut("C.ORIGEMLCTOCAIXA", query.origins_out);
}

}  // namespace

std::string OriginsLeftOut(const std::string& column, const std::string& origins_out) {
  if (ParseSelection(origins_out).empty()) return "";
  return " and not (" + FilterInterval(column, origins_out, {1}, false, 0) + ") ";
}

int64_t Cents(const TField* field) { return std::llround(field->AsFloat() * 100.0); }

std::string EntryTotalsSQL(const EntryQuery& query) {
  return std::string("select C.CODIGOESCRIT, C.CODIGOCONTA, ") + kKind + " AS TIPOMOV, " +
         "CASE WHEN H.CODIGOHISTCTB IS NULL THEN 0 ELSE 1 END AS LISTADO, " + Sums(query.opening) +
         "COUNT(*) AS QUANTIDADE "
         "from FPRCAIXA C "
         "left join FPRACERTOCX AC on AC.CODIGOESCRIT = C.CODIGOESCRIT and AC.CODIGOCAIXA = "
         "C.CODIGOCAIXA "
         "left join FPRHISTORICO H on H.CODIGOHISTCTB = C.CODIGOHISTCTB " +
         Conditions(query) + "group by 1, 2, 3, 4";
}

std::vector<EntryTotal> LoadEntryTotals(const EntryQuery& query) {
  TnSQLParams params;
  params.Add("pDataInicial", Variant::FromDateTime(query.first_day));
  params.Add("pDataFinal", Variant::FromDateTime(query.last_day));
  TnClientDataSet* rows = ExecutarSQL(EntryTotalsSQL(query), params);
  TnSQLGuard guard(rows);
  std::vector<EntryTotal> totals;
  totals.reserve(rows->RecordCount());
  for (rows->First(); !rows->Eof(); rows->Next()) {
    EntryTotal total;
    total.company = rows->Fields(0)->AsInteger();
    total.account = rows->Fields(1)->AsInteger();
    total.kind = static_cast<int>(rows->Fields(2)->AsInteger());
    total.listed = rows->Fields(3)->AsInteger() == 1;
    total.before = query.opening ? Cents(rows->Fields(4)) : 0;
    total.period = Cents(rows->Fields(5));
    total.entries = rows->Fields(6)->AsInteger();
    totals.push_back(total);
  }
  return totals;
}

}  // namespace vireo::biz
