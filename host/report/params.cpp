#include "host/report/params.h"

#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/text.h"
#include "host/data/selection.h"

namespace vireo {

const char* const kTextoSim = "Sim";
const char* const kTextoNao = "Não";

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// How an error message names a parameter: its caption, then its name.
std::string Describe(const TnParamDef& def) {
  if (def.caption.empty() || def.caption == def.name) return "\"" + def.name + "\"";
  return "\"" + def.caption + "\" (" + def.name + ")";
}

EnParam NotADate(const TnParamDef& def, const std::string& text) {
  return EnParam(def.name,
                 "Parâmetro " + Describe(def) + ": \"" + text + "\" não é uma data (dd/mm/aaaa).");
}

EnParam NotAnInteger(const TnParamDef& def, const std::string& text) {
  return EnParam(def.name,
                 "Parâmetro " + Describe(def) + ": \"" + text + "\" não é um número inteiro.");
}

EnParam NotADecimal(const TnParamDef& def, const std::string& text) {
  return EnParam(def.name, "Parâmetro " + Describe(def) + ": \"" + text + "\" não é um número.");
}

std::string CheckYesNo(const TnParamDef& def, const std::string& text) {
  const std::string t = Trim(text);
  if (t.empty()) return t;
  for (const char* yes : {"1", "S", "Sim", "true", "yes", "y"}) {
    if (SameText(t, yes)) return "1";
  }
  for (const char* no : {"0", "N", "Não", "Nao", "false", "no"}) {
    if (SameText(t, no) || UpperCase(t) == UpperCase(no)) return "0";
  }
  throw EnParam(def.name, "Parâmetro " + Describe(def) + ": \"" + text +
                              "\" não é uma resposta sim/não (" + kTextoSim + " ou " + kTextoNao +
                              ").");
}

std::string CheckChoice(const TnParamDef& def, const std::string& text) {
  if (text.empty()) return text;
  for (const TnParamChoice& item : def.items) {
    if (item.value == text) return text;
  }
  for (const TnParamChoice& item : def.items) {
    if (UpperCase(item.text) == UpperCase(Trim(text))) return item.value;
  }
  std::string options;
  for (const TnParamChoice& item : def.items) {
    if (!options.empty()) options += ", ";
    options += item.text == item.value ? item.value : item.value + " (" + item.text + ")";
  }
  throw EnParam(def.name, "Parâmetro " + Describe(def) + ": \"" + text +
                              "\" não é uma das opções: " + options + ".");
}

}  // namespace

const char* ParamKindName(TnParamKind kind) {
  switch (kind) {
    case TnParamKind::Variable:
      return "variable";
    case TnParamKind::Text:
      return "text";
    case TnParamKind::Date:
      return "date";
    case TnParamKind::Integer:
      return "integer";
    case TnParamKind::Selection:
      return "selection";
    case TnParamKind::YesNo:
      return "yesno";
    case TnParamKind::Choice:
      return "choice";
    case TnParamKind::Decimal:
      return "decimal";
  }
  return "?";
}

// --- TnpqParamItem ---------------------------------------------------------

TnpqParamItem::TnpqParamItem(TnpqPowerParam* owner, TnParamDef def)
    : owner_(owner), def_(std::move(def)) {
  value_ = Checked(def_.default_value);
}

TnpqParamItem::~TnpqParamItem() noexcept = default;

std::string TnpqParamItem::Checked(const std::string& text) const {
  switch (def_.kind) {
    case TnParamKind::Variable:
    case TnParamKind::Text:
      return text;
    case TnParamKind::Date: {
      const std::string t = Trim(text);
      if (t.empty()) return t;
      TDateTime date = 0;
      if (!TryStrToDate(t, date)) {
        throw NotADate(def_, text);
      }
      return DateToStr(date);  // the panel shows dates in the locale's form
    }
    case TnParamKind::Integer: {
      const std::string t = Trim(text);
      int64_t n = 0;
      if (!t.empty() && !TryStrToInt64(t, n)) {
        throw NotAnInteger(def_, text);
      }
      return t;
    }
    case TnParamKind::Decimal: {
      // An amount read the way the reports read it (StrToFloat: the
      // locale's decimal separator, no thousands separators).
      const std::string t = Trim(text);
      double n = 0;
      if (!t.empty() && !TryStrToFloat(t, n)) throw NotADecimal(def_, text);
      return t;
    }
    case TnParamKind::Selection:
      ParseSelection(text, def_.name);  // raises EnParam naming the parameter
      return text;
    case TnParamKind::YesNo:
      return CheckYesNo(def_, text);
    case TnParamKind::Choice:
      return CheckChoice(def_, text);
  }
  return text;
}

void TnpqParamItem::SetValue(const std::string& text) {
  std::string checked = Checked(text);
  if (checked == value_) return;
  value_ = std::move(checked);
  ++version_;
  if (owner_ != nullptr) ++owner_->version_;
}

TDateTime TnpqParamItem::GetAsDate() const {
  TDateTime date = 0;
  if (!TryStrToDate(Trim(value_), date)) {
    if (Trim(value_).empty()) {
      throw EnParam(def_.name, "Parâmetro " + Describe(def_) + ": informe uma data.");
    }
    throw NotADate(def_, value_);
  }
  return date;
}

int64_t TnpqParamItem::GetAsInteger() const {
  const std::string t = Trim(value_);
  if (t.empty()) return 0;
  int64_t n = 0;
  if (!TryStrToInt64(t, n)) {
    throw NotAnInteger(def_, value_);
  }
  return n;
}

void TnpqParamItem::SetItemsText(const std::string& text) {
  std::vector<TnParamChoice> items;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = TrimRight(text.substr(start, end - start));  // "\r\n" lines too
    if (!Trim(line).empty()) {
      size_t eq = line.find('=');
      TnParamChoice item;
      item.value = Trim(eq == std::string::npos ? line : line.substr(0, eq));
      item.text = eq == std::string::npos ? item.value : Trim(line.substr(eq + 1));
      items.push_back(std::move(item));
    }
    start = end + 1;
  }
  def_.items = std::move(items);
}

std::string TnpqParamItem::DisplayText() const {
  if (def_.kind == TnParamKind::YesNo) {
    if (value_ == "1") return kTextoSim;
    if (value_ == "0") return kTextoNao;
  }
  if (def_.kind == TnParamKind::Choice) {
    for (const TnParamChoice& item : def_.items) {
      if (item.value == value_) return item.text;
    }
  }
  return value_;
}

// --- TnpqPowerParam --------------------------------------------------------

size_t TnpqPowerParam::NameHash::operator()(std::string_view s) const {
  size_t h = 1469598103934665603ull;  // FNV-1a over the upper-cased name
  for (char c : s) {
    h ^= static_cast<unsigned char>(AsciiUpper(c));
    h *= 1099511628211ull;
  }
  return h;
}

bool TnpqPowerParam::NameEqual::operator()(std::string_view a, std::string_view b) const {
  return SameText(a, b);
}

TnpqPowerParam::TnpqPowerParam() = default;
TnpqPowerParam::~TnpqPowerParam() noexcept = default;

TnpqParamItem* TnpqPowerParam::Add(TnParamDef def) {
  if (FindParam(def.name) != nullptr) {
    throw Exception("O nome \"" + def.name +
                    "\" aparece duas vezes entre os parâmetros e variáveis.");
  }
  auto item = std::make_unique<TnpqParamItem>(this, std::move(def));
  TnpqParamItem* raw = item.get();
  items_.push_back(std::move(item));
  index_.emplace(raw->Name(), raw);
  ++version_;
  return raw;
}

TnpqParamItem* TnpqPowerParam::AddVariable(const std::string& name) {
  TnParamDef def;
  def.name = name;
  def.kind = TnParamKind::Variable;
  return Add(std::move(def));
}

TnpqParamItem* TnpqPowerParam::FindParam(std::string_view name) const {
  auto it = index_.find(name);
  return it == index_.end() ? nullptr : it->second;
}

TnpqParamItem* TnpqPowerParam::Param(std::string_view name) {
  TnpqParamItem* item = FindParam(name);
  return item != nullptr ? item : AddVariable(std::string(name));
}

std::string TnpqPowerParam::GetValues(std::string_view name) const {
  const TnpqParamItem* item = FindParam(name);
  return item == nullptr ? std::string() : item->Value();
}

void TnpqPowerParam::SetValues(std::string_view name, const std::string& text) {
  Param(name)->SetValue(text);
}

bool TnpqPowerParam::ParamUnCheck(std::string_view name) const {
  const TnpqParamItem* item = FindParam(name);
  return item != nullptr && item->IsParameter();
}

TnpqPowerQuery::TnpqPowerQuery() = default;
TnpqPowerQuery::~TnpqPowerQuery() noexcept = default;

}  // namespace vireo
