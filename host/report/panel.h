// The parameter panel: one control per parameter of the layout.
//
// A control is a view of its parameter: what it reads and writes is the
// parameter's value, and its enabled and required states are the
// parameter's, so `vireo params` and the print see what the report's panel
// handlers (DoParamChange...) did to it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/export.h"
#include "host/core/object.h"
#include "host/report/params.h"

namespace vireo {

class VIREO_API TnFraControle : public TObject {
 public:
  explicit TnFraControle(TnpqParamItem* param);
  ~TnFraControle() noexcept override;

  TnpqParamItem* Param() const { return param_; }
  const std::string& FieldName() const { return param_->Name(); }

  // The text the control shows: Sim/Não for yes/no, the caption of a choice.
  std::string GetAsString() const;
  // Accepts what the control shows or the stored value.
  void SetAsString(const std::string& text);
  // The value read as an integer: 1/0 for yes/no, the stored choice value.
  int64_t GetAsInteger() const;
  void SetAsInteger(int64_t value);
  // Whether the control holds an acceptable value: filled when required,
  // and readable as its kind.
  bool GetFieldValido() const;

  bool Enabled() const { return param_->Enabled(); }
  void SetEnabled(bool on) { param_->SetEnabled(on); }
  bool Required() const { return param_->Required(); }
  void SetRequired(bool on) { param_->SetRequired(on); }

 private:
  TnpqParamItem* param_;
};

// A control with a lookup list (a parameter with "lookup" SQL).  A report
// may add a condition to the list's query.
class VIREO_API TnFraCtrlNDLinkEdit : public TnFraControle {
 public:
  using SqlProvider = std::function<std::string()>;
  explicit TnFraCtrlNDLinkEdit(TnpqParamItem* param);
  ~TnFraCtrlNDLinkEdit() override;

  void SetSQLAdicional(SqlProvider provider) { provider_ = std::move(provider); }
  // The lookup query with the added condition, if any.
  std::string LookupSQL() const;

 private:
  SqlProvider provider_;
};

// The panel: the parent handed to AntesConfigurar.
class VIREO_API TnPanel : public TObject {
 public:
  explicit TnPanel(TnpqPowerParam* params);
  ~TnPanel() noexcept override;

  // Null when the name is no parameter of the panel.
  TnFraControle* FindControl(std::string_view name) const;
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TnFraControle* Controls(int i) const { return controls_[i].get(); }
  // The parameters that are required but empty or unreadable.
  std::vector<TnpqParamItem*> InvalidFields() const;

 private:
  std::vector<std::unique_ptr<TnFraControle>> controls_;
};

}  // namespace vireo
