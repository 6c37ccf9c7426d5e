// How a scheduler storage reads the agenda table: which column holds each
// field of an appointment, the custom fields it carries along, and the table
// it reads the exceptions of its series from.
#pragma once

#include <string>
#include <vector>

#include "host/core/export.h"

namespace vireo {

struct VIREO_API TcxSchedulerDBStorageFieldNames {
  std::string ID;
  std::string ParentID;
  std::string Start;
  std::string Finish;
  std::string Caption;
  std::string Message;
  std::string Location;
  std::string EventType;
  std::string State;
  std::string Options;
  std::string LabelColor;
  std::string ResourceID;
  std::string RecurrenceIndex;
  std::string RecurrenceInfo;
  std::string ReminderMinutes;
};

struct VIREO_API TcxStorageSettings {
  TcxSchedulerDBStorageFieldNames FieldNames;
  std::vector<std::string> CustomFields;
  // The table the rows come from; empty: the storage reads only its data
  // source (no exceptions from outside it).
  std::string TableName;
};

}  // namespace vireo
