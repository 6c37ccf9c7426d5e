#include "host/scheduler/recurrence.h"

#include <libical/ical.h>

#include <cctype>
#include <cmath>
#include <memory>
#include <vector>

#include "host/core/exception.h"
#include "host/core/text.h"

namespace vireo {
namespace {

constexpr double kSecondsPerDay = 86400.0;
// A rule whose occurrences stop advancing (libical gives up on rules no
// date satisfies) ends the walk after this many steps without one.
constexpr int kMaxBarrenSteps = 100000;

std::vector<std::string> SplitParts(const std::string& rule) {
  std::vector<std::string> parts;
  size_t from = 0;
  while (from <= rule.size()) {
    const size_t semi = rule.find(';', from);
    const size_t to = semi == std::string::npos ? rule.size() : semi;
    if (to > from) parts.push_back(Trim(rule.substr(from, to - from)));
    if (semi == std::string::npos) break;
    from = semi + 1;
  }
  return parts;
}

[[noreturn]] void Refuse(const std::string& info, const std::string& why) {
  throw Exception("regra de recorrência \"" + info + "\" " + why);
}

icaltimetype ToIcal(TDateTime value) {
  const TDateParts d = DecodeDate(value);
  long seconds = std::lround((value - std::floor(value)) * kSecondsPerDay);
  icaltimetype t = icaltime_null_time();
  t.year = d.year;
  t.month = d.month;
  t.day = d.day;
  if (seconds >= 86400) seconds = 86399;
  t.hour = static_cast<int>(seconds / 3600);
  t.minute = static_cast<int>(seconds / 60 % 60);
  t.second = static_cast<int>(seconds % 60);
  t.is_date = 0;
  return t;
}

TDateTime FromIcal(const icaltimetype& t) {
  return EncodeDate(t.year, t.month, t.day) + EncodeTime(t.hour, t.minute, t.second);
}

int Digits(const std::string& text, size_t at, size_t n) {
  int value = 0;
  for (size_t i = at; i < at + n; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

// "YYYYMMDD" (the whole day) or "YYYYMMDDTHHMMSS" with an optional "Z".
std::optional<TDateTime> ReadUntil(const std::string& value) {
  std::string v = value;
  if (!v.empty() && (v.back() == 'Z' || v.back() == 'z')) v.pop_back();
  const bool date_only = v.size() == 8;
  if (!date_only && (v.size() != 15 || (v[8] != 'T' && v[8] != 't'))) return std::nullopt;
  for (size_t i = 0; i < v.size(); ++i) {
    if (i != 8 && !std::isdigit(static_cast<unsigned char>(v[i]))) return std::nullopt;
  }
  TDateTime day = 0;
  if (!TryEncodeDate(Digits(v, 0, 4), Digits(v, 4, 2), Digits(v, 6, 2), day)) return std::nullopt;
  if (date_only) return day + EncodeTime(23, 59, 59);
  const int h = Digits(v, 9, 2), m = Digits(v, 11, 2), s = Digits(v, 13, 2);
  if (h > 23 || m > 59 || s > 59) return std::nullopt;
  return day + EncodeTime(h, m, s);
}

struct IteratorFree {
  void operator()(icalrecur_iterator* it) const { icalrecur_iterator_free(it); }
};

}  // namespace

TcxRecurrence TcxRecurrence::Parse(const std::string& info) {
  std::string text = Trim(info);
  if (UpperCase(text.substr(0, 6)) == "RRULE:") text = Trim(text.substr(6));
  if (text.empty()) Refuse(info, "vazia");
  TcxRecurrence r;
  std::string freq;
  std::string rest;
  for (const std::string& part : SplitParts(text)) {
    const size_t eq = part.find('=');
    if (eq == std::string::npos) Refuse(info, "ilegível");
    const std::string name = UpperCase(Trim(part.substr(0, eq)));
    const std::string value = Trim(part.substr(eq + 1));
    if (name == "COUNT") {
      if (value.empty() || value.size() > 6 ||
          value.find_first_not_of("0123456789") != std::string::npos || std::stoi(value) < 1) {
        Refuse(info, "com COUNT inválido");
      }
      r.count_ = std::stoi(value);
      continue;
    }
    if (name == "UNTIL") {
      r.until_ = ReadUntil(value);
      if (!r.until_) Refuse(info, "com UNTIL inválido");
      continue;
    }
    if (name == "FREQ") freq = UpperCase(value);
    rest += (rest.empty() ? "" : ";") + name + "=" + value;
  }
  if (r.count_ > 0 && r.until_) Refuse(info, "com COUNT e UNTIL juntos");
  if (freq != "DAILY" && freq != "WEEKLY" && freq != "MONTHLY" && freq != "YEARLY") {
    Refuse(info, "sem frequência diária, semanal, mensal ou anual");
  }
  icalerror_clear_errno();
  const icalrecurrencetype parsed = icalrecurrencetype_from_string(rest.c_str());
  if (parsed.freq == ICAL_NO_RECURRENCE || icalerrno != ICAL_NO_ERROR) {
    icalerror_clear_errno();
    Refuse(info, "ilegível");
  }
  r.rule_ = rest;
  return r;
}

void TcxRecurrence::Expand(TDateTime series_start, TDateTime last_start,
                           const Visitor& visit) const {
  if (series_start > last_start) return;
  if (until_ && series_start > *until_) return;
  if (!visit(0, series_start)) return;
  if (count_ == 1) return;
  const icaltimetype start = ToIcal(series_start);
  const TDateTime first = FromIcal(start);
  const icalrecurrencetype rule = icalrecurrencetype_from_string(rule_.c_str());
  std::unique_ptr<icalrecur_iterator, IteratorFree> it(icalrecur_iterator_new(rule, start));
  if (!it) return;
  int index = 0;
  int barren = 0;
  for (icaltimetype next = icalrecur_iterator_next(it.get()); !icaltime_is_null_time(next);
       next = icalrecur_iterator_next(it.get())) {
    const TDateTime at = FromIcal(next);
    if (at <= first) {
      if (++barren > kMaxBarrenSteps) return;
      continue;
    }
    if (at > last_start || (until_ && at > *until_)) return;
    ++index;
    if (!visit(index, at)) return;
    if (count_ > 0 && index + 1 >= count_) return;
  }
}

}  // namespace vireo
