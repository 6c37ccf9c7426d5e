// TnClientDataSet: an in-memory table with typed fields and a current row.
//
// Rows are stored column by column (one typed vector per field plus a null
// mark), so a dataset of a million rows costs a few vectors, not a million
// allocations.  The visible rows are a view over the stored ones: the index
// order (SetIndexFieldNames), then a range on a prefix of the index
// (SetRange), then an equality filter (Filter/Filtered).  The current row is a
// position in that view; a TField reads the current row of its dataset.
//
// Index order: nulls first, numbers by value, texts by their UTF-8 bytes
// (case-sensitive); ties keep insertion order.  The view is brought up to date
// lazily, on the first read after a change, so loading rows one Append/Post at
// a time never re-sorts.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "host/core/export.h"
#include "host/core/object.h"
#include "host/core/variant.h"
#include "host/data/cell.h"

namespace vireo {

enum class TFieldType { Integer, Float, String, DateTime, Boolean, Blob };

class TnClientDataSet;

struct VIREO_API TFieldDef {
  std::string name;
  TFieldType type = TFieldType::String;
  int size = 0;  // declared length of a string field; informative only
};

// A column of a dataset, read and written through the dataset's current row.
class VIREO_API TField {
 public:
  TField(TnClientDataSet* owner, int index, TFieldDef def);

  const std::string& FieldName() const { return def_.name; }
  TFieldType DataType() const { return def_.type; }
  int Index() const { return index_; }
  TnClientDataSet* DataSet() const { return owner_; }

  // Delphi conversions: null reads as 0, "" or 0.0; a text that is not a
  // number raises EConvertError when read as one.
  bool IsNull() const;
  std::string AsString() const;
  int64_t AsInteger() const;
  double AsFloat() const;
  TDateTime AsDateTime() const;
  bool AsBoolean() const;
  Variant Value() const;

  // Writes go to the row being edited or appended (see Append/Edit/Post).
  void SetAsString(const std::string& v);
  void SetAsInteger(int64_t v);
  void SetAsFloat(double v);
  void SetAsDateTime(TDateTime v);
  void SetAsBoolean(bool v);
  void SetValue(const Variant& v);
  void Clear();  // null

 private:
  VIREO_LOCAL int WriteRow() const;  // the row being edited; raises when none

  TnClientDataSet* owner_;
  int index_;
  TFieldDef def_;
};

class VIREO_API TnClientDataSet : public TObject {
 public:
  TnClientDataSet();
  ~TnClientDataSet() noexcept override;

  // --- structure --------------------------------------------------------
  std::vector<TFieldDef>& FieldDefs() { return defs_; }
  void AddFieldDef(const std::string& name, TFieldType type, int size = 0);
  // Creates the fields from FieldDefs; the dataset is then open and empty.
  void CreateDataSet();
  bool Active() const { return active_; }
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  TField* Fields(int i) const;
  // Raises when no field has that name (compared without regard to case).
  TField* FieldByName(const std::string& name) const;
  TField* FindField(const std::string& name) const;  // null when missing

  // --- navigation -------------------------------------------------------
  // Delphi cursor flags: First sets Bof, Last sets Eof, Next past the last
  // row sets Eof and stays on it; on an empty view both are true.
  void First();
  void Last();
  void Next();
  void Prior();
  bool Eof() const;
  bool Bof() const;
  bool IsEmpty() const { return RecordCount() == 0; }
  int RecordCount() const;  // rows visible through index, range and filter
  int RecNo() const;        // 1-based position in the view, 0 when empty
  void SetRecNo(int recno);

  // --- order, ranges, search, filter ------------------------------------
  // Names joined by ";"; ascending, stable (ties keep insertion order).
  // An empty text restores insertion order.  Cancels any range and moves to
  // the first row.  May be set before CreateDataSet.
  void SetIndexFieldNames(const std::string& names);
  const std::string& IndexFieldNames() const { return index_names_; }
  // Rows whose leading index fields lie between the two keys (inclusive).
  // The keys may name fewer values than the index has fields.  Values are
  // converted to the field's type (the text "3" matches the integer 3).
  void SetRange(const std::vector<Variant>& start, const std::vector<Variant>& end);
  void CancelRange();
  // Moves to the first row whose leading index fields equal the key; on a
  // miss answers false and leaves the cursor where it was.
  bool FindKey(const std::vector<Variant>& key);
  // Equality tests joined by "and", e.g. "CODIGOESCRIT = 3 and TIPO = 'A'":
  // numbers written with ".", texts in single quotes ('O''Brien').  Applies
  // after the range, while Filtered is on.
  void SetFilter(const std::string& filter);
  const std::string& Filter() const { return filter_text_; }
  void SetFiltered(bool on);
  bool Filtered() const { return filtered_; }

  // --- editing ----------------------------------------------------------
  // Moving the cursor (or Append/Edit) while a row is being edited posts it
  // when a field was written, and cancels it otherwise.
  void Append();  // starts a new row (all null) that Post adds
  void Edit();    // starts editing the current row; on an empty set, Append
  void Post();    // the cursor then rests on the posted row, in index order
  void Cancel();
  void Delete();  // removes the current row; the cursor goes to the next one
  void EmptyDataSet();
  void SetLogChanges(bool on) { log_changes_ = on; }
  bool LogChanges() const { return log_changes_; }

  // An independent copy: same fields, same rows, its own cursor and order.
  // The copy starts in insertion order, with no range and no filter.
  TnClientDataSet* CloneCDS() const;

  // The query that filled the dataset, kept so RefreshSQL can run it again.
  void SetCommandText(std::string sql) { command_text_ = std::move(sql); }
  const std::string& CommandText() const { return command_text_; }

  // --- mappers ----------------------------------------------------------
  // The dataset's cached mapper of class M, created and bound on first use;
  // the dataset owns it.
  template <class M>
  M* GetMapper();

  // --- storage access for the field class and loaders -------------------
  struct Column;            // host/data/column.h
  Column& ColumnAt(int i);  // unchecked
  const Column& ColumnAt(int i) const;
  int CurrentRow() const;  // stored row under the cursor, -1 when none
  bool Editing() const { return state_ != State::Browse; }
  // Bulk loading: Reserve room for that many more rows, then for each row
  // Append, write the fields with Set*/Clear through the field objects, and
  // Post.
  void Reserve(int rows);

 private:
  enum class State { Browse, Insert, Edit };
  struct FilterTerm {
    int field;
    Cell value;
  };

  VIREO_LOCAL void CheckActive(const char* operation) const;
  VIREO_LOCAL void CheckIndex(const char* operation) const;
  VIREO_LOCAL void CheckBrowseMode();  // posts or cancels the row being edited
  VIREO_LOCAL void ResolveIndex();
  VIREO_LOCAL void ResolveFilter(const std::string& text);
  VIREO_LOCAL std::vector<Cell> KeyCells(const std::vector<Variant>& key) const;
  VIREO_LOCAL void PlacePosted(int row);
  VIREO_LOCAL void ForgetRow(int row);
  VIREO_LOCAL bool IndexFieldsChanged(int row) const;
  VIREO_LOCAL void MoveTo(int pos) const;

  // The view is brought up to date on demand, also by const readers.
  VIREO_LOCAL void EnsureView() const;
  VIREO_LOCAL void RebuildView() const;
  VIREO_LOCAL void RebuildOrder() const;
  VIREO_LOCAL void MergePending() const;
  VIREO_LOCAL bool RowLess(int a, int b) const;  // index order, ties by insertion
  VIREO_LOCAL int CompareRows(int a, int b) const;
  VIREO_LOCAL int CompareKey(int row, const std::vector<Cell>& key) const;
  VIREO_LOCAL bool PassesFilter(int row) const;
  bool FilterOn() const { return filtered_ && !filter_terms_.empty(); }

  std::vector<TFieldDef> defs_;
  std::vector<std::unique_ptr<TField>> fields_;
  std::vector<std::unique_ptr<Column>> columns_;
  std::map<std::string, int> field_index_;  // upper-cased name -> index
  bool active_ = false;
  int row_count_ = 0;                 // stored rows, posted ones only
  std::vector<uint8_t> deleted_;      // per stored row
  mutable std::vector<int> order_;    // live rows in index order, but pending_
  mutable std::vector<int> pending_;  // posted rows still to merge into order_
  mutable bool order_stale_ = false;  // order_ to be rebuilt from scratch
  mutable std::vector<int> view_;     // visible rows after range and filter
  mutable bool view_stale_ = false;
  mutable int land_row_ = -1;  // stored row the cursor lands on at the rebuild
  mutable int pos_ = 0;        // position in view_
  mutable bool bof_ = true;
  mutable bool eof_ = true;
  std::string index_names_;
  std::vector<int> index_fields_;
  bool range_on_ = false;
  std::vector<Cell> range_start_, range_end_;
  std::string filter_text_;
  bool filtered_ = false;
  std::vector<FilterTerm> filter_terms_;
  State state_ = State::Browse;
  int edit_row_ = -1;
  bool modified_ = false;        // a field was written since Append/Edit
  std::vector<Cell> saved_row_;  // the edited row as it was at Edit
  bool log_changes_ = true;
  std::map<std::type_index, std::shared_ptr<void>> mappers_;
  std::string command_text_;

  friend class TField;
};

}  // namespace vireo

#include "host/data/column.h"
#include "host/data/mapper.h"

namespace vireo {
template <class M>
M* TnClientDataSet::GetMapper() {
  auto it = mappers_.find(typeid(M));
  if (it != mappers_.end()) return static_cast<M*>(it->second.get());
  auto m = std::make_shared<M>();
  TnFieldMapper::MapearFields(this, *m);
  mappers_[typeid(M)] = m;
  return m.get();
}
}  // namespace vireo
