// The scheduler's editor class over the agenda plug-in's life: the base
// editor before it loads, the agenda's while it is loaded, the base again
// after it unloads.  A program of its own: every other agenda test keeps
// the plug-in loaded to the end.
#include <gtest/gtest.h>

#include <memory>

#include "host/report/loaded_plugin.h"
#include "host/scheduler/editor_registry.h"
#include "host/scheduler/event_storage.h"

namespace vireo {
namespace {

std::string ClasseAberta() {
  TcxSchedulerEvent evento;
  TcxSchedulerDBStorage storage;
  std::unique_ptr<TcxSchedulerEventEditor> editor = cxEventEditorClass().Create(evento, &storage);
  return editor->ClassName();
}

TEST(EditorRegistrationTest, ThePluginsEditorHoldsWhileItIsLoaded) {
  EXPECT_EQ(cxEventEditorClass().ClassName(), "TcxSchedulerEventEditor");
  EXPECT_EQ(ClasseAberta(), "TcxSchedulerEventEditor");
  {
    auto plugin = TnLoadedPlugin::Open(std::string(VIREO_PLUGIN_DIR) + "/librptUserAgenda.so",
                                       TnUnload::kWhenReleased);
    EXPECT_EQ(cxEventEditorClass().ClassName(), "TncxSchedulerEventEditor");
    EXPECT_EQ(ClasseAberta(), "TncxSchedulerEventEditor");
  }
  EXPECT_EQ(cxEventEditorClass().ClassName(), "TcxSchedulerEventEditor");
  EXPECT_EQ(ClasseAberta(), "TcxSchedulerEventEditor");
}

}  // namespace
}  // namespace vireo
