// The reports' data functions: SQL run into in-memory datasets, literals,
// and single values.  All of them use the current connection.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "host/core/export.h"
#include "host/core/variant.h"
#include "host/data/host_session.h"

namespace vireo {

class TnClientDataSet;
class TnConnection;

// Parameters of a query with named markers (":pDataInicial").  Either
// positional values, bound to the distinct markers in order of first
// appearance, or values by marker name.
class VIREO_API TnSQLParams {
 public:
  TnSQLParams() = default;
  TnSQLParams(std::initializer_list<Variant> values) : values_(values) {}
  explicit TnSQLParams(std::vector<Variant> values) : values_(std::move(values)) {}
  TnSQLParams& Add(const std::string& name, const Variant& value);

  bool Named() const { return !names_.empty(); }
  bool Empty() const { return values_.empty(); }
  const std::vector<Variant>& Values() const { return values_; }
  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::vector<std::string> names_;
  std::vector<Variant> values_;
};

// Named markers rewritten to positional "?" for the database.
struct VIREO_API TnMarkedSQL {
  std::string sql;                   // with "?" in place of every marker
  std::vector<std::string> markers;  // distinct marker names, first-seen order
  std::vector<int> slots;            // for each "?", index into markers
};
// Markers inside string literals, quoted identifiers and comments are left
// alone; "::" is not a marker.
VIREO_API TnMarkedSQL RewriteMarkers(const std::string& sql);

// Runs sql on the current connection and returns a new dataset with every row,
// owned by the caller (free it with DestruirSQL).  The flags and texts after
// the parameters are kept for the reports' calls; `max_rows` >= 0 stops after
// that many rows.
VIREO_API TnClientDataSet* ExecutarSQL(const std::string& sql, const TnSQLParams& params = {},
                                       bool open = true, bool unidirectional = false,
                                       int max_rows = -1, const std::string& name = "",
                                       TnConnection* connection = nullptr, bool read_only = true);
// Frees the dataset and clears the variable; safe on null.
VIREO_API void DestruirSQL(TnClientDataSet*& dataset);
// Runs the dataset's query again with new parameter values, replacing its
// rows; fields, index and mappers stay.
VIREO_API void RefreshSQL(TnClientDataSet* dataset, const TnSQLParams& params = {},
                          bool keep_structure = true);

// Frees a dataset from ExecutarSQL when the scope ends, on every path.
class VIREO_API TnSQLGuard {
 public:
  explicit TnSQLGuard(TnClientDataSet*& dataset) : dataset_(dataset) {}
  ~TnSQLGuard();
  TnSQLGuard(const TnSQLGuard&) = delete;
  TnSQLGuard& operator=(const TnSQLGuard&) = delete;

 private:
  TnClientDataSet*& dataset_;
};

// The connection module of the host: queries, the current selection (the
// company the user works in) and the logged-in user (host/data/host_session.h).
class VIREO_API TnDMConexao {
 public:
  TnClientDataSet* ExecuteQueryView(const std::string& sql);
  TnSelecao& Selecao();
  int CodigoUsuario() const;
};
VIREO_API TnDMConexao& nDMConexao();

// "select <fields> from <from> where <where>": the value of the first row,
// an array of values when fields names several columns (comma-separated),
// or null when there is no row.
VIREO_API Variant PegarValorCampo(const std::string& from, const std::string& fields,
                                  const std::string& where);

enum class TFieldKind { Auto, Integer, Float, Text, Date, DateTime };
// The SQL literal of a value: numbers in C locale, dates DATE 'YYYY-MM-DD',
// date-times TIMESTAMP 'YYYY-MM-DD HH:MM:SS', texts quoted with quotes doubled,
// null as NULL.
VIREO_API std::string ValorParaSQL(const Variant& value, TFieldKind kind = TFieldKind::Auto);

// Connection kind: 0 Firebird, 1 Oracle, 2 Microsoft SQL Server.  Always 0
// here; reports still build the other kinds' texts.
VIREO_API int PegarTipoCon();

}  // namespace vireo
