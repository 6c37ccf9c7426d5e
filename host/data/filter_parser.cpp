// A hand-written scanner for the filter syntax: small enough that a grammar
// tool would be more code than the grammar.
#include "host/data/filter_parser.h"

#include <cctype>
#include <charconv>

#include "host/core/exception.h"

namespace vireo {

namespace {

class FilterScanner {
 public:
  explicit FilterScanner(const std::string& text) : text_(text) {}

  std::vector<FilterEquality> Terms() {
    std::vector<FilterEquality> terms;
    SkipBlanks();
    if (AtEnd()) return terms;
    for (;;) {
      terms.push_back(Term());
      SkipBlanks();
      if (AtEnd()) return terms;
      if (!AcceptKeyword("and")) Fail("esperado 'and' ou o fim do filtro");
    }
  }

 private:
  FilterEquality Term() {
    FilterEquality term;
    term.field = Identifier();
    SkipBlanks();
    if (AtEnd() || text_[pos_] != '=') Fail("esperado '=' depois de '" + term.field + "'");
    ++pos_;
    SkipBlanks();
    term.value = Value();
    return term;
  }

  std::string Identifier() {
    const size_t start = pos_;
    while (!AtEnd() && IsNameChar(text_[pos_])) ++pos_;
    if (pos_ == start) Fail("esperado o nome de um campo");
    return text_.substr(start, pos_ - start);
  }

  Variant Value() {
    if (AtEnd()) Fail("esperado um valor");
    if (text_[pos_] == '\'') return QuotedText();
    return Number();
  }

  Variant QuotedText() {
    std::string out;
    for (++pos_; !AtEnd(); ++pos_) {
      if (text_[pos_] != '\'') {
        out += text_[pos_];
      } else if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
        out += '\'';
        ++pos_;
      } else {
        ++pos_;
        return Variant(std::move(out));
      }
    }
    Fail("texto sem o apóstrofo de fechamento");
  }

  Variant Number() {
    const size_t start = pos_;
    if (text_[pos_] == '-' || text_[pos_] == '+') ++pos_;
    bool fraction = false;
    while (!AtEnd() &&
           (std::isdigit(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '.')) {
      fraction = fraction || text_[pos_] == '.';
      ++pos_;
    }
    const char* first = text_.data() + start + (text_[start] == '+' ? 1 : 0);
    const char* last = text_.data() + pos_;
    if (fraction) {
      double d = 0;
      if (std::from_chars(first, last, d).ptr == last && last != first) return Variant(d);
    } else {
      int64_t i = 0;
      if (std::from_chars(first, last, i).ptr == last && last != first) return Variant(i);
    }
    pos_ = start;
    Fail("esperado um número ou um texto entre apóstrofos");
  }

  bool AcceptKeyword(const char* word) {
    size_t p = pos_;
    for (const char* w = word; *w; ++w, ++p) {
      if (p >= text_.size() || std::tolower(static_cast<unsigned char>(text_[p])) != *w) {
        return false;
      }
    }
    if (p < text_.size() && IsNameChar(text_[p])) return false;
    pos_ = p;
    SkipBlanks();
    return true;
  }

  static bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
  }
  void SkipBlanks() {
    while (!AtEnd() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }
  bool AtEnd() const { return pos_ >= text_.size(); }

  [[noreturn]] void Fail(const std::string& what) const {
    throw Exception("Filtro inválido \"" + text_ + "\": " + what + " (posição " +
                    std::to_string(pos_ + 1) + ").");
  }

  const std::string& text_;
  size_t pos_ = 0;
};

}  // namespace

std::vector<FilterEquality> ParseFilterText(const std::string& text) {
  return FilterScanner(text).Terms();
}

}  // namespace vireo
