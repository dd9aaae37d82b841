#include "memtable/DataSource.h"

#include <algorithm>

#include "memtable/DataLink.h"
#include "memtable/DataSet.h"

namespace memtable {

TDataSource::~TDataSource() {
  for (TDataLink* link : std::vector<TDataLink*>(links_)) link->SetDataSource(nullptr);
  if (dataSet_) {
    auto& list = dataSet_->dataSources_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
}

bool TDataSource::IsLinkedTo(const TDataSet* ds) const {
  while (ds) {
    TDataSource* master = ds->MasterDataSource();
    if (!master) break;
    if (master == this) return true;
    ds = master->dataSet_;
  }
  return false;
}

void TDataSource::SetDataSet(TDataSet* ds) {
  if (ds == dataSet_) return;
  if (IsLinkedTo(ds)) DatabaseError(SCircularDataLink, Name());
  if (dataSet_) {
    auto& list = dataSet_->dataSources_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    TDataSet* old = dataSet_;
    dataSet_ = nullptr;
    old->UpdateBufferCount();
  }
  if (ds) {
    ds->dataSources_.push_back(this);
    dataSet_ = ds;
    ds->UpdateBufferCount();
  }
  UpdateState();
}

void TDataSource::DataSetDestroyed() {
  dataSet_ = nullptr;
  UpdateState();
}

void TDataSource::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  UpdateState();
}

void TDataSource::Edit() {
  if (autoEdit_ && state_ == dsBrowse && dataSet_) dataSet_->Edit();
}

int TDataSource::MaxBufferCount() const {
  int n = 1;
  for (TDataLink* link : links_) n = std::max(n, link->BufferCount());
  return n;
}

void TDataSource::AddLink(TDataLink* link) {
  links_.push_back(link);
  if (dataSet_) dataSet_->UpdateBufferCount();
  link->UpdateState();
}

void TDataSource::RemoveLink(TDataLink* link) {
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
  link->SetActive(false);
  if (dataSet_) dataSet_->UpdateBufferCount();
}

void TDataSource::UpdateState() {
  TDataSetState newState = (enabled_ && dataSet_) ? dataSet_->State() : dsInactive;
  if (newState == state_) return;
  TDataSetState previous = state_;
  state_ = newState;
  NotifyLinks(deUpdateState, 0);
  if (OnStateChange) OnStateChange(this);
  if (previous == dsInactive && OnDataChange) OnDataChange(this, nullptr);
}

void TDataSource::NotifyLinks(TDataEvent event, std::intptr_t info) {
  // Non-visual links first, then the controls' links; each group from the most
  // recently attached back.
  std::vector<TDataLink*> snapshot(links_);
  for (int pass = 0; pass < 2; ++pass) {
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
      TDataLink* link = *it;
      if (link->VisualControl() != (pass == 1)) continue;
      if (std::find(links_.begin(), links_.end(), link) == links_.end()) continue;
      link->DataEvent(event, info);
    }
  }
}

void TDataSource::DataEvent(TDataEvent event, std::intptr_t info) {
  if (event == deUpdateState) {
    UpdateState();
    return;
  }
  if (state_ == dsInactive) return;
  NotifyLinks(event, info);
  switch (event) {
    case deFieldChange:
      if (OnDataChange) OnDataChange(this, reinterpret_cast<TField*>(info));
      break;
    case deRecordChange:
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
      if (OnDataChange) OnDataChange(this, nullptr);
      break;
    case deUpdateRecord:
      if (OnUpdateData) OnUpdateData(this);
      break;
    default:
      break;
  }
}

}  // namespace memtable
