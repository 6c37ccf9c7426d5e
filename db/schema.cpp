#include "db/schema.h"

#include <filesystem>
#include <system_error>

#include "db/script.h"
#include "host/core/exception.h"

namespace vireo {

namespace {

const char kSchemaSource[] = "schema.sql";

// A connection string with a host part ("server:/path", "server/3050:alias")
// names a database on a server, which this process cannot see as a file.
bool IsLocalFile(const std::string& path) {
  if (path.empty()) return false;
  if (path[0] == '/' || path[0] == '.') return true;
  return path.find(':') == std::string::npos;
}

void RemoveFile(const std::string& path) {
  std::error_code error;
  std::filesystem::remove(path, error);
  if (error) {
    throw EDatabaseError("Não foi possível apagar o arquivo " + path + ": " + error.message());
  }
}

void MakeRoomFor(const std::string& path, bool force) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return;
  if (!force) {
    throw EDatabaseError("O arquivo " + path +
                         " já existe; escolha outro nome ou peça para substituí-lo.");
  }
  RemoveFile(path);
}

}  // namespace

void RunScript(TnConnection& connection, std::string_view script, const std::string& source) {
  std::vector<SqlStatement> statements = SplitScript(script, source);
  std::unique_ptr<TnWriteTransaction> transaction = connection.StartWrite();
  for (const SqlStatement& statement : statements) {
    try {
      transaction->Execute(statement.text);
      transaction->CommitRetaining();
    } catch (const Exception& e) {
      throw EDatabaseError(source + ", instrução " + std::to_string(statement.number) + " (linha " +
                           std::to_string(statement.line) + ": " + statement.FirstLine() +
                           "): " + e.Message());
    }
  }
  transaction->Commit();
}

void CreateSchema(TnConnection& connection) { RunScript(connection, SchemaText(), kSchemaSource); }

std::unique_ptr<TnConnection> CreateDatabase(const std::string& path, bool force) {
  bool local = IsLocalFile(path);
  if (local) MakeRoomFor(path, force);
  TnConnectionParams params;
  params.database = path;
  std::unique_ptr<TnConnection> connection = TnConnection::Create(params);
  try {
    CreateSchema(*connection);
  } catch (...) {
    connection.reset();  // the file must be closed before it can go
    if (local) {
      std::error_code ignored;
      std::filesystem::remove(path, ignored);
    }
    throw;
  }
  return connection;
}

}  // namespace vireo
