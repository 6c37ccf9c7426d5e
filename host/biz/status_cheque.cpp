// Descriptions of the cheque statuses, in the codes FPRCHEQUE and
// CHEQUEDETALHE store.
#include <array>

#include "host/biz/origens_contabilizacao.h"

namespace vireo {

namespace {

constexpr std::array<const char*, 6> kStatusCheque = {"Cadastrado", "Depositado", "Compensado",
                                                      "Devolvido",  "Cancelado",  "Repassado"};

}  // namespace

std::string TFprListDescricao::GetDscStatusCheque(int status) {
  if (status < 1 || status > static_cast<int>(kStatusCheque.size())) return "";
  return kStatusCheque[status - 1];
}

}  // namespace vireo
