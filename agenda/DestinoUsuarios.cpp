#include "agenda/DestinoUsuarios.h"

#include "host/core/convert.h"
#include "host/core/text.h"

namespace vireo {

TnDivisaoDestino DividirDestino(const std::string& texto) {
  const std::string t = Trim(texto);
  const size_t ponto_virgula = t.find(';');
  const size_t faixa = t.find("..");
  TnDivisaoDestino d;
  if (ponto_virgula == std::string::npos && faixa == std::string::npos) {
    d.Primeiro = t;
    return d;
  }
  d.Multipla = true;
  if (faixa == std::string::npos || ponto_virgula < faixa) {
    d.Primeiro = Trim(t.substr(0, ponto_virgula));
    d.Restante = Trim(t.substr(ponto_virgula + 1));
    return d;
  }
  d.Primeiro = Trim(t.substr(0, faixa));
  const size_t fim_faixa = t.find(';', faixa);
  const std::string ultimo = Trim(t.substr(
      faixa + 2, fim_faixa == std::string::npos ? std::string::npos : fim_faixa - faixa - 2));
  const std::string depois = fim_faixa == std::string::npos ? "" : Trim(t.substr(fim_faixa + 1));
  int64_t inicio = 0, termino = 0;
  if (!TryStrToInt64(d.Primeiro, inicio) || !TryStrToInt64(ultimo, termino)) {
    d.Restante = t.substr(faixa);  // unreadable: left for validation to refuse
    return d;
  }
  // A range whose next start passes its end is used up (10..9 would never
  // end).
  d.Restante = inicio + 1 > termino ? depois : std::to_string(inicio + 1) + t.substr(faixa);
  return d;
}

bool DestinoUnico(const std::string& texto) {
  return texto.find(';') == std::string::npos && texto.find('.') == std::string::npos;
}

}  // namespace vireo
