// Texts of the queries: the telephone subquery in each dialect, the range
// and model conditions, and selections that never reach SQL unparsed.
#include <gtest/gtest.h>

#include <string>

#include "host/core/datetime.h"
#include "host/core/exception.h"
#include "reports/payables/rptPayablesSQL.h"
#include "reports/payables/rptPaymentsSQL.h"
#include "reports/payables/rptReceiptsSQL.h"
#include "reports/payables/rptReceivablesSQL.h"

namespace vireo {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(TelefoneSubSelectTest, EachDialectKeepsOneRow) {
  const std::string firebird = SubSelectTelefone(0);
  EXPECT_EQ(firebird.rfind("SELECT FIRST 1 CO.VALOR", 0), 0u) << firebird;
  EXPECT_TRUE(Has(firebird, "CO.TIPOCONTATO IN (1,2,3,5,0,4) ")) << firebird;
  EXPECT_FALSE(Has(firebird, "ROWNUM"));

  const std::string oracle = SubSelectTelefone(1);
  EXPECT_EQ(oracle.rfind("SELECT  CO.VALOR", 0), 0u) << oracle;
  EXPECT_TRUE(Has(oracle, "IN (1,2,3,5,0,4)  AND ROWNUM <= 1")) << oracle;

  const std::string sqlserver = SubSelectTelefone(2);
  EXPECT_EQ(sqlserver.rfind("SELECT TOP 1 CO.VALOR", 0), 0u) << sqlserver;
  EXPECT_FALSE(Has(sqlserver, "ROWNUM"));
  EXPECT_FALSE(Has(sqlserver, "%s"));

  // The title query carries the same subquery in its columns and its groups.
  TnFiltroContasReceber filtro;
  filtro.DataInicial = EncodeDate(2026, 1, 1);
  filtro.DataFinal = EncodeDate(2026, 1, 31);
  const std::string sql = SelectContasReceber(filtro, 1);
  const size_t first = sql.find(oracle);
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(sql.find(oracle, first + 1), std::string::npos);
}

TEST(FiltroContasPagarTest, RangeDateAndModel) {
  TnFiltroContasPagar filtro;
  filtro.DataInicial = EncodeDate(2026, 1, 1);
  filtro.DataFinal = EncodeDate(2026, 1, 31);
  std::string sql = FiltroDadoContasPagar(filtro);
  EXPECT_TRUE(Has(sql,
                  " WHERE CP.DATAVENCIMENTOPAG >= DATE '2026-01-01' AND "
                  "CP.DATAVENCIMENTOPAG <= DATE '2026-01-31' "))
      << sql;
  EXPECT_TRUE(Has(sql,
                  "(((CP.SITUACAOPAG IN (3)) and (BX.DATALANCAMENTOBAIXA > DATE "
                  "'2026-01-31')) or (CP.SITUACAOPAG IN (1,2)))"))
      << sql;
  for (int outra : {1, 7, -5}) {
    filtro.DataFiltrar = outra;
    EXPECT_TRUE(Has(FiltroDadoContasPagar(filtro), " WHERE CP.DATALANCAMENTOPAG >= ")) << outra;
  }
  filtro.Modelo = 2;
  EXPECT_TRUE(Has(FiltroDadoContasPagar(filtro), " AND CP.SITUACAOPAG IN (1,2)"));
}

TEST(SelecoesTest, HostileSelectionsAreRefusedBeforeAnyQuery) {
  const std::string hostil = "1) or (1=1";
  TnFiltroContasPagar pagar;
  pagar.CodigoFornecedor = hostil;
  EXPECT_THROW(FiltroDadoContasPagar(pagar), EnParam);
  pagar.CodigoFornecedor = "";
  pagar.CodigoEscrit = "'; delete from FPRCAIXA; --";
  EXPECT_THROW(FiltroDadoContasPagar(pagar), EnParam);

  TnFiltroContasReceber receber;
  receber.CodigoCliente = hostil;
  EXPECT_THROW(SelectContasReceber(receber, 0), EnParam);

  TnFiltroPagamentos pagamentos;
  pagamentos.CodigoConta = hostil;
  EXPECT_THROW(SelectPagamentos(pagamentos), EnParam);
  EXPECT_THROW(SelectContasSinteticas(hostil), EnParam);

  TnFiltroRecebimentos recebimentos;
  recebimentos.CodigoEscrit = hostil;
  EXPECT_THROW(SelectRecebimentos(recebimentos), EnParam);
}

TEST(SelectRecebimentosTest, CompanySelectionOrdersByCompanyFirst) {
  TnFiltroRecebimentos filtro;
  EXPECT_TRUE(Has(SelectRecebimentos(filtro), " ORDER BY PE.NOME,CB.DATALANCAMENTOBAIXA"));
  filtro.CodigoEscrit = "1;2";
  filtro.TipoQuebra = 1;
  EXPECT_TRUE(
      Has(SelectRecebimentos(filtro), " ORDER BY CB.CODIGOESCRIT,CB.DATALANCAMENTOBAIXA,PE.NOME"));
}

}  // namespace
}  // namespace vireo
