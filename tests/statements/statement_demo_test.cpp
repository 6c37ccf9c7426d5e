// The statements of the demo database agree with its titles: the closing
// balance the report prints for every supplier and customer at a date is
// the value of the person's titles (not cancelled) entered up to that date
// less what their settlements up to that date settled (VALORBAIXA).  Titles
// without a person belong to no statement.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "db/demo.h"
#include "host/data/dataset.h"
#include "tests/statements/statements_test_support.h"
#include "tests/support/amounts.h"

namespace vireo::test {
namespace {

enum Secao { kLinha = 9, kGrupo = 10 };

struct Lado {
  const char* relatorio;
  const char* codigo_exibir;
  const char* titulos;
  const char* baixas;
  const char* chave;  // the installment key columns, header and installment
  const char* sufixo;
};

const Lado kFornecedores = {"rptSupplierStatement", "pCodigoFornecedorExibir",     "FPRCONTAPAGAR",
                            "FPRCONTAPAGARBAIXA",   "CODIGOPAGARCAB, CODIGOPAGAR", "PAG"};
const Lado kClientes = {"rptCustomerStatement",
                        "pCodigoClienteExibir",
                        "FPRCONTARECEBER",
                        "FPRCONTARECEBERBAIXA",
                        "CODIGORECEBERCAB, CODIGORECEBER",
                        "REC"};

class StatementDemoTest : public StatementDbTest {
 protected:
  void SetUp() override {
    StatementDbTest::SetUp();
    GenerateDemo(*db_, DemoOptions{});
  }

  // The open balance of each person's titles at the date, from the tables.
  std::map<std::string, double> Esperado(const Lado& lado, const Variant& data) {
    const std::string s = lado.sufixo;
    const std::string cab = std::string(lado.chave).substr(0, std::string(lado.chave).find(','));
    const std::string parc = std::string(lado.chave).substr(std::string(lado.chave).find(',') + 2);
    std::map<std::string, double> saldo;
    std::unique_ptr<TnClientDataSet> titulos(
        db_->Query(std::string("select CODIGOPESSOAFIN, sum(VALOR") + s + ") from " + lado.titulos +
                       " where SITUACAO" + s + " <> 4 and DATALANCAMENTO" + s +
                       " <= ? and CODIGOPESSOAFIN is not null group by 1",
                   {data}));
    for (titulos->First(); !titulos->Eof(); titulos->Next()) {
      saldo[titulos->Fields(0)->AsString()] += titulos->Fields(1)->AsFloat();
    }
    std::unique_ptr<TnClientDataSet> baixas(db_->Query(
        std::string("select T.CODIGOPESSOAFIN, sum(B.VALORBAIXA) from ") + lado.baixas +
            " B join " + lado.titulos + " T on T.CODIGOESCRIT = B.CODIGOESCRIT and T." + cab +
            " = B." + cab + " and T." + parc + " = B." + parc + " where T.SITUACAO" + s +
            " <> 4 and B.DATALANCAMENTOBAIXA <= ? and "
            "T.CODIGOPESSOAFIN is not null group by 1",
        {data}));
    for (baixas->First(); !baixas->Eof(); baixas->Next()) {
      saldo[baixas->Fields(0)->AsString()] -= baixas->Fields(1)->AsFloat();
    }
    return saldo;
  }

  // The last balance printed in each person's group.
  std::map<std::string, double> Impresso(const Lado& lado, const std::string& fim) {
    const TracePrint print =
        Imprimir(lado.relatorio, {{"pDataInicial", "01/01/2025"}, {"pDataFinal", fim}});
    std::map<std::string, double> saldo;
    std::string pessoa;
    for (const json& e : print.trace) {
      if (e["event"] != "section") continue;
      if (e["section"] != kGrupo && e["section"] != kLinha) continue;
      if (e["section"] == kGrupo) pessoa = Var(e, lado.codigo_exibir);
      saldo[pessoa] = ValorImpresso(Var(e, "R5"));
    }
    return saldo;
  }

  void Conferir(const Lado& lado) {
    const struct {
      const char* texto;
      Variant data;
    } datas[] = {{"31/03/2025", Dia(2025, 3, 31)},
                 {"31/12/2025", Dia(2025, 12, 31)},
                 {"30/06/2026", Dia(2026, 6, 30)}};
    for (const auto& d : datas) {
      SCOPED_TRACE(std::string(lado.relatorio) + " " + d.texto);
      const std::map<std::string, double> esperado = Esperado(lado, d.data);
      const std::map<std::string, double> impresso = Impresso(lado, d.texto);
      ASSERT_GT(impresso.size(), 10u);
      for (const auto& [pessoa, valor] : esperado) {
        const auto it = impresso.find(pessoa);
        EXPECT_NEAR(it == impresso.end() ? 0 : it->second, valor, 0.005) << "pessoa " << pessoa;
      }
      for (const auto& [pessoa, valor] : impresso) {
        EXPECT_TRUE(esperado.count(pessoa)) << "pessoa " << pessoa << " sem títulos";
      }
    }
  }
};

TEST_F(StatementDemoTest, ClosingBalancesAreTheOpenValueOfEachPersonsTitles) {
  Conferir(kFornecedores);
  Conferir(kClientes);
}

}  // namespace
}  // namespace vireo::test
