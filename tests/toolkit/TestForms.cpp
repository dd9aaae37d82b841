#include "TestForms.h"

#include "component/ClassBuilder.h"

using namespace component;

TTestWindow* TestWindow = nullptr;
TBrokenWindow* BrokenWindow = nullptr;

const TClassInfo& TTestWindow::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTestWindow, toolkit::TForm>("TTestWindow")
                                     .Method("FormCreate", &TTestWindow::FormCreate)
                                     .Method("FormShow", &TTestWindow::FormShow)
                                     .Method("tmrTickTimer", &TTestWindow::tmrTickTimer)
                                     .Method("miOpenClick", &TTestWindow::miOpenClick)
                                     .Build();
  return info;
}

TTestWindow::TTestWindow(TComponent* owner) : toolkit::TForm(owner) {
  referenceSeenInConstructor = TestWindow;
}

void TTestWindow::FormCreate(TObject*) {
  log.push_back("create:" + std::to_string(ComponentCount()));
}

void TTestWindow::FormShow(TObject*) {
  log.push_back("show");
}

void TTestWindow::tmrTickTimer(TObject*) {
  ++ticks;
}

void TTestWindow::miOpenClick(TObject*) {
  log.push_back("open");
}

const TClassInfo& TBrokenWindow::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TBrokenWindow, toolkit::TForm>("TBrokenWindow").Build();
  return info;
}

void RegisterTestForms() {
  RegisterClasses<TTestWindow, TBrokenWindow>();
}
