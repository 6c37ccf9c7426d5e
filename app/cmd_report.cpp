// `vireo list`, `vireo params` and `vireo print`.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/plugins.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/data/connection.h"
#include "host/report/base_dll.h"
#include "host/report/engine.h"
#include "host/report/panel.h"

namespace vireo::app {
namespace {

struct ReportOptions {
  std::string report;
  std::string layout;
  std::string db;
  std::vector<std::string> params;
  std::vector<std::string> outputs;
  std::string trace;
};

// A report instance configured on its engine: the order of the host's panel
// (AntesConfigurar, DepoisConfigurar, then DoParamChange per value given).
// Members are destroyed in reverse order: instance, engine, then the
// plug-in that holds the instance's code.
struct Session {
  std::unique_ptr<LoadedPlugin> plugin;
  std::unique_ptr<TnrwReport> engine;
  std::unique_ptr<TnrwBaseDll> report;

  Session(const PluginInfo& info, const std::string& layout_file) {
    plugin = std::make_unique<LoadedPlugin>(info.path);
    engine = std::make_unique<TnrwReport>(LoadLayout(layout_file));
    report = plugin->ClassDll()->Instanciar(engine.get());
    report->AntesConfigurar(engine->Panel());
    report->DepoisConfigurar();
  }
  ~Session() {
    report.reset();
    engine.reset();
  }
};

// Dates are accepted as dd/mm/yyyy and yyyy-mm-dd; the panel keeps the first.
std::string PanelValue(const TnpqParamItem& item, const std::string& value) {
  if (item.Kind() == TnParamKind::Date && value.find('-') != std::string::npos) {
    TDateTime d;
    if (TryStrToDate(value, d)) return FormatDateTime("dd/mm/yyyy", d);
  }
  return value;
}

void SetParameters(Session& s, const std::vector<std::string>& assignments) {
  for (const std::string& a : assignments) {
    size_t eq = a.find('=');
    if (eq == std::string::npos || eq == 0)
      throw UsageError("Parâmetro mal escrito: \"" + a + "\" (use -p NOME=VALOR)");
    std::string name = Trim(a.substr(0, eq));
    TnpqParamItem* item = s.engine->GetParams()->FindParam(name);
    if (!item || !item->IsParameter())
      throw UsageError("Parâmetro desconhecido: " + name + " (veja `vireo params`)");
    item->SetValue(PanelValue(*item, a.substr(eq + 1)));
    s.report->DoParamChange(s.engine->Panel(), item);
  }
}

void List() {
  auto plugins = FindPlugins();
  if (plugins.empty()) {
    std::printf("Nenhum relatório encontrado em:\n");
    for (const auto& d : PluginDirectories()) std::printf("  %s\n", d.c_str());
    return;
  }
  for (const PluginInfo& p : plugins) {
    std::string versao = "?";
    try {
      if (!p.layouts.empty()) versao = Session(p, p.layouts.front()).report->Versao();
    } catch (const std::exception& e) {
      versao = std::string("(erro: ") + e.what() + ")";
    }
    std::printf("%-30s %s\n", p.name.c_str(), versao.c_str());
    for (const std::string& l : p.layouts)
      std::printf("    %s\n", std::filesystem::path(l).filename().c_str());
  }
}

void Params(const ReportOptions& o) {
  PluginInfo info = ResolvePlugin(o.report);
  std::string layout = ResolveLayout(info, o.layout);
  Session s(info, layout);
  SetParameters(s, o.params);
  std::printf("%s  %s  (%s)\n", info.name.c_str(), s.report->Versao().c_str(),
              std::filesystem::path(layout).filename().c_str());
  for (TnpqParamItem* item : s.engine->Parametros()) {
    std::string state;
    if (item->Hidden()) state += " oculto";
    if (item->Required()) state += " obrigatório";
    if (!item->Enabled()) state += " desabilitado";
    std::printf("  %-24s %-10s %-32s = %s%s\n", item->Name().c_str(), ParamKindName(item->Kind()),
                item->Caption().c_str(), item->DisplayText().c_str(),
                state.empty() ? "" : (" [" + state.substr(1) + "]").c_str());
    for (const TnParamChoice& c : item->Definition().items)
      std::printf("  %-24s %-10s   %s = %s\n", "", "", c.value.c_str(), c.text.c_str());
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
    else
      throw UsageError("Saída desconhecida: " + f + " (use .pdf, .png ou .txt)");
  }
  out.trace = o.trace;
  return out;
}

void PrintMessages(const TnrwReport& engine) {
  for (const TnMessage& m : engine.Messages().Items())
    std::fprintf(stderr, "%s: %s\n", TnMessageList::KindName(m.kind), m.text.c_str());
}

void Print(const ReportOptions& o) {
  TnPrintOutputs outputs = OutputsOf(o);
  PluginInfo info = ResolvePlugin(o.report);
  std::string layout = ResolveLayout(info, o.layout);
  auto con = TnConnection::Open({o.db});
  SetCurrentConnection(con.get());
  struct Detach {
    ~Detach() { SetCurrentConnection(nullptr); }
  } detach;
  Session s(info, layout);
  SetParameters(s, o.params);
  s.engine->BeginPrint(outputs);
  s.report->ImprimirInterno();
  s.report.reset();
  s.engine->EndPrint();
  PrintMessages(*s.engine);
  std::fprintf(stderr, "%s: %d página(s)\n", info.name.c_str(), s.engine->PageCount());
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
  params->callback([o] { Params(*o); });

  CLI::App* print = app.add_subcommand("print", "Imprime um relatório");
  print->add_option("report", o->report, "Relatório ou caminho do plug-in")->required();
  print->add_option("--db", o->db, "Banco de dados")->required();
  print->add_option("--layout", o->layout, "Layout");
  print->add_option("-p,--param", o->params, "NOME=VALOR");
  print->add_option("-o,--output", o->outputs, "Arquivo de saída (.pdf, .png, .txt)");
  print->add_option("--trace", o->trace, "Arquivo do rastro (JSON por linha)");
  print->callback([o] { Print(*o); });
}

}  // namespace vireo::app
