// TcxSchedulerDBStorage: the appointments of a dataset, read through the
// storage's settings, and the occurrences they have in a range of days.
//
// Besides its rows, the storage reads the exception rows of its series from
// the table, wherever they lie in time and whatever their state, only to
// hide the occurrences they replace: an occurrence moved out of the rows
// read (past the period, or completed on its own) never shows in its
// original place.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "host/core/datetime.h"
#include "host/core/export.h"
#include "host/core/object.h"
#include "host/scheduler/recurrence.h"
#include "host/scheduler/scheduler_event.h"
#include "host/scheduler/storage_settings.h"

namespace vireo {

class TnClientDataSet;

// The link between a dataset and the storage that reads it.
class VIREO_API TDataSource : public TObject {
 public:
  TDataSource();
  ~TDataSource() noexcept override;
  TnClientDataSet* DataSet() const { return dataset_; }
  void SetDataSet(TnClientDataSet* dataset) { dataset_ = dataset; }

 private:
  TnClientDataSet* dataset_ = nullptr;
};

class VIREO_API TcxSchedulerDBStorage : public TObject {
 public:
  TcxSchedulerDBStorage();
  ~TcxSchedulerDBStorage() noexcept override;

  // Every published setting of `source` but its name and data source.
  void Assign(const TcxSchedulerDBStorage& source);

  TcxStorageSettings& Settings() { return settings_; }
  const TcxStorageSettings& Settings() const { return settings_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  TDataSource* DataSource() const { return data_source_; }
  void SetDataSource(TDataSource* source) { data_source_ = source; }

  // Reads every row of the data source's dataset (and the exceptions of
  // its series).  A series whose rule cannot be read, or a row of an
  // unknown kind, raises naming its ID.
  void FullRefresh();
  // Takes the appointments as they are (tests, the editor).
  void SetEvents(std::vector<TcxSchedulerEvent> events);

  const std::vector<TcxSchedulerEvent>& Events() const { return events_; }
  bool HasCustomField(const std::string& name) const;

  // Occurrences overlapping [first, end): by start, then ID.
  std::vector<TcxSchedulerOccurrence> GetOccurrences(TDateTime first, TDateTime end) const;

 private:
  VIREO_LOCAL void ReadSeriesExceptions();
  VIREO_LOCAL void Index();
  VIREO_LOCAL void AddSeriesOccurrences(const TcxSchedulerEvent& series, TDateTime first,
                                        TDateTime end,
                                        std::vector<TcxSchedulerOccurrence>& out) const;

  std::string name_;
  TcxStorageSettings settings_;
  TDataSource* data_source_ = nullptr;
  std::vector<TcxSchedulerEvent> events_;
  std::set<std::string> custom_present_;    // custom fields the dataset has, upper case
  std::map<int, TcxRecurrence> rules_;      // by series ID
  std::set<std::pair<int, int>> replaced_;  // (series ID, index) with an exception row
};

// "Agendamento N: " + what: the error of one appointment.
VIREO_API std::string AgendamentoMsg(int id, const std::string& what);

}  // namespace vireo
