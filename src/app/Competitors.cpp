#include "app/Competitors.h"

#include "app/Bind.h"
#include "app/Main.h"
#include "component/ClassBuilder.h"
#include "component/Exception.h"
#include "component/ScopeGuards.h"
#include "memtable/Field.h"
#include "memtable/MemTable.h"
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

namespace {

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return s;
}

}  // namespace

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
  Main->Table_Competitors->Locate("ID", memtable::TVariant(id), 0);
}

void TCompetitors::CompListClick(TObject*) {
  SyncToSelection();
}

void TCompetitors::CompFindChange(TObject*) {
  const std::string find = Upper(CompFind->Text());
  if (find.empty()) return;
  for (int i = 0; i < CompList->Count(); ++i) {
    if (Upper(CompList->Items()->Strings(i).substr(0, find.size())) != find) continue;
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
  ClearCompList();
}

void TCompetitors::FormShow(TObject*) {
  // A pending change that cannot be committed (a bad age left in its editor
  // at the last closing) is reported, and the dialog still opens so the
  // operator can put it right; raised on, it would keep the dialog shut.
  try {
    RefreshCompList();
  } catch (...) {
    toolkit::HandleException(this);
  }
}

}  // namespace app
