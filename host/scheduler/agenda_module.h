// TnOrgDMAgendaUsuario: the host's agenda data module.  It holds the storage
// of the agenda screen, whose settings say how the agenda table's columns
// map onto appointments; other storages copy them (Assign).  The scheduler
// library registers the module by name when it loads.
#pragma once

#include <memory>

#include "host/core/export.h"
#include "host/report/data_module.h"

namespace vireo {

class TcxSchedulerDBStorage;

// The module's name for CriarDM, and its storage's component name.
inline constexpr const char* kDMAgendaUsuario = "TnOrgDMAgendaUsuario";
inline constexpr const char* kStorageAgenda = "cxSchedulerDBStorage";

class VIREO_API TnOrgDMAgendaUsuario : public TnDMClientDataSet {
 public:
  TnOrgDMAgendaUsuario();
  ~TnOrgDMAgendaUsuario() override;

  void Preparar() override;
  bool Preparado() const { return prepared_; }
  TcxSchedulerDBStorage* Storage() const { return storage_.get(); }
  TObject* FindComponent(const std::string& name) override;

 private:
  std::unique_ptr<TcxSchedulerDBStorage> storage_;
  bool prepared_ = false;
};

}  // namespace vireo
