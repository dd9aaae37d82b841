// TApplication: the program's application object. It names the program
// (its title), creates the forms and remembers the first as the main form,
// runs the message loop with its error guard until termination is asked
// for, shows errors that escape handlers, and shows the main form at start
// as the process was asked to.
//
// The error guard: an exception that leaves a message handler is caught.
// EAbort is dropped without a word; anything else is shown in a message box
// (the message, with a full stop added when its last character sorts after
// ".", captioned with the title, stop icon, OK), and the loop goes on.
#pragma once

#include <exception>
#include <functional>
#include <new>
#include <string>
#include <string_view>

#include "component/Component.h"
#include "platform/window/Window.h"
#include "toolkit/Form.h"
#include "toolkit/Types.h"

namespace toolkit {

class TApplication : public component::TComponent {
 public:
  COMPONENT_CLASS_INFO()

  // The process has one; it becomes the global Application.
  explicit TApplication(component::TComponent* owner = nullptr);
  ~TApplication() override;

  // Makes sure a window system is there (the desktop when a display is,
  // the headless screen otherwise) and tells it the title.
  void Initialize();

  // The name of the program file without folder and without everything
  // from its first full stop on, every letter after the first in lower case.
  const std::string& Title() const { return title_; }
  void SetTitle(std::string_view title);
  static std::string TitleFromPath(std::string_view path);

  TCustomForm* MainForm() const { return mainForm_; }

  // Creates a form of class T owned by the application: `reference` points
  // at the new form before its construction begins, so the construction can
  // reach the form through it; the description is read and the creation
  // hook run. The first form becomes the main form. On failure the
  // reference is null again and the error goes to the caller.
  template <class T>
  void CreateForm(T*& reference);

  // Shows the main form (with the start-up show command) and runs the loop
  // until termination.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // One message, or a sleep until there is one.
  void HandleMessage();
  // Every waiting message.
  void ProcessMessages();

  // Reports the exception being handled (call from a catch block).
  void HandleException(component::TObject* sender);
  void ShowException(const std::exception& e);
  // The box for an error that ends the start-up: captioned "Application
  // Error", task-modal, naming the error's kind, where it happened and its
  // message.
  void ShowStartupError(const std::exception& e, std::string_view where);
  std::function<void(component::TObject* Sender, const std::exception& E)> OnException;

  // A message box owned by the active window; the ID result (IDOK, ...).
  int MessageBox(std::string_view text, std::string_view caption, unsigned flags);

  // The background colour of hints; the info-background system colour
  // until set. A control may lend it another while the mouse is over it.
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor v) { hintColor_ = v; }
  // Whether hints may show; a control held down by the mouse turns them
  // off until it is released.
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }

  // Whether Run shows the main form.
  bool ShowMainForm = true;

 private:
  friend class TCustomForm;
  bool ProcessMessage(platform::MSG& msg);
  void FormDestroyed(TCustomForm* form);
  void AdoptForm(TCustomForm* form);

  std::string title_;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  TColor hintColor_ = clInfoBk;
  bool showHint_ = true;
};

extern TApplication* Application;

// The text of the error box for a message: a full stop is appended when the
// last character sorts after "." (as an unsigned 8-bit character).
std::string ErrorBoxText(std::string_view message);
// The name of an exception's class ("EDatabaseError").
std::string ExceptionClassName(const std::exception& e);
// Reports the exception being handled through the application, or on the
// error stream when there is none.
void HandleException(component::TObject* sender);

// Replaces the message boxes the application shows (the error box, the
// start-up error box, MessageBox) by a function; null puts the platform's
// boxes back.
using TMessageBoxFunction = std::function<int(platform::HWND owner, std::string_view text,
                                              std::string_view caption, unsigned flags)>;
void SetMessageBoxFunction(TMessageBoxFunction fn);

template <class T>
void TApplication::CreateForm(T*& reference) {
  // The reference is set before construction begins, as handlers and
  // references of other windows may need it during the construction.
  // Until the application adopts the form, a failure clears the reference
  // and frees what was made: the memory, or the form once it is built.
  struct TUnadopted {
    T*& reference;
    void* memory;
    T* form = nullptr;
    bool adopted = false;
    ~TUnadopted() {
      if (adopted) return;
      reference = nullptr;
      if (form)
        delete form;
      else
        ::operator delete(memory);
    }
  } making{reference, ::operator new(sizeof(T))};
  reference = static_cast<T*>(making.memory);
  making.form = new (making.memory) T(this);
  making.form->InitFromDescription();
  AdoptForm(making.form);
  making.adopted = true;
}

}  // namespace toolkit
