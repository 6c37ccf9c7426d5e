#include "host/biz/telefone.h"

#include <cctype>

#include "host/core/text.h"

namespace vireo {

namespace {

constexpr int kTipoTelefone = 1;
constexpr size_t kComDdd = 10;
constexpr size_t kCelularComDdd = 11;
constexpr size_t kSemDdd = 8;
constexpr size_t kCelularSemDdd = 9;
constexpr size_t kDigitosDdd = 2;
constexpr size_t kDigitosFinais = 4;

std::string Digitos(const std::string& texto) {
  std::string digitos;
  for (unsigned char c : texto) {
    if (std::isdigit(c)) digitos += static_cast<char>(c);
  }
  return digitos;
}

// "23456789" -> "2345-6789"; the last four digits after the hyphen.
std::string NumeroLocal(const std::string& digitos) {
  const size_t corte = digitos.size() - kDigitosFinais;
  return digitos.substr(0, corte) + "-" + digitos.substr(corte);
}

}  // namespace

std::string SetMascaraTelefone(int tipo, const Variant& numero) {
  if (numero.IsNull()) return std::string();
  const std::string texto = Trim(numero.AsString());
  if (texto.empty()) return std::string();
  if (tipo != kTipoTelefone) return numero.AsString();
  const std::string digitos = Digitos(texto);
  switch (digitos.size()) {
    case kComDdd:
    case kCelularComDdd:
      return "(" + digitos.substr(0, kDigitosDdd) + ") " + NumeroLocal(digitos.substr(kDigitosDdd));
    case kSemDdd:
    case kCelularSemDdd:
      return NumeroLocal(digitos);
    default:
      return texto;
  }
}

}  // namespace vireo
