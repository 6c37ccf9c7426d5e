#include "host/biz/korvanfin.h"

#include "host/biz/saldo_conta_individual.h"
#include "host/report/data_module.h"

namespace vireo {

void RegisterKorvanFin5() {
  RegistrarClasseDM<TnFprDPGerarSaldoContaIndividual>("TnFprDPGerarSaldoContaIndividual");
}

namespace {

// Runs when the library is loaded.
const bool kRegistered = (RegisterKorvanFin5(), true);

}  // namespace

}  // namespace vireo
