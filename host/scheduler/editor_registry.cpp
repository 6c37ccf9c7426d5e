#include "host/scheduler/editor_registry.h"

namespace vireo {
namespace {

const TcxSchedulerEventEditorClassOf<TcxSchedulerEventEditor>& BaseClass() {
  static const TcxSchedulerEventEditorClassOf<TcxSchedulerEventEditor> base(
      "TcxSchedulerEventEditor");
  return base;
}

const TcxSchedulerEventEditorClass*& Installed() {
  static const TcxSchedulerEventEditorClass* installed = nullptr;
  return installed;
}

}  // namespace

TcxSchedulerEventEditorClass::~TcxSchedulerEventEditorClass() = default;

const TcxSchedulerEventEditorClass& cxEventEditorClass() {
  return Installed() != nullptr ? *Installed() : BaseClass();
}

const TcxSchedulerEventEditorClass* SetcxEventEditorClass(
    const TcxSchedulerEventEditorClass* editor_class) {
  const TcxSchedulerEventEditorClass* previous = Installed();
  Installed() = editor_class;
  return previous;
}

std::unique_ptr<TcxSchedulerEventEditor> AbrirEditorEvento(TcxSchedulerEvent& event,
                                                           const TcxSchedulerDBStorage* storage) {
  std::unique_ptr<TcxSchedulerEventEditor> editor = cxEventEditorClass().Create(event, storage);
  editor->InitializeControls();
  editor->FormShow();
  return editor;
}

TcxEventEditorRegistration::TcxEventEditorRegistration(
    const TcxSchedulerEventEditorClass* editor_class)
    : installed_(editor_class), previous_(SetcxEventEditorClass(editor_class)) {}

TcxEventEditorRegistration::~TcxEventEditorRegistration() {
  // Only when no later installer took over in between.
  if (Installed() == installed_) SetcxEventEditorClass(previous_);
}

}  // namespace vireo
