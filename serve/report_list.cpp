#include "serve/report_list.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "host/report/base_dll.h"
#include "host/report/engine.h"
#include "host/report/plugin_host.h"

namespace vireo::serve {
namespace {

using nlohmann::json;

struct Group {
  const char* title;
  std::array<const char*, 6> words;  // parts of deliverable names
};

// In the order the list shows them.
const Group kGroups[] = {
    {"Conferências", {"EntryCheck", "PostingPreview", "TransactionCheck"}},
    {"Razões", {"Ledger"}},
    {"Balancetes",
     {"TrialBalance", "MonthlyTracking", "CentreTracking", "ChartOfAccounts",
      "ChartWithoutBalance"}},
    {"Fluxo de caixa", {"CashFlow"}},
    {"Contas a pagar e a receber",
     {"Payable", "Receivable", "Payments", "Receipts", "Statement", "LatePayment"}},
    {"Recibos e cheques", {"Voucher", "Cheque"}},
    {"Agenda", {"Agenda"}},
};
constexpr const char* kOtherGroup = "Outros";

// "rptLedger.movcaixa.json" -> "movcaixa"; the default layout -> "".
std::string VariantOf(const std::string& deliverable, const std::string& file) {
  std::string name = std::filesystem::path(file).filename().string();
  std::string prefix = deliverable + ".";
  if (name.rfind(prefix, 0) != 0 || name == deliverable + ".json") return {};
  return name.substr(prefix.size(), name.size() - prefix.size() - 5);
}

json ReportEntry(const TnPluginInfo& info) {
  json layouts = json::array();
  std::string title = info.name, versao;
  try {
    for (const std::string& file : info.layouts) {
      TnLayout layout = LoadLayout(file);
      layouts.push_back({{"file", std::filesystem::path(file).filename().string()},
                         {"variant", VariantOf(info.name, file)},
                         {"title", layout.title}});
    }
    if (!info.layouts.empty()) {
      TnPrintSession session(TnLoadedPlugin::Open(info.path), info.layouts.front());
      versao = session.Prepare().Versao();
      if (!session.Engine().Layout().title.empty()) title = session.Engine().Layout().title;
    }
  } catch (const std::exception& e) {
    versao = std::string("(erro: ") + e.what() + ")";
  }
  return {{"name", info.name}, {"title", title}, {"versao", versao}, {"layouts", layouts}};
}

}  // namespace

std::string GroupOf(const std::string& deliverable) {
  for (const Group& g : kGroups)
    for (const char* word : g.words)
      if (word && deliverable.find(word) != std::string::npos) return g.title;
  return kOtherGroup;
}

json ReportList(const TnPluginCatalog& catalog) {
  std::vector<std::string> order;
  for (const Group& g : kGroups) order.push_back(g.title);
  order.push_back(kOtherGroup);
  std::vector<json> groups(order.size(), json::array());
  for (const TnPluginInfo& info : catalog.List()) {
    size_t at = std::find(order.begin(), order.end(), GroupOf(info.name)) - order.begin();
    groups[at].push_back(ReportEntry(info));
  }
  json out = json::array();
  for (size_t i = 0; i < order.size(); ++i) {
    if (groups[i].empty()) continue;
    std::sort(groups[i].begin(), groups[i].end(), [](const json& a, const json& b) {
      return a["title"].get<std::string>() < b["title"].get<std::string>();
    });
    out.push_back({{"group", order[i]}, {"reports", groups[i]}});
  }
  return out;
}

}  // namespace vireo::serve
