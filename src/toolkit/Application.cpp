#include "toolkit/Application.h"

#include <cxxabi.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "component/ClassBuilder.h"
#include "component/Exception.h"
#include "component/Reader.h"
#include "platform/dialog/MessageBox.h"
#include "toolkit/Screen.h"

namespace toolkit {

using namespace component;
namespace p = platform;

TApplication* Application = nullptr;

namespace {

TMessageBoxFunction& BoxFunction() {
  static TMessageBoxFunction fn;
  return fn;
}

int ShowBox(p::HWND owner, std::string_view text, std::string_view caption, unsigned flags) {
  if (auto& fn = BoxFunction()) return fn(owner, text, caption, flags);
  return p::MessageBox(owner, std::string(text).c_str(), std::string(caption).c_str(), flags);
}

std::string ExePath() {
  char buffer[4096];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "sprintara";
  return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace

void SetMessageBoxFunction(TMessageBoxFunction fn) {
  BoxFunction() = std::move(fn);
}

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
    text += '.';
  return text;
}

std::string ExceptionClassName(const std::exception& e) {
  const char* mangled = typeid(e).name();
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
  std::string name = status == 0 && demangled ? demangled.get() : mangled;
  auto colon = name.rfind("::");
  return colon == std::string::npos ? name : name.substr(colon + 2);
}

void HandleException(TObject* sender) {
  if (Application) {
    Application->HandleException(sender);
    return;
  }
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", ErrorBoxText(e.what()).c_str());
  } catch (...) {
    std::fprintf(stderr, "Unknown error\n");
  }
}

const TClassInfo& TApplication::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TApplication, TComponent>("TApplication").Build();
  return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
  title_ = TitleFromPath(ExePath());
  Application = this;
  // Stored descriptions reach other windows by name: the forms that exist.
  SetFindGlobalComponent([](std::string_view name) -> TComponent* {
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (SameText(Screen->Forms(i)->Name(), name)) return Screen->Forms(i);
    return nullptr;
  });
}

TApplication::~TApplication() {
  Destroying();
  // Forms go in the reverse order of their creation; each hears of it first.
  for (int i = ComponentCount(); i-- > 0;)
    if (auto* f = dynamic_cast<TCustomForm*>(Components(i))) f->DoDestroy();
  DestroyComponents();
  if (Application == this) {
    Application = nullptr;
    SetFindGlobalComponent(nullptr);
  }
}

std::string TApplication::TitleFromPath(std::string_view path) {
  auto slash = path.find_last_of('/');
  std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
  auto dot = name.find('.');
  if (dot != std::string::npos) name.resize(dot);
  for (std::size_t i = 1; i < name.size(); ++i)
    if (name[i] >= 'A' && name[i] <= 'Z') name[i] = char(name[i] - 'A' + 'a');
  return name;
}

void TApplication::Initialize() {
  p::SetApplicationTitle(title_);
}

void TApplication::SetTitle(std::string_view title) {
  title_ = std::string(title);
  p::SetApplicationTitle(title_);
}

void TApplication::AdoptForm(TCustomForm* form) {
  if (!mainForm_) {
    mainForm_ = form;
    form->HandleNeeded();
  }
}

void TApplication::FormDestroyed(TCustomForm* form) {
  if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::Run() {
  if (mainForm_ && ShowMainForm) {
    int command = p::GetStartupShowCommand();
    if (command == p::SW_SHOWMAXIMIZED || command == p::SW_SHOWMINNOACTIVE)
      mainForm_->ShowWithCommand(command);
    else
      mainForm_->Show();
  }
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
  p::PostQuitMessage(0);
}

void TApplication::HandleMessage() {
  p::MSG msg;
  if (!ProcessMessage(msg)) p::WaitMessage();
}

void TApplication::ProcessMessages() {
  p::MSG msg;
  while (ProcessMessage(msg)) {
  }
}

bool TApplication::ProcessMessage(p::MSG& msg) {
  if (!p::PeekMessage(&msg, p::HWND{}, 0, 0, p::PM_REMOVE)) return false;
  if (msg.message == p::WM_QUIT) {
    terminated_ = true;
    return true;
  }
  try {
    p::TranslateMessage(&msg);
    p::DispatchMessage(&msg);
  } catch (...) {
    HandleException(this);
  }
  return true;
}

void TApplication::HandleException(TObject* sender) {
  try {
    throw;
  } catch (const EAbort&) {
    // Raised only to leave an operation: no word about it.
  } catch (const std::exception& e) {
    if (OnException)
      OnException(sender, e);
    else
      ShowException(e);
  } catch (...) {
    ShowException(Exception("Unknown error"));
  }
}

void TApplication::ShowException(const std::exception& e) {
  const auto* ce = dynamic_cast<const Exception*>(&e);
  std::string message = ce ? ce->Message() : std::string(e.what());
  MessageBox(ErrorBoxText(message), title_, p::MB_OK | p::MB_ICONSTOP);
}

void TApplication::ShowStartupError(const std::exception& e, std::string_view where) {
  const auto* ce = dynamic_cast<const Exception*>(&e);
  std::string message = ce ? ce->Message() : std::string(e.what());
  std::string text = "Exception " + ExceptionClassName(e) + " in module " + title_;
  if (!where.empty()) text += " " + std::string(where);
  text += ".\n" + ErrorBoxText(message);
  // Also on standard error: a start that fails on a screen nobody watches
  // still tells the one who started it why.
  std::fprintf(stderr, "%s\n", text.c_str());
  ShowBox(p::HWND{}, text, "Application Error", p::MB_OK | p::MB_ICONSTOP | p::MB_TASKMODAL);
}

int TApplication::MessageBox(std::string_view text, std::string_view caption, unsigned flags) {
  return ShowBox(p::GetActiveWindow(), text, caption, flags);
}

}  // namespace toolkit
