// The trace: its events and every field of them, read back as JSON.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "host/report/chart.h"
#include "host/report/image.h"
#include "tests/report/report_test_support.h"

namespace vireo {
namespace {

using nlohmann::json;

class TraceTest : public ::testing::Test {
 protected:
  TraceTest() : engine(test::TestLayout()), report(&engine) {}
  std::vector<json> Finish() {
    engine.EndPrint();
    return test::ReadTrace(dir / "t.jsonl");
  }
  test::ScratchDir dir;
  TnrwReport engine;
  test::TestReport report;
};

TEST_F(TraceTest, EveryEventFieldByField) {
  engine.MsgConfigurar({"Mensagem"}, 0);
  engine.MsgMensagem(1, "Existe um filtro para lançamentos ativo.");  // before the print
  engine.ImageByName("logoEmpresa")->SetImage(std::string("\x89PNG\r\n\x1a\n\0", 9));
  engine.BeginPrint({.trace = dir / "t.jsonl"});
  engine.SetValues("R1", "um");
  engine.SetValues("R2", "ação");
  engine.RepPrintSection(10);
  TnpqChart* chart = engine.GraficoByName("grafico");
  chart->Series(0)->Clear();
  chart->Series(0)->SetValueFormat("##,###,##0.00");
  chart->Series(0)->AddPoint(1500.5, "Saldo Anterior");
  chart->Series(0)->AddPoint(-2, "02/01/2024");
  chart->Series(1)->AddPoint(0, "");
  engine.RepPrintSection(12);
  engine.MsgMensagem(4, "nota");
  const std::vector<json> trace = Finish();

  ASSERT_EQ(trace.size(), 9u);
  EXPECT_EQ(trace[0], json::parse(R"({"event":"message","kind":1,
                                      "text":"Existe um filtro para lançamentos ativo."})"));
  EXPECT_EQ(trace[1], json::parse(R"({"event":"image","name":"logoEmpresa","bytes":9})"));
  EXPECT_EQ(trace[2], json::parse(R"({"event":"page","page":1})"));

  const json& header = trace[3];
  EXPECT_EQ(header["event"], "section");
  EXPECT_EQ(header["page"], 1);
  EXPECT_EQ(header["section"], 1);
  EXPECT_EQ(header["labels"], json::parse(R"({
      "lblTitulo": {"visible":true,"bold":true,"italic":false,"size":12,"left":0,"width":280},
      "pNomeEmpresa": {"visible":true,"bold":false,"italic":false,"size":9,"left":280,
                       "width":280}})"));

  const json& line = trace[4];
  EXPECT_EQ(line["section"], 10);
  EXPECT_EQ(line["vars"], json::parse(R"({
      "pDataInicial":"01/01/2024","pCodigoEscrit":"","pOrdenar":"0","pImpSintetica":"0",
      "pLimite":"","pEhRelMovCaixa":"1","pNomeEmpresa":"","C1":"","C2":"","R1":"um",
      "R2":"ação","pTotal":"","R9":""})"));
  EXPECT_EQ(line["labels"].size(), 2u);
  EXPECT_EQ(line["labels"]["R2"]["left"], 350);

  EXPECT_EQ(trace[5]["section"], 12);
  EXPECT_EQ(trace[5]["labels"], json::object());  // a chart and an image, no label
  EXPECT_EQ(trace[6], json::parse(R"({"event":"chart","section":12,"name":"grafico",
      "series":[[["Saldo Anterior",1500.5],["02/01/2024",-2]],[["",0]]]})"));
  EXPECT_EQ(trace[7], json::parse(R"({"event":"message","kind":4,"text":"nota"})"));
  EXPECT_EQ(trace[8]["section"], 3);  // the footer closes the page
}

TEST_F(TraceTest, VarsFollowTheCollectionInOrderAndKeepNewVariables) {
  engine.BeginPrint({.trace = dir / "t.jsonl"});
  engine.RepPrintSection(10);
  engine.SetValues("pNovaVariavel", "x");
  engine.SetValues("R1", "dois");
  engine.RepPrintSection(10);
  const std::vector<json> trace = Finish();
  std::ifstream in(dir / "t.jsonl");
  std::string text;
  for (int i = 0; i < 4 && std::getline(in, text);) ++i;  // page, 1, 10, 10
  const auto second = nlohmann::ordered_json::parse(text)["vars"];
  std::vector<std::string> keys;
  for (const auto& item : second.items()) keys.push_back(item.key());
  EXPECT_EQ(keys.front(), "pDataInicial");
  EXPECT_EQ(keys.back(), "pNovaVariavel");
  EXPECT_EQ(second["R1"], "dois");
  EXPECT_EQ(trace[2]["vars"].count("pNovaVariavel"), 0u);
}

TEST_F(TraceTest, TextsAreEscapedSoEveryLineParses) {
  engine.BeginPrint({.trace = dir / "t.jsonl"});
  engine.SetValues("R1", "a \"q\"\\\n\tb\x01");
  engine.SetValues("R2", "bad \xff utf8 \xc3");
  engine.RepPrintSection(10);
  const std::vector<json> trace = Finish();
  EXPECT_EQ(trace[2]["vars"]["R1"], "a \"q\"\\\n\tb\x01");
  EXPECT_EQ(trace[2]["vars"]["R2"], "bad \xEF\xBF\xBD utf8 \xEF\xBF\xBD");
}

TEST_F(TraceTest, IsWrittenWhileThePrintGoes) {
  engine.BeginPrint({.trace = dir / "t.jsonl"});
  for (int i = 0; i <= test::kLinesPerPage; ++i) engine.RepPrintSection(10);  // opens page 2
  // The trace is still under its temporary name, holding page 1 already.
  std::string temp;
  for (const std::string& name : dir.Entries()) {
    if (name.rfind(".t.jsonl.", 0) == 0) temp = dir / name;
  }
  ASSERT_FALSE(temp.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "t.jsonl"));
  const std::vector<json> partial = test::ReadTrace(temp);
  ASSERT_GE(partial.size(), 2u + test::kLinesPerPage);
  EXPECT_EQ(partial.back(), json::parse(R"({"event":"page","page":2})"));
  Finish();
  EXPECT_TRUE(std::filesystem::exists(dir / "t.jsonl"));
}

}  // namespace
}  // namespace vireo
