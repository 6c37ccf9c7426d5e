// Helpers of the cheque-list tests: the plug-ins loaded from the plug-in
// directory as the host loads them, a small database per test with two
// companies, a bank and bank accounts, and a print read back from its trace.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/support/fixtures.h"
#include "tests/support/report_harness.h"

namespace vireo::test {

inline const ReportPlugin::Ptr& ChequesPlugin(const std::string& report) {
  return ReportPlugin::Get(PluginDirFrom(nullptr), report);
}

inline TnLayout ChequesLayout(const std::string& report) {
  return LoadLayout(PluginDirFrom(nullptr) + "/" + report + ".json");
}

// Section numbers of both lists.
enum SecaoCheque : int { kLinha = 8, kTotal = 9, kCabecalho = 10 };

class ChequesDbTest : public FinanceDbTest {
 protected:
  void SetUp() override { OpenDatabase("vouchers", "vouchers.fdb"); }
  void TearDown() override { CloseDatabase(); }

  // Companies 1 and 2, bank 1 with agency 10, accounts 1 and 2 of company
  // 1 and account 1 of company 2; persons 101 "Fornecedor Alfa" and 102
  // "D'Ávila Materiais".
  void Basico() {
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    Empresa(2, "Empresa Dois S.A.", "22.222.222/0001-22");
    Banco(1, "Banco Um");
    Exec(
        "insert into AGENCIABANC (CODIGOAGENCIABANC, CODIGOBANCO, NOMEAGENCIA) values (10, 1, "
        "'Centro')");
    ContaBancaria(1, 1, 10, "100");
    ContaBancaria(1, 2, 10, "200");
    ContaBancaria(2, 1, 10, "100");
    Pessoa(101, "Fornecedor Alfa");
    Pessoa(102, "D'Ávila Materiais");
  }
  void Pessoa(int codigo, const std::string& nome) {
    Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (?, ?)", {codigo, nome});
  }

  // An issued cheque of company 1 in March 2024, registered on the 1st.
  void Emitido(int codigo, int conta, int dia, double valor, const std::string& nominal = "Alfa",
               int status = 1, int escrit = 1) {
    Cheque({.escrit = escrit,
            .codigo = codigo,
            .tipo = 1,
            .conta = conta,
            .numero = codigo,
            .emissao = Dia(2024, 3, 1),
            .previsao = Dia(2024, 3, dia),
            .nominal = nominal,
            .valor = valor,
            .status = status});
  }
  // A received cheque of March 2024 whose status-1 detail names `pessoa`
  // (none for 0).
  void Recebido(int codigo, int dia, double valor, int pessoa, int escrit = 1) {
    Cheque({.escrit = escrit,
            .codigo = codigo,
            .tipo = 2,
            .conta = 1,
            .numero = codigo,
            .emissao = Dia(2024, 3, 1),
            .previsao = Dia(2024, 3, dia),
            .nominal = "",
            .valor = valor,
            .status = 1});
    ChequeDetalhe(escrit, codigo, 1, Dia(2024, 3, 1), pessoa);
  }

  // Prints the list on its layout, March 2024 unless the parameters say
  // otherwise, the way `vireo print` does or through Imprimir.
  TracePrint Imprimir(const std::string& report, const std::map<std::string, std::string>& params,
                      RunVia via = RunVia::kConfiguredInstance) {
    Commit();
    TnPrintSession session(ChequesPlugin(report), ChequesLayout(report), via);
    SetMarch2024(session.Engine());
    SetParams(session.Engine(), params);
    return PrintAndRead(session, TracePath());
  }
};

// T1 and T2 of every total line, "T1=T2".
inline std::vector<std::string> Totais(const TracePrint& print) {
  std::vector<std::string> out;
  for (const json& e : print.Of(kTotal)) out.push_back(Var(e, "T1") + "=" + Var(e, "T2"));
  return out;
}

// R7 of every heading line.
inline std::vector<std::string> Cabecalhos(const TracePrint& print) {
  std::vector<std::string> out;
  for (const json& e : print.Of(kCabecalho)) out.push_back(Var(e, "R7"));
  return out;
}

}  // namespace vireo::test
