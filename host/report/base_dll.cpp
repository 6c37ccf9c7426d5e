#include "host/report/base_dll.h"

namespace vireo {

TnrwBaseDll::TnrwBaseDll(TnrwReport* report) : FReport(report) {
  if (FReport != nullptr) FReport->AttachReport(this);
}

TnrwBaseDll::~TnrwBaseDll() noexcept(false) {
  if (FReport != nullptr) FReport->DetachReport(this);
}

std::string TnrwBaseDll::Versao() { return "[versao: 0.0.0.0]"; }
std::vector<int> TnrwBaseDll::CriarListaSectionsParaZebrar() { return {}; }
std::vector<int> TnrwBaseDll::CriarListaSectionsTrocaCor() { return {}; }
void TnrwBaseDll::RepInterno(TnDMReport*) {}
void TnrwBaseDll::DoParamChange(TObject*, TnpqParamItem*) {}
void TnrwBaseDll::DoParamEnter(TObject*, TnpqParamItem*) {}
void TnrwBaseDll::DoParamExit(TObject*, TnpqParamItem*) {}

void TnrwBaseDll::DoZebradoBeforeSection(TObject*, int section) {
  if (FReport != nullptr) FReport->ZebrarSecao(section);
}

void TnrwBaseDll::DoBeforeSection(TObject*, int) {}

void TnrwBaseDll::DepoisConfigurar() {}
void TnrwBaseDll::AntesConfigurar(TObject*) {}

void FreeReport(std::unique_ptr<TnrwBaseDll>& instance) {
  // Not reset(): it is noexcept, and this error is the caller's to report.
  // A delete whose destructor raises still returns the memory.
  delete instance.release();
}

void FreeReportQuietly(std::unique_ptr<TnrwBaseDll>& instance) noexcept {
  try {
    FreeReport(instance);
  } catch (...) {
    // The caller has no one to tell.
  }
}

TnClientDataSet* TnrwBaseDll::MainDataSet() const {
  return FReport != nullptr ? FReport->MainDataSet() : nullptr;
}

TnrwBaseDllClass::TnrwBaseDllClass(std::string class_name) : class_name_(std::move(class_name)) {}
TnrwBaseDllClass::~TnrwBaseDllClass() = default;

}  // namespace vireo
