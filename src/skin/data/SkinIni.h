// Reading a skin folder's Skin.ini (and the extra CommonSections text) into
// the section table and the image pieces, without touching any file: the
// caller supplies the texts and says whether the master bitmap was found.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "skin/data/IniText.h"
#include "skin/data/SkinGeneral.h"
#include "skin/data/SkinPiece.h"

namespace skin {

// Where the old-format message sends the reader for current skins.
inline constexpr std::string_view kSkinPublisherAddress = "https://skins.example.com";

struct TSkinIniInfo {  // from section GLOBALINFO
  double Version = 0;
  std::string Author;
  std::string Description;
  std::string MasterBitmap;  // file name, as written
};

// A skin is refused only when nothing of it can be used: a text without a
// single section, or one of the old format. Lines that cannot be read are
// skipped and noted in Problems.
enum class TSkinIniError { None, NoSections, OldFormat };

struct TSkinIniContent {
  TSkinIniError Error = TSkinIniError::None;
  std::string Message;  // why the skin was refused; the text to show for an old skin
  TSkinIniInfo Info;
  TSkinGeneralDataArray Sections;           // one per ini section, file order, then the common ones
  std::vector<TSkinNamedPiece> Pieces;      // in file order
  std::vector<std::string> RejectedPieces;  // "SECTION.KEY" of piece texts that did not read
  std::vector<std::string> Problems;        // lines skipped, as "Skin.ini line N: why"
  bool Ok() const { return Error == TSkinIniError::None; }
};

struct TSkinIniOptions {
  std::string_view CommonSections;  // extra ini text; its sections follow the skin's
  std::string SkinFolder;           // put in front of relative picture file names
  bool MasterBitmapLoaded = true;   // rectangle pieces count only with a master bitmap
};

// A refused skin (no sections, or the old format) yields no sections and
// no pieces, so the caller can keep the tables it has.
TSkinIniContent ReadSkinIni(std::string_view skinIni, const TSkinIniOptions& options = {});

// The sections of a CommonSections text appended to a loaded table: a value
// missing there (-1 or "?") comes from the record its PARENTCLASS names if
// that is in the table, else from the defaults. Their pieces are appended
// too, GLOBALINFO's excepted. Lines that cannot be read are skipped and
// noted in problems.
void AppendCommonSections(std::string_view common, const TSkinIniOptions& options,
                          TSkinGeneralDataArray& sections, std::vector<TSkinNamedPiece>& pieces,
                          std::vector<std::string>* rejected = nullptr,
                          std::vector<std::string>* problems = nullptr);

// CommonSections as the skin manager keeps it: blanks taken out of every
// line that does not start with ";".
std::string RemoveCommonSectionBlanks(std::string_view text);

// The pieces one ini section names, appended in key order; keys whose piece
// text does not read go to rejected as "SECTION.KEY".
void ReadSectionPieces(const TIniSection& section, const TSkinIniOptions& options,
                       std::vector<TSkinNamedPiece>& pieces, std::vector<std::string>* rejected);

}  // namespace skin
