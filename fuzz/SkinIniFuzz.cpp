// A skin folder's Skin.ini is user data: any text must load to tables or a
// clear refusal. The first byte picks whether a master bitmap counts as
// loaded; the text is read as the skin and then as CommonSections.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/data/SkinIni.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  skin::TSkinIniOptions options;
  options.MasterBitmapLoaded = data[0] & 1;
  options.SkinFolder = "/skins/Fuzz\\";
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  skin::TSkinIniContent content = skin::ReadSkinIni(text, options);
  if (content.Ok()) {
    skin::AppendCommonSections(skin::RemoveCommonSectionBlanks(text), options, content.Sections,
                               content.Pieces);
  }
  return 0;
}
