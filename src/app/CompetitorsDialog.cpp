#include "app/CompetitorsDialog.h"

#include <exception>
#include <utility>

#include "app/Bind.h"
#include "app/ConsoleWindow.h"
#include "component/ClassBuilder.h"
#include "component/Exception.h"
#include "component/ScopeGuards.h"
#include "memtable/Field.h"
#include "memtable/MemTable.h"
#include "platform/base/AsciiCase.h"
#include "platform/dialog/MessageBox.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "records/ProgramStrings.h"
#include "toolkit/Application.h"

namespace app {

using namespace component;
namespace p = platform;

TCompetitors* Competitors = nullptr;

const TClassInfo& TCompetitors::StaticClassInfo() {
  using T = TCompetitors;
  static const TClassInfo info = TClassBuilder<T, toolkit::TForm>("TCompetitors")
                                     .Method("FormCreate", &T::FormCreate)
                                     .Method("FormShow", &T::FormShow)
                                     .Method("FormCloseQuery", &T::FormCloseQuery)
                                     .Method("FormClose", &T::FormClose)
                                     .Method("btnCloseClick", &T::btnCloseClick)
                                     .Method("btnNewClick", &T::btnNewClick)
                                     .Method("btnDeleteClick", &T::btnDeleteClick)
                                     .Method("btnRefreshClick", &T::btnRefreshClick)
                                     .Method("CompListClick", &T::CompListClick)
                                     .Method("CompListDrawItem", &T::CompListDrawItem)
                                     .Method("CompFindChange", &T::CompFindChange)
                                     .Build();
  return info;
}

TCompetitors::TCompetitors(TComponent* owner) : toolkit::TForm(owner) {}

TCompetitors::~TCompetitors() {
  // The console may outlive the dialog: its table must not call back here.
  // Only the dialog that attached the handler takes it away: another one
  // (a default object of a writer, say) leaves the working dialog's alone.
  if (tableHooked_ && Main && Main->Table_Competitors) Main->Table_Competitors->AfterPost = nullptr;
  if (CompList) ClearCompList();
  if (Competitors == this) Competitors = nullptr;
}

void TCompetitors::Loaded() {
  btnClose = Bind<skin::TSkinButton>(*this, "btnClose");
  btnNew = Bind<skin::TSkinButton>(*this, "btnNew");
  btnDelete = Bind<skin::TSkinButton>(*this, "btnDelete");
  btnRefresh = Bind<skin::TSkinButton>(*this, "btnRefresh");
  btnOpen = Bind<skin::TSkinButton>(*this, "btnOpen");
  btnSave = Bind<skin::TSkinButton>(*this, "btnSave");
  CompList = Bind<skin::TSkinListBox>(*this, "CompList");
  CompFind = Bind<skin::TSkinEdit>(*this, "CompFind");
  skGroupBox1 = Bind<skin::TSkinGroupBox>(*this, "skGroupBox1");
  skBevel1 = Bind<skin::TSkinBevel>(*this, "skBevel1");
  edtStartNo = Bind<skin::TSkinDBEdit>(*this, "edtStartNo");
  edtDogNick = Bind<skin::TSkinDBEdit>(*this, "edtDogNick");
  edtDogAge = Bind<skin::TSkinDBEdit>(*this, "edtDogAge");
  cmbDogSex = Bind<skin::TSkinDBComboBox>(*this, "cmbDogSex");
  edtDogBreed = Bind<skin::TSkinDBEdit>(*this, "edtDogBreed");
  edtOwnFirstName = Bind<skin::TSkinDBEdit>(*this, "edtOwnFirstName");
  edtOwnLastName = Bind<skin::TSkinDBEdit>(*this, "edtOwnLastName");
  edtOwnOrg = Bind<skin::TSkinDBEdit>(*this, "edtOwnOrg");
  edtCity = Bind<skin::TSkinDBEdit>(*this, "edtCity");
  edtCountry = Bind<skin::TSkinDBEdit>(*this, "edtCountry");
  edtComments = Bind<skin::TSkinDBEdit>(*this, "edtComments");
  toolkit::TForm::Loaded();
}

void TCompetitors::FormCreate(TObject*) {
  cmbDogSex->Items()->Clear();
  cmbDogSex->Items()->Add(records::LoadResString(records::rsMaleDog));
  cmbDogSex->Items()->Add(records::LoadResString(records::rsBitch));
  Main->Table_Competitors->AfterPost = [this](memtable::TDataSet* ds) { CompTableAfterPost(ds); };
  tableHooked_ = true;
}

void TCompetitors::CompTableAfterPost(memtable::TDataSet*) {
  if (rebuildHeld_) return;  // the caller rebuilds in full right after
  RefreshCompList();
}

void TCompetitors::RefreshCompList() {
  memtable::TMemTable& table = *Main->Table_Competitors;
  const int selected = CompList->ItemIndex();
  // Committing may post, and the post rebuilds the list in full first; the
  // rebuild below then starts again from the table as it now is.
  table.CheckBrowseMode();
  memtable::TField* id = table.FieldByName("ID");
  memtable::TField* nick = table.FieldByName("Dog_Nick");
  memtable::TField* last = table.FieldByName("Owner_LastName");
  memtable::TField* first = table.FieldByName("Owner_FirstName");
  toolkit::TStrings& items = *CompList->Items();
  {
    // The list repaints once, when it is complete, not for every item; the
    // editors need not follow every row on the way.
    const bool quietList = CompList->HandleAllocated();
    if (quietList) p::SendMessage(CompList->Handle(), p::WM_SETREDRAW, 0, 0);
    TScopeExit redraw([&] {
      if (quietList) p::SendMessage(CompList->Handle(), p::WM_SETREDRAW, 1, 0);
    });
    ClearCompList();
    memtable::TDataSet::TControlsDisabled quiet(table);
    std::string text;
    for (table.First(); !table.Eof(); table.Next()) {
      text.clear();
      text += nick->AsString();
      text += " (";
      text += last->AsString();
      text += ", ";
      text += first->AsString();
      text += ')';
      items.AddObject(text, new TCompListObj(id->AsInteger()));
    }
  }
  const int count = CompList->Count();
  if (count == 0) return;
  int row = selected < 0 ? 0 : selected;
  if (row >= count) row = count - 1;
  CompList->SetItemIndex(row);
  SyncToSelection();
}

void TCompetitors::ClearCompList() {
  toolkit::TStrings& items = *CompList->Items();
  for (int i = 0; i < items.Count(); ++i) {
    delete items.Objects(i);
    items.SetObjects(i, nullptr);
  }
  items.Clear();
}

void TCompetitors::SyncToSelection() {
  CompFind->SetText("");
  const int i = CompList->ItemIndex();
  if (i < 0 || i >= CompList->Count()) return;
  auto* obj = dynamic_cast<TCompListObj*>(CompList->Items()->Objects(i));
  if (!obj) return;
  // Read before locating: a commit inside may rebuild the list and free it.
  const std::int32_t id = obj->ID;
  try {
    Main->Table_Competitors->Locate("ID", memtable::TVariant(id), 0);
  } catch (...) {
    // The table stayed where it was (its pending change could not be
    // committed): the list must show that record, or Delete would act on
    // another than the one selected.
    SelectTableRecord();
    throw;
  }
}

int TCompetitors::TableRecordRow() const {
  memtable::TMemTable& table = *Main->Table_Competitors;
  if (!table.Active()) return -1;
  toolkit::TStrings& items = *CompList->Items();
  if (table.State() == memtable::dsInsert) {
    // An unposted record stands in the list as the placeholder.
    for (int i = items.Count() - 1; i >= 0; --i)
      if (items.Objects(i) == nullptr) return i;
    return -1;
  }
  if (table.IsEmpty()) return -1;
  const std::int32_t id = table.FieldByName("ID")->AsInteger();
  for (int i = 0; i < items.Count(); ++i) {
    auto* obj = dynamic_cast<TCompListObj*>(items.Objects(i));
    if (obj && obj->ID == id) return i;
  }
  return -1;
}

void TCompetitors::SelectTableRecord() {
  const int row = TableRecordRow();
  if (row < 0) return;
  CompList->SetItemIndex(row);
  CompList->Invalidate();
}

void TCompetitors::CompListClick(TObject*) {
  SyncToSelection();
}

void TCompetitors::CompFindChange(TObject*) {
  const std::string find = p::UpperCase(CompFind->Text());
  if (find.empty()) return;
  for (int i = 0; i < CompList->Count(); ++i) {
    if (p::UpperCase(CompList->Items()->Strings(i).substr(0, find.size())) != find) continue;
    CompList->SetItemIndex(i);
    CompList->Invalidate();
    SyncToSelection();
    return;
  }
}

void TCompetitors::CompListDrawItem(toolkit::TWinControl*, int Index, platform::RECT Rect,
                                    toolkit::TOwnerDrawState) {
  toolkit::TCanvas& canvas = *CompList->Canvas();
  if (!CompList->Focused() && Index == CompList->ItemIndex()) {
    canvas.Brush()->SetColor(toolkit::clHighlight);
    canvas.Font()->SetColor(toolkit::clHighlightText);
  }
  canvas.FillRect(Rect);
  if (Index >= 0 && Index < CompList->Count())
    canvas.TextOut(Rect.left + 2, Rect.top + 1, CompList->Items()->Strings(Index));
}

void TCompetitors::btnNewClick(TObject*) {
  Main->Table_Competitors->Append();
  edtStartNo->SetText("-");
  edtDogNick->SetText("New Dog");
  edtDogAge->SetText("0");
  if (cmbDogSex->ItemIndex() != 0) {
    cmbDogSex->SetItemIndex(0);
    cmbDogSex->DataLink()->Modified();
  }
  edtDogBreed->SetText("-");
  edtOwnFirstName->SetText("-");
  edtOwnLastName->SetText("-");
  edtOwnOrg->SetText("-");
  edtCity->SetText("-");
  edtCountry->SetText("-");
  edtComments->SetText("");
  edtStartNo->SetFocus();
  CompList->SetItemIndex(CompList->Items()->Add("New Dog"));
}

void TCompetitors::btnDeleteClick(TObject*) {
  if (CompList->ItemIndex() < 0) return;
  // Delete acts on the record the operator sees selected: should the table
  // be elsewhere, it moves there first, and if it cannot, nothing is asked.
  if (TableRecordRow() != CompList->ItemIndex()) {
    SyncToSelection();
    if (TableRecordRow() != CompList->ItemIndex()) return;
  }
  const std::string text = records::LoadResString(records::rsDeleteRecord);
  const std::string caption = records::LoadResString(records::rsConfirm);
  if (p::MessageBox(Handle(), text.c_str(), caption.c_str(), p::MB_YESNO | p::MB_ICONWARNING) !=
      p::IDYES)
    return;
  Main->Table_Competitors->Delete();
  RefreshCompList();
}

void TCompetitors::btnRefreshClick(TObject*) {
  RefreshCompList();
}

void TCompetitors::btnCloseClick(TObject*) {
  Close();
}

void TCompetitors::FormCloseQuery(TObject*, bool& CanClose) {
  CanClose = btnClose->Enabled();
}

void TCompetitors::FormClose(TObject*, toolkit::TCloseAction&) {
  // A change left pending keeps the list: should it fail to commit at the
  // next showing, the table cannot be walked and the list would be empty.
  // The list stays true meanwhile, since every move of the table commits
  // first, and a commit rebuilds it.
  const memtable::TMemTable& table = *Main->Table_Competitors;
  listKept_ = table.State() == memtable::dsEdit || table.State() == memtable::dsInsert;
  if (!listKept_) ClearCompList();
}

void TCompetitors::FormShow(TObject*) {
  // A pending change that cannot be committed (a bad age left in its editor
  // at the last closing) is reported, and the dialog still opens with its
  // list on that record so the operator can put it right; raised on, it
  // would keep the dialog shut.
  try {
    if (std::exchange(listKept_, false)) {
      // The list kept for a pending change: commit it, then every showing
      // starts from the first row as usual.
      {
        TScopeExit release([this] { rebuildHeld_ = false; });
        rebuildHeld_ = true;
        Main->Table_Competitors->CheckBrowseMode();
      }
      ClearCompList();
    }
    RefreshCompList();
  } catch (...) {
    SelectTableRecord();
    // Told once the dialog is up, over it rather than over the console.
    pendingError_ = std::current_exception();
    if (HandleAllocated())
      p::PostMessage(Handle(), WM_SHOWPENDINGERROR, 0, 0);
    else
      ShowPendingError();
  }
}

void TCompetitors::ShowPendingError() {
  std::exception_ptr error = std::exchange(pendingError_, nullptr);
  if (!error) return;
  try {
    std::rethrow_exception(error);
  } catch (...) {
    toolkit::HandleException(this);
  }
}

void TCompetitors::WndProc(toolkit::TMessage& m) {
  if (m.Msg == WM_SHOWPENDINGERROR) {
    ShowPendingError();
    return;
  }
  toolkit::TForm::WndProc(m);
}

}  // namespace app
