#include "host/report/data_module.h"

#include <map>

#include "host/core/exception.h"
#include "host/core/text.h"
#include "host/data/dataset.h"

namespace vireo {

namespace {

struct Registry {
  std::map<std::string, TnDataModuleFactory> factories;         // by upper-cased name
  std::map<std::string, std::unique_ptr<TnDataModule>> shared;  // CriarDM's modules
};

// Never destroyed: its factories and modules hold code of the libraries that
// registered them, which may be unloaded before the process exits; running
// their destructors then would jump into unmapped code.
Registry& TheRegistry() {
  static Registry* registry = new Registry;
  return *registry;
}

std::unique_ptr<TnDataModule> Make(const std::string& class_name) {
  auto& factories = TheRegistry().factories;
  auto it = factories.find(UpperCase(class_name));
  if (it == factories.end()) {
    throw Exception("O módulo de dados " + class_name + " não está registrado no sistema.");
  }
  std::unique_ptr<TnDataModule> module = it->second();
  if (!module) throw Exception("O módulo de dados " + class_name + " não pôde ser criado.");
  return module;
}

}  // namespace

// The result dataset tells its module when someone else frees it, as an
// owned component does, so the module never frees it twice.
class TnDMPowerParam::OwnedDataSet : public TnClientDataSet {
 public:
  explicit OwnedDataSet(TnDMPowerParam* owner) : owner_(owner) {}
  ~OwnedDataSet() override {
    if (owner_ != nullptr) owner_->result_ = nullptr;
  }
  void Release() { owner_ = nullptr; }

 private:
  TnDMPowerParam* owner_;
};

TnDataModule::TnDataModule() = default;
TnDataModule::~TnDataModule() noexcept = default;
TObject* TnDataModule::FindComponent(const std::string&) { return nullptr; }

TnDMPowerParam::TnDMPowerParam() = default;

TnDMPowerParam::~TnDMPowerParam() {
  if (result_ != nullptr) {
    OwnedDataSet* result = result_;
    result->Release();
    delete result;  // an owned component, freed with its module
  }
}

TnClientDataSet* TnDMPowerParam::nClientDataSet() {
  if (result_ == nullptr) result_ = new OwnedDataSet(this);
  return result_;
}

TObject* TnDMPowerParam::FindComponent(const std::string& name) {
  if (UpperCase(name) == "NCLIENTDATASET") return nClientDataSet();
  return nullptr;
}

TnDMClientDataSet::TnDMClientDataSet() = default;
TnDMClientDataSet::~TnDMClientDataSet() = default;
void TnDMClientDataSet::Preparar() {}

TnDMReport::TnDMReport() = default;
TnDMReport::~TnDMReport() = default;

void RegistrarDM(const std::string& class_name, TnDataModuleFactory factory) {
  TheRegistry().factories[UpperCase(class_name)] = std::move(factory);
}

void DesregistrarDM(const std::string& class_name) {
  Registry& registry = TheRegistry();
  registry.shared.erase(UpperCase(class_name));
  registry.factories.erase(UpperCase(class_name));
}

bool DMRegistrado(const std::string& class_name) {
  return TheRegistry().factories.count(UpperCase(class_name)) > 0;
}

TnDataModule* CriarDMNovo(const std::string& class_name, TObject*) {
  std::unique_ptr<TnDataModule> module = Make(class_name);
  module->SetClassName(class_name);
  return module.release();  // the caller owns it, as the host API says
}

TnDataModule* CriarDM(const std::string& class_name) {
  auto& shared = TheRegistry().shared;
  auto& slot = shared[UpperCase(class_name)];
  if (!slot) {
    slot = Make(class_name);
    slot->SetClassName(class_name);
  }
  return slot.get();
}

void LiberarDMs() { TheRegistry().shared.clear(); }

}  // namespace vireo
