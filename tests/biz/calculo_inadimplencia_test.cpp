// The late-payment calculator on small hand-made databases: days late and
// grace, the fine charged once, values that owe nothing, companies without
// settings, monetary correction by the quotations of an index, rounding,
// and settings read once per company.
#include "host/biz/calculo_inadimplencia.h"

#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "tests/support/titles_fixtures.h"

namespace vireo::test {
namespace {

constexpr int kIndice = 5;

class CalculoInadimplenciaTest : public TitlesDbTest {
 protected:
  void SetUp() override {
    OpenDatabase("inadimplencia", "inadimplencia.fdb");
    // Company 1: 3 % a month, 2 % fine, no grace; company 2: 5 days of grace.
    CfgBoleto(1, 1, 3.0, 2.0, 0);
    CfgBoleto(1, 2, 9.0, 9.0, 9);  // a later setting, never the company's rule
    CfgBoleto(2, 1, 3.0, 2.0, 5);
    Commit();
  }
  void TearDown() override { CloseDatabase(); }

  static TDateTime D(int y, int m, int d) { return EncodeDate(y, m, d); }
  static TnCalculoInadimplencia Juros(TDateTime base, int tipo = tciJuroSimples) {
    return TnCalculoInadimplencia(true, base, kIndice, tipo);
  }
};

TEST_F(CalculoInadimplenciaTest, InterestRunsFromTheDueDateDayByDay) {
  const TDateTime vencimento = D(2026, 1, 10);
  TnCalculoInadimplencia no_dia = Juros(vencimento);
  EXPECT_EQ(no_dia.CalcularJuro(vencimento, 1000, 1), 0);
  EXPECT_EQ(no_dia.CalcularMulta(vencimento, 1000, 1), 0);

  TnCalculoInadimplencia um_dia = Juros(D(2026, 1, 11));
  EXPECT_DOUBLE_EQ(um_dia.CalcularJuro(vencimento, 1000, 1), 1.00);  // 3 % / 30
  EXPECT_DOUBLE_EQ(um_dia.CalcularMulta(vencimento, 1000, 1), 20.00);

  TnCalculoInadimplencia quarenta_e_cinco = Juros(D(2026, 2, 24));
  EXPECT_DOUBLE_EQ(quarenta_e_cinco.CalcularJuro(vencimento, 1000, 1), 45.00);
  // The fine is charged once, however late.
  EXPECT_DOUBLE_EQ(quarenta_e_cinco.CalcularMulta(vencimento, 1000, 1), 20.00);
}

TEST_F(CalculoInadimplenciaTest, GraceDaysOnlyDelayTheStart) {
  const TDateTime vencimento = D(2026, 1, 10);
  TnCalculoInadimplencia na_carencia = Juros(D(2026, 1, 15));
  EXPECT_EQ(na_carencia.CalcularJuro(vencimento, 1000, 2), 0);
  EXPECT_EQ(na_carencia.CalcularMulta(vencimento, 1000, 2), 0);
  TnCalculoInadimplencia depois = Juros(D(2026, 1, 16));
  EXPECT_DOUBLE_EQ(depois.CalcularJuro(vencimento, 1000, 2), 6.00);  // all six days
  EXPECT_DOUBLE_EQ(depois.CalcularMulta(vencimento, 1000, 2), 20.00);
}

TEST_F(CalculoInadimplenciaTest, NothingIsOwedWithoutCause) {
  const TDateTime vencimento = D(2026, 1, 10);
  const TDateTime base = D(2026, 3, 10);
  TnCalculoInadimplencia calculo = Juros(base);
  for (double valor : {0.0, -500.0}) {
    EXPECT_EQ(calculo.CalcularJuro(vencimento, valor, 1), 0) << valor;
    EXPECT_EQ(calculo.CalcularMulta(vencimento, valor, 1), 0) << valor;
  }
  EXPECT_EQ(calculo.CalcularJuro(vencimento, 1000, 3), 0);  // company without settings
  EXPECT_EQ(calculo.CalcularMulta(vencimento, 1000, 3), 0);

  TnCalculoInadimplencia desligado(false, base, kIndice, tciJuroSimples);
  EXPECT_EQ(desligado.CalcularJuro(vencimento, 1000, 1), 0);
  EXPECT_EQ(desligado.CalcularMulta(vencimento, 1000, 1), 0);
  EXPECT_EQ(desligado.LeiturasConfiguracao(), 0);

  TnCalculoInadimplencia sem_data = Juros(0);
  EXPECT_EQ(sem_data.CalcularJuro(vencimento, 1000, 1), 0);
  EXPECT_EQ(sem_data.CalcularMulta(vencimento, 1000, 1), 0);
}

TEST_F(CalculoInadimplenciaTest, SettingsAreReadOncePerCompanyAndAnswersRepeat) {
  TnCalculoInadimplencia calculo = Juros(D(2026, 3, 1));
  const double primeiro = calculo.CalcularJuro(D(2026, 1, 7), 333.33, 1);
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(calculo.CalcularJuro(D(2026, 1, 7), 333.33, 1), primeiro);
    calculo.CalcularMulta(D(2026, 1, 20 - i % 10), 10 + i, 2);
  }
  calculo.CalcularMulta(D(2026, 1, 7), 1, 3);
  calculo.CalcularMulta(D(2026, 1, 7), 1, 3);
  EXPECT_EQ(calculo.LeiturasConfiguracao(), 3);
}

TEST_F(CalculoInadimplenciaTest, MonetaryCorrectionFollowsTheLatestQuotationOnOrBefore) {
  Cotacao(kIndice, Dia(2026, 1, 1), 100.0);
  Cotacao(kIndice, Dia(2026, 2, 1), 101.5);
  Cotacao(kIndice, Dia(2026, 3, 1), 103.0);
  Cotacao(kIndice + 1, Dia(2025, 1, 1), 1.0);  // another index
  Commit();
  TnCalculoInadimplencia calculo = Juros(D(2026, 3, 15), tciCorrecaoMonetaria);
  // Due in January (Q 100), corrected to March (Q 103).
  EXPECT_DOUBLE_EQ(calculo.CalcularJuro(D(2026, 1, 20), 1000, 1), 30.00);
  EXPECT_DOUBLE_EQ(calculo.CalcularMulta(D(2026, 1, 20), 1000, 1), 20.00);
  // Due on the day of a quotation: that one counts.
  EXPECT_DOUBLE_EQ(calculo.CalcularJuro(D(2026, 2, 1), 1000, 1), 14.78);

  // An index that fell gives no negative correction.
  Cotacao(kIndice, Dia(2026, 4, 1), 90.0);
  Commit();
  TnCalculoInadimplencia queda = Juros(D(2026, 4, 2), tciCorrecaoMonetaria);
  EXPECT_EQ(queda.CalcularJuro(D(2026, 3, 2), 1000, 1), 0);
}

TEST_F(CalculoInadimplenciaTest, MissingQuotationNamesTheIndexAndTheDate) {
  Cotacao(kIndice, Dia(2026, 2, 1), 101.5);
  Commit();
  TnCalculoInadimplencia calculo = Juros(D(2026, 3, 15), tciCorrecaoMonetaria);
  try {
    calculo.CalcularJuro(D(2026, 1, 20), 1000, 1);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("moeda 5"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("20/01/2026"), std::string::npos) << e.Message();
  }
  // No quotation at all.
  TnCalculoInadimplencia outro(true, D(2026, 3, 15), 99, tciCorrecaoMonetaria);
  EXPECT_THROW(outro.CalcularJuro(D(2026, 1, 20), 1000, 1), Exception);
}

TEST(ArredondarCentavosTest, HalfGoesAwayFromZero) {
  EXPECT_DOUBLE_EQ(ArredondarCentavos(1.005), 1.01);
  EXPECT_DOUBLE_EQ(ArredondarCentavos(-1.005), -1.01);
  EXPECT_DOUBLE_EQ(ArredondarCentavos(0.125), 0.13);
  EXPECT_DOUBLE_EQ(ArredondarCentavos(2.344999), 2.34);
  EXPECT_DOUBLE_EQ(ArredondarCentavos(0), 0);
}

}  // namespace
}  // namespace vireo::test
