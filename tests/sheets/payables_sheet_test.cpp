// The payables listing printed as XLSX on a small database, read back: each
// title's amount is a number equal to the trace's, the amounts of the titles
// sum to the report's total, and the column headings the listing repeats
// under every page header stand once at the top of the sheet.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/payables/payables_test_support.h"
#include "tests/support/xlsx_reader.h"

namespace vireo::test {
namespace {

enum Secao { kLinhaFornecedor = 9, kTotalGeral = 16 };

// "1.234,50" as a number.
double Numero(const std::string& texto) {
  std::string limpo;
  for (char c : texto) {
    if (c == '.') continue;
    limpo += c == ',' ? '.' : c;
  }
  return std::stod(limpo);
}

class PayablesSheetTest : public PayablesDbTest {
 protected:
  // 70 open titles of two suppliers, enough for more than one page.
  void Titulos() {
    for (int i = 1; i <= 70; ++i) {
      Pagar({.cab = i,
             .pessoa = i % 3 == 0 ? 102 : 101,
             .documento = "NF " + std::to_string(1000 + i),
             .emissao = Dia(2026, 1, 2),
             .vencimento = Dia(2026, 1, 1 + i % 28),
             .valor = 100 + i * 12.35,
             .saldo = 100 + i * 12.35,
             .situacao = 1});
    }
  }

  std::vector<XlsxSheet> Planilha(TracePrint& print) {
    Commit();
    TnPrintSession session(ReportPlugin::Get(PluginDir(), "rptPayables"),
                           LoadLayout(PluginDir() + "/rptPayables.json"),
                           RunVia::kConfiguredInstance);
    for (const auto& [name, value] : std::map<std::string, std::string>{
             {"pDataInicial", "01/01/2026"}, {"pDataFinal", "31/01/2026"}, {"pModelo", "1"}}) {
      session.SetParameter(name, value);
    }
    const std::string trace = TracePath();
    session.Print({.trace = trace, .xlsx = trace + ".xlsx"});
    ReadPrint(print, session.Engine(), trace);
    return ReadXlsx(trace + ".xlsx");
  }
};

TEST_F(PayablesSheetTest, AmountsAreTheTracesAndSumToTheTotalUnderOneHeading) {
  Titulos();
  TracePrint print;
  const std::vector<XlsxSheet> sheets = Planilha(print);
  ASSERT_GT(print.pages, 1);
  ASSERT_EQ(sheets.size(), 1u);
  const XlsxSheet& sheet = sheets[0];

  int documento = -1, valor = -1, cabecalhos = 0;
  for (const auto& [r, cells] : sheet.rows) {
    for (const auto& [c, cell] : cells) {
      if (cell.text == "Documento") documento = c, ++cabecalhos;
      if (cell.text == "Valor") valor = c;
    }
  }
  EXPECT_EQ(cabecalhos, 1);
  ASSERT_GE(documento, 0);
  ASSERT_GE(valor, 0);

  const std::vector<json> linhas = print.Of(kLinhaFornecedor);
  ASSERT_EQ(linhas.size(), 70u);
  size_t linha = 0;
  double soma = 0;
  for (const auto& [r, cells] : sheet.rows) {
    if (linha == linhas.size()) break;
    if (sheet.Text(r, documento) != Var(linhas[linha], "R1")) continue;
    const XlsxCell* cell = sheet.At(r, valor);
    ASSERT_NE(cell, nullptr) << "row " << r;
    EXPECT_TRUE(cell->number) << "row " << r << ": " << cell->text;
    EXPECT_DOUBLE_EQ(cell->value, Numero(Var(linhas[linha], "R5"))) << "row " << r;
    soma += cell->value;
    ++linha;
  }
  EXPECT_EQ(linha, linhas.size()) << "titles missing from the sheet";
  EXPECT_NEAR(soma, Numero(Var(print.Of(kTotalGeral).at(0), "R5")), 0.005);
}

}  // namespace
}  // namespace vireo::test
