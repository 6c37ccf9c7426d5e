// The accounting chart (PLANOESPEC) of each company: the accounts that the
// generated accounting entries debit and credit, by reduced code.
#include "db/demo_context.h"

namespace vireo::demo {

namespace {

struct LedgerRow {
  int code;
  const char* classification;
  const char* description;
};

// Rows whose classification has no "." below the second level are
// synthetic: the groups and subgroups.
const LedgerRow kLedger[] = {{1, "1", "ATIVO"},
                             {2, "1.1", "ATIVO CIRCULANTE"},
                             {11, "1.1.01", "Caixa"},
                             {12, "1.1.02", "Bancos Conta Movimento"},
                             {13, "1.1.03", "Aplicações Financeiras"},
                             {14, "1.1.04", "Duplicatas a Receber"},
                             {15, "1.1.05", "Adiantamentos a Fornecedores"},
                             {3, "1.2", "ATIVO NÃO CIRCULANTE"},
                             {16, "1.2.01", "Imobilizado"},
                             {4, "2", "PASSIVO"},
                             {5, "2.1", "PASSIVO CIRCULANTE"},
                             {21, "2.1.01", "Fornecedores"},
                             {22, "2.1.02", "Salários a Pagar"},
                             {23, "2.1.03", "Impostos a Recolher"},
                             {24, "2.1.04", "Empréstimos e Financiamentos"},
                             {6, "2.3", "PATRIMÔNIO LÍQUIDO"},
                             {25, "2.3.01", "Capital Social"},
                             {26, "2.3.02", "Lucros Acumulados"},
                             {7, "3", "RECEITAS"},
                             {8, "3.1", "RECEITAS OPERACIONAIS"},
                             {31, "3.1.01", "Receita de Serviços"},
                             {32, "3.1.02", "Receita de Vendas"},
                             {33, "3.1.03", "Receitas Financeiras"},
                             {34, "3.1.04", "Descontos Obtidos"},
                             {9, "4", "DESPESAS"},
                             {10, "4.1", "DESPESAS OPERACIONAIS"},
                             {41, "4.1.01", "Despesas com Pessoal"},
                             {42, "4.1.02", "Despesas Administrativas"},
                             {43, "4.1.03", "Despesas Comerciais"},
                             {44, "4.1.04", "Despesas Financeiras"},
                             {45, "4.1.05", "Descontos Concedidos"},
                             {46, "4.1.06", "Impostos e Taxas"},
                             {47, "4.1.07", "Juros Pagos"}};

bool IsSynthetic(const LedgerRow& row) {
  return std::string(row.classification).find('.', 2) == std::string::npos;
}

}  // namespace

void GenerateLedgerCharts(DemoContext& context) {
  TableWriter& ledger = context.Table(
      "PLANOESPEC", {"CODIGOEMPRESA", "CONTACTB", "CLASSIFCONTA", "DESCRCONTA", "TIPOCONTA"});
  for (const DemoCompany& company : context.Ids().companies) {
    std::vector<int>& accounts = context.Ids().ledger_accounts[company.code];
    for (const LedgerRow& row : kLedger) {
      bool synthetic = IsSynthetic(row);
      ledger.Insert(
          {company.code, row.code, row.classification, row.description, synthetic ? 1 : 2});
      if (!synthetic) accounts.push_back(row.code);
    }
  }
}

}  // namespace vireo::demo
