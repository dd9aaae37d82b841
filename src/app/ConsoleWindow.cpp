#include "app/ConsoleWindow.h"

#include "app/Bind.h"
#include "app/CompetitorsDialog.h"
#include "app/DBUtils.h"
#include "app/DataFolder.h"
#include "component/ClassBuilder.h"
#include "component/Exception.h"
#include "platform/base/DateTime.h"
#include "platform/base/RegionalFormats.h"
#include "records/RaceData.h"
#include "records/RaceTables.h"

namespace app {

using namespace component;

TMain* Main = nullptr;

const TClassInfo& TMain::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMain, toolkit::TForm>("TMain")
                                     .Method("FormCreate", &TMain::FormCreate)
                                     .Method("tmrTimeTimer", &TMain::tmrTimeTimer)
                                     .Method("mi_CompetitorsClick", &TMain::mi_CompetitorsClick)
                                     .Build();
  return info;
}

TMain::TMain(TComponent* owner) : toolkit::TForm(owner) {}

TMain::~TMain() {
  if (Main == this) Main = nullptr;
}

void TMain::Loaded() {
  SkinManager = Bind<skin::TSkinManager>(*this, "SkinManager");
  Table_Competitors = Bind<memtable::TMemTable>(*this, "Table_Competitors");
  Table_Results = Bind<memtable::TMemTable>(*this, "Table_Results");
  DS_Competitors = Bind<memtable::TDataSource>(*this, "DS_Competitors");
  DS_Results = Bind<memtable::TDataSource>(*this, "DS_Results");
  tmrTime = Bind<toolkit::TTimer>(*this, "tmrTime");
  MainMenu = Bind<toolkit::TMainMenu>(*this, "MainMenu");
  mi_Database = Bind<toolkit::TMenuItem>(*this, "mi_Database");
  mi_Competitors = Bind<toolkit::TMenuItem>(*this, "mi_Competitors");
  lblTime = Bind<graphics::TLcdLabel>(*this, "lblTime");
  toolkit::TForm::Loaded();
}

void TMain::FormCreate(TObject*) {
  ApplyTableLanguage(7);
  if (DataFolder().empty())
    FillDemoData();
  else
    records::OpenRaceData(DataFolder(), *Table_Competitors, *Table_Results);
}

void TMain::FillDemoData() {
  records::FillDemoData(*Table_Competitors, *Table_Results);
}

std::string TMain::ClockText(double dateTime) {
  const platform::RegionalFormats& f = platform::UserRegionalFormats();
  const std::string sep = std::string("'") + f.timeSeparator + "'";
  std::string hours =
      f.twentyFourHour ? (f.hourLeadingZero ? "HH" : "H") : (f.hourLeadingZero ? "hh" : "h");
  std::string time = hours + sep + "mm" + sep + "ss";
  if (!f.twentyFourHour && !f.timeAMString.empty())
    time = f.markerFirst ? "tt " + time : time + " tt";
  return platform::FormatDateTime(f.shortDateFormat, dateTime, f) + "  " +
         platform::FormatDateTime(time, dateTime, f);
}

void TMain::tmrTimeTimer(TObject*) {
  lblTime->SetCaption(ClockText(platform::Now()));
}

void TMain::WndProc(toolkit::TMessage& m) {
  if (m.Msg == platform::WM_SETTINGCHANGE) platform::ReloadUserRegionalFormats();
  toolkit::TForm::WndProc(m);
}

void TMain::mi_CompetitorsClick(TObject*) {
  Competitors->ShowModal();
}

}  // namespace app
