// Amounts as the reports print them, read back as numbers.
#pragma once

#include <string>

namespace vireo::test {

// "1.234,50" -> 1234.5; "(1.234,50" (a negative balance whose ")" is
// printed apart) -> -1234.5; "" -> 0.
inline double ValorImpresso(const std::string& texto) {
  std::string limpo;
  bool negativo = false;
  for (char c : texto) {
    if (c == '(' || c == '-') negativo = true;
    if (c == ',') limpo += '.';
    if (c >= '0' && c <= '9') limpo += c;
  }
  const double valor = limpo.empty() ? 0 : std::stod(limpo);
  return negativo ? -valor : valor;
}

}  // namespace vireo::test
