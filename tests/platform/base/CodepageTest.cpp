// Windows-1252 at the program's edges: what the desktop's text input may
// hand over, and what happens to characters the code page lacks.
#include <gtest/gtest.h>

#include "platform/base/Codepage.h"

namespace platform {
namespace {

TEST(Codepage, CharactersTheCodePageLacksAreReportedNotReplaced) {
  EXPECT_EQ(TryUnicodeToCp1252(U'a'), 'a');
  EXPECT_EQ(TryUnicodeToCp1252(U'\u00E4'), '\xE4');         // ä
  EXPECT_EQ(TryUnicodeToCp1252(U'\u20AC'), '\x80');         // €
  EXPECT_EQ(TryUnicodeToCp1252(U'\u0178'), '\x9F');         // Ÿ
  EXPECT_EQ(TryUnicodeToCp1252(U'\u0081'), '\x81');         // unassigned, kept as itself
  EXPECT_FALSE(TryUnicodeToCp1252(U'\u0142').has_value());  // ł
  EXPECT_FALSE(TryUnicodeToCp1252(U'\u0080').has_value());
  EXPECT_FALSE(TryUnicodeToCp1252(U'\U0001F415').has_value());
  EXPECT_EQ(UnicodeToCp1252(U'\u0142'), '?');
}

TEST(Codepage, Utf8DecodesToCodePointsAndMarksEachBadByte) {
  EXPECT_EQ(DecodeUtf8("a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x90\x95"),
            (std::u32string{U'a', U'\u00E4', U'\u20AC', U'\U0001F415'}));
  // A stray continuation byte, a lead byte cut short, an impossible byte.
  EXPECT_EQ(DecodeUtf8("\x80z\xC3"), (std::u32string{U'\uFFFD', U'z', U'\uFFFD'}));
  EXPECT_EQ(DecodeUtf8("\xE2\x82z"), (std::u32string{U'\uFFFD', U'\uFFFD', U'z'}));
  EXPECT_EQ(DecodeUtf8("\xFF"), std::u32string{U'\uFFFD'});
  EXPECT_EQ(Utf8ToCp1252("\xC3\xA4\xC5\x82"), "\xE4?");
}

}  // namespace
}  // namespace platform
