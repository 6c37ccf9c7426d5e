// The registration unit linked into every report plug-in.
//
// A plug-in library holds exactly one report class.  Its source registers the
// class with one line,
//
//   VIREO_REGISTER_REPORT(TrptLedger)
//
// which stores the class reference in FClassDll when the library is loaded.
// The host then reaches the report through the library's only two exports:
// ClassDll, which hands back that class reference, and Imprimir, which prints
// one report on the engine it is given.
#pragma once

#include "host/core/export.h"
#include "host/report/base_dll.h"

namespace vireo {

// The library's report class; null until the library's start-up registers
// it, then never changed.
TnrwBaseDllClass* FClassDllValue();

// Called once, by the static initialiser of VIREO_REGISTER_REPORT.
bool RegisterClassDll(TnrwBaseDllClass* report_class);

// The message of the wrong-engine error: "Erro: Endereço: " + the address in
// upper-case hex (at least 8 digits) + " nao é de relatório.".
std::string WrongEngineMessage(const void* engine);

}  // namespace vireo

extern "C" {
// The registered class reference.  Creates nothing.
VIREO_API vireo::TnrwBaseDllClass* ClassDll();
// Prints one report.  `engine` is the host's engine passed as a TObject*
// (the root of the host's object model); anything that is not a TnrwReport
// is refused before an instance is created.  Errors leave as exceptions.
VIREO_API void Imprimir(void* engine);
}

#define VIREO_REGISTER_REPORT(Class)                                                     \
  namespace {                                                                            \
  ::vireo::TnrwBaseDllClassOf<Class> vireo_report_class_(#Class);                        \
  const bool vireo_report_registered_ = ::vireo::RegisterClassDll(&vireo_report_class_); \
  }
