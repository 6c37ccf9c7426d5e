// The state of a running `vireo serve`, shared by its lifecycle
// (server.cpp) and its API routes (api_routes.cpp).
#pragma once

#include <httplib.h>

#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "host/data/connection.h"
#include "host/report/plugin_catalog.h"
#include "host/report/plugin_host.h"
#include "serve/access_token.h"
#include "serve/agenda_form.h"
#include "serve/panel_session.h"
#include "serve/print_queue.h"
#include "serve/server.h"

namespace vireo::serve {

// Open panels kept at once; the oldest goes when a new one opens beyond.
constexpr size_t kMaxPanels = 64;
// Largest request body the API reads.
constexpr size_t kMaxBody = 64 * 1024;

struct Server::Impl {
  explicit Impl(ServeOptions o);

  ServeOptions options;
  AccessToken token;
  httplib::Server http;
  int port = 0;
  std::string jobs_root;  // the jobs' folders, removed at the end

  // Plug-in code (configure steps, panel rules, lookups) runs one step at a
  // time, on the server's own connection.
  std::mutex plugin_mutex;
  std::unique_ptr<TnConnection> db;
  TnPluginCatalog catalog;
  std::optional<nlohmann::json> report_list;
  std::map<std::string, std::unique_ptr<PanelSession>> panels;
  std::vector<std::string> panel_order;  // oldest first

  std::unique_ptr<PrintQueue> prints;
  // The agenda plug-in, loaded for its appointment editor at the first
  // request of the agenda.
  std::shared_ptr<const TnLoadedPlugin> agenda_plugin;

  void RouteApi();
  void RouteAgenda();
  void LoadAgendaEditor();
  // The agenda's editor on an edit of the session user's own agenda.
  std::unique_ptr<AgendaForm> OpenAgendaForm(const AgendaEdit& edit);
  bool Authorized(const httplib::Request& req) const;
};

// Answers with a JSON body.
void SendJson(httplib::Response& res, const nlohmann::json& body, int status = 200);
void SendError(httplib::Response& res, int status, const std::string& message);
// The request's JSON object ({} when empty); EUsage when it is not one.
nlohmann::json Body(const httplib::Request& req);

}  // namespace vireo::serve
