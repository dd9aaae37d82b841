// Finding sections and, through ParentClass, the pieces a section lacks.
#include <gtest/gtest.h>

#include "skin/data/SkinLookup.h"
#include "skin/data/SkinPiece.h"

using namespace skin;

namespace {
TSkinGeneralData Section(const char* name, const char* parent = "") {
  TSkinGeneralData d;
  d.SectionName = name;
  d.ParentClass = parent;
  return d;
}
TSkinNamedPiece Piece(const char* section, const char* role) {
  TSkinNamedPiece p;
  p.SectionName = section;
  p.PropertyName = role;
  return p;
}
}  // namespace

TEST(FindSection, MatchesNamesIgnoringCase) {
  const TSkinGeneralDataArray sections = {Section("FORM"), Section("EDIT"), Section("")};
  EXPECT_EQ(FindSection(sections, "form"), 0);
  EXPECT_EQ(FindSection(sections, "Edit"), 1);
  EXPECT_EQ(FindSection(sections, ""), 2);  // a nameless section matches only no name
  EXPECT_EQ(FindSection(sections, "BUTTON"), -1);
  EXPECT_EQ(FindSection({}, "FORM"), -1);
}

TEST(FindMask, OwnPieceFirstThenTheParentChain) {
  const TSkinGeneralDataArray sections = {Section("EDIT"), Section("COMBOBOX", "EDIT"),
                                          Section("EXTCOMBO", "combobox")};
  const std::vector<TSkinNamedPiece> pieces = {Piece("EDIT", "BORDERSMASK"),
                                               Piece("COMBOBOX", "GLYPHMASK")};
  EXPECT_EQ(FindMask(sections, 1, "ComboBox", "GLYPHMASK", pieces), 1);
  EXPECT_EQ(FindMask(sections, 1, "COMBOBOX", "BORDERSMASK", pieces), 0);
  EXPECT_EQ(FindMask(sections, 2, "EXTCOMBO", "BORDERSMASK", pieces), 0);
  EXPECT_EQ(FindMask(sections, 0, "EDIT", "GLYPHMASK", pieces), -1);
  EXPECT_EQ(FindMask(sections, 0, "EDIT", "PATTERN", pieces), -1);
  EXPECT_EQ(FindMask(sections, -1, "EDIT", "BORDERSMASK", pieces), -1);
  EXPECT_EQ(FindMask(sections, 3, "EDIT", "BORDERSMASK", pieces), -1);
}

TEST(FindMask, SelfParentsAndCyclesEndTheSearch) {
  const TSkinGeneralDataArray sections = {
      Section("SELF", "self"),      Section("A", "B"), Section("B", "C"), Section("C", "A"),
      Section("ORPHAN", "NOWHERE"), Section("")};
  const std::vector<TSkinNamedPiece> pieces = {Piece("D", "BORDERSMASK")};
  EXPECT_EQ(FindMask(sections, 0, "SELF", "BORDERSMASK", pieces), -1);
  EXPECT_EQ(FindMask(sections, 1, "A", "BORDERSMASK", pieces), -1);
  EXPECT_EQ(FindMask(sections, 4, "ORPHAN", "BORDERSMASK", pieces), -1);
  EXPECT_EQ(FindMask(sections, 5, "", "BORDERSMASK", pieces), -1);
}
