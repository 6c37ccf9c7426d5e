// `vireo list`, `vireo params` and `vireo print`.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/progress_feed.h"
#include "host/core/display_width.h"
#include "host/core/exception.h"
#include "host/data/connection.h"
#include "host/data/host_session.h"
#include "host/report/base_dll.h"
#include "host/report/engine.h"
#include "host/report/panel.h"
#include "host/report/plugin_host.h"

namespace vireo::app {
namespace {

struct ReportOptions {
  std::string report;
  std::string layout;
  std::string db;
  std::vector<std::string> params;
  std::vector<std::string> outputs;
  std::string trace;
  std::string csv_decimal;
  // Who prints and where; unset flags leave the environment's settings.
  std::optional<int> user;
  std::optional<int> company;
  std::vector<std::string> denied;
  int progress_fd = -1;  // a worker's feed (app/progress_feed.h)
};

void ApplySession(const ReportOptions& o) {
  if (o.user) DefinirUsuario(*o.user);
  if (o.company) DefinirEmpresaAtual(*o.company);
  for (const std::string& right : o.denied) NegarDireito(right);
}

void AddSessionOptions(CLI::App* command, ReportOptions* o) {
  command->add_option("--user", o->user, "Usuário logado (padrão: VIREO_USUARIO ou 0)");
  command->add_option("--company", o->company, "Empresa atual (padrão: VIREO_EMPRESA)");
  command->add_option("--deny", o->denied, "Direito negado ao usuário (repetível)");
}

// A column of the listings, as wide as it shows on a terminal.
std::string Column(const std::string& text, std::size_t width) { return PadToWidth(text, width); }

void List() {
  TnPluginCatalog catalog;
  std::vector<TnPluginInfo> plugins = catalog.List();
  if (plugins.empty()) {
    std::printf("Nenhum relatório encontrado em:\n");
    for (const auto& d : catalog.Directories()) std::printf("  %s\n", d.c_str());
    return;
  }
  for (const TnPluginInfo& p : plugins) {
    std::string versao = "?";
    try {
      if (!p.layouts.empty())
        versao = TnPrintSession(TnLoadedPlugin::Open(p.path), p.layouts.front()).Prepare().Versao();
    } catch (const std::exception& e) {
      versao = std::string("(erro: ") + e.what() + ")";
    }
    std::printf("%s %s\n", Column(p.name, 30).c_str(), versao.c_str());
    for (const std::string& l : p.layouts)
      std::printf("    %s\n", std::filesystem::path(l).filename().c_str());
  }
}

void Params(const ReportOptions& o) {
  ApplySession(o);
  TnPluginInfo info = TnPluginCatalog().Resolve(o.report);
  std::string layout = info.Layout(o.layout);
  TnPrintSession s(TnLoadedPlugin::Open(info.path), layout);
  s.SetAssignments(o.params);
  std::printf("%s  %s  (%s)\n", info.name.c_str(), s.Prepare().Versao().c_str(),
              std::filesystem::path(layout).filename().c_str());
  for (TnpqParamItem* item : s.Engine().Parametros()) {
    std::string state;
    if (item->Hidden()) state += " oculto";
    if (item->Required()) state += " obrigatório";
    if (!item->Enabled()) state += " desabilitado";
    std::printf("  %s %s %s = %s%s\n", Column(item->Name(), 24).c_str(),
                Column(ParamKindName(item->Kind()), 10).c_str(),
                Column(item->Caption(), 32).c_str(), item->DisplayText().c_str(),
                state.empty() ? "" : (" [" + state.substr(1) + "]").c_str());
    for (const TnParamChoice& c : item->Definition().items)
      std::printf("  %s %s   %s = %s\n", Column("", 24).c_str(), Column("", 10).c_str(),
                  c.value.c_str(), c.text.c_str());
  }
}

TnPrintOutputs OutputsOf(const ReportOptions& o) {
  TnPrintOutputs out;
  for (const std::string& f : o.outputs) {
    std::string ext = std::filesystem::path(f).extension().string();
    if (ext == ".pdf")
      out.pdf = f;
    else if (ext == ".png")
      out.png = f;
    else if (ext == ".txt")
      out.text = f;
    else if (ext == ".xlsx")
      out.xlsx = f;
    else if (ext == ".csv")
      out.csv = f;
    else
      throw EUsage("Saída desconhecida: " + f + " (use .pdf, .png, .txt, .xlsx ou .csv)");
  }
  out.trace = o.trace;
  if (!o.csv_decimal.empty()) {
    if (o.csv_decimal != "," && o.csv_decimal != ".")
      throw EUsage("Separador decimal do CSV desconhecido: " + o.csv_decimal + " (use , ou .)");
    out.csv_decimal = o.csv_decimal.front();
  }
  return out;
}

void Print(const ReportOptions& o) {
  ApplySession(o);
  TnPrintOutputs outputs = OutputsOf(o);
  TnPluginInfo info = TnPluginCatalog().Resolve(o.report);
  std::string layout = info.Layout(o.layout);
  auto con = TnConnection::Open({o.db});
  SetCurrentConnection(con.get());
  struct Detach {
    ~Detach() { SetCurrentConnection(nullptr); }
  } detach;
  TnPrintSession s(TnLoadedPlugin::Open(info.path), layout);
  s.SetAssignments(o.params);
  std::optional<ProgressFeed> feed;
  if (o.progress_fd >= 0) feed.emplace(o.progress_fd);
  TnProgressCallback progress;
  if (feed) progress = [&feed](const TnPrintProgress& p) { feed->Changed(p); };
  TnPrintResult result = s.Print(outputs, progress);
  if (feed) feed->Ended(result);
  for (const TnMessage& m : result.messages)
    std::fprintf(stderr, "%s: %s\n", TnMessageList::KindName(m.kind), m.text.c_str());
  std::fprintf(stderr, "%s: %d página(s)\n", info.name.c_str(), result.pages);
}

}  // namespace

void RegisterReportCommands(CLI::App& app) {
  auto o = std::make_shared<ReportOptions>();

  app.add_subcommand("list", "Lista os relatórios, seus layouts e versões")->callback([] {
    List();
  });

  CLI::App* params = app.add_subcommand("params", "Mostra o painel de parâmetros de um relatório");
  params->add_option("report", o->report, "Relatório ou caminho do plug-in")->required();
  params->add_option("--layout", o->layout, "Layout");
  params->add_option("-p,--param", o->params, "NOME=VALOR");
  AddSessionOptions(params, o.get());
  params->callback([o] { Params(*o); });

  CLI::App* print = app.add_subcommand("print", "Imprime um relatório");
  print->add_option("report", o->report, "Relatório ou caminho do plug-in")->required();
  print->add_option("--db", o->db, "Banco de dados")->required();
  print->add_option("--layout", o->layout, "Layout");
  print->add_option("-p,--param", o->params, "NOME=VALOR");
  print->add_option("-o,--output", o->outputs, "Arquivo de saída (.pdf, .png, .txt, .xlsx, .csv)");
  print->add_option(
      "--csv-decimal", o->csv_decimal,
      "Separador decimal do CSV: \",\" (campos com \";\", padrão) ou \".\" (campos com \",\")");
  print->add_option("--trace", o->trace, "Arquivo do rastro (JSON por linha)");
  AddSessionOptions(print, o.get());
  print->add_option("--progress-fd", o->progress_fd, "Progresso em JSON neste descritor")
      ->group("");  // for `vireo serve`'s workers
  print->callback([o] { Print(*o); });
}

}  // namespace vireo::app
