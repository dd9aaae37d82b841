// Form classes with stored descriptions under tests/toolkit/resources.
#pragma once

#include <string>
#include <vector>

#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/Timer.h"

// Built from TestWindow.sdesc: a label, a group box with a label inside, a
// timer, a menu with a Ctrl+D command.
class TTestWindow : public toolkit::TForm {
 public:
  COMPONENT_CLASS_INFO()
  explicit TTestWindow(component::TComponent* owner);

  void FormCreate(component::TObject* Sender);
  void FormShow(component::TObject* Sender);
  void tmrTickTimer(component::TObject* Sender);
  void miOpenClick(component::TObject* Sender);

  std::vector<std::string> log;
  int ticks = 0;
  // What the global reference pointed at when the constructor ran.
  void* referenceSeenInConstructor = nullptr;
};

// Built from Broken.sdesc, whose reference does not resolve.
class TBrokenWindow : public toolkit::TForm {
 public:
  COMPONENT_CLASS_INFO()
  explicit TBrokenWindow(component::TComponent* owner) : toolkit::TForm(owner) {}
};

extern TTestWindow* TestWindow;
extern TBrokenWindow* BrokenWindow;

void RegisterTestForms();
