// Data modules of the host, created by class name.
//
// A report asks the host for a data module by name (CriarDMNovo
// "TnFprDPGerarSaldoContaIndividual"); the business library registers the
// factories (RegistrarDM) when it loads.  TnDMPowerParam is the kind most
// reports use: parameters in, a run, rows out in "nClientDataSet".
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "host/core/export.h"
#include "host/core/object.h"
#include "host/report/params.h"

namespace vireo {

class TnClientDataSet;

class VIREO_API TnDataModule : public TObject {
 public:
  TnDataModule();
  ~TnDataModule() noexcept override;
  // The registered class name the module was created by.
  const std::string& ClassName() const { return class_name_; }
  void SetClassName(const std::string& name) { class_name_ = name; }
  // An owned component by name (Delphi's FindComponent); null when none.
  virtual TObject* FindComponent(const std::string& name);

 private:
  std::string class_name_;
};

// Parameters in, a run, a result dataset out.  The result is the module's
// component "nClientDataSet": the module frees it, unless a caller already
// did with DestruirSQL (the module then makes a new one when asked).
class VIREO_API TnDMPowerParam : public TnDataModule {
 public:
  TnDMPowerParam();
  ~TnDMPowerParam() override;

  TnpqPowerParam* GetParams() { return &params_; }
  TnpqParamItem* Param(const std::string& name) { return params_.Param(name); }
  // Runs the module: reads its parameters and fills nClientDataSet.
  virtual void Executar() = 0;
  // The result dataset, created empty on first use.
  TnClientDataSet* nClientDataSet();
  TObject* FindComponent(const std::string& name) override;

 private:
  class OwnedDataSet;
  friend class OwnedDataSet;
  TnpqPowerParam params_;
  OwnedDataSet* result_ = nullptr;
};

// A module around a dataset of the host (the agenda's).
class VIREO_API TnDMClientDataSet : public TnDataModule {
 public:
  TnDMClientDataSet();
  ~TnDMClientDataSet() override;
  // Prepares the module before use (opens its dataset).
  virtual void Preparar();
};

// The report's own data module, handed to RepInterno.
class VIREO_API TnDMReport : public TnDataModule {
 public:
  TnDMReport();
  ~TnDMReport() override;
};

using TnDataModuleFactory = std::function<std::unique_ptr<TnDataModule>()>;

// Makes `class_name` creatable by CriarDM/CriarDMNovo; a second registration
// of a name replaces the first.
VIREO_API void RegistrarDM(const std::string& class_name, TnDataModuleFactory factory);
template <class T>
void RegistrarClasseDM(const std::string& class_name) {
  RegistrarDM(class_name, [] { return std::unique_ptr<TnDataModule>(std::make_unique<T>()); });
}
// Forgets a class (and frees the host's module of it): a library that
// registered classes calls this before it is unloaded.
VIREO_API void DesregistrarDM(const std::string& class_name);
VIREO_API bool DMRegistrado(const std::string& class_name);

// A new module owned by the caller (who deletes it).  Raises naming the
// class when no factory has that name.
VIREO_API TnDataModule* CriarDMNovo(const std::string& class_name, TObject* action = nullptr);
// The host's module of that class, created on first use and kept by the
// host; never freed by the caller.
VIREO_API TnDataModule* CriarDM(const std::string& class_name);
// Frees the host's modules (before the libraries that made them unload).
VIREO_API void LiberarDMs();

}  // namespace vireo
