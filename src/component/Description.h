// Stored window descriptions: the text format and its parsed form.
//
// A description holds one object, the window, with its published properties
// and, nested, the components placed on it. Everything is read by the
// reader (Reader.h), which applies properties in the order written here.
//
//   object Main: TMain                  object <Name>: <Class>, or object <Class>
//     Left = 243                        integer
//     Color = $007DB7D2                 integer, hexadecimal (bit pattern)
//     Color = clBtnFace                 named constant of the property
//     Scale = 1.5                       float (also 2E-3, -0.25)
//     Caption = 'Race ''72'' console'   string; '' is a quote
//     Text = 'line 1'#13#10'line 2'     #nnn is the character with that code
//     Hint = 'first part ' +            + joins strings, also across lines
//       'second part'
//     Visible = False                   True or False
//     Align = alClient                  identifier of an enumeration
//     Font.Style = [fsBold, fsItalic]   set; [] is the empty set
//     Font.Name = 'Arial'               dotted path into an owned sub-object
//     Items.Strings = (                 list of strings
//       '4:3'
//       '16:9')
//     Bitmap.Data = {                   binary block: hex digits, two per
//       0A000000 0B000000               byte, white space anywhere between
//       FF00FF00}                       pairs
//     InternalSkins = <                 collection: items in order, each
//       item                            with its own properties
//         Name = 'Golden (internal)'
//       end>
//     DataSource = DS_Competitors       component of this window, by name
//     DataSource = Main.DS_Competitors  component of another window
//     PopupMenu = nil                   no component / no handler
//     OnCreate = FormCreate             handler method of the window's class
//     object Label1: TLabel             nested component: owned by the window,
//       Caption = 'Hello'               visual child of the enclosing object
//     end
//   end
//
// Rules: keywords (object, end, item, nil, True, False), names and
// identifiers are matched ignoring case; properties of an object come before
// its nested objects; strings cannot span a line (join them with +); #nnn
// takes codes 0..255 and the Unicode code points of the Windows-1252
// characters 128..159 (#8364 is the euro sign); string bytes are taken as
// written, as 8-bit Windows-1252 text; // starts a comment that runs to the
// end of the line (outside strings and binary blocks). A decimal integer must
// fit the property's type; a $hex integer may also give the type's full bit
// pattern ($FF00000D for a 32-bit signed colour).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace component {

struct TDescriptionItem;
struct TDescriptionProperty;

enum class TDescriptionValueType {
  Integer,
  Float,
  String,
  Identifier,  // also dotted (Main.DS_Competitors), True, False and nil
  Set,
  Binary,
  List,
  Collection,
};

struct TDescriptionValue {
  TDescriptionValueType type = TDescriptionValueType::Integer;
  int line = 0;
  std::int64_t integer = 0;
  // A $hex literal: `raw` holds its bits, which may exceed INT64_MAX.
  bool hex = false;
  bool negative = false;
  std::uint64_t raw = 0;
  double real = 0;
  std::string text;                      // String, Identifier
  std::vector<std::string> identifiers;  // Set
  std::vector<std::uint8_t> bytes;       // Binary
  std::vector<TDescriptionValue> list;   // List
  std::vector<TDescriptionItem> items;   // Collection
};

struct TDescriptionProperty {
  std::string path;  // Caption, Font.Name
  int line = 0;
  TDescriptionValue value;
};

struct TDescriptionItem {
  int line = 0;
  std::vector<TDescriptionProperty> properties;
};

struct TDescriptionObject {
  int line = 0;
  std::string name;  // may be empty
  std::string className;
  std::vector<TDescriptionProperty> properties;
  std::vector<TDescriptionObject> children;
};

// Parses a whole description; EParserError naming `fileName` and the line
// when the text does not follow the format.
TDescriptionObject ParseDescription(std::string_view text, std::string_view fileName);

}  // namespace component
