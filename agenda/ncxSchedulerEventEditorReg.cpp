// Start-up of the agenda plug-in: its appointment editor becomes the
// scheduler's editor for the whole process while the library is loaded;
// the editor in force before comes back when it unloads.
#include "agenda/ncxSchedulerEventEditor.h"
#include "host/scheduler/editor_registry.h"

namespace vireo {
namespace {

const TcxSchedulerEventEditorClassOf<TncxSchedulerEventEditor> classe_editor(
    "TncxSchedulerEventEditor");
const TcxEventEditorRegistration registro_editor(&classe_editor);

}  // namespace
}  // namespace vireo
