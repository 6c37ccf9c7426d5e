// The appointment editor class the scheduler library hands out, for the
// whole process: the base editor until a library installs its own, and
// the base again when that library unloads.
#pragma once

#include <memory>
#include <string>

#include "host/core/export.h"
#include "host/scheduler/event_editor.h"

namespace vireo {

// A class reference of an editor: makes editors of one class.
class VIREO_API TcxSchedulerEventEditorClass {
 public:
  virtual ~TcxSchedulerEventEditorClass();
  virtual std::string ClassName() const = 0;
  virtual std::unique_ptr<TcxSchedulerEventEditor> Create(
      TcxSchedulerEvent& event, const TcxSchedulerDBStorage* storage) const = 0;
};

template <class T>
class TcxSchedulerEventEditorClassOf final : public TcxSchedulerEventEditorClass {
 public:
  explicit TcxSchedulerEventEditorClassOf(std::string name) : name_(std::move(name)) {}
  std::string ClassName() const override { return name_; }
  std::unique_ptr<TcxSchedulerEventEditor> Create(
      TcxSchedulerEvent& event, const TcxSchedulerDBStorage* storage) const override {
    return std::make_unique<T>(event, storage);
  }

 private:
  std::string name_;
};

// The class in force (never null).
VIREO_API const TcxSchedulerEventEditorClass& cxEventEditorClass();
// Installs a class; null puts the base editor back.  Answers the class that
// was in force, so an installer can put it back when it leaves.
VIREO_API const TcxSchedulerEventEditorClass* SetcxEventEditorClass(
    const TcxSchedulerEventEditorClass* editor_class);

// An editor of the class in force, its controls initialised and shown.
VIREO_API std::unique_ptr<TcxSchedulerEventEditor> AbrirEditorEvento(
    TcxSchedulerEvent& event, const TcxSchedulerDBStorage* storage);

// Installs a class while it lives (a library's start-up object): the
// previous class comes back when it is destroyed.
class VIREO_API TcxEventEditorRegistration {
 public:
  explicit TcxEventEditorRegistration(const TcxSchedulerEventEditorClass* editor_class);
  ~TcxEventEditorRegistration();
  TcxEventEditorRegistration(const TcxEventEditorRegistration&) = delete;
  TcxEventEditorRegistration& operator=(const TcxEventEditorRegistration&) = delete;

 private:
  const TcxSchedulerEventEditorClass* installed_;
  const TcxSchedulerEventEditorClass* previous_;
};

}  // namespace vireo
