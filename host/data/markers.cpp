#include <cctype>

#include "host/data/sql.h"

namespace vireo {
namespace {

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

std::string Upper(const std::string& s) {
  std::string u = s;
  for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return u;
}

// Copies a quoted literal or identifier starting at i (the opening quote).
size_t SkipQuoted(const std::string& sql, size_t i, std::string& out) {
  char q = sql[i];
  out += sql[i++];
  while (i < sql.size()) {
    out += sql[i];
    if (sql[i] == q) {
      if (i + 1 < sql.size() && sql[i + 1] == q) {  // doubled quote
        out += sql[++i];
      } else {
        return i + 1;
      }
    }
    ++i;
  }
  return i;
}

size_t SkipComment(const std::string& sql, size_t i, std::string& out) {
  if (sql[i] == '-') {
    size_t end = sql.find('\n', i);
    end = end == std::string::npos ? sql.size() : end;
    out.append(sql, i, end - i);
    return end;
  }
  size_t end = sql.find("*/", i + 2);
  end = end == std::string::npos ? sql.size() : end + 2;
  out.append(sql, i, end - i);
  return end;
}

}  // namespace

TnMarkedSQL RewriteMarkers(const std::string& sql) {
  TnMarkedSQL r;
  r.sql.reserve(sql.size());
  std::vector<std::string> upper_names;
  size_t i = 0;
  while (i < sql.size()) {
    char c = sql[i];
    if (c == '\'' || c == '"') {
      i = SkipQuoted(sql, i, r.sql);
    } else if ((c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') ||
               (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*')) {
      i = SkipComment(sql, i, r.sql);
    } else if (c == ':' && i + 1 < sql.size() && sql[i + 1] == ':') {
      r.sql += "::";
      i += 2;
    } else if (c == ':' && i + 1 < sql.size() && IsNameStart(sql[i + 1])) {
      size_t j = i + 1;
      while (j < sql.size() && IsNameChar(sql[j])) ++j;
      std::string name = sql.substr(i + 1, j - i - 1);
      std::string key = Upper(name);
      int slot = -1;
      for (size_t k = 0; k < upper_names.size(); ++k)
        if (upper_names[k] == key) slot = static_cast<int>(k);
      if (slot < 0) {
        slot = static_cast<int>(r.markers.size());
        r.markers.push_back(name);
        upper_names.push_back(key);
      }
      r.slots.push_back(slot);
      r.sql += '?';
      i = j;
    } else {
      r.sql += c;
      ++i;
    }
  }
  return r;
}

}  // namespace vireo
