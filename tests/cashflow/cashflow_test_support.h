// Helpers of the cash-flow tests: a small database made by hand per test
// (companies, current accounts with limits, persons, cash entries with
// their settlements, open titles), the three plug-ins printed on it and read
// back from the trace, and the `vireo` program for what the panel refuses.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/core/text.h"
#include "tests/support/fixtures.h"
#include "tests/support/report_harness.h"
#include "tests/support/vireo_run.h"

namespace vireo::test {

inline std::string CashFlowPluginDir() { return PluginDirFrom("VIREO_CASHFLOW_PLUGIN_DIR"); }

// "1.234,50" or "-1.234,50" as a number; empty text as 0.
inline double Numero(const std::string& texto) {
  std::string limpo;
  for (char c : Trim(texto)) {
    if (c == '.') continue;
    limpo += c == ',' ? '.' : c;
  }
  return limpo.empty() ? 0 : std::stod(limpo);
}

// The kinds of a cash entry and the purposes of a settlement.
enum { kEntrada = 1, kSaida = -1 };
enum { kRecebimento = 1, kPagamento = 2, kMovimentacao = 3 };

class CashFlowDbTest : public FinanceDbTest {
 protected:
  void SetUp() override { OpenDatabase("cashflow", "cashflow.fdb"); }
  void TearDown() override { CloseDatabase(); }

  // Company 1 with a bank account (10, limit 1000) and a till (11), an
  // account of modality 0 (90) and two histories.
  void Basico() {
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    Historico(1, "Recebimento");
    Historico(2, "Pagamento");
    Sintetica(1, "1", "ATIVO");
    Analitica(10, "1.01", "Banco Um", 4);
    Limite(10, 1000);
    Analitica(11, "1.02", "Caixa", 1);
    Analitica(90, "1.90", "Receitas", 0);
  }

  void Limite(int conta, const Variant& limite) {
    Exec("update FPRCONTA set LIMITECREDITO = ? where CODIGOCONTA = ?", {limite, conta});
  }
  void Pessoa(int code, const std::string& nome) {
    Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (?, ?)", {code, nome});
  }
  // The person of the last entry written.
  void PessoaDoCaixa(int escrit, int caixa, int pessoa) {
    Exec("update FPRCAIXA set CODIGOPESSOAFIN = ? where CODIGOESCRIT = ? and CODIGOCAIXA = ?",
         {pessoa, escrit, caixa});
  }
  // A settlement (FPRACERTO) and the link of one entry to it.
  void Acerto(int escrit, int acerto, int finalidade, const Variant& pessoa = Variant()) {
    Exec(
        "insert into FPRACERTO (CODIGOESCRIT, CODIGOACERTO, FINALIDADEACERTO, CODIGOPESSOAFIN) "
        "values (?, ?, ?, ?)",
        {escrit, acerto, finalidade, pessoa});
  }
  // A receivable (receber) or payable title due on `vencimento`.
  void Titulo(bool receber, int escrit, int codigo, const Variant& vencimento, double valor,
              const Variant& saldo, int situacao, const Variant& pessoa = Variant(),
              const std::string& historico = "") {
    const std::string s = receber ? "REC" : "PAG";
    const std::string tabela = receber ? "FPRCONTARECEBER" : "FPRCONTAPAGAR";
    const std::string cab = receber ? "CODIGORECEBERCAB" : "CODIGOPAGARCAB";
    const std::string par = receber ? "CODIGORECEBER" : "CODIGOPAGAR";
    Exec("insert into " + tabela + " (CODIGOESCRIT, " + cab + ", " + par +
             ", CODIGOPESSOAFIN, DATAVENCIMENTO" + s + ", VALOR" + s + ", SALDO" + s +
             ", SITUACAO" + s + ", HISTORICO" + s + ") values (?, ?, 1, ?, ?, ?, ?, ?, ?)",
         {escrit, codigo, pessoa, vencimento, valor, saldo, situacao, historico});
  }

  TracePrint Imprimir(const std::string& relatorio,
                      const std::map<std::string, std::string>& params = {}) {
    Commit();
    TnPrintSession session(ReportPlugin::Get(CashFlowPluginDir(), relatorio),
                           LoadLayout(CashFlowPluginDir() + "/" + relatorio + ".json"),
                           RunVia::kConfiguredInstance);
    session.SetParameters({{"pDataInicial", "01/03/2024"}, {"pDataFinal", "31/03/2024"}});
    for (const auto& [nome, valor] : params) session.SetParameter(nome, valor);
    return PrintAndRead(session, TracePath());
  }
};

}  // namespace vireo::test
