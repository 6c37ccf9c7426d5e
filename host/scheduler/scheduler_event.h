// An appointment of the agenda as the scheduler keeps it: one row of the
// agenda table read through the storage's field settings.
//
// Kinds (TIPOTAREFA): a single appointment, a series with its recurrence
// rule, and the two kinds of exception of a series' occurrence: changed
// (listed with its own values instead of the series') and deleted (not
// listed).  An exception names its series (ParentID) and the index of the
// occurrence it replaces (RecurrenceIndex; 0 is the series' start).
#pragma once

#include <map>
#include <optional>
#include <string>

#include "host/core/datetime.h"
#include "host/core/export.h"
#include "host/core/variant.h"

namespace vireo {

enum TcxEventType : int {
  etNone = 0,       // a single appointment
  etPattern = 1,    // a series
  etCustom = 2,     // a changed occurrence of a series
  etException = 3,  // a deleted occurrence of a series
};

// Bits of the options column.
enum TcxEventOption : int {
  eoAllDayEvent = 1,
  eoReminder = 2,
};

// How the time is shown to others (ESTADOTAREFA).
enum TcxEventState : int {
  tlsFree = 0,
  tlsTentative = 1,
  tlsBusy = 2,
  tlsOutOfOffice = 3,
};

// The label colour that means "no label" (also a null column).
constexpr int kSemLabel = 536870912;

struct VIREO_API TcxSchedulerEvent {
  int ID = 0;
  std::optional<int> ParentID;
  TDateTime Start = 0;
  TDateTime Finish = 0;
  std::string Caption;
  std::string Message;
  std::string Location;
  int EventType = etNone;
  int State = tlsBusy;
  int Options = 0;
  std::optional<int> LabelColor;  // 0xBBGGRR; none when null
  std::optional<int> ResourceID;
  std::optional<int> RecurrenceIndex;
  std::string RecurrenceInfo;
  std::optional<int> ReminderMinutes;
  // The custom fields, by the column's name in upper case.
  std::map<std::string, Variant> Custom;

  bool AllDay() const { return (Options & eoAllDayEvent) != 0; }
  bool Reminder() const { return (Options & eoReminder) != 0; }
  bool HasLabel() const { return LabelColor && *LabelColor != kSemLabel; }
  // A custom field's value; null when the storage has no such field.
  Variant GetCustomFieldValueByName(const std::string& name) const;
  void SetCustomFieldValueByName(const std::string& name, const Variant& value);
};

// One occurrence as the scheduler lists it: the event it comes from (a
// single appointment, a series or a changed occurrence), its times and its
// index in the series (0 for one that is no series').
struct VIREO_API TcxSchedulerOccurrence {
  const TcxSchedulerEvent* Event = nullptr;
  TDateTime Start = 0;
  TDateTime Finish = 0;
  int Index = 0;
};

}  // namespace vireo
