// The demo database's receipts: every voucher of a settlement that paid one
// person totals the settlement's VALORACERTO; and the demo holds the cases
// the vouchers and statements are about.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "db/demo.h"
#include "host/data/dataset.h"
#include "tests/support/amounts.h"
#include "tests/vouchers/vouchers_test_support.h"

namespace vireo::test {
namespace {

class VoucherDemoTest : public VoucherDbTest {
 protected:
  void SetUp() override {
    VoucherDbTest::SetUp();
    GenerateDemo(*db_, DemoOptions{});
  }

  int Contar(const std::string& sql) {
    std::unique_ptr<TnClientDataSet> cds(db_->Query(sql));
    return static_cast<int>(cds->Fields(0)->AsInteger());
  }

  // VALORACERTO by receipt number, of the company's settlements that paid
  // or received from exactly one person.
  std::map<std::string, double> ValorPorRecibo(const std::string& recibos,
                                               const std::string& baixas, int empresa) {
    std::unique_ptr<TnClientDataSet> cds(db_->Query(
        "select R.NUMERORECIBO, A.VALORACERTO from " + recibos +
            " R join FPRACERTO A on A.CODIGOESCRIT = R.CODIGOESCRIT and A.CODIGOACERTO = "
            "R.CODIGOACERTO where R.CODIGOESCRIT = ? and exists (select 1 from " +
            baixas +
            " B where B.CODIGOESCRIT = R.CODIGOESCRIT and B.CODIGOACERTO = R.CODIGOACERTO) and "
            "(select count(*) from " +
            recibos +
            " R2 where R2.CODIGOESCRIT = R.CODIGOESCRIT and R2.CODIGOACERTO = "
            "R.CODIGOACERTO) = 1",
        {empresa}));
    std::map<std::string, double> valores;
    for (cds->First(); !cds->Eof(); cds->Next()) {
      valores[cds->Fields(0)->AsString()] = cds->Fields(1)->AsFloat();
    }
    return valores;
  }

  void ConferirTotais(const std::string& relatorio, const std::string& recibos,
                      const std::string& baixas) {
    int diversos = 0;
    for (int empresa : {1, 3}) {
      SCOPED_TRACE(relatorio + " empresa " + std::to_string(empresa));
      const TracePrint print = Imprimir(relatorio, {{"pCodigoEscrit", std::to_string(empresa)},
                                                    {"pDataInicial", "01/01/2025"},
                                                    {"pDataFinal", "31/12/2025"}});
      const std::map<std::string, double> esperado = ValorPorRecibo(recibos, baixas, empresa);
      const auto cabecalhos = print.Of(kCabecalho);
      const auto totais = print.Of(kTotal);
      ASSERT_EQ(cabecalhos.size(), totais.size());
      ASSERT_GT(totais.size(), 20u);
      for (size_t i = 0; i < totais.size(); ++i) {
        const std::string numero = Var(cabecalhos[i], "pNumeroReciboExibir");
        ASSERT_TRUE(esperado.count(numero)) << numero;
        EXPECT_NEAR(ValorImpresso(Var(totais[i], "pTotalEventos")), esperado.at(numero), 0.005)
            << "recibo " << numero;
        diversos += Var(cabecalhos[i], "pCompetenciaExibir") == "Diversos";
      }
      EXPECT_EQ(Var(cabecalhos[0], "pEmpresaTelefone").empty(), empresa == 3);
    }
    EXPECT_GT(diversos, 0) << relatorio;
  }
};

TEST_F(VoucherDemoTest, EveryVoucherTotalsItsSettlement) {
  ConferirTotais("rptPaymentVoucher", "FPRRECIBOPAGAMENTO", "FPRCONTAPAGARBAIXA");
  ConferirTotais("rptReceiptVoucher", "FPRRECIBORECEBIMENTO", "FPRCONTARECEBERBAIXA");
}

TEST_F(VoucherDemoTest, HoldsTheCasesTheReportsAreAbout) {
  // Settlements of 2 to 6 installments of one person, some due in different months.
  EXPECT_GT(Contar("select count(*) from (select CODIGOESCRIT, CODIGOACERTO from "
                   "FPRCONTAPAGARBAIXA group by 1, 2 having count(*) >= 2)"),
            10);
  EXPECT_EQ(Contar("select max(N) from (select count(*) N from FPRCONTARECEBERBAIXA group by "
                   "CODIGOESCRIT, CODIGOACERTO)"),
            6);
  EXPECT_GT(Contar("select count(*) from (select B.CODIGOESCRIT, B.CODIGOACERTO from "
                   "FPRCONTAPAGARBAIXA B join FPRCONTAPAGAR T on T.CODIGOESCRIT = B.CODIGOESCRIT "
                   "and T.CODIGOPAGARCAB = B.CODIGOPAGARCAB and T.CODIGOPAGAR = B.CODIGOPAGAR "
                   "group by 1, 2 having count(distinct extract(month from "
                   "T.DATAVENCIMENTOPAG)) > 1)"),
            0);
  EXPECT_GT(Contar("select count(*) from FPRCONTARECEBERBAIXA where VALORJUROBAIXA > 0 and "
                   "VALORMULTABAIXA > 0"),
            0);
  EXPECT_GT(Contar("select count(*) from FPRCONTAPAGARBAIXA where VALORDESCBAIXA > 0"), 0);
  // Titles open, partly paid, settled and cancelled; one paid before it was entered.
  for (int situacao = 1; situacao <= 4; ++situacao) {
    EXPECT_GT(Contar("select count(*) from FPRCONTAPAGAR where SITUACAOPAG = " +
                     std::to_string(situacao)),
              0)
        << situacao;
  }
  EXPECT_GT(Contar("select count(*) from FPRCONTARECEBERBAIXA B join FPRCONTARECEBER T on "
                   "T.CODIGOESCRIT = B.CODIGOESCRIT and T.CODIGORECEBERCAB = B.CODIGORECEBERCAB "
                   "and T.CODIGORECEBER = B.CODIGORECEBER where B.DATALANCAMENTOBAIXA < "
                   "T.DATALANCAMENTOREC"),
            0);
  // One receipt per settlement and person, numbered per company from 1.
  EXPECT_EQ(Contar("select count(*) from (select CODIGOESCRIT, NUMERORECIBO from "
                   "FPRRECIBOPAGAMENTO group by 1, 2 having count(*) > 1)"),
            0);
  EXPECT_EQ(Contar("select min(NUMERORECIBO) from FPRRECIBORECEBIMENTO where CODIGOESCRIT = 2"), 1);
  // The third company's latest contact is an e-mail.
  EXPECT_EQ(Contar("select TIPOCONTATO from PESSOACONTATO where CODIGOPESSOACONTATO = (select "
                   "max(CODIGOPESSOACONTATO) from PESSOACONTATO where CODIGOPESSOAFIN = 3)"),
            6);
}

}  // namespace
}  // namespace vireo::test
