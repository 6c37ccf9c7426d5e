// Selections, markers and literals: the pieces that turn user input into SQL
// text.  A fault here is either a wrong filter or an injection, so the cases
// lean on hostile input.
#include "host/data/selection.h"

#include <gtest/gtest.h>

#include "host/core/datetime.h"
#include "host/core/exception.h"
#include "host/data/sql.h"

namespace vireo {
namespace {

TEST(Selection, ParsesListsRangesAndBlanks) {
  auto items = ParseSelection(" 1 ; 3;5 .. 9;; ");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].low, 1);
  EXPECT_EQ(items[0].high, 1);
  EXPECT_EQ(items[2].low, 5);
  EXPECT_EQ(items[2].high, 9);
  EXPECT_TRUE(ParseSelection("").empty());
  EXPECT_TRUE(ParseSelection("   ").empty());
}

TEST(Selection, RefusesAnythingButNumbersAndRanges) {
  for (const char* bad : {"1) or (1=1", "1;DROP TABLE X", "1'", "'1'", "abc", "9..5", "1..", "..3",
                          "1.5", "-1", "1,2", "1 2", "99999999999999999999999"}) {
    try {
      ParseSelection(bad, "pCodigoEscrit");
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EnParam& e) {
      EXPECT_EQ(e.ParamName(), "pCodigoEscrit");
      EXPECT_NE(e.Message().find(bad), std::string::npos) << e.Message();
    }
  }
}

TEST(Selection, FilterIntervalStandsAloneOrExtendsACondition) {
  EXPECT_EQ(FilterInterval("C.CODIGOESCRIT", "", {1}, true, 0), "");
  EXPECT_EQ(FilterInterval("C.CODIGOESCRIT", "", {1}, false, 0), "(1=1) ");
  EXPECT_EQ(FilterInterval("C.CODIGOESCRIT", "1;3;5..9", {1}, false, 0),
            "(C.CODIGOESCRIT in (1,3) or C.CODIGOESCRIT between 5 and 9) ");
  EXPECT_EQ(FilterInterval("PE.CODIGOPESSOAFIN", "2", {1}, true, 3, -1),
            " and (PE.CODIGOPESSOAFIN in (2)) ");
  EXPECT_THROW(FilterInterval("X", "1) or (1=1", {1}, true, 0), EnParam);
}

TEST(Selection, CheckInInclusion) {
  EXPECT_TRUE(CheckInInclusion(7, ""));
  EXPECT_TRUE(CheckInInclusion(7, "1;5..9"));
  EXPECT_TRUE(CheckInInclusion(5, "5..9"));
  EXPECT_TRUE(CheckInInclusion(9, "5..9"));
  EXPECT_FALSE(CheckInInclusion(10, "5..9"));
  EXPECT_FALSE(CheckInInclusion(2, "1;3"));
  EXPECT_TRUE(CheckInInclusion("3", "1;3"));
  EXPECT_FALSE(CheckInInclusion("x", "1;3"));
  EXPECT_THROW(CheckInInclusion(1, "1 or 1=1"), EnParam);
}

TEST(Markers, RepeatsShareOneValueAndLiteralsAreLeftAlone) {
  TnMarkedSQL m = RewriteMarkers(
      "select ':pNao' as t, \"A:B\" from X where D >= :pDataInicial and D <= :pDataFinal "
      "and E = :PDATAINICIAL -- :pComentario\n and F = :p_2 /* :pBloco */ and G = 'it''s :x'");
  EXPECT_EQ(m.sql,
            "select ':pNao' as t, \"A:B\" from X where D >= ? and D <= ? and E = ? -- "
            ":pComentario\n and F = ? /* :pBloco */ and G = 'it''s :x'");
  ASSERT_EQ(m.markers.size(), 3u);
  EXPECT_EQ(m.markers[0], "pDataInicial");
  EXPECT_EQ(m.markers[1], "pDataFinal");
  EXPECT_EQ(m.markers[2], "p_2");
  EXPECT_EQ(m.slots, (std::vector<int>{0, 1, 0, 2}));
}

TEST(Markers, CastsAndTimesAreNotMarkers) {
  TnMarkedSQL m = RewriteMarkers("select a::int, '10:30' from t where x = :a");
  EXPECT_EQ(m.sql, "select a::int, '10:30' from t where x = ?");
  EXPECT_EQ(m.markers.size(), 1u);
}

TEST(Literals, ValorParaSQL) {
  EXPECT_EQ(ValorParaSQL(42), "42");
  EXPECT_EQ(ValorParaSQL(-1234.5), "-1234.5");
  EXPECT_EQ(ValorParaSQL(0.1), "0.1");
  EXPECT_EQ(ValorParaSQL("O'Brien"), "'O''Brien'");
  EXPECT_EQ(ValorParaSQL("'; drop table x; --"), "'''; drop table x; --'");
  EXPECT_EQ(ValorParaSQL(Variant::Null()), "NULL");
  TDateTime d = EncodeDate(2024, 2, 29);
  EXPECT_EQ(ValorParaSQL(Variant::FromDateTime(d)), "DATE '2024-02-29'");
  EXPECT_EQ(ValorParaSQL(Variant::FromDateTime(d + EncodeTime(13, 5, 9))),
            "TIMESTAMP '2024-02-29 13:05:09'");
  EXPECT_EQ(ValorParaSQL(Variant::FromDateTime(d), TFieldKind::DateTime),
            "TIMESTAMP '2024-02-29 00:00:00'");
  EXPECT_EQ(ValorParaSQL("12", TFieldKind::Integer), "12");
  EXPECT_EQ(ValorParaSQL(1, TFieldKind::Text), "'1'");
}

}  // namespace
}  // namespace vireo
