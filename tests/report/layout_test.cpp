// Reading layouts, and the messages that point an author at a mistake.
#include "host/report/layout.h"

#include <gtest/gtest.h>

#include <string>

#include "host/core/exception.h"
#include "tests/report/report_test_support.h"

namespace vireo {
namespace {

// The message of the error ParseLayout raises for `text`.
std::string ErrorOf(const std::string& text) {
  try {
    ParseLayout(text, "rptLedger.json");
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(no error)";
}

TEST(Layout, TestLayoutLoads) {
  TnLayout layout = test::TestLayout();
  EXPECT_EQ(layout.file, "test_layout.json");
  EXPECT_EQ(layout.title, "Relatório de teste");
  EXPECT_EQ(layout.page.width, 600);
  EXPECT_EQ(layout.page.margin_bottom, 20);
  ASSERT_EQ(layout.parameters.size(), 6u);
  EXPECT_EQ(layout.parameters[2].kind, TnParamKind::Choice);
  EXPECT_EQ(layout.parameters[2].items[1].text, "Tipo");
  EXPECT_TRUE(layout.parameters[5].hidden);
  ASSERT_NE(layout.FindSection(10), nullptr);
  EXPECT_EQ(layout.FindSection(10)->height, 20);
  EXPECT_EQ(layout.FindSection(9), nullptr);
  const TnObjectDef& title = layout.FindSection(1)->objects[0];
  EXPECT_EQ(title.source, TnLabelSource::Text);
  EXPECT_TRUE(title.font.bold);
  EXPECT_EQ(title.font.size, 12);
  // A label with neither text nor field shows the variable of its name.
  const TnObjectDef& r2 = layout.FindSection(10)->objects[1];
  EXPECT_EQ(r2.source, TnLabelSource::Variable);
  EXPECT_EQ(r2.text, "R2");
  EXPECT_EQ(r2.align, TnAlign::Right);
}

TEST(Layout, SectionsAreKeptInNumberOrder) {
  TnLayout layout = ParseLayout(R"({"sections": [
      {"number": 9, "height": 10}, {"number": 1, "height": 10}, {"number": 4, "height": 10}]})",
                                "x.json");
  ASSERT_EQ(layout.sections.size(), 3u);
  EXPECT_EQ(layout.sections[0].number, 1);
  EXPECT_EQ(layout.sections[2].number, 9);
}

TEST(Layout, PageSizesAndOrientation) {
  TnLayout layout = ParseLayout(
      R"({"page": {"size": "A4", "orientation": "landscape", "margins": {"left": 10}},
          "sections": []})",
      "x.json");
  EXPECT_EQ(layout.page.width, 1123);
  EXPECT_EQ(layout.page.height, 794);
  EXPECT_EQ(layout.page.margin_left, 10);
  EXPECT_EQ(layout.page.margin_top, 38);
}

TEST(LayoutErrors, TextThatDoesNotParseGivesLineAndColumn) {
  const std::string message = ErrorOf("{\n  \"sections\": [\n    {\"number\": 8,, }\n  ]\n}");
  EXPECT_EQ(message.rfind("rptLedger.json: linha 3, coluna 18: JSON inválido", 0), 0) << message;
}

// Found by fuzzing: a number beyond any double left the loader as a JSON
// library error without the file's name (and ended the fuzz target).
TEST(LayoutErrors, NumberTooLargeIsALayoutError) {
  const std::string message = ErrorOf(R"({"title": "x", "page": {"margins": 999999E99999999}})");
  EXPECT_EQ(message.rfind("rptLedger.json: JSON inválido (number overflow", 0), 0) << message;
}

TEST(LayoutErrors, SectionTwice) {
  EXPECT_EQ(ErrorOf(R"({"sections": [{"number": 8, "height": 10}, {"number": 8, "height": 12}]})"),
            "rptLedger.json: seção 8 aparece duas vezes");
}

TEST(LayoutErrors, LabelWithoutName) {
  EXPECT_EQ(ErrorOf(R"({"sections": [{"number": 1, "height": 10},
      {"number": 8, "height": 10, "objects": [{"kind": "line"}, {"kind": "label", "text": "x"}]}]})"),
            "rptLedger.json: sections[1].objects[1]: etiqueta sem nome");
}

TEST(LayoutErrors, EachMistakeNamesItsPlace) {
  struct Case {
    const char* json;
    const char* expected;
  } cases[] = {
      {R"({"sections": [{"number": 8, "height": 10, "objects": [{"kind": "lable", "name": "a"}]}]})",
       "rptLedger.json: sections[0].objects[0].kind: tipo de objeto desconhecido \"lable\" "
       "(label, line, box, image, chart)"},
      {R"({"sections": [{"number": 8, "height": 10, "objects": [{"name": "a", "widht": 3}]}]})",
       "rptLedger.json: sections[0].objects[0]: chave desconhecida \"widht\""},
      {R"({"sections": [{"number": 8, "height": 0}]})",
       "rptLedger.json: sections[0].height: a seção 8 precisa de altura maior que zero"},
      {R"({"sections": [{"height": 10}]})",
       "rptLedger.json: sections[0]: seção sem número inteiro (number)"},
      {R"({"parameters": [{"name": "p", "kind": "data"}], "sections": []})",
       "rptLedger.json: parameters[0].kind: tipo de parâmetro desconhecido \"data\" "
       "(text, date, integer, decimal, selection, yesno, choice)"},
      {R"({"sections": [{"number": 8, "height": 10, "objects": [
           {"name": "R1"}, {"name": "R2", "font": {"style": ["negrito"]}}]}]})",
       "rptLedger.json: sections[0].objects[1].font.style: estilo de fonte desconhecido "
       "\"negrito\""},
      {R"({"sections": [{"number": 8, "height": 10, "objects": [{"name": "R1"}]},
                        {"number": 9, "height": 10, "objects": [{"name": "R1"}]}]})",
       "rptLedger.json: o objeto R1 aparece duas vezes (seções 8 e 9)"},
      {R"({"title": "x"})", "rptLedger.json: falta a lista de seções (sections)"},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.json), c.expected) << c.json;
}

TEST(LayoutErrors, BadDefaultOfAParameter) {
  const std::string message = ErrorOf(
      R"({"parameters": [{"name": "pDataInicial", "kind": "date", "default": "32/01/2024"}],
          "sections": []})");
  EXPECT_EQ(message.rfind("rptLedger.json: parameters[0].default: ", 0), 0) << message;
  EXPECT_NE(message.find("32/01/2024"), std::string::npos) << message;
}

TEST(LayoutErrors, MissingFileIsNamed) {
  try {
    LoadLayout("/nonexistent/rptNada.json");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message().rfind("rptNada.json: ", 0), 0) << e.Message();
  }
}

}  // namespace
}  // namespace vireo
