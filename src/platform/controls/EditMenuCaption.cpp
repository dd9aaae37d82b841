#include "platform/controls/EditMenuCaption.h"

#include <algorithm>
#include <cstdlib>

#include "platform/base/AsciiCase.h"
#include "platform/controls/Controls.h"

namespace platform {

namespace {

// Undo, Cut, Copy, Paste, Delete, Select All. Accented letters are their
// Windows-1252 codes in octal (\344 a-umlaut, \351 e-acute, \353
// e-diaeresis, \366 o-umlaut, \374 u-umlaut); within a language no mnemonic
// letter repeats.
struct Captions {
  const char* language;
  const char* text[6];
};

constexpr Captions kCaptions[] = {
    {"en", {"&Undo", "Cu&t", "&Copy", "&Paste", "&Delete", "Select &All"}},
    {"de",
     {"&R\374ckg\344ngig", "&Ausschneiden", "&Kopieren", "E&inf\374gen", "&L\366schen",
      "Alles &markieren"}},
    {"fr", {"&Annuler", "Co&uper", "&Copier", "C&oller", "&Supprimer", "S\351lec&tionner tout"}},
    {"es", {"&Deshacer", "Cor&tar", "&Copiar", "&Pegar", "&Eliminar", "Seleccionar t&odo"}},
    {"it", {"&Annulla", "&Taglia", "&Copia", "I&ncolla", "&Elimina", "Seleziona t&utto"}},
    {"nl",
     {"&Ongedaan maken", "K&nippen", "&Kopi\353ren", "&Plakken", "&Verwijderen",
      "&Alles selecteren"}},
    {"pt", {"&Desfazer", "Recor&tar", "&Copiar", "C&olar", "&Excluir", "Selecionar t&udo"}},
};

int CommandIndex(UINT command) {
  switch (command) {
    case IDM_EDIT_UNDO:
      return 0;
    case IDM_EDIT_CUT:
      return 1;
    case IDM_EDIT_COPY:
      return 2;
    case IDM_EDIT_PASTE:
      return 3;
    case IDM_EDIT_DELETE:
      return 4;
    case IDM_EDIT_SELECTALL:
      return 5;
    default:
      return -1;
  }
}

}  // namespace

std::string UserInterfaceLanguage() {
  // The first variable that is set decides, even when it says "C": a
  // message locale of "C" overrides a LANG of another language.
  std::string name;
  for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(var);
    if (value && *value) {
      name = value;
      break;
    }
  }
  name.resize(std::min(name.size(), name.find_first_of("_.@-")));
  name = LowerCase(name);
  if (name.empty() || name == "c" || name == "posix") return "en";
  return name;
}

std::string EditMenuCaption(UINT command, const std::string& language) {
  const int index = CommandIndex(command);
  if (index < 0) return {};
  for (const Captions& c : kCaptions)
    if (language == c.language) return c.text[index];
  return kCaptions[0].text[index];
}

std::string EditMenuCaption(UINT command) {
  return EditMenuCaption(command, UserInterfaceLanguage());
}

}  // namespace platform
