// The program's life: start-up in its fixed order, the message loop, exit.
#pragma once

namespace platform {
class TerminateWatch;
}

namespace app {

// Enters every class the stored descriptions name.
void RegisterClasses();

// Steps 1 to 3 of start-up: the application object (which must exist), the
// console window as main window, the hidden competitors dialog. False when
// a window could not be created; the error has then been shown in the
// "Application Error" box and the global reference of that window is null;
// a request to end from outside (through `terminate`) also ends that box.
bool CreateWindows(platform::TerminateWatch* terminate = nullptr);

// The whole program: start-up, the loop until the console closes, the
// windows destroyed in reverse order. The process's exit status.
int RunProgram();

}  // namespace app
