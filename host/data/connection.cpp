#include "host/data/connection.h"

#include <sys/stat.h>

#include <cstdlib>

#include "host/core/exception.h"
#include "host/data/dataset.h"
#include "host/data/fb_message.h"
#include "host/data/firebird.h"
#include "host/data/statement_hook.h"

namespace vireo {

using Firebird::IAttachment;
using Firebird::IStatement;
using Firebird::ITransaction;
using Firebird::ThrowStatusWrapper;

namespace {

// A path without a host part names a local file opened in-process.
bool IsLocalPath(const std::string& db) {
  if (db.empty()) return false;
  if (db[0] == '/' || db[0] == '.') return true;
  size_t colon = db.find(':');
  return colon == std::string::npos;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && *v ? v : fallback;
}

std::string UserOf(const TnConnectionParams& p) {
  return p.user.empty() ? EnvOr("ISC_USER", "SYSDBA") : p.user;
}

std::vector<unsigned char> BuildDpb(ThrowStatusWrapper& st, const TnConnectionParams& p,
                                    bool create) {
  Firebird::IXpbBuilder* dpb =
      fb::Util()->getXpbBuilder(&st, Firebird::IXpbBuilder::DPB, nullptr, 0);
  std::string user = UserOf(p);
  std::string password = p.password.empty() ? EnvOr("ISC_PASSWORD", "") : p.password;
  dpb->insertString(&st, isc_dpb_user_name, user.c_str());
  if (!password.empty()) dpb->insertString(&st, isc_dpb_password, password.c_str());
  dpb->insertString(&st, isc_dpb_lc_ctype, "UTF8");
  if (create) {
    dpb->insertInt(&st, isc_dpb_page_size, 16384);
    dpb->insertString(&st, isc_dpb_set_db_charset, "UTF8");
    dpb->insertInt(&st, isc_dpb_sql_dialect, 3);
    dpb->insertInt(&st, isc_dpb_force_write, 0);
  }
  const unsigned char* buf = dpb->getBuffer(&st);
  std::vector<unsigned char> out(buf, buf + dpb->getBufferLength(&st));
  dpb->dispose();
  return out;
}

// Read-only, read-committed: a report can never change stored data.
const unsigned char kReadOnlyTpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                      isc_tpb_rec_version, isc_tpb_nowait};
const unsigned char kWriteTpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_concurrency,
                                   isc_tpb_wait};

TnStatementHook& Hook() {
  static TnStatementHook hook;
  return hook;
}

void Notify(TnStatementEvent::Kind kind, const std::string& sql, bool read_only, int64_t row) {
  if (Hook()) Hook()(TnStatementEvent{kind, sql, read_only, row});
}

std::string FirstLine(const std::string& sql) {
  std::string s = sql.substr(0, std::min<size_t>(sql.size(), 300));
  for (char& c : s)
    if (c == '\n' || c == '\r') c = ' ';
  return s;
}

// "host/port" of "host/port:/path/file.fdb" (or "[::1]/port:alias").
std::string ServerOf(const std::string& db) {
  size_t from = db.size() > 0 && db[0] == '[' ? db.find(']') : 0;
  size_t colon = db.find(':', from == std::string::npos ? 0 : from);
  return db.substr(0, colon);
}

// Firebird's status text on one line, for the end of a message.
std::string OneLine(std::string text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') {
      out += text[i];
    } else if (i + 1 < text.size()) {
      out += ' ';
      if (text[i + 1] == '-') ++i;
    }
  }
  return out;
}

// True when the status names `code` anywhere, not only first: a file held by
// another engine instance comes as an I/O error of the "lock" operation
// whose cause follows.
bool StatusNames(const Firebird::IStatus* status, intptr_t code) {
  const intptr_t* v = status->getErrors();
  while (v[0] != isc_arg_end) {
    if (v[0] == isc_arg_gds && v[1] == code) return true;
    v += v[0] == isc_arg_cstring ? 3 : 2;  // a counted string has its length first
  }
  return false;
}

// Opening or creating a database fails mostly for reasons a user can fix:
// those are told in the user's terms, the rest in Firebird's words.
[[noreturn]] void RaiseAttachFailure(const std::string& context, const TnConnectionParams& p,
                                     const Firebird::FbException& e) {
  const intptr_t* errors = e.getStatus()->getErrors();
  intptr_t code = errors[0] == isc_arg_gds ? errors[1] : 0;
  std::string firebird = OneLine(fb::StatusText(e.getStatus()));
  if (code == isc_login) {
    throw EDatabaseError(context + ": o servidor recusou o usuário " + UserOf(p) +
                         " ou a senha (ISC_USER, ISC_PASSWORD)");
  }
  if (code == isc_network_error) {
    throw EDatabaseError(context + ": sem conexão com o servidor " + ServerOf(p.database) + " (" +
                         firebird + ")");
  }
  if (StatusNames(e.getStatus(), isc_already_opened)) {
    throw EDatabaseError(context +
                         ": outro programa está com o banco de dados aberto só para si "
                         "(um Firebird em modo de processo único); feche esse programa ou "
                         "abra-o com a configuração do vireo (" +
                         firebird + ")");
  }
  throw EDatabaseError(context + ": " + fb::StatusText(e.getStatus()));
}

// Runs an attach or create, turning its failure into a message that names
// the database and what went wrong.
template <class Fn>
void Attach(const std::string& context, const TnConnectionParams& p, Fn&& fn) {
  ThrowStatusWrapper status(fb::Master()->getStatus());
  struct Dispose {
    ThrowStatusWrapper& s;
    ~Dispose() { s.dispose(); }
  } dispose{status};
  try {
    fn(status);
  } catch (const Firebird::FbException& e) {
    RaiseAttachFailure(context, p, e);
  }
}

}  // namespace

struct TnConnection::Impl {
  std::string database;
  fb::Ref<IAttachment> att;

  ~Impl() {
    if (!att) return;
    try {
      fb::Call("detach", [&](ThrowStatusWrapper& st) { att->detach(&st); });
      att.Forget();
    } catch (...) {
      // The attachment reference is released by the handle below.
    }
  }
};

struct TnWriteTransaction::Impl {
  IAttachment* att;
  fb::Ref<ITransaction> tra;
};

struct TnPreparedStatement::Impl {
  IAttachment* att;
  ITransaction* tra;
  fb::Ref<IStatement> stmt;
  std::string sql;
};

std::unique_ptr<TnConnection> TnConnection::Open(const TnConnectionParams& params) {
  if (IsLocalPath(params.database) && !FileExists(params.database)) {
    throw EDatabaseError("Banco de dados não encontrado: " + params.database);
  }
  auto impl = std::make_unique<Impl>();
  impl->database = params.database;
  Attach("Não foi possível abrir o banco de dados " + params.database, params,
         [&](ThrowStatusWrapper& st) {
           auto dpb = BuildDpb(st, params, false);
           impl->att = fb::Ref<IAttachment>(fb::Master()->getDispatcher()->attachDatabase(
               &st, params.database.c_str(), static_cast<unsigned>(dpb.size()), dpb.data()));
         });
  return std::unique_ptr<TnConnection>(new TnConnection(std::move(impl)));
}

std::unique_ptr<TnConnection> TnConnection::Create(const TnConnectionParams& params) {
  if (IsLocalPath(params.database) && FileExists(params.database)) {
    throw EDatabaseError("O arquivo já existe: " + params.database);
  }
  auto impl = std::make_unique<Impl>();
  impl->database = params.database;
  Attach("Não foi possível criar o banco de dados " + params.database, params,
         [&](ThrowStatusWrapper& st) {
           auto dpb = BuildDpb(st, params, true);
           impl->att = fb::Ref<IAttachment>(fb::Master()->getDispatcher()->createDatabase(
               &st, params.database.c_str(), static_cast<unsigned>(dpb.size()), dpb.data()));
         });
  return std::unique_ptr<TnConnection>(new TnConnection(std::move(impl)));
}

TnConnection::TnConnection(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TnConnection::~TnConnection() = default;

const std::string& TnConnection::Database() const { return impl_->database; }

TnClientDataSet* TnConnection::Query(const std::string& sql, const std::vector<Variant>& params) {
  auto dataset = std::make_unique<TnClientDataSet>();
  Requery(dataset.get(), sql, params);
  return dataset.release();
}

void TnConnection::Requery(TnClientDataSet* dataset, const std::string& sql,
                           const std::vector<Variant>& params, int max_rows) {
  IAttachment* att = impl_->att.get();
  Notify(TnStatementEvent::kPrepare, sql, true, 0);
  fb::Call("Erro ao executar a consulta [" + FirstLine(sql) + "]", [&](ThrowStatusWrapper& st) {
    fb::Ref<ITransaction> tra(att->startTransaction(&st, sizeof kReadOnlyTpb, kReadOnlyTpb));
    fb::Ref<IStatement> stmt(att->prepare(&st, tra.get(), 0, sql.c_str(), SQL_DIALECT_V6,
                                          IStatement::PREPARE_PREFETCH_METADATA));
    fb::Ref<Firebird::IMessageMetadata> in(stmt->getInputMetadata(&st));
    fb::Ref<Firebird::IMessageMetadata> out(stmt->getOutputMetadata(&st));
    fb::InputMessage input(st, in.get());
    input.Bind(st, att, tra.get(), params);
    fb::RowReader reader(st, out.get());
    if (dataset->Active()) {
      dataset->EmptyDataSet();
    } else if (reader.ColumnCount() > 0) {
      reader.DefineFields(dataset);
    }
    if (stmt->getType(&st) == isc_info_sql_stmt_select ||
        stmt->getType(&st) == isc_info_sql_stmt_select_for_upd ||
        stmt->getType(&st) == isc_info_sql_stmt_exec_procedure) {
      if (stmt->getType(&st) == isc_info_sql_stmt_exec_procedure) {
        std::vector<unsigned char> row(reader.MessageLength());
        stmt->execute(&st, tra.get(), in.get(), input.Buffer(), out.get(), row.data());
        reader.Append(st, att, tra.get(), row.data(), dataset);
      } else {
        fb::Ref<Firebird::IResultSet> rs(
            stmt->openCursor(&st, tra.get(), in.get(), input.Buffer(), out.get(), 0));
        std::vector<unsigned char> row(reader.MessageLength());
        for (int n = 0; max_rows < 0 || n < max_rows; ++n) {
          if (rs->fetchNext(&st, row.data()) != Firebird::IStatus::RESULT_OK) break;
          Notify(TnStatementEvent::kFetch, sql, true, n + 1);
          reader.Append(st, att, tra.get(), row.data(), dataset);
        }
        rs->close(&st);
        rs.Forget();
      }
    } else {
      // Anything else runs in the read-only transaction, where the database
      // refuses every change.
      stmt->execute(&st, tra.get(), in.get(), input.Buffer(), nullptr, nullptr);
    }
    stmt->free(&st);
    stmt.Forget();
    tra->commit(&st);
    tra.Forget();
  });
  if (dataset->Active()) dataset->First();
}

std::unique_ptr<TnWriteTransaction> TnConnection::StartWrite() {
  auto impl = std::make_unique<TnWriteTransaction::Impl>();
  impl->att = impl_->att.get();
  fb::Call("Não foi possível iniciar uma transação de gravação", [&](ThrowStatusWrapper& st) {
    impl->tra =
        fb::Ref<ITransaction>(impl->att->startTransaction(&st, sizeof kWriteTpb, kWriteTpb));
  });
  return std::unique_ptr<TnWriteTransaction>(new TnWriteTransaction(std::move(impl)));
}

TnWriteTransaction::TnWriteTransaction(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

TnWriteTransaction::~TnWriteTransaction() {
  if (!impl_->tra) return;
  try {
    fb::Call("rollback", [&](ThrowStatusWrapper& st) { impl_->tra->rollback(&st); });
    impl_->tra.Forget();
  } catch (...) {
    // Released by the handle.
  }
}

void TnWriteTransaction::Execute(const std::string& sql, const std::vector<Variant>& params) {
  Prepare(sql)->Execute(params);
}

std::unique_ptr<TnPreparedStatement> TnWriteTransaction::Prepare(const std::string& sql) {
  auto impl = std::make_unique<TnPreparedStatement::Impl>();
  impl->att = impl_->att;
  impl->tra = impl_->tra.get();
  impl->sql = sql;
  Notify(TnStatementEvent::kPrepare, sql, false, 0);
  fb::Call("Erro ao preparar [" + FirstLine(sql) + "]", [&](ThrowStatusWrapper& st) {
    impl->stmt =
        fb::Ref<IStatement>(impl->att->prepare(&st, impl->tra, 0, sql.c_str(), SQL_DIALECT_V6, 0));
  });
  return std::unique_ptr<TnPreparedStatement>(new TnPreparedStatement(std::move(impl)));
}

void TnWriteTransaction::CommitRetaining() {
  fb::Call("Erro ao confirmar a transação",
           [&](ThrowStatusWrapper& st) { impl_->tra->commitRetaining(&st); });
}

void TnWriteTransaction::Commit() {
  fb::Call("Erro ao confirmar a transação", [&](ThrowStatusWrapper& st) {
    impl_->tra->commit(&st);
    impl_->tra.Forget();
  });
}

TnPreparedStatement::TnPreparedStatement(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TnPreparedStatement::~TnPreparedStatement() = default;

void TnPreparedStatement::Execute(const std::vector<Variant>& params) {
  fb::Call("Erro ao executar [" + FirstLine(impl_->sql) + "]", [&](ThrowStatusWrapper& st) {
    fb::Ref<Firebird::IMessageMetadata> in(impl_->stmt->getInputMetadata(&st));
    fb::InputMessage input(st, in.get());
    input.Bind(st, impl_->att, impl_->tra, params);
    impl_->stmt->execute(&st, impl_->tra, in.get(), input.Buffer(), nullptr, nullptr);
  });
}

namespace {
TnConnection* g_current = nullptr;
}

TnStatementHook SetStatementHook(TnStatementHook hook) {
  std::swap(Hook(), hook);
  return hook;
}

void SetCurrentConnection(TnConnection* connection) { g_current = connection; }

TnConnection& CurrentConnection() {
  if (!g_current) throw EDatabaseError("Nenhum banco de dados aberto");
  return *g_current;
}

}  // namespace vireo
