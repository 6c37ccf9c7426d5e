#include "serve/server.h"

#include <unistd.h>

#include <filesystem>
#include <thread>

#include "host/core/exception.h"
#include "host/data/host_session.h"
#include "serve/server_impl.h"

namespace vireo::serve {
namespace fs = std::filesystem;

namespace {

constexpr const char* kTokenHeader = "X-Vireo-Token";
constexpr const char* kTokenCookie = "vireo_token";

std::string ProgramPath() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string("vireo") : exe.string();
}

std::string CookieValue(const httplib::Request& req, const std::string& name) {
  std::string cookies = req.get_header_value("Cookie");
  std::string key = name + "=";
  for (size_t at = 0; at < cookies.size();) {
    while (at < cookies.size() && (cookies[at] == ' ' || cookies[at] == ';')) ++at;
    size_t end = cookies.find(';', at);
    std::string part = cookies.substr(at, end == std::string::npos ? end : end - at);
    if (part.rfind(key, 0) == 0) return part.substr(key.size());
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return {};
}

// The server's process works as the user of its flags, as its workers do:
// panels, lookups and the agenda ask the session who is logged in.
void ApplySession(const std::vector<std::string>& args) {
  for (size_t i = 0; i + 1 < args.size(); i += 2) {
    const std::string& flag = args[i];
    const std::string& value = args[i + 1];
    if (flag == "--user")
      DefinirUsuario(std::stoi(value));
    else if (flag == "--company")
      DefinirEmpresaAtual(std::stoi(value));
    else if (flag == "--deny")
      NegarDireito(value);
    else
      throw Exception("vireo serve: opção de sessão desconhecida: " + flag);
  }
}

std::string MakeJobsRoot() {
  std::string tmpl = (fs::temp_directory_path() / "vireo-serve-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) throw Exception("vireo serve: não foi possível criar " + tmpl);
  return tmpl;
}

}  // namespace

void SendJson(httplib::Response& res, const nlohmann::json& body, int status) {
  res.status = status;
  res.set_header("Cache-Control", "no-store");
  res.set_content(body.dump(), "application/json; charset=utf-8");
}

void SendError(httplib::Response& res, int status, const std::string& message) {
  SendJson(res, {{"error", message}}, status);
}

std::string DefaultWebDirectory() {
  fs::path bin = fs::path(ProgramPath()).parent_path();
  for (const fs::path& dir : {bin.parent_path() / "share" / "vireo" / "web", bin / "web"})
    if (fs::exists(dir / "index.html")) return dir.string();
  return (bin.parent_path() / "share" / "vireo" / "web").string();
}

Server::Impl::Impl(ServeOptions o)
    : options(std::move(o)),
      token(options.token.empty() ? AccessToken() : AccessToken(options.token)),
      jobs_root(MakeJobsRoot()) {
  if (options.worker_program.empty()) options.worker_program = ProgramPath();
  if (options.web_dir.empty()) options.web_dir = DefaultWebDirectory();
  int workers = options.workers > 0
                    ? options.workers
                    : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  ApplySession(options.session_args);
  db = TnConnection::Open({options.database});
  SetCurrentConnection(db.get());
  WorkerSetup setup{options.worker_program, options.database, options.session_args,
                    options.worker_memory_mb, options.print_timeout_seconds};
  prints = std::make_unique<PrintQueue>(setup, jobs_root, workers, options.max_waiting);
}

bool Server::Impl::Authorized(const httplib::Request& req) const {
  if (token.Matches(req.get_header_value(kTokenHeader))) return true;
  if (token.Matches(CookieValue(req, kTokenCookie))) return true;
  return req.has_param("token") && token.Matches(req.get_param_value("token"));
}

Server::Server(ServeOptions options) : impl_(std::make_unique<Impl>(std::move(options))) {
  Impl& s = *impl_;
  s.http.set_payload_max_length(kMaxBody);
  s.http.set_pre_routing_handler([&s](const httplib::Request& req, httplib::Response& res) {
    res.set_header("X-Content-Type-Options", "nosniff");
    res.set_header("Content-Security-Policy", "default-src 'self'; img-src 'self' blob:");
    if (!s.Authorized(req)) {
      SendError(res, 401,
                "Acesso negado: abra o endereço com o token que `vireo serve` mostrou ao iniciar");
      return httplib::Server::HandlerResponse::Handled;
    }
    // The address with the token opens the session: the token becomes a
    // cookie of this site and leaves the address bar.
    if (req.has_param("token") && req.method == "GET" && req.path.rfind("/api/", 0) != 0) {
      res.set_header("Set-Cookie", std::string(kTokenCookie) + "=" + s.token.Text() +
                                       "; Path=/; HttpOnly; SameSite=Strict");
      res.set_redirect(req.path);
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });
  s.RouteApi();
  s.RouteAgenda();
  s.http.set_mount_point("/", s.options.web_dir);
}

Server::~Server() {
  Stop();
  impl_->prints.reset();  // stops the prints before their folders go
  {
    std::lock_guard lock(impl_->plugin_mutex);
    impl_->panels.clear();
    impl_->agenda_plugin.reset();
    SetCurrentConnection(nullptr);
    impl_->db.reset();
  }
  std::error_code ec;
  fs::remove_all(impl_->jobs_root, ec);
}

int Server::Bind() {
  Impl& s = *impl_;
  s.port = s.options.port == 0
               ? s.http.bind_to_any_port(s.options.host)
               : (s.http.bind_to_port(s.options.host, s.options.port) ? s.options.port : -1);
  if (s.port < 0)
    throw Exception("vireo serve: não foi possível escutar em " + s.options.host + ":" +
                    std::to_string(s.options.port));
  return s.port;
}

void Server::Run() { impl_->http.listen_after_bind(); }
void Server::Stop() { impl_->http.stop(); }

const std::string& Server::Token() const { return impl_->token.Text(); }

std::string Server::Url() const {
  std::string host = impl_->options.host.find(':') != std::string::npos
                         ? "[" + impl_->options.host + "]"
                         : impl_->options.host;
  return "http://" + host + ":" + std::to_string(impl_->port) + "/?token=" + Token();
}

}  // namespace vireo::serve
