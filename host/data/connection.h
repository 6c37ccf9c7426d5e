// TnConnection: one attachment to a Firebird database.
//
// Reports only read: every query runs in a read-only, read-committed
// transaction, so nothing a report does can change stored data.  Writing is
// offered only to the tools that build databases (`vireo db create`, the demo
// generator, test fixtures), through TnWriteTransaction.
//
// A database is named by a file path (opened in-process, embedded engine) or
// by a Firebird connection string such as "host:/path/file.fdb" or
// "host/port:alias".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/export.h"
#include "host/core/variant.h"

namespace vireo {

class TnClientDataSet;

struct VIREO_API TnConnectionParams {
  std::string database{};  // path or connection string
  std::string user{};      // empty: ISC_USER, else SYSDBA
  std::string password{};  // empty: ISC_PASSWORD
};

class TnWriteTransaction;

class VIREO_API TnConnection {
 public:
  // Opens an existing database; raises EDatabaseError naming the database
  // when it is missing or cannot be opened.
  static std::unique_ptr<TnConnection> Open(const TnConnectionParams& params);
  // Creates a new, empty UTF-8 database file.
  static std::unique_ptr<TnConnection> Create(const TnConnectionParams& params);

  ~TnConnection();
  TnConnection(const TnConnection&) = delete;
  TnConnection& operator=(const TnConnection&) = delete;

  const std::string& Database() const;

  // Runs a query with positional parameters ("?") in a read-only
  // transaction and fetches every row into a new dataset owned by the caller.
  TnClientDataSet* Query(const std::string& sql, const std::vector<Variant>& params = {});
  // Same, filling an existing dataset again: an open dataset keeps its
  // fields and loses its rows.  `max_rows` >= 0 stops fetching after that
  // many rows.
  void Requery(TnClientDataSet* dataset, const std::string& sql,
               const std::vector<Variant>& params = {}, int max_rows = -1);

  // A writing transaction for building databases; see TnWriteTransaction.
  std::unique_ptr<TnWriteTransaction> StartWrite();

  struct Impl;
  Impl* impl() { return impl_.get(); }

 private:
  explicit TnConnection(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// A prepared statement inside a write transaction, executed many times.
class VIREO_API TnPreparedStatement {
 public:
  ~TnPreparedStatement();
  void Execute(const std::vector<Variant>& params);
  struct Impl;

 private:
  friend class TnWriteTransaction;
  explicit TnPreparedStatement(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// Read-write transaction; rolled back on destruction unless committed.
class VIREO_API TnWriteTransaction {
 public:
  ~TnWriteTransaction();
  // Runs one statement (DDL or DML) with positional parameters.
  void Execute(const std::string& sql, const std::vector<Variant>& params = {});
  std::unique_ptr<TnPreparedStatement> Prepare(const std::string& sql);
  // Commits and keeps the transaction open for more work (DDL must be
  // committed before the tables it creates can be filled).
  void CommitRetaining();
  void Commit();
  struct Impl;

 private:
  friend class TnConnection;
  explicit TnWriteTransaction(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// The current connection of the host: the one the reports' data functions use.
VIREO_API void SetCurrentConnection(TnConnection* connection);
// Raises EDatabaseError when no database is open.
VIREO_API TnConnection& CurrentConnection();

}  // namespace vireo
