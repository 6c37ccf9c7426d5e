// The ledger and the trial balance printed as XLSX and CSV on small
// databases, read back as a spreadsheet program reads them: the figures of
// the trace as numbers, columns that sum to the report's totals, the header
// once at the top, a sheet per company.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/balances/trial_balance_test_support.h"
#include "tests/support/xlsx_reader.h"

namespace vireo::test {
namespace {

// A printed amount as the bookkeeper reads it: "1.500,00C" and "(5,00)"
// negative.
double Valor(std::string texto) {
  double sinal = 1;
  if (texto.find('(') != std::string::npos || texto.find('C') != std::string::npos) sinal = -1;
  std::string digitos;
  for (char c : texto) {
    if (c >= '0' && c <= '9') digitos += c;
    if (c == ',') digitos += '.';
  }
  return sinal * std::stod(digitos);
}

struct SheetPrint : TracePrint {
  std::vector<XlsxSheet> sheets;
  std::string csv;
};

class SheetReportTest : public BalanceDbTest {
 protected:
  void SetUp() override {
    BalanceDbTest::SetUp();
    Basico();
  }

  SheetPrint Imprimir(const std::string& deliverable,
                      const std::map<std::string, std::string>& params, char decimal = 0) {
    Commit();
    TnPrintSession session(BalancePlugin::Get(deliverable),
                           LoadLayout(BalancePluginDir() + "/" + deliverable + ".json"),
                           RunVia::kInstance);
    SetMarch2024(session.Engine());
    SetParams(session.Engine(), params);
    const std::string trace = TracePath();
    const std::string xlsx = trace + ".xlsx", csv = trace + ".csv";
    session.Print({.trace = trace, .xlsx = xlsx, .csv = csv, .csv_decimal = decimal});
    SheetPrint print;
    ReadPrint(print, session.Engine(), trace);
    print.sheets = ReadXlsx(xlsx);
    std::ifstream in(csv, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    print.csv = text.str();
    return print;
  }

  // The column whose cell in the heading row reads `heading`.
  static int Coluna(const XlsxSheet& sheet, const std::string& heading) {
    for (const auto& [r, cells] : sheet.rows) {
      for (const auto& [c, cell] : cells) {
        if (cell.text == heading) return c;
      }
    }
    ADD_FAILURE() << "no column " << heading;
    return -1;
  }
  // How many cells of the sheet read `text`.
  static int Vezes(const XlsxSheet& sheet, const std::string& text) {
    int n = 0;
    for (const auto& [r, cells] : sheet.rows) {
      for (const auto& [c, cell] : cells) n += cell.text == text;
    }
    return n;
  }
};

class LedgerSheetTest : public SheetReportTest {
 protected:
  // Caixa Geral (debit nature) opens with 1.000,00 and takes 60 entries in
  // March, enough for a second page; Fornecedores (credit nature) two.
  void Movimentos() {
    Movimentar(1, 11, Dia(2024, 2, 10), 1, 1000);
    for (int i = 0; i < 60; ++i) {
      Movimentar(1, 11, Dia(2024, 3, 1 + i % 28), i % 3 == 0 ? -1 : 1, 10.25 + i);
    }
    Movimentar(1, 21, Dia(2024, 3, 7), -1, 50);
    Movimentar(1, 21, Dia(2024, 3, 8), 1, 20.5);
  }
};

TEST_F(LedgerSheetTest, NumbersAreTheTracesFiguresAndDebitsSumToTheAccountTotal) {
  Movimentos();
  const SheetPrint print = Imprimir("rptLedger", {});
  ASSERT_GE(print.pages, 2);
  ASSERT_EQ(print.sheets.size(), 1u);
  const XlsxSheet& sheet = print.sheets[0];
  EXPECT_EQ(sheet.name, "Razão");  // the layout's title

  // The header once, frozen above the table; no footers.
  EXPECT_EQ(Vezes(sheet, "Razão"), 1);
  EXPECT_EQ(sheet.Text(0, 0), "Razão");
  EXPECT_EQ(sheet.frozen_rows, 2);  // title, period (companies together: no company line)
  for (const auto& [r, cells] : sheet.rows) {
    for (const auto& [c, cell] : cells) EXPECT_EQ(cell.text.find("Página"), std::string::npos);
  }

  const int debito = Coluna(sheet, "Débito"), credito = Coluna(sheet, "Crédito"),
            saldo = Coluna(sheet, "Saldo");
  // Every entry line of the trace is a row whose cells hold its figures:
  // the rows below the header that start with a date, but the opening
  // balances.
  std::vector<json> linhas = print.Of(8);
  std::vector<const std::map<int, XlsxCell>*> entradas;
  for (const auto& [r, cells] : sheet.rows) {
    auto data = cells.find(0);
    auto historico = cells.find(1);
    if (r < sheet.frozen_rows || data == cells.end() || data->second.format != "dd/mm/yyyy")
      continue;
    if (historico != cells.end() && historico->second.text == "Saldo anterior") continue;
    entradas.push_back(&cells);
  }
  ASSERT_EQ(entradas.size(), linhas.size());
  double soma_debito_caixa = 0;
  for (size_t i = 0; i < linhas.size(); ++i) {
    SCOPED_TRACE(i);
    const auto& cells = *entradas[i];
    EXPECT_DOUBLE_EQ(cells.at(saldo).value, Valor(Var(linhas[i], "R8")));
    EXPECT_TRUE(cells.at(saldo).number);
    if (!Var(linhas[i], "R6").empty()) {
      EXPECT_DOUBLE_EQ(cells.at(debito).value, Valor(Var(linhas[i], "R6")));
      if (i < 60) soma_debito_caixa += cells.at(debito).value;
    } else {
      EXPECT_DOUBLE_EQ(cells.at(credito).value, Valor(Var(linhas[i], "R7")));
    }
  }
  // A credit account's balance sits on the credit side: negative, shown with C.
  const auto& ultima = *entradas.back();
  EXPECT_LT(ultima.at(saldo).value, 0);
  EXPECT_EQ(ultima.at(saldo).format, "#,##0.00\"D\";#,##0.00\"C\"");

  // The account's total row sums the debit column of its entries.
  const int total = sheet.FindRow("Totais da conta");
  ASSERT_GE(total, 0);
  EXPECT_NEAR(sheet.At(total, debito)->value, soma_debito_caixa, 0.005);
  EXPECT_TRUE(sheet.At(total, debito)->bold);
}

TEST_F(LedgerSheetTest, CsvHasTheSameTableWithPlainNumbersAndTheChosenDecimalMark) {
  Movimentar(1, 11, Dia(2024, 3, 5), 1, 1234.5, {.historico = "Nota; \"aspas\""});
  const SheetPrint br = Imprimir("rptLedger", {{"pConta", "11"}});
  ASSERT_EQ(br.csv.rfind("\xEF\xBB\xBF", 0), 0u) << "byte-order mark";
  EXPECT_NE(br.csv.find("Razão"), std::string::npos);
  EXPECT_NE(br.csv.find(";1234,5;"), std::string::npos) << br.csv;
  EXPECT_EQ(br.csv.find("1.234,50"), std::string::npos);
  EXPECT_NE(br.csv.find("05/03/2024;"), std::string::npos);
  // The history is text, quoted for its separator and quotes.
  EXPECT_NE(br.csv.find("\"Movimento - Nota; \"\"aspas\"\"\""), std::string::npos) << br.csv;

  const SheetPrint us = Imprimir("rptLedger", {{"pConta", "11"}}, '.');
  EXPECT_NE(us.csv.find(",1234.5,"), std::string::npos) << us.csv;
  EXPECT_NE(us.csv.find(",\"Movimento - Nota; \"\"aspas\"\"\","), std::string::npos) << us.csv;
}

class TrialBalanceSheetTest : public SheetReportTest {
 protected:
  void Movimentos() {
    Movimentar(1, 11, Dia(2024, 2, 10), 1, 1000);
    Movimentar(1, 11, Dia(2024, 3, 5), 1, 234.5);
    Movimentar(1, 12, Dia(2024, 3, 6), -1, 1234.5);
    Movimentar(1, 21, Dia(2024, 3, 7), -1, 50);
    Movimentar(2, 11, Dia(2024, 3, 8), 1, 10);
  }
};

TEST_F(TrialBalanceSheetTest, ASheetPerCompanyWhoseClosingBalancesSumToTheGroupTotals) {
  Movimentos();
  const SheetPrint print = Imprimir("rptTrialBalance", {{"pTipoBalancete", "1"}});
  ASSERT_EQ(print.sheets.size(), 2u);
  EXPECT_EQ(print.sheets[0].name, "0001 Empresa Um Ltda");
  EXPECT_EQ(print.sheets[1].name, "0002 Empresa Dois S.A.");

  size_t linha = 0;
  const std::vector<json> linhas = print.Of(8);
  for (const XlsxSheet& sheet : print.sheets) {
    SCOPED_TRACE(sheet.name);
    EXPECT_EQ(Vezes(sheet, "Balancete"), 1);
    EXPECT_EQ(Vezes(sheet, "Saldo atual"), 1);
    EXPECT_EQ(sheet.frozen_rows, 4);  // title, company, period, column headings
    const int conta = Coluna(sheet, "Conta"), atual = Coluna(sheet, "Saldo atual"),
              anterior = Coluna(sheet, "Saldo anterior"), movimento = Coluna(sheet, "Movimento");
    double analiticas = 0, grupos = 0;
    for (int r = sheet.frozen_rows; sheet.rows.count(r); ++r, ++linha) {
      ASSERT_LT(linha, linhas.size());
      const json& e = linhas[linha];
      EXPECT_EQ(sheet.At(r, conta)->value, std::stod(Var(e, "R1")));
      EXPECT_DOUBLE_EQ(sheet.At(r, atual)->value, Valor(Var(e, "R7")));
      EXPECT_DOUBLE_EQ(sheet.At(r, anterior)->value, Valor(Var(e, "R4")));
      EXPECT_DOUBLE_EQ(sheet.At(r, movimento)->value, Valor(Var(e, "R8")));
      EXPECT_EQ(sheet.At(r, atual)->format, "#,##0.00_);(#,##0.00)");
      const bool sintetica = Var(e, "R2") == "S";
      EXPECT_EQ(sheet.At(r, atual)->bold, sintetica);
      const bool grupo = Var(e, "R1") == "1" || Var(e, "R1") == "3";  // ATIVO, PASSIVO
      if (!sintetica) analiticas += sheet.At(r, atual)->value;
      if (grupo) grupos += sheet.At(r, atual)->value;
    }
    EXPECT_NEAR(analiticas, grupos, 0.005);
  }
  EXPECT_EQ(linha, linhas.size());
}

}  // namespace
}  // namespace vireo::test
