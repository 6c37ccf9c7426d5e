// Parameters and layout variables: one collection, addressed by name.
//
// The engine keeps the user's parameters (what the panel asks: dates,
// companies, options) and the layout's variables (what the labels show) in a
// single TnpqPowerParam, in insertion order, so a report reads and writes
// both through the same calls.  Names are compared without regard to case.
// Parameter values are kept as text, as the panel holds them; a parameter of
// a checked kind (date, integer, decimal, selection, yes/no, choice) refuses a value of
// the wrong form with EnParam naming it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/core/datetime.h"
#include "host/core/export.h"
#include "host/core/object.h"

namespace vireo {

// What the panel asks for.  Variable is a layout variable, not on the panel.
enum class TnParamKind { Variable, Text, Date, Integer, Selection, YesNo, Choice, Decimal };

// Name of a kind as layouts write it ("date", "yesno", ...).
VIREO_API const char* ParamKindName(TnParamKind kind);

// The panel's texts of a yes/no answer; the stored values are "1" and "0".
VIREO_API extern const char* const kTextoSim;
VIREO_API extern const char* const kTextoNao;

// One entry of a choice list: the stored value and the text the panel shows.
struct VIREO_API TnParamChoice {
  std::string value;
  std::string text;
};

// What a layout declares about a parameter.
struct VIREO_API TnParamDef {
  std::string name;
  std::string caption;
  TnParamKind kind = TnParamKind::Text;
  std::string default_value;
  bool hidden = false;
  bool required = false;
  bool enabled = true;
  std::vector<TnParamChoice> items;  // choice lists
  std::string lookup;                // SQL of the panel's lookup list, if any
};

class TnpqPowerParam;

class VIREO_API TnpqParamItem : public TObject {
 public:
  TnpqParamItem(TnpqPowerParam* owner, TnParamDef def);
  ~TnpqParamItem() noexcept override;

  const std::string& Name() const { return def_.name; }
  const std::string& Caption() const { return def_.caption; }
  TnParamKind Kind() const { return def_.kind; }
  bool IsParameter() const { return def_.kind != TnParamKind::Variable; }
  const TnParamDef& Definition() const { return def_; }

  // The current text; SetValue checks it against the kind first.
  const std::string& Value() const { return value_; }
  void SetValue(const std::string& text);
  std::string GetAsString() const { return value_; }
  // EnParam when the text is not a date; an empty text is refused too.
  TDateTime GetAsDate() const;
  // 0 for an empty text, EnParam when it is not an integer.
  int64_t GetAsInteger() const;
  // Text shown by the panel: the caption of a choice, Sim/Não for yes/no.
  std::string DisplayText() const;

  bool Hidden() const { return def_.hidden; }
  bool Required() const { return def_.required; }
  bool Enabled() const { return def_.enabled; }
  void SetRequired(bool on) { def_.required = on; }
  void SetEnabled(bool on) { def_.enabled = on; }
  // Replaces the list the panel offers: for a choice, the values it
  // accepts; for a selection, the codes it helps to pick.  One line per
  // item, "value=text" (a line without "=" is its own text); empty lines are
  // skipped.  The current value is kept as it is.
  void SetItemsText(const std::string& text);

  // Raised by every change of the value; lets writers cache what they made
  // of the previous one.
  uint64_t Version() const { return version_; }

 private:
  std::string Checked(const std::string& text) const;

  TnpqPowerParam* owner_;
  TnParamDef def_;
  std::string value_;
  uint64_t version_ = 1;
};

class VIREO_API TnpqPowerParam : public TObject {
 public:
  TnpqPowerParam();
  ~TnpqPowerParam() noexcept override;

  // Adds a parameter or variable; its value starts as the default.  Raises
  // when the name is already taken.
  TnpqParamItem* Add(TnParamDef def);
  TnpqParamItem* AddVariable(const std::string& name);

  int Count() const { return static_cast<int>(items_.size()); }
  TnpqParamItem* Items(int i) const { return items_[i].get(); }
  // Null when there is no such name.
  TnpqParamItem* FindParam(std::string_view name) const;
  // The item of that name; a missing name becomes a new, empty variable.
  TnpqParamItem* Param(std::string_view name);
  // Text of the item, "" when missing.
  std::string GetValues(std::string_view name) const;
  // Sets the item, creating a variable for a new name.
  void SetValues(std::string_view name, const std::string& text);
  // True when the name is one of the panel's parameters.
  bool ParamUnCheck(std::string_view name) const;

  // Raised by every change of any item.
  uint64_t Version() const { return version_; }

 private:
  friend class TnpqParamItem;
  struct VIREO_LOCAL NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const;
  };
  struct VIREO_LOCAL NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };

  std::vector<std::unique_ptr<TnpqParamItem>> items_;
  std::unordered_map<std::string, TnpqParamItem*, NameHash, NameEqual> index_;
  uint64_t version_ = 1;
};

// An object that answers for a parameter collection: the engine, the host's
// data modules.
class VIREO_API TnpqPowerQuery : public TObject {
 public:
  TnpqPowerQuery();
  ~TnpqPowerQuery() noexcept override;
  TnpqPowerParam* GetParams() { return &params_; }
  const TnpqPowerParam* GetParams() const { return &params_; }
  TnpqParamItem* Param(std::string_view name) { return params_.Param(name); }

 protected:
  TnpqPowerParam params_;
};

}  // namespace vireo
