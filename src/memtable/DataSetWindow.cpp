// The record-buffer window: the few records around the cursor that the
// dataset keeps in buffers for its data sources, filled, shifted and
// refilled as the cursor moves.
#include "memtable/DataSet.h"

#include <algorithm>

#include "component/ScopeGuards.h"
#include "memtable/DataSource.h"

namespace memtable {

using component::TScopeExit;
using component::TScopeFail;

// --- buffers ----------------------------------------------------------------

TRecordBuffer TDataSet::OtherActiveBuffer() const {
  switch (state_) {
    case dsEdit:
    case dsInsert:
    case dsNewValue:
    case dsCurValue:
    case dsBlockRead:
      return buffers_.empty() ? nullptr : buffers_[activeRecord_];
    case dsSetKey:
      return keyBuffer_;
    case dsCalcFields:
      return calcBuffer_;
    case dsFilter:
      return filterBuffer_;
    default:
      return nullptr;
  }
}

void TDataSet::SetBufListSize(int value) {
  if (value == bufferCount_ && !buffers_.empty()) return;
  int oldSize = static_cast<int>(buffers_.size());
  if (value + 1 > oldSize) {
    buffers_.resize(value + 1, nullptr);
    for (int i = oldSize; i <= value; ++i) buffers_[i] = AllocRecordBuffer();
  } else {
    // Keep the active record inside the smaller window.
    int delta = activeRecord_ - (value - 1);
    if (delta > 0 && recordCount_ > 0) {
      std::rotate(buffers_.begin(), buffers_.begin() + delta, buffers_.begin() + oldSize);
      recordCount_ -= delta;
      activeRecord_ -= delta;
    }
    if (recordCount_ > value) recordCount_ = value;
    for (int i = value + 1; i < oldSize; ++i) FreeRecordBuffer(buffers_[i]);
    buffers_.resize(value + 1);
  }
  bufferCount_ = value;
  currentRecord_ = -1;
}

void TDataSet::UpdateBufferCount() {
  if (!IsCursorOpen()) return;
  int wanted = 1;
  for (TDataSource* src : dataSources_) wanted = std::max(wanted, src->MaxBufferCount());
  if (wanted == bufferCount_ && !buffers_.empty()) return;
  bool grow = wanted > bufferCount_;
  SetBufListSize(wanted);
  if (grow && recordCount_ > 0) {
    GetNextRecords();
    GetPriorRecords();
  }
}

void TDataSet::ClearBuffers() {
  recordCount_ = 0;
  activeRecord_ = 0;
  currentRecord_ = -1;
  bof_ = true;
  eof_ = true;
}

void TDataSet::ActivateBuffers() {
  recordCount_ = 1;
  activeRecord_ = 0;
  currentRecord_ = 0;
  bof_ = false;
  eof_ = false;
}

void TDataSet::RotateBuffers(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  TRecordBuffer b = buffers_[curIndex];
  if (curIndex < newIndex) {
    std::move(buffers_.begin() + curIndex + 1, buffers_.begin() + newIndex + 1,
              buffers_.begin() + curIndex);
  } else {
    std::move_backward(buffers_.begin() + newIndex, buffers_.begin() + curIndex,
                       buffers_.begin() + curIndex + 1);
  }
  buffers_[newIndex] = b;
}

void TDataSet::SetCurrentRecord(int index) {
  if (currentRecord_ != index) {
    InternalSetToRecord(buffers_[index]);
    currentRecord_ = index;
  }
}

void TDataSet::UpdateCursorPos() {
  if (recordCount_ > 0) SetCurrentRecord(activeRecord_);
}

inline bool TDataSet::GetNextRecord() {
  if (recordCount_ > 0) SetCurrentRecord(recordCount_ - 1);
  bool ok = GetRecord(buffers_[recordCount_], gmNext, true) == grOK;
  if (ok) {
    if (recordCount_ == 0) {
      ActivateBuffers();
    } else if (recordCount_ < bufferCount_) {
      ++recordCount_;
    } else {
      MoveBuffer(0, recordCount_);
    }
    currentRecord_ = recordCount_ - 1;
  } else {
    CursorPosChanged();
  }
  return ok;
}

bool TDataSet::GetPriorRecord() {
  if (recordCount_ > 0) SetCurrentRecord(0);
  bool ok = GetRecord(buffers_[recordCount_], gmPrior, true) == grOK;
  if (ok) {
    if (recordCount_ == 0) {
      ActivateBuffers();
    } else {
      MoveBuffer(recordCount_, 0);
      if (recordCount_ < bufferCount_) {
        ++recordCount_;
        ++activeRecord_;
      }
    }
    currentRecord_ = 0;
  } else {
    CursorPosChanged();
  }
  return ok;
}

int TDataSet::GetNextRecords() {
  int n = 0;
  while (recordCount_ < bufferCount_ && GetNextRecord()) ++n;
  return n;
}

int TDataSet::GetPriorRecords() {
  int n = 0;
  while (recordCount_ < bufferCount_ && GetPriorRecord()) ++n;
  return n;
}

void TDataSet::InitRecord(TRecordBuffer buffer) {
  InternalInitRecord(buffer);
  ClearCalcFields(buffer);
  SetBookmarkFlag(buffer, bfInserted);
}

void TDataSet::GetCalcFields(TRecordBuffer buffer) {
  if (!CalcFieldsWanted()) return;
  TTempState calc(*this, dsCalcFields, calcBuffer_, buffer);
  CalculateFields(buffer);
}

void TDataSet::Resync(unsigned mode) {
  if (mode & rmExact) {
    CursorPosChanged();
    if (GetRecord(buffers_[recordCount_], gmCurrent, true) != grOK) Error(SRecordNotFound);
  } else if (GetRecord(buffers_[recordCount_], gmCurrent, false) != grOK &&
             GetRecord(buffers_[recordCount_], gmNext, false) != grOK &&
             GetRecord(buffers_[recordCount_], gmPrior, false) != grOK) {
    ClearBuffers();
    DataEvent(deDataSetChange);
    return;
  }
  int count = (mode & rmCenter) ? (bufferCount_ - 1) / 2 : activeRecord_;
  MoveBuffer(recordCount_, 0);
  ActivateBuffers();
  // The links hear of the new window however far it was filled.
  auto notify = [this] { DataEvent(deDataSetChange); };
  TScopeFail failed(notify);
  while (count > 0 && GetPriorRecord()) --count;
  GetNextRecords();
  GetPriorRecords();
  failed.Done();
  notify();
}

// --- navigation -------------------------------------------------------------

void TDataSet::First() {
  CheckBrowseMode();
  DoBeforeScroll();
  ClearBuffers();
  TScopeExit done([this] {
    bof_ = true;
    DataEvent(deDataSetChange);
    DoAfterScroll();
  });
  InternalFirst();
  GetNextRecord();
  GetNextRecords();
}

void TDataSet::Last() {
  CheckBrowseMode();
  DoBeforeScroll();
  ClearBuffers();
  TScopeExit done([this] {
    eof_ = true;
    DataEvent(deDataSetChange);
    DoAfterScroll();
  });
  InternalLast();
  GetPriorRecord();
  GetPriorRecords();
}

int TDataSet::MoveBy(int distance) {
  CheckBrowseMode();
  DoBeforeScroll();
  // The common walk: one step on from the last record of a full window, with
  // no link to tell of it.
  if (distance == 1 && !eof_ && dataSources_.empty() && recordCount_ > 0 &&
      recordCount_ == bufferCount_ && activeRecord_ == recordCount_ - 1)
    return StepForward();
  return MoveWindow(distance);
}

int TDataSet::StepForward() {
  bof_ = false;
  TScopeFail failed([this] { DoAfterScroll(); });
  if (!GetNextRecord()) eof_ = true;
  failed.Done();
  DoAfterScroll();
  return eof_ ? 0 : 1;
}

int TDataSet::MoveWindow(int distance) {
  if ((distance > 0 && eof_) || (distance < 0 && bof_) || distance == 0) return 0;
  int result = 0;
  bof_ = false;
  eof_ = false;
  int oldRecordCount = recordCount_;
  int scrollCount = 0;
  // However the move ends, the links hear of it and AfterScroll fires.
  auto finish = [&] {
    if (recordCount_ != oldRecordCount)
      DataEvent(deDataSetChange);
    else
      DataEvent(deDataSetScroll, scrollCount);
    DoAfterScroll();
  };
  TScopeFail failed(finish);
  while (distance > 0) {
    if (activeRecord_ < recordCount_ - 1) {
      ++activeRecord_;
    } else {
      int shift = recordCount_ < bufferCount_ ? 0 : 1;
      if (GetNextRecord()) {
        scrollCount -= shift;
        if (activeRecord_ < recordCount_ - 1) ++activeRecord_;
      } else {
        eof_ = true;
        break;
      }
    }
    --distance;
    ++result;
  }
  while (distance < 0) {
    if (activeRecord_ > 0) {
      --activeRecord_;
    } else {
      int shift = recordCount_ < bufferCount_ ? 0 : 1;
      if (GetPriorRecord()) {
        scrollCount += shift;
        if (shift == 0 && activeRecord_ > 0) --activeRecord_;
      } else {
        bof_ = true;
        break;
      }
    }
    ++distance;
    --result;
  }
  failed.Done();
  finish();
  return result;
}

void TDataSet::Refresh() {
  Call(BeforeRefresh);
  CheckBrowseMode();
  UpdateCursorPos();
  InternalRefresh();
  Resync(0);
  Call(AfterRefresh);
}

int TDataSet::RecordCount() {
  CheckActive();
  return 0;
}

int TDataSet::RecNo() {
  return -1;
}

void TDataSet::SetRecNo(int) {}

}  // namespace memtable
