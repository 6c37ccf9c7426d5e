#include "serve/panel_session.h"

#include <filesystem>

#include "host/core/exception.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/report/base_dll.h"
#include "host/report/engine.h"
#include "host/report/panel.h"

namespace vireo::serve {
namespace {

using nlohmann::json;

// Changes kept before older ones of a field changed again are dropped.
constexpr size_t kMaxChanges = 256;

}  // namespace

json ChoiceList(const std::vector<TnParamChoice>& choices) {
  json out = json::array();
  for (const TnParamChoice& c : choices) out.push_back({{"value", c.value}, {"text", c.text}});
  return out;
}

PanelSession::PanelSession(const TnPluginInfo& info, const std::string& layout)
    : info_(info), layout_file_(info.Layout(layout)) {
  session_ = std::make_unique<TnPrintSession>(TnLoadedPlugin::Open(info.path), layout_file_);
  session_->Prepare();
  title_ =
      session_->Engine().Layout().title.empty() ? info.name : session_->Engine().Layout().title;
}

TnpqParamItem& PanelSession::Field(const std::string& name) const {
  TnpqParamItem* item = session_->Engine().GetParams()->FindParam(name);
  if (!item || !item->IsParameter()) throw EUsage("Parâmetro desconhecido: " + name.substr(0, 64));
  return *item;
}

json PanelSession::State() const {
  json params = json::array();
  TnPanel* panel = session_->Engine().Panel();
  for (TnpqParamItem* item : session_->Engine().Parametros()) {
    auto* link = dynamic_cast<TnFraCtrlNDLinkEdit*>(panel->FindControl(item->Name()));
    params.push_back({{"name", item->Name()},
                      {"caption", item->Caption()},
                      {"kind", ParamKindName(item->Kind())},
                      {"value", item->Value()},
                      {"display", item->DisplayText()},
                      {"hidden", item->Hidden()},
                      {"enabled", item->Enabled()},
                      {"required", item->Required()},
                      {"lookup", link != nullptr},
                      {"items", ChoiceList(item->Definition().items)}});
  }
  return {{"report", info_.name},
          {"title", title_},
          {"versao", session_->Prepare().Versao()},
          {"layout", std::filesystem::path(layout_file_).filename().string()},
          {"params", params}};
}

std::string PanelSession::Change(const std::string& name, const std::string& value) {
  Field(name);
  if (value.size() > kMaxValueLength)
    return "Texto longo demais (até " + std::to_string(kMaxValueLength) + " caracteres)";
  try {
    session_->SetParameter(name, value);
  } catch (const EnParam& e) {
    return e.Message();
  } catch (const EConvertError& e) {
    return e.Message();
  }
  Remember(name, Field(name).Value());
  return {};
}

void PanelSession::Remember(const std::string& name, const std::string& value) {
  changes_.emplace_back(name, value);
  if (changes_.size() <= kMaxChanges) return;
  // Keep the last change of each field, in the order of those last changes.
  TnParamValues kept;
  for (size_t i = 0; i < changes_.size(); ++i) {
    bool later = false;
    for (size_t j = i + 1; j < changes_.size() && !later; ++j)
      later = changes_[j].first == changes_[i].first;
    if (!later) kept.push_back(changes_[i]);
  }
  changes_ = std::move(kept);
}

void PanelSession::Enter(const std::string& name) {
  session_->Prepare().DoParamEnter(session_->Engine().Panel(), &Field(name));
}

void PanelSession::Exit(const std::string& name) {
  session_->Prepare().DoParamExit(session_->Engine().Panel(), &Field(name));
}

json PanelSession::Lookup(const std::string& name, TnConnection& db, size_t limit) const {
  Field(name);
  auto* link = dynamic_cast<TnFraCtrlNDLinkEdit*>(session_->Engine().Panel()->FindControl(name));
  if (!link) throw EUsage("O campo " + name + " não tem lista");
  std::unique_ptr<TnClientDataSet> rows(db.Query(link->LookupSQL(), {}));
  json out = json::array();
  int columns = rows->FieldCount();
  for (rows->First(); !rows->Eof() && out.size() < limit; rows->Next()) {
    std::string value = columns > 0 ? rows->Fields(0)->AsString() : "";
    std::string text;  // the other columns, as the list shows them
    for (int c = 1; c < columns; ++c) text += (c > 1 ? " — " : "") + rows->Fields(c)->AsString();
    if (text.empty()) text = value;
    out.push_back({{"value", value}, {"text", text}});
  }
  return out;
}

std::vector<std::string> PanelSession::Missing() const {
  std::vector<std::string> out;
  for (TnpqParamItem* item : session_->Engine().Panel()->InvalidFields())
    if (!item->Hidden() && item->Enabled()) out.push_back(item->Caption());
  return out;
}

std::string PanelSession::Value(const std::string& name) const {
  TnpqParamItem* item = session_->Engine().GetParams()->FindParam(name);
  return item ? item->Value() : std::string();
}

}  // namespace vireo::serve
