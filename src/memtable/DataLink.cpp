#include "memtable/DataLink.h"

#include "component/ScopeGuards.h"
#include "memtable/DataSet.h"
#include "memtable/DataSource.h"

namespace memtable {

using component::TScopeExit;

TDataLink::~TDataLink() {
  if (dataSource_) dataSource_->RemoveLink(this);
}

void TDataLink::SetDataSource(TDataSource* source) {
  if (source == dataSource_) return;
  if (dataSource_) dataSource_->RemoveLink(this);
  dataSource_ = source;
  if (dataSource_) dataSource_->AddLink(this);
}

TDataSet* TDataLink::DataSet() const {
  return dataSource_ ? dataSource_->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool v) {
  if (readOnly_ == v) return;
  readOnly_ = v;
  UpdateState();
}

void TDataLink::SetBufferCount(int value) {
  if (value < 1) value = 1;
  if (value == bufferCount_) return;
  bufferCount_ = value;
  if (TDataSet* ds = DataSet()) ds->UpdateBufferCount();
}

int TDataLink::ActiveRecord() const {
  TDataSet* ds = DataSet();
  if (!ds || !active_) return 0;
  int r = ds->ActiveRecord() - firstRecord_;
  return r < 0 ? 0 : r;
}

int TDataLink::RecordCount() const {
  TDataSet* ds = DataSet();
  if (!ds || !active_) return 0;
  int n = ds->WindowRecordCount();
  return n > bufferCount_ ? bufferCount_ : n;
}

bool TDataLink::Edit() {
  if (!readOnly_ && dataSource_) dataSource_->Edit();
  return editing_;
}

void TDataLink::UpdateRecord() {
  updating_ = true;
  TScopeExit done([this] { updating_ = false; });
  UpdateData();
}

void TDataLink::SetActive(bool value) {
  if (active_ == value) return;
  active_ = value;
  if (value) firstRecord_ = 0;
  ActiveChanged();
}

void TDataLink::SetEditing(bool value) {
  if (editing_ == value) return;
  editing_ = value;
  EditingChanged();
}

void TDataLink::UpdateState() {
  TDataSetState s = dataSource_ ? dataSource_->State() : dsInactive;
  SetActive(s != dsInactive);
  SetEditing((s == dsEdit || s == dsInsert || s == dsSetKey) && !readOnly_);
}

void TDataLink::DataEvent(TDataEvent event, std::intptr_t info) {
  switch (event) {
    case deUpdateState:
      UpdateState();
      break;
    case deFieldChange:
    case deRecordChange:
      if (!updating_) RecordChanged(reinterpret_cast<TField*>(info));
      break;
    case deDataSetChange:
      DataSetChanged();
      break;
    case deDataSetScroll:
      DataSetScrolled(static_cast<int>(info));
      break;
    case deLayoutChange:
      LayoutChanged();
      break;
    case deUpdateRecord:
      UpdateRecord();
      break;
    case deCheckBrowseMode:
      CheckBrowseMode();
      break;
    case deFocusControl:
      FocusControl(reinterpret_cast<TField**>(info));
      break;
    default:
      break;
  }
}

}  // namespace memtable
