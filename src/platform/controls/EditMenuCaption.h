// The captions of the single-line edit's own context menu in the user
// interface language, so that menus built elsewhere from the same commands
// read like the platform's.
//
// The language is that of the message locale: LC_ALL, else LC_MESSAGES,
// else LANG (the first one set and not empty). English stands for "C",
// "POSIX", no setting at all and every language without its own texts.
// Captions are 8-bit Windows-1252 text like every other string of the
// window system, with "&" before the mnemonic letter.
#pragma once

#include <string>

#include "platform/base/Types.h"

namespace platform {

// The two-letter code of the user interface language, lower case: "de" for
// "de_DE.UTF-8"; "en" for "C", "POSIX" or nothing set.
std::string UserInterfaceLanguage();

// The caption of an edit command (IDM_EDIT_UNDO, IDM_EDIT_CUT,
// IDM_EDIT_COPY, IDM_EDIT_PASTE, IDM_EDIT_DELETE, IDM_EDIT_SELECTALL) in the
// user interface language; empty for any other command.
std::string EditMenuCaption(UINT command);
// The same in a given language code ("de", "fr", ...); English for a code
// without texts of its own.
std::string EditMenuCaption(UINT command, const std::string& language);

}  // namespace platform
