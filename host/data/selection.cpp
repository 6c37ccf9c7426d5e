#include "host/data/selection.h"

#include <cctype>
#include <charconv>

#include "host/core/exception.h"

namespace vireo {
namespace {

std::string Trimmed(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

[[noreturn]] void Refuse(const std::string& param, const std::string& selection,
                         const std::string& why) {
  std::string where = param.empty() ? "Seleção" : "Seleção de " + param;
  throw EnParam(param, where + " inválida: \"" + selection + "\" (" + why +
                           "). Use números separados por \";\" e intervalos como 5..9.");
}

int64_t ParseNumber(const std::string& text, const std::string& param,
                    const std::string& selection) {
  std::string t = Trimmed(text);
  if (t.empty()) Refuse(param, selection, "intervalo sem limite");
  for (char c : t)
    if (!std::isdigit(static_cast<unsigned char>(c)))
      Refuse(param, selection, "\"" + t + "\" não é um número");
  int64_t v = 0;
  auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  if (r.ec != std::errc()) Refuse(param, selection, "\"" + t + "\" é grande demais");
  return v;
}

std::string Condition(const std::string& column, const std::vector<TnSelectionItem>& items) {
  std::string singles, ranges;
  for (const TnSelectionItem& it : items) {
    if (it.low == it.high) {
      singles += (singles.empty() ? "" : ",") + std::to_string(it.low);
    } else {
      ranges += (ranges.empty() ? "" : " or ") + column + " between " + std::to_string(it.low) +
                " and " + std::to_string(it.high);
    }
  }
  std::string cond;
  if (!singles.empty()) cond = column + " in (" + singles + ")";
  if (!ranges.empty()) cond += (cond.empty() ? "" : " or ") + ranges;
  return cond;
}

std::vector<std::string> Columns(const std::string& columns) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= columns.size()) {
    size_t end = columns.find(';', start);
    if (end == std::string::npos) end = columns.size();
    std::string c = Trimmed(columns.substr(start, end - start));
    if (!c.empty()) out.push_back(c);
    start = end + 1;
  }
  return out;
}

}  // namespace

std::vector<TnSelectionItem> ParseSelection(const std::string& selection,
                                            const std::string& param) {
  std::vector<TnSelectionItem> items;
  size_t start = 0;
  while (start <= selection.size()) {
    size_t end = selection.find(';', start);
    if (end == std::string::npos) end = selection.size();
    std::string item = Trimmed(selection.substr(start, end - start));
    start = end + 1;
    if (item.empty()) continue;
    size_t dots = item.find("..");
    if (dots == std::string::npos) {
      int64_t v = ParseNumber(item, param, selection);
      items.push_back({v, v});
      continue;
    }
    int64_t low = ParseNumber(item.substr(0, dots), param, selection);
    int64_t high = ParseNumber(item.substr(dots + 2), param, selection);
    if (low > high) Refuse(param, selection, "intervalo invertido " + item);
    items.push_back({low, high});
  }
  return items;
}

std::string FilterInterval(const std::string& columns, const std::string& selection,
                           const std::vector<int>&, bool with_and, int, int) {
  std::vector<TnSelectionItem> items = ParseSelection(selection);
  std::vector<std::string> cols = Columns(columns);
  if (items.empty() || cols.empty()) return with_and ? "" : "(1=1) ";
  std::string cond;
  for (const std::string& c : cols) cond += (cond.empty() ? "" : " or ") + Condition(c, items);
  // A trailing blank lets the caller append the next piece directly.
  return (with_and ? " and (" : "(") + cond + ") ";
}

bool CheckInInclusion(const Variant& value, const std::string& selection, const std::vector<int>&) {
  std::vector<TnSelectionItem> items = ParseSelection(selection);
  if (items.empty()) return true;
  int64_t v;
  try {
    v = value.AsInteger();
  } catch (const Exception&) {
    return false;
  }
  for (const TnSelectionItem& it : items)
    if (v >= it.low && v <= it.high) return true;
  return false;
}

}  // namespace vireo
