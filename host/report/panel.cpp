#include "host/report/panel.h"

#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/text.h"

namespace vireo {

TnFraControle::TnFraControle(TnpqParamItem* param) : param_(param) {}
TnFraControle::~TnFraControle() noexcept = default;

std::string TnFraControle::GetAsString() const { return param_->DisplayText(); }

void TnFraControle::SetAsString(const std::string& text) { param_->SetValue(text); }

int64_t TnFraControle::GetAsInteger() const { return param_->GetAsInteger(); }

void TnFraControle::SetAsInteger(int64_t value) { param_->SetValue(std::to_string(value)); }

bool TnFraControle::GetFieldValido() const {
  const std::string value = Trim(param_->Value());
  if (value.empty()) return !param_->Required();
  try {
    switch (param_->Kind()) {
      case TnParamKind::Date:
        param_->GetAsDate();
        break;
      case TnParamKind::Integer:
        param_->GetAsInteger();
        break;
      default:
        break;  // other kinds were checked when set
    }
  } catch (const Exception&) {
    return false;
  }
  return true;
}

TnFraCtrlNDLinkEdit::TnFraCtrlNDLinkEdit(TnpqParamItem* param) : TnFraControle(param) {}
TnFraCtrlNDLinkEdit::~TnFraCtrlNDLinkEdit() = default;

std::string TnFraCtrlNDLinkEdit::LookupSQL() const {
  std::string sql = Param()->Definition().lookup;
  if (!provider_) return sql;
  const std::string extra = Trim(provider_());
  if (extra.empty()) return sql;
  // The added condition joins the query's own where, or starts one.
  const std::string upper = UpperCase(sql);
  return sql + (upper.find(" WHERE ") != std::string::npos ? " and " : " where ") + extra;
}

TnPanel::TnPanel(TnpqPowerParam* params) {
  for (int i = 0; i < params->Count(); ++i) {
    TnpqParamItem* item = params->Items(i);
    if (!item->IsParameter()) continue;
    if (item->Definition().lookup.empty()) {
      controls_.push_back(std::make_unique<TnFraControle>(item));
    } else {
      controls_.push_back(std::make_unique<TnFraCtrlNDLinkEdit>(item));
    }
  }
}

TnPanel::~TnPanel() noexcept = default;

TnFraControle* TnPanel::FindControl(std::string_view name) const {
  for (const auto& c : controls_) {
    const std::string& n = c->FieldName();
    if (n.size() == name.size() && UpperCase(n) == UpperCase(std::string(name))) return c.get();
  }
  return nullptr;
}

std::vector<TnpqParamItem*> TnPanel::InvalidFields() const {
  std::vector<TnpqParamItem*> out;
  for (const auto& c : controls_) {
    if (c->Enabled() && !c->GetFieldValido()) out.push_back(c->Param());
  }
  return out;
}

}  // namespace vireo
