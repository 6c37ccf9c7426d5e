// The storage's occurrences for a range of days: single appointments,
// series and their exceptions, order, and the rows it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/scheduler/event_storage.h"

namespace vireo {
namespace {

TcxSchedulerEvent Evento(int id, TDateTime inicio, TDateTime fim, int tipo = etNone,
                         std::string regra = "") {
  TcxSchedulerEvent e;
  e.ID = id;
  e.Start = inicio;
  e.Finish = fim;
  e.EventType = tipo;
  e.RecurrenceInfo = std::move(regra);
  e.Caption = "e" + std::to_string(id);
  return e;
}

TcxSchedulerEvent Excecao(int id, int serie, int indice, TDateTime inicio, TDateTime fim,
                          int tipo) {
  TcxSchedulerEvent e = Evento(id, inicio, fim, tipo);
  e.ParentID = serie;
  e.RecurrenceIndex = indice;
  return e;
}

TDateTime D(int d, int h = 0) { return EncodeDate(2025, 3, d) + EncodeTime(h, 0, 0); }

std::vector<std::string> Linhas(const TcxSchedulerDBStorage& s, TDateTime de, TDateTime ate) {
  std::vector<std::string> out;
  for (const TcxSchedulerOccurrence& o : s.GetOccurrences(de, ate)) {
    out.push_back(o.Event->Caption + "#" + std::to_string(o.Index) + " " +
                  FormatDateTime("dd hh", o.Start) + "-" + FormatDateTime("dd hh", o.Finish));
  }
  return out;
}

using V = std::vector<std::string>;

TEST(StorageTest, ExceptionsReplaceTheirOccurrencesOfTheSeries) {
  TcxSchedulerDBStorage s;
  s.SetEvents({Evento(1, D(3, 9), D(3, 10), etPattern, "FREQ=DAILY;COUNT=5"),
               Excecao(2, 1, 1, D(4, 14), D(4, 15), etCustom),     // moved in the day
               Excecao(3, 1, 2, D(5, 9), D(5, 10), etException),   // deleted
               Excecao(4, 1, 3, D(20, 9), D(20, 10), etCustom)});  // moved out of range
  EXPECT_EQ(Linhas(s, D(1), D(10)),
            (V{"e1#0 03 09-03 10", "e2#1 04 14-04 15", "e1#4 07 09-07 10"}));
}

TEST(StorageTest, AChangedOccurrenceOfAGoneSeriesStillListsAndADeletedOneChangesNothing) {
  TcxSchedulerDBStorage s;
  s.SetEvents({Excecao(7, 99, 4, D(6, 8), D(6, 9), etCustom),
               Excecao(8, 99, 5, D(6, 10), D(6, 11), etException),
               // Index past the series' end: nothing of the series to hide.
               Evento(1, D(2, 9), D(2, 10), etPattern, "FREQ=DAILY;COUNT=2"),
               Excecao(9, 1, 30, D(6, 12), D(6, 13), etCustom)});
  EXPECT_EQ(Linhas(s, D(1), D(10)),
            (V{"e1#0 02 09-02 10", "e1#1 03 09-03 10", "e7#4 06 08-06 09", "e9#30 06 12-06 13"}));
}

TEST(StorageTest, OccurrencesOverlappingTheRangeComeByStartThenId) {
  TcxSchedulerDBStorage s;
  s.SetEvents({Evento(5, D(4, 22), D(5, 2)),  // overnight into the range
               Evento(3, D(5, 9), D(5, 10)), Evento(2, D(5, 9), D(5, 9)),
               Evento(4, D(6, 0), D(6, 1))});  // starts when the range ends
  EXPECT_EQ(Linhas(s, D(5), D(6)), (V{"e5#0 04 22-05 02", "e2#0 05 09-05 09", "e3#0 05 09-05 10"}));
}

TEST(StorageTest, AllDayRunsFromMidnightOfItsFirstDayToMidnightAfterItsLast) {
  TcxSchedulerEvent e = Evento(1, D(5, 10), D(7, 15));
  e.Options = eoAllDayEvent;
  TcxSchedulerDBStorage s;
  s.SetEvents({e});
  EXPECT_EQ(Linhas(s, D(1), D(10)), (V{"e1#0 05 00-08 00"}));
}

TEST(StorageTest, BadSeriesAndUnknownKindsNameTheirAppointment) {
  TcxSchedulerDBStorage s;
  for (const char* regra : {"", "FREQ=HOURLY;COUNT=2", "bobagem"}) {
    try {
      s.SetEvents({Evento(41, D(1), D(1, 1), etPattern, regra)});
      FAIL() << regra;
    } catch (const Exception& e) {
      EXPECT_NE(e.Message().find("Agendamento 41"), std::string::npos) << e.Message();
    }
  }
  try {
    s.SetEvents({Evento(42, D(1), D(1, 1), 7)});
    FAIL();
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("Agendamento 42"), std::string::npos);
  }
}

}  // namespace
}  // namespace vireo
