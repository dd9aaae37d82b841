// Putting the stored skin into a window description. The skin text keeps
// two marker lines where its bitmap blocks belong ("// MasterBitmap.Data:
// ..." and, in the MASTERBITMAP piece, "// Image.Data: ..."); the window's
// description keeps one line "// InternalSkins: ..." where the skin goes.
// Each marker is replaced with the indentation of its line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skinart {

// `name = {` and the bytes as hex digits, 64 bytes a line, then `}`.
std::string HexBlock(const std::string& name, const std::vector<std::uint8_t>& bytes,
                     const std::string& indent);

// The skin text from its "InternalSkins" line on, with both bitmap markers
// replaced by `data` (the stored bitmap: length, then the BMP file). Throws
// TSkinArtError naming `skinName` when a marker is missing or repeated.
std::string FillSkin(const std::string& skin, const std::vector<std::uint8_t>& data,
                     const std::string& skinName);

// `description` with its InternalSkins marker replaced by `filledSkin`,
// every line indented as the marker was. Throws TSkinArtError naming
// `descriptionName` when the marker is missing or repeated.
std::string SpliceSkin(const std::string& description, const std::string& filledSkin,
                       const std::string& descriptionName);

}  // namespace skinart
