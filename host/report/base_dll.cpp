#include "host/report/base_dll.h"

namespace vireo {

TnrwBaseDll::TnrwBaseDll(TnrwReport* report) : FReport(report) {
  if (FReport != nullptr) FReport->AttachReport(this);
}

TnrwBaseDll::~TnrwBaseDll() {
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

void TnrwBaseDll::DepoisConfigurar() {}
void TnrwBaseDll::AntesConfigurar(TObject*) {}

TnClientDataSet* TnrwBaseDll::MainDataSet() const {
  return FReport != nullptr ? FReport->MainDataSet() : nullptr;
}

TnrwBaseDllClass::TnrwBaseDllClass(std::string class_name) : class_name_(std::move(class_name)) {}
TnrwBaseDllClass::~TnrwBaseDllClass() = default;

}  // namespace vireo
