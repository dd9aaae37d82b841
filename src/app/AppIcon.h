// The program's icon, drawn at build time and compiled in.
#pragma once

namespace app {

// Makes the compiled-in icon the application's icon (title bar, native
// windows). Sizes that are missing or unreadable are left out.
void InstallApplicationIcon();

}  // namespace app
