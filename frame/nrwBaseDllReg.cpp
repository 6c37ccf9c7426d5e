#include "frame/nrwBaseDllReg.h"

#include <cstdint>
#include <memory>

#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/report/base_dll.h"
#include "host/report/engine.h"

namespace vireo {
namespace {

// One per library: the frame is a static library linked into each plug-in
// and its symbols stay hidden, so plug-ins never share this variable.
TnrwBaseDllClass* FClassDll = nullptr;

}  // namespace

TnrwBaseDllClass* FClassDllValue() { return FClassDll; }

bool RegisterClassDll(TnrwBaseDllClass* report_class) {
  if (FClassDll == nullptr) FClassDll = report_class;
  return true;
}

std::string WrongEngineMessage(const void* engine) {
  auto address = static_cast<int64_t>(reinterpret_cast<uintptr_t>(engine));
  return "Erro: Endereço: " + IntToHex(address, 8) + " nao é de relatório.";
}

}  // namespace vireo

vireo::TnrwBaseDllClass* ClassDll() { return vireo::FClassDll; }

void Imprimir(void* engine) {
  using namespace vireo;
  auto* object = static_cast<TObject*>(engine);
  auto* report = dynamic_cast<TnrwReport*>(object);
  if (report == nullptr) throw Exception(WrongEngineMessage(engine));
  if (FClassDll == nullptr) throw Exception("FClassDll está nil.");
  // The instance is freed on both paths; an error of the body passes on as
  // it was raised, and one of the destructor only when the body succeeded.
  std::unique_ptr<TnrwBaseDll> instance(FClassDll->Create(report));
  try {
    instance->ImprimirInterno();
  } catch (...) {
    FreeReportQuietly(instance);
    throw;
  }
  FreeReport(instance);
}
