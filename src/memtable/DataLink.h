// The base data link: how a data-aware control (or any other follower) hears a
// dataset's data events through a data source.
#pragma once

#include <cstdint>

#include "memtable/DBTypes.h"

namespace memtable {

class TDataSet;
class TDataSource;
class TField;

class TDataLink {
 public:
  TDataLink() = default;
  virtual ~TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  TDataSource* DataSource() const { return dataSource_; }
  void SetDataSource(TDataSource* source);
  TDataSet* DataSet() const;
  // True while the source is attached to an open dataset.
  bool Active() const { return active_; }
  // True while the dataset is in edit, insert or key entry (as seen through
  // the source) and the link is not read-only.
  bool Editing() const { return editing_; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  // True while the link writes its data back.
  bool Updating() const { return updating_; }
  int BufferCount() const { return bufferCount_; }
  void SetBufferCount(int value);
  // The link's active record within its own buffers.
  int ActiveRecord() const;
  int RecordCount() const;
  // Asks the source to put the dataset into edit; true when it is editing.
  bool Edit();
  void UpdateRecord();
  // Links of controls are told after the others.
  virtual bool VisualControl() const { return false; }

  // Called by the data source.
  void DataEvent(TDataEvent event, std::intptr_t info);

 protected:
  virtual void ActiveChanged() {}
  virtual void EditingChanged() {}
  virtual void CheckBrowseMode() {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void DataSetScrolled(int /*distance*/) { DataSetChanged(); }
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void RecordChanged(TField* /*field*/) {}
  virtual void UpdateData() {}
  virtual void FocusControl(TField** /*field*/) {}

 private:
  friend class TDataSource;
  void UpdateState();
  void SetActive(bool value);
  void SetEditing(bool value);

  TDataSource* dataSource_ = nullptr;
  int bufferCount_ = 1;
  int firstRecord_ = 0;
  bool active_ = false;
  bool editing_ = false;
  bool readOnly_ = false;
  bool updating_ = false;
};

}  // namespace memtable
