// TnrwBaseDll: the base class of every report plug-in, and the class
// reference the plug-in frame registers.
//
// A report derives from TnrwBaseDll, keeps its base constructor
// (`using TnrwBaseDll::TnrwBaseDll;`) and overrides ImprimirInterno and what
// else it needs.  The instance binds itself to the engine it was made for;
// when it is freed it unbinds, and an OnSectionPrint handler it set is
// dropped, so the engine never calls into a freed report.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/export.h"
#include "host/core/object.h"
#include "host/report/engine.h"

namespace vireo {

class TnClientDataSet;
class TnDMReport;
class TnpqParamItem;

class VIREO_API TnrwBaseDll : public TObject {
 public:
  explicit TnrwBaseDll(TnrwReport* report);

  // The virtual slots, in the host's order.
  virtual std::string Versao();
  // Sections printed with alternating backgrounds; none by default.
  virtual std::vector<int> CriarListaSectionsParaZebrar();
  // Sections that restart the alternation; none by default.
  virtual std::vector<int> CriarListaSectionsTrocaCor();
  virtual void RepInterno(TnDMReport* dm);
  // (the virtual constructor is the class reference's Create, below)
  virtual void ImprimirInterno() = 0;
  virtual void DoParamChange(TObject* sender, TnpqParamItem* param);
  virtual void DoParamEnter(TObject* sender, TnpqParamItem* param);
  virtual void DoParamExit(TObject* sender, TnpqParamItem* param);
  // Before a zebra section prints: takes its turn of the alternation.
  virtual void DoZebradoBeforeSection(TObject* sender, int section);
  // Before every section the report prints (zebra or not), ahead of the
  // engine's page decision; nothing by default.  A report may print
  // another section from here (that one comes here too).
  virtual void DoBeforeSection(TObject* sender, int section);
  virtual void DepoisConfigurar();
  virtual void AntesConfigurar(TObject* parent);
  // A report's destructor may raise; see FreeReport.
  ~TnrwBaseDll() noexcept(false) override;

  TnrwReport* Report() const { return FReport; }
  // Rows of the layout's query (null when the layout has none).
  TnClientDataSet* MainDataSet() const;

 protected:
  TnrwReport* FReport;

 private:
  friend class TnrwReport;
  void EngineGone() { FReport = nullptr; }
};

// Free an instance now, where unique_ptr's reset would end the process if
// the destructor raised.  FreeReport lets that error pass on; the quiet
// form drops it, for a path that already has an error to report or none to
// report it to.  The memory is returned either way.
VIREO_API void FreeReport(std::unique_ptr<TnrwBaseDll>& instance);
VIREO_API void FreeReportQuietly(std::unique_ptr<TnrwBaseDll>& instance) noexcept;

// A class reference: makes instances of one report class.
class VIREO_API TnrwBaseDllClass {
 public:
  explicit TnrwBaseDllClass(std::string class_name);
  virtual ~TnrwBaseDllClass();
  TnrwBaseDllClass(const TnrwBaseDllClass&) = delete;
  TnrwBaseDllClass& operator=(const TnrwBaseDllClass&) = delete;

  const std::string& ClassName() const { return class_name_; }
  // The virtual constructor: a new instance of the most derived class,
  // owned by the caller.
  virtual TnrwBaseDll* Create(TnrwReport* report) const = 0;
  // Same, owned by the returned pointer.
  std::unique_ptr<TnrwBaseDll> Instanciar(TnrwReport* report) const {
    return std::unique_ptr<TnrwBaseDll>(Create(report));
  }

 private:
  std::string class_name_;
};

template <class T>
class TnrwBaseDllClassOf final : public TnrwBaseDllClass {
 public:
  explicit TnrwBaseDllClassOf(std::string class_name) : TnrwBaseDllClass(std::move(class_name)) {}
  TnrwBaseDll* Create(TnrwReport* report) const override { return new T(report); }
};

}  // namespace vireo
