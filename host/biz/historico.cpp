#include "host/biz/historico.h"

#include <cctype>

#include "host/core/text.h"

namespace vireo {

namespace {

// Whether `text` starts with `head` as whole words: the character after the
// head must not continue a word ("Tarifa" is not the start of "Tarifas").
bool StartsWithWords(const std::string& text, const std::string& head) {
  const std::string upper_text = UpperCase(text);
  const std::string upper_head = UpperCase(head);
  if (!upper_text.starts_with(upper_head)) return false;
  if (upper_text.size() == upper_head.size()) return true;
  const unsigned char next = static_cast<unsigned char>(upper_text[upper_head.size()]);
  // Bytes above 127 begin accented letters, which continue a word.
  return next < 128 && !std::isalnum(next);
}

}  // namespace

std::string MontarHistoricoCaixa(const std::string& descr_historico, const std::string& historico) {
  const std::string descr = Trim(descr_historico);
  const std::string text = Trim(historico);
  if (descr.empty()) return text;
  if (text.empty()) return descr;
  if (StartsWithWords(text, descr)) return text;
  return descr + " - " + text;
}

std::string MontarHistoricoCaixa(std::string& descr_historico, std::string& historico) {
  return MontarHistoricoCaixa(static_cast<const std::string&>(descr_historico),
                              static_cast<const std::string&>(historico));
}

}  // namespace vireo
