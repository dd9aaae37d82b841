// The data source: forwards a dataset's data events to its links and keeps a
// state of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "component/Component.h"
#include "memtable/DBTypes.h"

namespace memtable {

class TDataSet;
class TDataLink;
class TField;

class TDataSource : public component::TComponent {
 public:
  COMPONENT_CLASS_INFO()

  explicit TDataSource(component::TComponent* owner = nullptr) : component::TComponent(owner) {}
  ~TDataSource() override;
  TDataSet* DataSet() const { return dataSet_; }
  // Fails with "Circular datalinks are not allowed" when the dataset leads back
  // to this source.
  void SetDataSet(TDataSet* ds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool AutoEdit() const { return autoEdit_; }
  void SetAutoEdit(bool v) { autoEdit_ = v; }
  TDataSetState State() const { return state_; }
  // Puts the dataset into edit when AutoEdit is set and the source browses.
  void Edit();
  bool IsLinkedTo(const TDataSet* ds) const;

  std::function<void(TDataSource*)> OnStateChange;
  std::function<void(TDataSource*, TField*)> OnDataChange;
  std::function<void(TDataSource*)> OnUpdateData;

  // Called by the dataset.
  void DataEvent(TDataEvent event, std::intptr_t info);
  int MaxBufferCount() const;
  // The dataset is being destroyed: forget it.
  void DataSetDestroyed();

 private:
  friend class TDataLink;
  void AddLink(TDataLink* link);
  void RemoveLink(TDataLink* link);
  void UpdateState();
  void NotifyLinks(TDataEvent event, std::intptr_t info);

  TDataSet* dataSet_ = nullptr;
  bool enabled_ = true;
  bool autoEdit_ = true;
  TDataSetState state_ = dsInactive;
  std::vector<TDataLink*> links_;
};

}  // namespace memtable
