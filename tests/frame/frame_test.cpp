// The plug-in frame: ClassDll and Imprimir, exercised in-process with the
// probe report linked in, so instance counts can be observed.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "frame/nrwBaseDllReg.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/report/engine.h"
#include "host/report/layout.h"
#include "tests/frame/probe/probe_report.h"

namespace vireo {
namespace {

std::string ProbeLayout() {
  return std::string(VIREO_FRAME_TEST_DIR) + "/probe/rptFrameProbe.json";
}

std::string MessageOf(void* engine) {
  try {
    Imprimir(engine);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(no error)";
}

TEST(Frame, NullEngineIsRefusedBeforeAnyInstance) {
  ProbeCounters before = ProbeCountersOf();
  EXPECT_EQ(MessageOf(nullptr), "Erro: Endereço: 00000000 nao é de relatório.");
  EXPECT_EQ(ProbeCountersOf().created, before.created);
}

TEST(Frame, AnObjectOfAnotherClassIsRefusedWithItsAddress) {
  TnpqPowerParam not_an_engine;
  TObject* object = &not_an_engine;
  ProbeCounters before = ProbeCountersOf();
  std::string hex = IntToHex(static_cast<int64_t>(reinterpret_cast<uintptr_t>(object)), 8);
  EXPECT_GE(hex.size(), 8u);
  EXPECT_EQ(hex.find_first_of("abcdef"), std::string::npos);
  EXPECT_EQ(MessageOf(object), "Erro: Endereço: " + hex + " nao é de relatório.");
  EXPECT_EQ(ProbeCountersOf().created, before.created);
}

TEST(Frame, ClassDllNeverCreatesAnInstance) {
  ProbeCounters before = ProbeCountersOf();
  TnrwBaseDllClass* first = ClassDll();
  ASSERT_NE(first, nullptr);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(ClassDll(), first);
  EXPECT_EQ(first->ClassName(), "TrptFrameProbe");
  EXPECT_EQ(ProbeCountersOf().created, before.created);
}

TEST(Frame, ABodyThatRaisesHasItsInstanceFreedAndTheErrorPassedOn) {
  TnrwReport engine(LoadLayout(ProbeLayout()));
  engine.SetValues("pFalhar", "1");
  ProbeCounters before = ProbeCountersOf();
  EXPECT_EQ(MessageOf(static_cast<TObject*>(&engine)), "falha proposital do relatório");
  EXPECT_EQ(ProbeCountersOf().created, before.created + 1);
  EXPECT_EQ(ProbeCountersOf().destroyed, before.destroyed + 1);

  engine.SetValues("pFalhar", "0");
  engine.SetValues("pErroParam", "1");
  try {
    Imprimir(static_cast<TObject*>(&engine));
    FAIL();
  } catch (const EnParam& e) {  // the very kind the body raised
    EXPECT_EQ(e.ParamName(), "pLinhas");
  }
  EXPECT_EQ(ProbeCountersOf().destroyed, before.destroyed + 2);
}

TEST(Frame, EachPrintHasItsOwnInstance) {
  TnrwReport engine(LoadLayout(ProbeLayout()));
  engine.SetValues("pLinhas", "1");
  ProbeCounters before = ProbeCountersOf();
  for (int i = 0; i < 2; ++i) {
    Imprimir(static_cast<TObject*>(&engine));
    EXPECT_EQ(engine.GetValues("pMarcaAnterior"), "") << "print " << i + 1;
  }
  EXPECT_EQ(ProbeCountersOf().created, before.created + 2);
  EXPECT_EQ(ProbeCountersOf().destroyed, before.destroyed + 2);
}

}  // namespace
}  // namespace vireo
