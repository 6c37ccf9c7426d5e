// Helpers of the statement tests: a database of its own per test with two
// companies and a few persons, the host's statement entities read back as
// plain rows, and prints of the two statement plug-ins read from the trace.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/biz/extrato.h"
#include "host/core/format.h"
#include "host/data/dataset.h"
#include "tests/support/report_harness.h"
#include "tests/support/settlement_fixtures.h"

namespace vireo::test {

// A row of the entity's dataset, as text.
struct LinhaLida {
  std::string empresa;
  int pessoa = 0;
  std::string data;
  std::string historico;
  std::string complemento;
  double valor = 0;
  std::string lado;
};

inline std::vector<LinhaLida> LerLinhas(TnExtrato& extrato) {
  std::vector<LinhaLida> linhas;
  TnClientDataSet* dados = extrato.Dados();
  const TMapDds* m = dados->GetMapper<TMapDds>();
  for (dados->First(); !dados->Eof(); dados->Next()) {
    linhas.push_back({m->NOMEEMPRESA->AsString(), static_cast<int>(m->CODIGOPESSOA->AsInteger()),
                      FormatDateTime("dd/mm/yyyy", m->DATA->AsDateTime()), m->HISTORICO->AsString(),
                      m->COMPLEMENTO->AsString(), m->VALOR->AsFloat(), m->LADO->AsString()});
  }
  return linhas;
}

class StatementDbTest : public SettlementsDbTest {
 protected:
  void SetUp() override { OpenDatabase("statements", "statements.fdb"); }
  void TearDown() override { CloseDatabase(); }

  // Companies 1 and 2, suppliers 100 and 101, customers 200 and 201.
  void Basico() {
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    Empresa(2, "Empresa Dois Ltda", "22.222.222/0001-22");
    Pessoa(100, "Fornecedor Cem");
    Pessoa(101, "Fornecedor Cento e Um");
    Pessoa(200, "Cliente Duzentos");
    Pessoa(201, "Cliente Duzentos e Um");
  }

  // The entity's rows for March 2024 (or the range given).
  std::vector<LinhaLida> Extrato(TnExtrato& extrato, const std::string& empresas = "",
                                 const std::string& pessoas = "",
                                 TDateTime inicio = EncodeDate(2024, 3, 1),
                                 TDateTime fim = EncodeDate(2024, 3, 31)) {
    Commit();
    extrato.SetDataInicial(inicio);
    extrato.SetDataFinal(fim);
    extrato.SetCodigoEscrit(empresas);
    extrato.SetCodigoPessoa(pessoas);
    extrato.CarregarItens();
    return LerLinhas(extrato);
  }
  std::vector<LinhaLida> Fornecedores(const std::string& empresas = "",
                                      const std::string& pessoas = "",
                                      TDateTime inicio = EncodeDate(2024, 3, 1),
                                      TDateTime fim = EncodeDate(2024, 3, 31)) {
    TnExtratoFornecedor extrato;
    return Extrato(extrato, empresas, pessoas, inicio, fim);
  }
  std::vector<LinhaLida> Clientes(const std::string& empresas = "",
                                  const std::string& pessoas = "") {
    TnExtratoCliente extrato;
    return Extrato(extrato, empresas, pessoas);
  }

  // A print of a statement plug-in for March 2024 with these parameters.
  TracePrint Imprimir(const std::string& relatorio,
                      const std::map<std::string, std::string>& params = {}) {
    Commit();
    const std::string dir = PluginDirFrom("VIREO_STATEMENTS_PLUGIN_DIR");
    TnPrintSession session(ReportPlugin::Get(dir, relatorio),
                           LoadLayout(dir + "/" + relatorio + ".json"),
                           RunVia::kConfiguredInstance);
    SetMarch2024(session.Engine());
    session.Engine().GetParams()->Param("pCodigoEscrit")->SetValue("");
    SetParams(session.Engine(), params);
    return PrintAndRead(session, TracePath());
  }
};

}  // namespace vireo::test
