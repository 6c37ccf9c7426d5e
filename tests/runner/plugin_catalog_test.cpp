// The plug-in catalogue and loaded plug-ins: which file a report name, a
// path or a layout variant means, what the user may have misspelt (EUsage)
// against what is broken (Exception), and one library per path.
#include "host/report/plugin_catalog.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/core/exception.h"
#include "host/report/base_dll.h"
#include "host/report/loaded_plugin.h"
#include "tests/runner/runner_test_support.h"

namespace vireo::test {
namespace {

using Names = std::vector<std::string>;

Names FileNames(const std::vector<std::string>& paths) {
  Names out;
  for (const std::string& p : paths) out.push_back(fs::path(p).filename().string());
  return out;
}

// The message of the EUsage that `f` raises ("" when it raises none).
template <class F>
std::string UsageMessage(F f) {
  try {
    f();
  } catch (const EUsage& e) {
    return e.Message();
  }
  return "";
}

class CatalogTest : public ScratchTest {};

TEST_F(CatalogTest, ListsEachDeliverableOnceWithTheDefaultLayoutFirst) {
  const fs::path a = CopyProbe("a", "rptB", {"rptB.z.json", "rptB.json", "rptB.a.json"});
  CopyProbe("a", "rptA", {});
  const fs::path b = CopyProbe("b", "rptB", {"rptB.json"});
  CopyProbe("b", "rptC", {"rptC.json"});
  fs::copy_file(ProbeLayout(), a / "nota.json");  // no plug-in of that name

  const std::vector<TnPluginInfo> list = TnPluginCatalog({a.string(), b.string()}).List();
  Names names;
  for (const TnPluginInfo& p : list) names.push_back(p.name);
  EXPECT_EQ(names, (Names{"rptA", "rptB", "rptC"}));
  EXPECT_TRUE(list[0].layouts.empty());
  EXPECT_EQ(list[1].path, (a / "librptB.so").string());  // the first directory wins
  EXPECT_EQ(FileNames(list[1].layouts), (Names{"rptB.json", "rptB.a.json", "rptB.z.json"}));
}

TEST_F(CatalogTest, ResolvesANameInDirectoryOrderAndAPathAsItIs) {
  const fs::path a = CopyProbe("a", "rptX", {"rptX.json"});
  const fs::path b = CopyProbe("b", "rptX", {"rptX.json"});
  const TnPluginCatalog catalog({(dir_ / "nada").string(), b.string(), a.string()});
  EXPECT_EQ(catalog.Resolve("rptX").path, (b / "librptX.so").string());

  const TnPluginInfo by_path = catalog.Resolve((a / "librptX.so").string());
  EXPECT_EQ(by_path.name, "rptX");
  EXPECT_EQ(by_path.path, (a / "librptX.so").string());
  EXPECT_EQ(FileNames(by_path.layouts), (Names{"rptX.json"}));

  // A relative path is taken from the working directory, not the catalogue.
  const fs::path cwd = fs::current_path();
  fs::current_path(a);
  EXPECT_EQ(TnPluginCatalog(Names{}).Resolve("librptX.so").path, (a / "librptX.so").string());
  fs::current_path(cwd);
}

TEST_F(CatalogTest, WhatCannotBeFoundIsAUsageError) {
  const fs::path a = CopyProbe("a", "rptX", {"rptX.json"});
  const TnPluginCatalog catalog({a.string()});
  EXPECT_EQ(UsageMessage([&] { catalog.Resolve("rptY"); }),
            "Relatório desconhecido: rptY (veja `vireo list`)");
  EXPECT_EQ(UsageMessage([&] { catalog.Resolve((a / "librptY.so").string()); }),
            "Plug-in não encontrado: " + (a / "librptY.so").string());
  EXPECT_EQ(UsageMessage([&] { catalog.Resolve("rptX").Layout("movcaixa"); }),
            "Layout não encontrado: movcaixa (relatório rptX)");
}

TEST_F(CatalogTest, ALayoutIsAVariantAFileNameBesideThePluginOrAPath) {
  const fs::path a = CopyProbe("a", "rptX", {"rptX.json", "rptX.movcaixa.json", "outro.json"});
  const TnPluginInfo info = TnPluginCatalog({a.string()}).Resolve("rptX");
  EXPECT_EQ(info.Layout(), (a / "rptX.json").string());
  EXPECT_EQ(info.Layout("movcaixa"), (a / "rptX.movcaixa.json").string());
  EXPECT_EQ(info.Layout("rptX.movcaixa.json"), (a / "rptX.movcaixa.json").string());
  EXPECT_EQ(info.Layout("outro"), (a / "outro.json").string());
  EXPECT_EQ(info.Layout(ProbeLayout()), ProbeLayout());
}

TEST_F(CatalogTest, APluginWithoutLayoutsIsBrokenRatherThanMisnamed) {
  const fs::path a = CopyProbe("a", "rptX", {});
  const TnPluginInfo info = TnPluginCatalog({a.string()}).Resolve("rptX");
  try {
    info.Layout();
    FAIL() << "a layout was found";
  } catch (const EUsage&) {
    FAIL() << "reported as misuse";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "O relatório rptX não tem layout em " + a.string());
  }
}

TEST_F(CatalogTest, HostDirectoriesArePathThenBesideTheProgramThenInstalled) {
  const char* before = std::getenv("VIREO_PLUGIN_PATH");
  const std::string saved = before != nullptr ? before : "";
  ASSERT_EQ(setenv("VIREO_PLUGIN_PATH", "/um::/dois:", 1), 0);
  const Names dirs = TnPluginCatalog::HostDirectories();
  unsetenv("VIREO_PLUGIN_PATH");
  const size_t without = TnPluginCatalog().Directories().size();
  if (before != nullptr) setenv("VIREO_PLUGIN_PATH", saved.c_str(), 1);
  ASSERT_EQ(dirs.size(), 4u);
  EXPECT_EQ(dirs[0], "/um");
  EXPECT_EQ(dirs[1], "/dois");
  const fs::path program = fs::read_symlink("/proc/self/exe").parent_path();
  EXPECT_EQ(dirs[2], (program / ".." / "plugins").lexically_normal().string());
  EXPECT_EQ(fs::path(dirs[3]).filename(), "plugins");
  EXPECT_EQ(without, 2u);
}

class LoadedPluginTest : public ScratchTest {};

TEST_F(LoadedPluginTest, OnePluginPerFileWhileItIsHeld) {
  const auto first = TnLoadedPlugin::Open(ProbePlugin());
  const fs::path dir = fs::path(ProbePlugin()).parent_path();
  const auto again =
      TnLoadedPlugin::Open((dir / "." / fs::path(ProbePlugin()).filename()).string());
  EXPECT_EQ(first.get(), again.get());
  EXPECT_EQ(first->ClassDll(), again->ClassDll());
  EXPECT_EQ(first->ClassDll()->ClassName(), "TrptFrameProbe");

  // A copy elsewhere is another library, with its own class.
  const auto copy =
      TnLoadedPlugin::Open((CopyProbe("a", "rptCopia", {}) / "librptCopia.so").string());
  EXPECT_NE(copy.get(), first.get());
  EXPECT_NE(copy->ClassDll(), first->ClassDll());
}

TEST_F(LoadedPluginTest, ALibraryThatIsNoReportOrNoLibraryIsNamed) {
  try {
    TnLoadedPlugin::Open(VIREO_NOT_A_REPORT);
    FAIL();
  } catch (const EUsage&) {
    FAIL() << "reported as misuse";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), std::string("O arquivo ") + VIREO_NOT_A_REPORT +
                               " não é um plug-in de relatório (faltam ClassDll e Imprimir)");
  }
  const std::string junk = (dir_ / "libLixo.so").string();
  std::ofstream(junk) << "não é uma biblioteca";
  try {
    TnLoadedPlugin::Open(junk);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message().rfind("Não foi possível carregar o plug-in " + junk + ": ", 0), 0u)
        << e.Message();
  }
}

}  // namespace
}  // namespace vireo::test
