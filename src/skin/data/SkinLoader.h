// Filling the run-time tables from a stored skin or from a skin folder's
// Skin.ini, plus the CommonSections text either may carry. Files are read
// here; the texts themselves are parsed by SkinIni.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "skin/data/SkinIni.h"
#include "skin/data/SkinTables.h"

namespace skin {

class TStoredSkin;

// A compressed picture larger than this many pixels stays a pattern; a
// smaller one becomes a piece with a picture of its own.
inline constexpr long kPatternMinPixels = 90000;

// The master bitmap as the painting code wants it: opaque 24-bit colour.
SurfaceBuffer OpaqueCopy(const Surface& picture);

// The stored skin's pieces and master bitmap; the piece table and the
// master bitmap are emptied first.
void LoadStoredMasks(const TStoredSkin& skin, TSkinTables& tables);
// Its patterns: large pictures to the pattern table, small ones as pieces.
void LoadStoredPatterns(const TStoredSkin& skin, TSkinTables& tables);
// Its sections, replacing the section table.
void LoadStoredSections(const TStoredSkin& skin, TSkinTables& tables);

struct TSkinFolderLoad {
  bool Ok = false;
  bool OldFormat = false;
  std::string Message;  // why the skin was refused
  TSkinIniInfo Info;
  // Lines skipped and pieces whose text or file did not read.
  std::vector<std::string> Rejected;
};

// A skin folder's Skin.ini text: the master bitmap it names (relative to
// skinPath, itself ending in "\"), its pieces, patterns and sections. A
// refused text leaves the tables as they were.
TSkinFolderLoad LoadFolderSkin(std::string_view skinIni, std::string_view skinPath,
                               TSkinTables& tables);

// CommonSections added to whatever skin is loaded: their sections append
// records, their pieces and pictures (GLOBALINFO's excepted) append pieces.
// Lines that could not be read and pieces that did not load are noted in
// rejected.
void LoadCommonSections(std::string_view common, std::string_view skinPath, TSkinTables& tables,
                        std::vector<std::string>* rejected = nullptr);

// Pieces named by a skin text appended to the tables, reading their picture
// files; a file that is missing, unreadable or empty drops its piece.
void AddSkinPieces(const std::vector<TSkinNamedPiece>& pieces, TSkinTables& tables,
                   std::vector<std::string>* rejected);

}  // namespace skin
