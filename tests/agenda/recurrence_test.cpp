// Series expanded into occurrences, against dates worked out by hand.
#include "host/scheduler/recurrence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/exception.h"
#include "host/core/format.h"

namespace vireo {
namespace {

std::vector<std::string> Inicios(const std::string& regra, TDateTime inicio,
                                 TDateTime ate = EncodeDate(2030, 12, 31)) {
  std::vector<std::string> out;
  TcxRecurrence::Parse(regra).Expand(inicio, ate, [&](int indice, TDateTime at) {
    EXPECT_EQ(indice, static_cast<int>(out.size()));
    out.push_back(FormatDateTime("dd/mm/yyyy hh:nn", at));
    return out.size() < 40;
  });
  return out;
}

using V = std::vector<std::string>;

TEST(RecurrenceTest, CountIncludesTheStartEvenWhenTheRuleWouldNotProduceIt) {
  // 4 March 2025 is a Tuesday; the rule names Mondays.
  EXPECT_EQ(Inicios("FREQ=WEEKLY;BYDAY=MO;COUNT=3", EncodeDate(2025, 3, 4) + EncodeTime(9, 0, 0)),
            (V{"04/03/2025 09:00", "10/03/2025 09:00", "17/03/2025 09:00"}));
  EXPECT_EQ(Inicios("RRULE:FREQ=DAILY;COUNT=1", EncodeDate(2025, 3, 4)), (V{"04/03/2025 00:00"}));
}

TEST(RecurrenceTest, UntilDateOnlyIncludesItsDayAndUntilWithZIsWallClock) {
  const TDateTime inicio = EncodeDate(2025, 3, 6) + EncodeTime(15, 0, 0);
  EXPECT_EQ(Inicios("FREQ=DAILY;UNTIL=20250308", inicio),
            (V{"06/03/2025 15:00", "07/03/2025 15:00", "08/03/2025 15:00"}));
  // 15:00 on the 8th is after 14:59:59 "Z": no zone shifts it.
  EXPECT_EQ(Inicios("FREQ=DAILY;UNTIL=20250308T145959Z", inicio),
            (V{"06/03/2025 15:00", "07/03/2025 15:00"}));
  EXPECT_EQ(Inicios("FREQ=DAILY;UNTIL=20250308T150000Z", inicio).size(), 3u);
  // An end before the start leaves nothing at all.
  EXPECT_TRUE(Inicios("FREQ=DAILY;UNTIL=20250301", inicio).empty());
}

TEST(RecurrenceTest, IntervalSkipsPeriods) {
  EXPECT_EQ(Inicios("FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE;COUNT=5", EncodeDate(2025, 3, 3)),
            (V{"03/03/2025 00:00", "05/03/2025 00:00", "17/03/2025 00:00", "19/03/2025 00:00",
               "31/03/2025 00:00"}));
  EXPECT_EQ(Inicios("FREQ=MONTHLY;INTERVAL=3;COUNT=3", EncodeDate(2025, 1, 15)),
            (V{"15/01/2025 00:00", "15/04/2025 00:00", "15/07/2025 00:00"}));
}

TEST(RecurrenceTest, Day31SkipsShortMonthsAnd29FebruaryOnlyLeapYears) {
  EXPECT_EQ(Inicios("FREQ=MONTHLY;COUNT=4", EncodeDate(2025, 1, 31) + EncodeTime(10, 0, 0)),
            (V{"31/01/2025 10:00", "31/03/2025 10:00", "31/05/2025 10:00", "31/07/2025 10:00"}));
  EXPECT_EQ(Inicios("FREQ=YEARLY;COUNT=3", EncodeDate(2024, 2, 29), EncodeDate(2040, 1, 1)),
            (V{"29/02/2024 00:00", "29/02/2028 00:00", "29/02/2032 00:00"}));
  EXPECT_EQ(Inicios("FREQ=MONTHLY;BYDAY=2TU;COUNT=3", EncodeDate(2025, 1, 14)),
            (V{"14/01/2025 00:00", "11/02/2025 00:00", "11/03/2025 00:00"}));
}

TEST(RecurrenceTest, OpenSeriesStopsAtTheLastStartAskedFor) {
  EXPECT_EQ(Inicios("FREQ=DAILY", EncodeDate(2025, 3, 1), EncodeDate(2025, 3, 3)),
            (V{"01/03/2025 00:00", "02/03/2025 00:00", "03/03/2025 00:00"}));
  EXPECT_TRUE(Inicios("FREQ=DAILY", EncodeDate(2025, 3, 4), EncodeDate(2025, 3, 3)).empty());
}

TEST(RecurrenceTest, RulesTheAgendaDoesNotKeepAreRefused) {
  for (const char* regra : {"", "   ", "RRULE:", "FREQ=HOURLY", "FREQ=MINUTELY;COUNT=2", "COUNT=3",
                            "FREQ=DAILY;COUNT=0", "FREQ=DAILY;COUNT=x", "FREQ=DAILY;UNTIL=2025",
                            "FREQ=DAILY;UNTIL=20250230", "FREQ=DAILY;COUNT=2;UNTIL=20250301",
                            "lixo", "FREQ=DAILY;BYDAY=XX"}) {
    EXPECT_THROW(TcxRecurrence::Parse(regra), Exception) << regra;
  }
}

}  // namespace
}  // namespace vireo
