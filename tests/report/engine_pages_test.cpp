// Page composition: breaks, page headers and their handler, forced page
// ends, the fit test, zebra stripes, and label changes between sections.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/core/exception.h"
#include "host/report/labels.h"
#include "host/report/render/composer.h"
#include "tests/report/report_test_support.h"

namespace vireo {
namespace {

using test::PrintRun;
using test::TestReport;
using Pairs = std::vector<std::pair<int, int>>;

// A report printing `lines` lines of section 10, with column headings
// (section 8) under every page header.
class PagesTest : public ::testing::Test {
 protected:
  PagesTest() : engine(test::TestLayout()), report(&engine) {}

  void HeadingsOnEveryPage() {
    engine.OnSectionPrint = [this](TObject* sender, int section) {
      EXPECT_EQ(sender, &engine);
      events.push_back(section);
      if (section == 1) engine.RepPrintSection(8);
    };
  }
  void Line(int i) {
    engine.SetValues("R1", "linha " + std::to_string(i));
    engine.RepPrintSection(10);
  }
  void Run(std::function<void(TestReport&)> body) {
    report.body = std::move(body);
    test::Print(engine, report, run);
  }

  TnrwReport engine;
  TestReport report;
  PrintRun run;
  std::vector<int> events;
};

// The expected trace of a page: header, headings, n lines, footer.
void ExpectPage(Pairs& out, int page, int lines) {
  out.emplace_back(page, 1);
  out.emplace_back(page, 8);
  for (int i = 0; i < lines; ++i) out.emplace_back(page, 10);
  out.emplace_back(page, 3);
}

TEST_F(PagesTest, SectionsThatDoNotFitGoToANewPageUnderItsHeader) {
  HeadingsOnEveryPage();
  Run([&](TestReport&) {
    for (int i = 1; i <= 30; ++i) Line(i);
  });
  Pairs expected;
  ExpectPage(expected, 1, 14);
  ExpectPage(expected, 2, 14);
  ExpectPage(expected, 3, 2);
  EXPECT_EQ(test::Sections(run.trace), expected);
  EXPECT_EQ(run.pages, 3);
  EXPECT_EQ(run.canvas.page_count, 3);
  // The handler hears of every section it prints too, and of each header.
  std::vector<int> heard;
  for (int page = 1; page <= 3; ++page) {
    heard.push_back(1);
    heard.push_back(8);
    for (int i = 0; i < (page < 3 ? 14 : 2); ++i) heard.push_back(10);
  }
  EXPECT_EQ(events, heard);
  // Line 15 opens page 2, after its header and headings.
  const test::Drawn* line15 = run.canvas.FindText("linha 15");
  ASSERT_NE(line15, nullptr);
  EXPECT_EQ(line15->page, 2);
  EXPECT_EQ(line15->box.top, 20 + 40 + 20);
}

TEST_F(PagesTest, FooterKnowsThePageCount) {
  Run([&](TestReport&) {
    for (int i = 1; i <= 2 * test::kLinesPerPage + 1; ++i) Line(i);
  });
  EXPECT_EQ(run.canvas.Texts(1).back(), "Página 1 de 3");
  EXPECT_EQ(run.canvas.Texts(3).back(), "Página 3 de 3");
  const test::Drawn* footer = run.canvas.FindText("Página 2 de 3");
  ASSERT_NE(footer, nullptr);
  EXPECT_EQ(footer->box.top, 400 - 20 - 20);  // at the bottom margin
}

TEST_F(PagesTest, ForcedPageEndPutsTheNextSectionOnANewPage) {
  HeadingsOnEveryPage();
  Run([&](TestReport&) {
    engine.RepEndOfPage(true);  // nothing printed yet: no empty page
    Line(1);
    Line(2);
    engine.RepEndOfPage(true);
    EXPECT_TRUE(engine.GetCSLIsPageEnd());
    Line(3);
    EXPECT_FALSE(engine.GetCSLIsPageEnd());
    engine.SetCSLIsPageEnd(true);
    engine.SetCSLIsPageEnd(true);  // asked twice, still one page end
    Line(4);
    engine.RepEndOfPage(true);  // at the very end: no trailing page
  });
  Pairs expected;
  ExpectPage(expected, 1, 2);
  ExpectPage(expected, 2, 1);
  ExpectPage(expected, 3, 1);
  EXPECT_EQ(test::Sections(run.trace), expected);
}

TEST_F(PagesTest, PageEndOnAPageWithOnlyHeadingsIsDropped) {
  // A handler that ends the page under every header would otherwise leave
  // pages holding nothing but headings.
  engine.OnSectionPrint = [&](TObject*, int section) {
    if (section == 1) {
      engine.RepPrintSection(8);
      engine.RepEndOfPage(true);
    }
  };
  Run([&](TestReport&) {
    Line(1);
    Line(2);
    engine.RepEndOfPage(true);
    Line(3);
  });
  Pairs expected;
  ExpectPage(expected, 1, 2);
  ExpectPage(expected, 2, 1);
  EXPECT_EQ(test::Sections(run.trace), expected);
}

TEST_F(PagesTest, CanPrintSectionAnswersFromTheRemainingHeight) {
  HeadingsOnEveryPage();
  Run([&](TestReport&) {
    // Before any page: a fresh page has 300 pixels under its header.
    EXPECT_TRUE(engine.CanPrintSection({11, 11, 11, 11, 11, 11, 11, 11, 11, 11}));
    EXPECT_FALSE(engine.CanPrintSection({12, 12, 12, 12}));
    for (int i = 1; i <= 12; ++i) Line(i);  // 40 pixels left
    EXPECT_TRUE(engine.CanPrintSection({10, 10}));
    EXPECT_FALSE(engine.CanPrintSection({10, 11}));
    EXPECT_DOUBLE_EQ(engine.RemainingHeight(), 40);
    Line(13);
    Line(14);
    EXPECT_FALSE(engine.CanPrintSection({10}));
    EXPECT_EQ(engine.PageNumber(), 1);
    engine.RepEndOfPage(true);  // a pending page end: answered for a new page
    EXPECT_TRUE(engine.CanPrintSection({10}));
    EXPECT_THROW(engine.CanPrintSection({10, 99}), Exception);
  });
}

TEST_F(PagesTest, HeadingsTallerThanThePageDoNotLoop) {
  TnLayout layout = test::TestLayout();
  for (TnSectionDef& s : layout.sections) {
    if (s.number == 8) s.height = 1000;
  }
  TnrwReport tall(std::move(layout));
  TestReport tall_report(&tall);
  int headers = 0;
  tall.OnSectionPrint = [&](TObject*, int section) {
    if (section == 1) {
      ++headers;
      tall.RepPrintSection(8);
    }
  };
  tall.BeginPrint();
  for (int i = 0; i < 3; ++i) tall.RepPrintSection(10);
  EXPECT_EQ(tall.PageNumber(), 3);  // one line per page, each page once
  EXPECT_EQ(headers, 3);
  tall.AbortPrint();
}

TEST_F(PagesTest, HandlerThatPrintsItsOwnSectionAgainIsStopped) {
  engine.OnSectionPrint = [&](TObject*, int section) {
    if (section == 10) engine.RepPrintSection(10);
  };
  engine.BeginPrint();
  try {
    engine.RepPrintSection(10);
    FAIL() << "the endless chain must be stopped";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("OnSectionPrint"), std::string::npos) << e.Message();
  }
}

TEST_F(PagesTest, UnknownSectionIsAnErrorNamingLayoutAndSection) {
  try {
    engine.RepPrintSection(99);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "test_layout.json: a seção 99 não existe no layout");
  }
}

// --- zebra ----------------------------------------------------------------

std::vector<double> ZebraTops(const test::RecordingCanvas& canvas, int page) {
  std::vector<double> tops;
  for (const test::Drawn& d : canvas.items) {
    if (d.what == "fill" && d.color == kZebraColor && d.page == page) tops.push_back(d.box.top);
  }
  return tops;
}

TEST_F(PagesTest, ZebraSectionsAlternateAndRestartOnEachPage) {
  report.zebra = {10, 11};
  Run([&](TestReport&) {
    for (int i = 1; i <= test::kLinesPerPage + 2; ++i) Line(i);
  });
  // Page 1: lines 2, 4, ... 14 are shaded; page 2 starts unshaded again.
  std::vector<double> page1;
  for (int i = 2; i <= 14; i += 2) page1.push_back(60 + (i - 1) * 20);
  EXPECT_EQ(ZebraTops(run.canvas, 1), page1);
  EXPECT_EQ(ZebraTops(run.canvas, 2), std::vector<double>{80});
}

TEST_F(PagesTest, TrocaCorSectionRestartsTheAlternation) {
  report.zebra = {10};
  report.troca_cor = {11};
  Run([&](TestReport&) {
    Line(1);
    Line(2);                     // shaded
    engine.RepPrintSection(11);  // restarts
    Line(3);
    Line(4);  // shaded
  });
  EXPECT_EQ(ZebraTops(run.canvas, 1), (std::vector<double>{80, 60 + 40 + 30 + 20}));
}

TEST_F(PagesTest, ReportCanTurnZebraOffInItsHandler) {
  report.zebra = {10};
  report.zebrar = false;
  Run([&](TestReport&) {
    for (int i = 1; i <= 4; ++i) Line(i);
  });
  EXPECT_TRUE(ZebraTops(run.canvas, 1).empty());
}

// --- label changes ------------------------------------------------------------

TEST_F(PagesTest, LabelChangesApplyToLaterSectionsOnly) {
  Run([&](TestReport&) {
    Line(1);
    TnpqLabel* r1 = engine.LabelByName("r1");
    ASSERT_NE(r1, nullptr);
    r1->SetFontStyle({fsBold, fsItalic});
    r1->SetFontSize(14);
    r1->SetLeft(50);
    r1->SetWidth(90);
    Line(2);
    r1->SetVisible(false);
    Line(3);
  });
  auto sections = test::Events(run.trace, "section");
  std::vector<nlohmann::json> lines;
  for (const auto& s : sections) {
    if (s["section"] == 10) lines.push_back(s["labels"]["R1"]);
  }
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0],
            nlohmann::json::parse(
                R"({"visible":true,"bold":false,"italic":false,"size":9,"left":0,"width":140})"));
  EXPECT_EQ(lines[1],
            nlohmann::json::parse(
                R"({"visible":true,"bold":true,"italic":true,"size":14,"left":50,"width":90})"));
  EXPECT_EQ(lines[2]["visible"], false);

  const test::Drawn* first = run.canvas.FindText("linha 1");
  const test::Drawn* second = run.canvas.FindText("linha 2");
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->box.left, 20);
  EXPECT_FALSE(first->font.bold);
  EXPECT_EQ(second->box.left, 70);
  EXPECT_TRUE(second->font.bold);
  EXPECT_EQ(second->font.size, 14);
  EXPECT_EQ(run.canvas.FindText("linha 3"), nullptr);  // hidden
}

TEST_F(PagesTest, GetObjectsListsEveryObjectWithItsSection) {
  int labels_of_10 = 0;
  for (int i = 0; i < engine.GetObjectCount(); ++i) {
    TnpqObject* obj = engine.GetObjects(i);
    if (Is<TnpqLabel>(obj) && obj->Section() == 10) {
      ++labels_of_10;
      static_cast<TnpqLabel*>(obj)->SetFontStyle({fsBold});
    }
  }
  EXPECT_EQ(labels_of_10, 2);
  EXPECT_TRUE(engine.LabelByName("R2")->FontStyle().Contains(fsBold));
  EXPECT_FALSE(engine.LabelByName("C1")->FontStyle().Contains(fsItalic));
  // A name the layout lacks, or names an object of another kind, is an
  // error naming the layout and the name, never a null object.
  struct Lookup {
    const char* own;  // the object of its kind in this layout
    std::function<void(const char*)> find;
  };
  const Lookup lookups[] = {
      {"R2", [&](const char* name) { engine.LabelByName(name); }},
      {"logoEmpresa", [&](const char* name) { engine.ImageByName(name); }},
      {"grafico", [&](const char* name) { engine.GraficoByName(name); }},
  };
  for (const Lookup& lookup : lookups) {
    for (const char* name : {"naoExiste", "R2", "logoEmpresa", "grafico"}) {
      if (std::string(name) == lookup.own) continue;
      try {
        lookup.find(name);
        ADD_FAILURE() << name << " was found";
      } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find(engine.Layout().file), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(std::string("\"") + name + "\""), std::string::npos)
            << e.what();
      }
    }
  }
  EXPECT_NE(engine.GraficoByName("grafico"), nullptr);
  EXPECT_NE(engine.ImageByName("LOGOEMPRESA"), nullptr);
  EXPECT_THROW(engine.GetObjects(engine.GetObjectCount()), Exception);
}

}  // namespace
}  // namespace vireo
