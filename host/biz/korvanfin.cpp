#include "host/biz/korvanfin.h"

#include "host/biz/saldo_conta_individual.h"
#include "host/report/data_module.h"

namespace vireo {

void RegisterKorvanFin5() {
  RegistrarClasseDM<TnFprDPGerarSaldoContaIndividual>("TnFprDPGerarSaldoContaIndividual");
}

namespace {

// Registers the library's data modules when it is loaded and removes them
// when it is unloaded: the registry lives in the engine library, which
// outlives this one, and must never keep factories whose code is gone.
struct Registration {
  Registration() { RegisterKorvanFin5(); }
  ~Registration() { DesregistrarDM("TnFprDPGerarSaldoContaIndividual"); }
};
const Registration kRegistration;

}  // namespace

}  // namespace vireo
