// The JSON API of `vireo serve`.
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "host/core/exception.h"
#include "serve/page_preview.h"
#include "serve/report_list.h"
#include "serve/server_impl.h"

namespace vireo::serve {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr int kDefaultPreviewDpi = 96;

// Names from the client are names, never paths.
bool IsName(const std::string& s, size_t max = 80) {
  static const std::regex name("[A-Za-z0-9_.-]*");
  return s.size() <= max && s.find("..") == std::string::npos && std::regex_match(s, name);
}

std::string Text(const json& body, const char* key) {
  auto it = body.find(key);
  if (it == body.end() || it->is_null()) return {};
  if (!it->is_string()) throw EUsage(std::string("\"") + key + "\" deve ser texto");
  return it->get<std::string>();
}

// Keeps letters, digits and a few marks: a file name that says what it is.
std::string FileWord(const std::string& s) {
  std::string out;
  for (char c : s) {
    bool keep = std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.';
    if (keep)
      out += c;
    else if (c == '/')
      out += '-';
    else if (!out.empty() && out.back() != '_')
      out += '_';
  }
  while (!out.empty() && (out.back() == '_' || out.back() == '-')) out.pop_back();
  return out.substr(0, 60);
}

// "Ledger_empresa-1_01-01-2025_a_31-12-2025": report, company, period.
std::string DownloadStem(const PanelSession& panel, const std::string& company) {
  std::string stem =
      panel.Info().name.rfind("rpt", 0) == 0 ? panel.Info().name.substr(3) : panel.Info().name;
  json state = panel.State();
  std::string who = company, first, last;
  for (const json& p : state["params"]) {
    std::string name = p["name"], value = p["value"], kind = p["kind"];
    std::string lower;
    for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (who.empty() && !value.empty() &&
        (lower.find("escrit") != std::string::npos || lower.find("empresa") != std::string::npos))
      who = value;
    if (kind == "date" && !value.empty()) (first.empty() ? first : last) = value;
  }
  if (!who.empty()) stem += "_empresa-" + FileWord(who);
  if (!first.empty()) stem += "_" + FileWord(first) + (last.empty() ? "" : "_a_" + FileWord(last));
  return stem;
}

// Runs a handler, answering its errors as the API does.
template <class Fn>
httplib::Server::Handler Guarded(Fn fn) {
  return [fn](const httplib::Request& req, httplib::Response& res) {
    try {
      fn(req, res);
    } catch (const EUsage& e) {
      SendError(res, 400, e.Message());
    } catch (const EnParam& e) {
      SendError(res, 422, e.Message());
    } catch (const EConvertError& e) {
      SendError(res, 422, e.Message());
    } catch (const QueueFull& e) {
      SendError(res, 503, e.what());
    } catch (const std::exception& e) {
      SendError(res, 500, e.what());
    }
  };
}

std::string SessionCompany(const ServeOptions& o) {
  for (size_t i = 0; i + 1 < o.session_args.size(); ++i)
    if (o.session_args[i] == "--company") return o.session_args[i + 1];
  return {};
}

void SendFile(httplib::Response& res, const std::string& file, const char* type) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream data;
  data << in.rdbuf();
  res.set_header("Cache-Control", "no-store");
  res.set_content(data.str(), type);
}

}  // namespace

json Body(const httplib::Request& req) {
  json j = json::parse(req.body.empty() ? "{}" : req.body, nullptr, false);
  if (j.is_discarded() || !j.is_object()) throw EUsage("Corpo da requisição não é JSON");
  return j;
}

void Server::Impl::RouteApi() {
  auto panel_of = [this](const httplib::Request& req) -> PanelSession& {
    auto it = panels.find(req.matches[1]);
    if (it == panels.end()) throw EUsage("Painel desconhecido ou já fechado");
    return *it->second;
  };
  auto job_of = [this](const httplib::Request& req) {
    std::shared_ptr<PrintJob> job = prints->Find(req.matches[1]);
    if (!job) throw EUsage("Impressão desconhecida");
    return job;
  };

  http.Get("/api/reports", Guarded([this](const httplib::Request&, httplib::Response& res) {
             std::lock_guard lock(plugin_mutex);
             if (!report_list) report_list = ReportList(catalog);
             SendJson(res, {{"groups", *report_list}});
           }));

  http.Post("/api/panels", Guarded([this](const httplib::Request& req, httplib::Response& res) {
              json body = Body(req);
              std::string report = Text(body, "report"), layout = Text(body, "layout");
              if (!IsName(report) || report.empty() || report.find('.') != std::string::npos ||
                  !IsName(layout))
                throw EUsage("Relatório ou layout mal escrito");
              std::lock_guard lock(plugin_mutex);
              auto panel = std::make_unique<PanelSession>(catalog.Resolve(report), layout);
              std::string id = AccessToken().Text().substr(0, 24);
              json state = panel->State();
              state["id"] = id;
              panels[id] = std::move(panel);
              panel_order.push_back(id);
              if (panel_order.size() > kMaxPanels) {
                panels.erase(panel_order.front());
                panel_order.erase(panel_order.begin());
              }
              SendJson(res, state, 201);
            }));

  http.Get(R"(/api/panels/([0-9a-f]+))",
           Guarded([this, panel_of](const httplib::Request& req, httplib::Response& res) {
             std::lock_guard lock(plugin_mutex);
             SendJson(res, panel_of(req).State());
           }));

  http.Post(R"(/api/panels/([0-9a-f]+)/(change|enter|exit))",
            Guarded([this, panel_of](const httplib::Request& req, httplib::Response& res) {
              json body = Body(req);
              std::string name = Text(body, "name"), step = req.matches[2];
              std::lock_guard lock(plugin_mutex);
              PanelSession& panel = panel_of(req);
              json answer = json::object();
              if (step == "change") {
                std::string refused = panel.Change(name, Text(body, "value"));
                answer["error"] = refused.empty() ? json() : json(refused);
              } else if (step == "enter") {
                panel.Enter(name);
              } else {
                panel.Exit(name);
              }
              answer["panel"] = panel.State();
              SendJson(res, answer);
            }));

  http.Get(R"(/api/panels/([0-9a-f]+)/lookup/([A-Za-z0-9_]+))",
           Guarded([this, panel_of](const httplib::Request& req, httplib::Response& res) {
             std::lock_guard lock(plugin_mutex);
             SendJson(res, {{"items", panel_of(req).Lookup(req.matches[2], *db)}});
           }));

  http.Delete(R"(/api/panels/([0-9a-f]+))",
              Guarded([this](const httplib::Request& req, httplib::Response& res) {
                std::lock_guard lock(plugin_mutex);
                panels.erase(req.matches[1]);
                std::erase(panel_order, std::string(req.matches[1]));
                SendJson(res, {{"closed", true}});
              }));

  http.Post(R"(/api/panels/([0-9a-f]+)/print)",
            Guarded([this, panel_of](const httplib::Request& req, httplib::Response& res) {
              PrintRequest request;
              {
                std::lock_guard lock(plugin_mutex);
                PanelSession& panel = panel_of(req);
                std::vector<std::string> missing = panel.Missing();
                if (!missing.empty()) {
                  std::string list;
                  for (const std::string& m : missing) list += (list.empty() ? "" : ", ") + m;
                  return SendError(res, 422, "Preencha: " + list);
                }
                request = {panel.Info().name, panel.Title(),
                           panel.Info().path, panel.LayoutFile(),
                           panel.Changes(),   DownloadStem(panel, SessionCompany(options))};
              }
              std::shared_ptr<PrintJob> job = prints->Submit(std::move(request));
              SendJson(res, job->Status(), 202);
            }));

  http.Get(R"(/api/jobs/([0-9]+-[0-9a-f]+))",
           Guarded([job_of](const httplib::Request& req, httplib::Response& res) {
             SendJson(res, job_of(req)->Status());
           }));

  http.Post(R"(/api/jobs/([0-9]+-[0-9a-f]+)/cancel)",
            Guarded([job_of](const httplib::Request& req, httplib::Response& res) {
              auto job = job_of(req);
              job->Cancel();
              SendJson(res, job->Status());
            }));

  http.Get(R"(/api/jobs/([0-9]+-[0-9a-f]+)/pages/([0-9]{1,6}))",
           Guarded([job_of](const httplib::Request& req, httplib::Response& res) {
             auto job = job_of(req);
             int page = std::stoi(req.matches[2]);
             std::string pdf = job->Output("pdf");
             if (pdf.empty()) throw EUsage("A impressão não tem páginas para mostrar");
             if (page < 1 || page > job->Pages()) throw EUsage("Página fora do documento");
             int dpi = kDefaultPreviewDpi;
             if (req.has_param("dpi")) dpi = std::atoi(req.get_param_value("dpi").c_str());
             if (dpi < kMinPreviewDpi || dpi > kMaxPreviewDpi)
               throw EUsage("Zoom fora do intervalo (" + std::to_string(kMinPreviewDpi) + " a " +
                            std::to_string(kMaxPreviewDpi) + " pontos por polegada)");
             SendFile(res, PreviewPage(pdf, page, dpi, job->Dir()), "image/png");
           }));

  http.Get(R"(/api/jobs/([0-9]+-[0-9a-f]+)/download/(pdf|txt))",
           Guarded([job_of](const httplib::Request& req, httplib::Response& res) {
             auto job = job_of(req);
             std::string kind = req.matches[2];
             std::string file = job->Output(kind);
             if (file.empty()) throw EUsage("Esta impressão não tem saída " + kind);
             SendFile(res, file, kind == "pdf" ? "application/pdf" : "text/plain; charset=utf-8");
             res.set_header(
                 "Content-Disposition",
                 "attachment; filename=\"" + job->Request().download_stem + "." + kind + "\"");
           }));
}

}  // namespace vireo::serve
