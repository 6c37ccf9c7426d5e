#include "db/script.h"

#include <cctype>

#include "host/core/exception.h"
#include "host/core/text.h"

namespace vireo {

namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    size_t start = i;
    while (i < s.size() && !IsBlank(s[i])) ++i;
    if (i > start) words.push_back(s.substr(start, i - start));
  }
  return words;
}

// Walks the script once, keeping the line number for messages.
class ScriptScanner {
 public:
  ScriptScanner(std::string_view text, const std::string& source) : text_(text), source_(source) {}

  std::vector<SqlStatement> Run() {
    std::vector<SqlStatement> statements;
    for (;;) {
      SkipBlanksAndComments();
      if (AtEnd()) break;
      int start_line = line_;
      std::string_view body = ReadStatement();
      if (SetTerm(body, start_line)) continue;
      if (body.empty()) continue;
      SqlStatement statement;
      statement.number = static_cast<int>(statements.size()) + 1;
      statement.line = start_line;
      statement.text = std::string(body);
      statements.push_back(std::move(statement));
    }
    return statements;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek(size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
  }
  bool AtTerminator() const { return text_.substr(pos_).starts_with(terminator_); }

  void Advance(size_t n = 1) {
    for (size_t i = 0; i < n && !AtEnd(); ++i, ++pos_) {
      if (text_[pos_] == '\n') ++line_;
    }
  }

  [[noreturn]] void Fail(int line, const std::string& what) const {
    throw Exception(source_ + ", linha " + std::to_string(line) + ": " + what);
  }

  void SkipBlanksAndComments() {
    while (!AtEnd()) {
      if (IsBlank(Peek())) {
        Advance();
      } else if (Peek() == '-' && Peek(1) == '-') {
        SkipLineComment();
      } else if (Peek() == '/' && Peek(1) == '*') {
        SkipBlockComment();
      } else {
        return;
      }
    }
  }

  void SkipLineComment() {
    while (!AtEnd() && Peek() != '\n') Advance();
  }

  void SkipBlockComment() {
    int start = line_;
    Advance(2);
    while (!AtEnd() && !(Peek() == '*' && Peek(1) == '/')) Advance();
    if (AtEnd()) Fail(start, "comentário /* sem o */ que o fecha");
    Advance(2);
  }

  // A string literal ('...') or quoted identifier ("..."); a doubled quote
  // stands for the quote itself.
  void SkipQuoted(char quote) {
    int start = line_;
    Advance();
    for (;;) {
      if (AtEnd()) {
        Fail(start, quote == '\'' ? "texto entre apóstrofos sem o apóstrofo que o fecha"
                                  : "nome entre aspas sem as aspas que o fecham");
      }
      if (Peek() == quote && Peek(1) == quote) {
        Advance(2);
      } else if (Peek() == quote) {
        Advance();
        return;
      } else {
        Advance();
      }
    }
  }

  // The text up to the current terminator (consumed, not included), without
  // the blanks and comments that end it.
  std::string_view ReadStatement() {
    size_t start = pos_;
    size_t end = pos_;
    while (!AtEnd() && !AtTerminator()) {
      char c = Peek();
      if (c == '-' && Peek(1) == '-') {
        SkipLineComment();
        continue;
      }
      if (c == '/' && Peek(1) == '*') {
        SkipBlockComment();
        continue;
      }
      if (c == '\'' || c == '"') {
        SkipQuoted(c);
      } else {
        Advance();
      }
      if (!IsBlank(c)) end = pos_;
    }
    std::string_view body = text_.substr(start, end - start);
    if (!AtEnd()) Advance(terminator_.size());
    return body;
  }

  // "SET TERM x" switches the terminator; answers whether body was one.
  bool SetTerm(std::string_view body, int line) {
    std::vector<std::string_view> words = Words(body);
    if (words.size() < 2 || !SameText(words[0], "SET") || !SameText(words[1], "TERM")) {
      return false;
    }
    if (words.size() != 3) Fail(line, "SET TERM deve indicar um único terminador");
    terminator_ = std::string(words[2]);
    return true;
  }

  std::string_view text_;
  const std::string& source_;
  std::string terminator_ = ";";
  size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

std::string SqlStatement::FirstLine() const {
  std::string_view first = text;
  size_t end = first.find('\n');
  if (end != std::string_view::npos) first = first.substr(0, end);
  first = Trim(first);
  size_t cut = 80;
  if (first.size() <= cut) return std::string(first);
  // Never cut a UTF-8 character in two.
  while (cut > 0 && (static_cast<unsigned char>(first[cut]) & 0xC0) == 0x80) --cut;
  return std::string(first.substr(0, cut)) + "...";
}

std::vector<SqlStatement> SplitScript(std::string_view script, const std::string& source) {
  return ScriptScanner(script, source).Run();
}

}  // namespace vireo
