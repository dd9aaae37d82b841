// The race console window (unit Unit_Main): the program's main window. It
// carries the skin manager, the two memory tables and their data sources,
// the clock timer and the main menu; its creation hook prepares the tables.
#pragma once

#include "graphics/LcdLabel.h"
#include "memtable/DataSource.h"
#include "memtable/MemTable.h"
#include "skin/SkinManager.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/Timer.h"

namespace app {

class TMain : public toolkit::TForm {
 public:
  COMPONENT_CLASS_INFO()

  explicit TMain(component::TComponent* owner);
  ~TMain() override;

  // Components of the stored description, bound by name once it is read.
  skin::TSkinManager* SkinManager = nullptr;
  memtable::TMemTable* Table_Competitors = nullptr;
  memtable::TMemTable* Table_Results = nullptr;
  memtable::TDataSource* DS_Competitors = nullptr;
  memtable::TDataSource* DS_Results = nullptr;
  toolkit::TTimer* tmrTime = nullptr;
  toolkit::TMainMenu* MainMenu = nullptr;
  toolkit::TMenuItem* mi_Database = nullptr;
  toolkit::TMenuItem* mi_Competitors = nullptr;
  graphics::TLcdLabel* lblTime = nullptr;

  void FormCreate(component::TObject* Sender);
  void tmrTimeTimer(component::TObject* Sender);
  void mi_CompetitorsClick(component::TObject* Sender);
  // Fills both (open, empty) tables with the demonstration data.
  void FillDemoData();

  // The clock bar's text for a moment: the date in the user's short date
  // format, two blanks, the time in the long time format.
  static std::string ClockText(double dateTime);

 protected:
  void Loaded() override;
  // Re-reads the regional formats when the system announces a change.
  void WndProc(toolkit::TMessage& message) override;
};

// Set before the window's construction begins.
extern TMain* Main;

}  // namespace app
