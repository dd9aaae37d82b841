// The competitors dialog (unit Unit_Competitors): created hidden at start-up
// and shown modally from the console's menu. The operator looks up, adds,
// changes and deletes competitors here: a list built from the competitor
// table with a find box, and one data-aware editor per field of the
// current competitor.
#pragma once

#include <cstdint>
#include <exception>

#include "component/Component.h"
#include "memtable/DataSet.h"
#include "platform/window/Messages.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinDBControls.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinListBox.h"
#include "toolkit/Form.h"
#include "toolkit/OwnerDrawState.h"

namespace app {

// The reference object of a list item: the ID of the competitor it stands
// for. The list owns these; the "New Dog" placeholder has none.
class TCompListObj : public component::TObject {
 public:
  explicit TCompListObj(std::int32_t id) : ID(id) {}
  std::int32_t ID;
};

// Posted to the dialog: the error of a commit that failed while it was
// being shown, reported once it is on the screen.
inline constexpr platform::UINT WM_SHOWPENDINGERROR = platform::WM_APP + 0x27;

class TCompetitors : public toolkit::TForm {
 public:
  COMPONENT_CLASS_INFO()
  explicit TCompetitors(component::TComponent* owner);
  ~TCompetitors() override;

  // Components of the stored description, bound by name once it is read.
  skin::TSkinButton* btnClose = nullptr;
  skin::TSkinButton* btnNew = nullptr;
  skin::TSkinButton* btnDelete = nullptr;
  skin::TSkinButton* btnRefresh = nullptr;
  skin::TSkinButton* btnOpen = nullptr;
  skin::TSkinButton* btnSave = nullptr;
  skin::TSkinListBox* CompList = nullptr;
  skin::TSkinEdit* CompFind = nullptr;
  skin::TSkinGroupBox* skGroupBox1 = nullptr;
  skin::TSkinBevel* skBevel1 = nullptr;
  skin::TSkinDBEdit* edtStartNo = nullptr;
  skin::TSkinDBEdit* edtDogNick = nullptr;
  skin::TSkinDBEdit* edtDogAge = nullptr;
  skin::TSkinDBComboBox* cmbDogSex = nullptr;
  skin::TSkinDBEdit* edtDogBreed = nullptr;
  skin::TSkinDBEdit* edtOwnFirstName = nullptr;
  skin::TSkinDBEdit* edtOwnLastName = nullptr;
  skin::TSkinDBEdit* edtOwnOrg = nullptr;
  skin::TSkinDBEdit* edtCity = nullptr;
  skin::TSkinDBEdit* edtCountry = nullptr;
  skin::TSkinDBEdit* edtComments = nullptr;

  void FormCreate(component::TObject* Sender);
  void FormShow(component::TObject* Sender);
  void FormCloseQuery(component::TObject* Sender, bool& CanClose);
  void FormClose(component::TObject* Sender, toolkit::TCloseAction& Action);
  void btnCloseClick(component::TObject* Sender);
  void btnNewClick(component::TObject* Sender);
  void btnDeleteClick(component::TObject* Sender);
  void btnRefreshClick(component::TObject* Sender);
  void CompListClick(component::TObject* Sender);
  void CompListDrawItem(toolkit::TWinControl* Control, int Index, platform::RECT Rect,
                        toolkit::TOwnerDrawState State);
  void CompFindChange(component::TObject* Sender);

  // Rebuilds the list from the table: one item per record in row order.
  void RefreshCompList();
  // Frees the reference objects and empties the list.
  void ClearCompList();
  // Empties the find box and moves the table to the selected competitor.
  void SyncToSelection();
  void CompTableAfterPost(memtable::TDataSet* DataSet);

 protected:
  void Loaded() override;
  void WndProc(toolkit::TMessage& message) override;

 private:
  // The row that stands for the table's current record (the placeholder
  // for an unposted new one), or -1.
  int TableRecordRow() const;
  // Selects that row, so the list shows where the table is.
  void SelectTableRecord();
  void ShowPendingError();

  // The console's table calls back here: this window's creation hook ran.
  bool tableHooked_ = false;
  // Set while a commit runs whose caller rebuilds the list itself.
  bool rebuildHeld_ = false;
  // The list was kept at closing for a change left pending.
  bool listKept_ = false;
  std::exception_ptr pendingError_;
};

// Set before the window's construction begins.
extern TCompetitors* Competitors;

}  // namespace app
