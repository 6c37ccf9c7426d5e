// The agenda's part of the API: the logged-in user's appointments over a
// run of days, and the appointment editor (serve/agenda_form.h).
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/data/host_session.h"
#include "serve/agenda_form.h"
#include "serve/agenda_view.h"
#include "serve/server_impl.h"

namespace vireo::serve {
namespace {

using nlohmann::json;

constexpr const char* kAgendaPlugin = "rptUserAgenda";

TDateTime DayParam(const httplib::Request& req, const char* name) {
  TDateTime day = 0;
  if (!req.has_param(name) || !TryStrToDate(req.get_param_value(name), day))
    throw EUsage(std::string("Informe \"") + name + "\" como dd/mm/aaaa");
  return day;
}

// Answers the editor's refusals (and an appointment that cannot be
// opened) as 422 with its reason; a database error stays an error.
template <class Fn>
httplib::Server::Handler Agenda(Fn fn) {
  return [fn](const httplib::Request& req, httplib::Response& res) {
    try {
      fn(req, res);
    } catch (const EUsage& e) {
      SendError(res, 400, e.Message());
    } catch (const EDatabaseError& e) {
      SendError(res, 500, e.Message());
    } catch (const Exception& e) {
      SendError(res, 422, e.Message());
    } catch (const std::exception& e) {
      SendError(res, 500, e.what());
    }
  };
}

}  // namespace

void Server::Impl::LoadAgendaEditor() {
  // The agenda plug-in's start-up makes its editor the scheduler's; it
  // stays loaded while the server runs.
  if (!agenda_plugin) agenda_plugin = TnLoadedPlugin::Open(catalog.Resolve(kAgendaPlugin).path);
}

std::unique_ptr<AgendaForm> Server::Impl::OpenAgendaForm(const AgendaEdit& edit) {
  LoadAgendaEditor();
  CheckOwnAppointment(*db, edit.open, PegarUsuario());
  return std::make_unique<AgendaForm>(*db, edit);
}

void Server::Impl::RouteAgenda() {
  http.Get("/api/agenda", Agenda([this](const httplib::Request& req, httplib::Response& res) {
             TDateTime first = DayParam(req, "de"), last = DayParam(req, "ate");
             if (last < first || DaysBetween(first, last) > kMaxAgendaDays)
               throw EUsage("Período inválido: até " + std::to_string(kMaxAgendaDays) + " dias");
             std::lock_guard lock(plugin_mutex);
             LoadAgendaEditor();
             SendJson(res, AgendaOccurrences(*db, PegarUsuario(), first, last));
           }));

  http.Post("/api/agenda/editor",
            Agenda([this](const httplib::Request& req, httplib::Response& res) {
              AgendaEdit edit = ReadAgendaEdit(Body(req));
              std::lock_guard lock(plugin_mutex);
              SendJson(res, OpenAgendaForm(edit)->State());
            }));

  http.Post("/api/agenda/editor/choices",
            Agenda([this](const httplib::Request& req, httplib::Response& res) {
              json body = Body(req);
              AgendaEdit edit = ReadAgendaEdit(body);
              auto field = body.find("field");
              if (field == body.end() || !field->is_string()) throw EUsage("Informe \"field\"");
              std::lock_guard lock(plugin_mutex);
              SendJson(res, {{"items", OpenAgendaForm(edit)->Choices(*field)}});
            }));

  http.Post("/api/agenda/save", Agenda([this](const httplib::Request& req, httplib::Response& res) {
              AgendaEdit edit = ReadAgendaEdit(Body(req));
              std::lock_guard lock(plugin_mutex);
              std::unique_ptr<AgendaForm> open = OpenAgendaForm(edit);
              AgendaForm& form = *open;
              try {
                SendJson(res, {{"saved", true}, {"users", form.Save()}});
              } catch (const EDatabaseError&) {
                throw;
              } catch (const Exception& e) {
                json refused = {{"error", e.Message()}, {"form", form.State()}};
                if (!form.RefusedField().empty()) refused["field"] = form.RefusedField();
                SendJson(res, refused, 422);
              }
            }));
}

}  // namespace vireo::serve
