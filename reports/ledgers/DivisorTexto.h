// TDivisorTexto: breaks the history of a cash entry into print lines.
//
// The ledger prints a history on one line of its entry and on as many lines
// under it as the text needs.  Lines are filled word by word; a word longer
// than a line is cut into pieces of the line's length.  Lengths count
// characters, not bytes, so accented letters are never split.
#pragma once

#include <string>
#include <vector>

namespace vireo {

class TDivisorTexto {
 public:
  // The words of the text, split at every blank; consecutive blanks give
  // empty words.
  std::vector<std::string> GerarArrayPalavras(const std::string& ATexto) const;

  // The word cut into pieces of ATamMaximo characters, the last one shorter;
  // an empty word gives no piece.
  std::vector<std::string> GerarArrayFragmentos(const std::string& APalavra, int ATamMaximo) const;

  // Print lines: a line holds at most ATamLinha - 1 characters unless it is a
  // single piece of a long word (then exactly ATamLinha).  No line is blank.
  std::vector<std::string> GerarArrayLinhas(const std::string& ATexto, int ATamLinha) const;
};

}  // namespace vireo
