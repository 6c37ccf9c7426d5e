#include "host/data/sql.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <memory>

#include "host/core/exception.h"
#include "host/core/text.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"

namespace vireo {
namespace {

// Values for each "?" of the rewritten text.
std::vector<Variant> PositionalValues(const TnMarkedSQL& marked, const TnSQLParams& params) {
  if (marked.markers.empty()) return params.Values();  // plain "?" placeholders
  std::vector<Variant> per_marker(marked.markers.size());
  if (params.Named()) {
    for (size_t m = 0; m < marked.markers.size(); ++m) {
      bool found = false;
      for (size_t k = 0; k < params.Names().size() && !found; ++k) {
        if (SameText(params.Names()[k], marked.markers[m])) {
          per_marker[m] = params.Values()[k];
          found = true;
        }
      }
      if (!found) throw EDatabaseError("Parâmetro :" + marked.markers[m] + " sem valor");
    }
  } else {
    if (params.Values().size() != marked.markers.size()) {
      throw EDatabaseError("A consulta tem " + std::to_string(marked.markers.size()) +
                           " marcador(es) e recebeu " + std::to_string(params.Values().size()) +
                           " valor(es)");
    }
    per_marker = params.Values();
  }
  std::vector<Variant> values;
  values.reserve(marked.slots.size());
  for (int slot : marked.slots) values.push_back(per_marker[slot]);
  return values;
}

void RunInto(TnClientDataSet* dataset, const std::string& sql, const TnSQLParams& params,
             TnConnection* connection, int max_rows = -1) {
  TnMarkedSQL marked = RewriteMarkers(sql);
  TnConnection& con = connection ? *connection : CurrentConnection();
  con.Requery(dataset, marked.sql, PositionalValues(marked, params), max_rows);
}

std::string DoubleLiteral(double v) {
  if (std::isnan(v) || std::isinf(v)) throw EConvertError("Valor numérico inválido para SQL");
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  std::string s(buf, r.ptr);
  if (s.find('.') == std::string::npos) s += ".0";
  return s;
}

std::string DateLiteral(TDateTime v, bool with_time) {
  TDateParts p = DecodeDate(v);
  char buf[64];
  if (!with_time) {
    snprintf(buf, sizeof buf, "DATE '%04d-%02d-%02d'", p.year, p.month, p.day);
  } else {
    int h, n, s, z;
    DecodeTime(v, h, n, s, z);
    snprintf(buf, sizeof buf, "TIMESTAMP '%04d-%02d-%02d %02d:%02d:%02d'", p.year, p.month, p.day,
             h, n, s);
  }
  return buf;
}

std::string QuotedLiteral(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

}  // namespace

TnSQLParams& TnSQLParams::Add(const std::string& name, const Variant& value) {
  names_.push_back(name);
  values_.push_back(value);
  return *this;
}

TnClientDataSet* ExecutarSQL(const std::string& sql, const TnSQLParams& params, bool, bool,
                             int max_rows, const std::string&, TnConnection* connection, bool) {
  auto dataset = std::make_unique<TnClientDataSet>();
  RunInto(dataset.get(), sql, params, connection, max_rows);
  dataset->SetCommandText(sql);
  return dataset.release();
}

void DestruirSQL(TnClientDataSet*& dataset) {
  delete dataset;
  dataset = nullptr;
}

void RefreshSQL(TnClientDataSet* dataset, const TnSQLParams& params, bool) {
  if (!dataset) throw Exception("RefreshSQL: conjunto de dados inexistente");
  if (dataset->CommandText().empty())
    throw Exception("RefreshSQL: o conjunto de dados não veio de uma consulta");
  RunInto(dataset, dataset->CommandText(), params, nullptr);
}

TnSQLGuard::~TnSQLGuard() { DestruirSQL(dataset_); }

TnClientDataSet* TnDMConexao::ExecuteQueryView(const std::string& sql) { return ExecutarSQL(sql); }

TnSelecao& TnDMConexao::Selecao() { return SelecaoAtual(); }

int TnDMConexao::CodigoUsuario() const { return PegarUsuario(); }

TnDMConexao& nDMConexao() {
  static TnDMConexao module;
  return module;
}

Variant PegarValorCampo(const std::string& from, const std::string& fields,
                        const std::string& where) {
  std::string sql = "select first 1 " + fields + " from " + from;
  if (!where.empty()) sql += " where " + where;
  TnClientDataSet* ds = ExecutarSQL(sql, {}, true, false, 1);
  TnSQLGuard guard(ds);
  if (ds->IsEmpty()) return Variant::Null();
  if (ds->FieldCount() == 1) return ds->Fields(0)->Value();
  std::vector<Variant> values;
  for (int i = 0; i < ds->FieldCount(); ++i) values.push_back(ds->Fields(i)->Value());
  return Variant::FromArray(std::move(values));
}

std::string ValorParaSQL(const Variant& value, TFieldKind kind) {
  if (value.IsNull()) return "NULL";
  switch (kind) {
    case TFieldKind::Integer:
      return std::to_string(value.AsInteger());
    case TFieldKind::Float:
      return DoubleLiteral(value.AsFloat());
    case TFieldKind::Text:
      return QuotedLiteral(value.AsString());
    case TFieldKind::Date:
      return DateLiteral(value.AsDateTime(), false);
    case TFieldKind::DateTime:
      return DateLiteral(value.AsDateTime(), true);
    case TFieldKind::Auto:
      break;
  }
  switch (value.Type()) {
    case TVarType::Integer:
      return std::to_string(value.AsInteger());
    case TVarType::Float:
      return DoubleLiteral(value.AsFloat());
    case TVarType::Boolean:
      return value.AsBoolean() ? "TRUE" : "FALSE";
    case TVarType::DateTime: {
      TDateTime v = value.AsDateTime();
      return DateLiteral(v, v != std::floor(v));
    }
    default:
      return QuotedLiteral(value.AsString());
  }
}

int PegarTipoCon() { return 0; }

}  // namespace vireo
