// Reads the text format documented in Description.h into its parsed form.
// The whole text is parsed before anything is created, so a syntax error
// never leaves a half-built window behind.
#include <array>
#include <charconv>
#include <cmath>

#include "component/ClassInfo.h"
#include "component/Description.h"
#include "component/Exception.h"

namespace component {

namespace {

// Deep nesting only comes from damaged or hostile text; refuse it before the
// recursion exhausts the stack.
constexpr int kMaxDepth = 200;

enum class TokenKind { Eof, Ident, Integer, Float, String, Binary, Symbol };

struct Token {
  TokenKind kind = TokenKind::Eof;
  int line = 1;
  char symbol = 0;
  std::string text;
  std::int64_t integer = 0;
  bool hex = false;
  bool negative = false;
  std::uint64_t raw = 0;
  double real = 0;
  std::vector<std::uint8_t> bytes;
};

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Windows-1252 byte for a #nnn code, or -1 when the code page lacks it.
int CharFromCode(std::uint64_t code) {
  if (code <= 255) return static_cast<int>(code);
  static constexpr std::pair<std::uint32_t, int> kHigh[] = {
      {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85},
      {0x2020, 0x86}, {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A},
      {0x2039, 0x8B}, {0x0152, 0x8C}, {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92},
      {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95}, {0x2013, 0x96}, {0x2014, 0x97},
      {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B}, {0x0153, 0x9C},
      {0x017E, 0x9E}, {0x0178, 0x9F}};
  for (auto [cp, byte] : kHigh)
    if (cp == code) return byte;
  return -1;
}

class TDescriptionParser {
 public:
  TDescriptionParser(std::string_view text, std::string_view fileName)
      : text_(text), fileName_(fileName) {
    current_ = Lex();
    next_ = Lex();
  }

  TDescriptionObject ParseRoot() {
    TDescriptionObject root = ParseObject(0);
    if (current_.kind != TokenKind::Eof)
      Fail(current_.line,
           "end of file expected after the outermost 'end', found " + Describe(current_));
    return root;
  }

 private:
  [[noreturn]] void Fail(int line, std::string detail) const {
    throw EParserError(std::string(fileName_), line, std::move(detail));
  }

  static std::string Describe(const Token& t) {
    switch (t.kind) {
      case TokenKind::Eof:
        return "end of file";
      case TokenKind::Ident:
        return "'" + t.text + "'";
      case TokenKind::Integer:
      case TokenKind::Float:
        return "a number";
      case TokenKind::String:
        return "a string";
      case TokenKind::Binary:
        return "a binary block";
      case TokenKind::Symbol:
        return std::string("'") + t.symbol + "'";
    }
    return "?";
  }

  // --- lexer ---------------------------------------------------------------

  char At(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }

  void SkipBlanks() {
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
        ++pos_;
      } else if (c == '/' && At(pos_ + 1) == '/') {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }

  Token Lex() {
    SkipBlanks();
    Token t;
    t.line = line_;
    if (pos_ >= text_.size()) return t;
    char c = text_[pos_];
    if (IsLetter(c)) {
      LexIdent(t);
    } else if (IsDigit(c) || c == '$' ||
               (c == '-' && (IsDigit(At(pos_ + 1)) || At(pos_ + 1) == '$'))) {
      LexNumber(t);
    } else if (c == '\'' || c == '#') {
      LexString(t);
    } else if (c == '{') {
      LexBinary(t);
    } else if (std::string_view("=:[]()<>,+").find(c) != std::string_view::npos) {
      t.kind = TokenKind::Symbol;
      t.symbol = c;
      ++pos_;
    } else {
      unsigned char u = static_cast<unsigned char>(c);
      Fail(line_, u >= 32 && u < 127 ? std::string("unexpected character '") + c + "'"
                                     : "unexpected character #" + std::to_string(u));
    }
    return t;
  }

  void LexIdent(Token& t) {
    t.kind = TokenKind::Ident;
    std::size_t start = pos_;
    for (;;) {
      while (pos_ < text_.size() && (IsLetter(text_[pos_]) || IsDigit(text_[pos_]))) ++pos_;
      if (At(pos_) == '.' && IsLetter(At(pos_ + 1)))
        ++pos_;
      else
        break;
    }
    t.text = std::string(text_.substr(start, pos_ - start));
    if (At(pos_) == '.') Fail(line_, "incomplete dotted name '" + t.text + ".'");
  }

  void LexNumber(Token& t) {
    std::size_t start = pos_;
    if (text_[pos_] == '-') {
      t.negative = true;
      ++pos_;
    }
    if (At(pos_) == '$') {
      ++pos_;
      t.kind = TokenKind::Integer;
      t.hex = true;
      std::size_t digits = 0;
      std::uint64_t raw = 0;
      while (HexValue(At(pos_)) >= 0) {
        if (raw >> 60) Fail(line_, "hexadecimal number too large");
        raw = raw * 16 + static_cast<std::uint64_t>(HexValue(text_[pos_]));
        ++pos_;
        ++digits;
      }
      if (digits == 0) Fail(line_, "hexadecimal digits expected after '$'");
      if (t.negative && raw > (std::uint64_t{1} << 63)) Fail(line_, "number out of range");
      t.raw = raw;
      t.integer = t.negative ? static_cast<std::int64_t>(0 - raw) : static_cast<std::int64_t>(raw);
    } else {
      while (IsDigit(At(pos_))) ++pos_;
      bool isFloat = false;
      if (At(pos_) == '.' && IsDigit(At(pos_ + 1))) {
        isFloat = true;
        ++pos_;
        while (IsDigit(At(pos_))) ++pos_;
      }
      if ((At(pos_) == 'e' || At(pos_) == 'E') &&
          (IsDigit(At(pos_ + 1)) ||
           ((At(pos_ + 1) == '+' || At(pos_ + 1) == '-') && IsDigit(At(pos_ + 2))))) {
        isFloat = true;
        pos_ += 2;
        while (IsDigit(At(pos_))) ++pos_;
      }
      const char* first = text_.data() + start;
      const char* last = text_.data() + pos_;
      if (isFloat) {
        t.kind = TokenKind::Float;
        auto [p, ec] = std::from_chars(first, last, t.real);
        if (ec != std::errc() || p != last || !std::isfinite(t.real))
          Fail(line_, "number out of range");
      } else {
        t.kind = TokenKind::Integer;
        auto [p, ec] = std::from_chars(first, last, t.integer);
        if (ec != std::errc() || p != last) Fail(line_, "number out of range");
        t.raw = static_cast<std::uint64_t>(t.integer);
      }
    }
    if (IsLetter(At(pos_)) || At(pos_) == '.')
      Fail(line_, "invalid number '" + std::string(text_.substr(start, pos_ - start + 1)) + "'");
  }

  void LexString(Token& t) {
    t.kind = TokenKind::String;
    for (;;) {
      char c = At(pos_);
      if (c == '\'') {
        ++pos_;
        for (;;) {
          if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
            Fail(line_, "unterminated string");
          char d = text_[pos_++];
          if (d == '\'') {
            if (At(pos_) == '\'') {
              t.text += '\'';
              ++pos_;
            } else {
              break;
            }
          } else {
            t.text += d;
          }
        }
      } else if (c == '#') {
        ++pos_;
        std::uint64_t code = 0;
        std::size_t digits = 0;
        bool hex = At(pos_) == '$';
        if (hex) ++pos_;
        while (hex ? HexValue(At(pos_)) >= 0 : IsDigit(At(pos_))) {
          code = code * (hex ? 16 : 10) + static_cast<std::uint64_t>(HexValue(text_[pos_]));
          if (code > 0x10FFFF) Fail(line_, "character code out of range");
          ++pos_;
          ++digits;
        }
        if (digits == 0) Fail(line_, "character code expected after '#'");
        int ch = CharFromCode(code);
        if (ch < 0)
          Fail(line_, "character #" + std::to_string(code) + " has no Windows-1252 equivalent");
        t.text += static_cast<char>(ch);
      } else {
        break;
      }
    }
  }

  // Binary blocks carry whole pictures (800 KB for the lane board), so this
  // loop is kept tight: a class table per character, the output sized once.
  void LexBinary(Token& t) {
    // 0..15: a hex digit; 16: blank; 17: new line; 18: anything else.
    static constexpr auto kClass = [] {
      std::array<std::uint8_t, 256> table{};
      table.fill(18);
      for (int c = 0; c < 10; ++c) table['0' + c] = static_cast<std::uint8_t>(c);
      for (int c = 0; c < 6; ++c) {
        table['a' + c] = static_cast<std::uint8_t>(10 + c);
        table['A' + c] = static_cast<std::uint8_t>(10 + c);
      }
      table[' '] = table['\t'] = table['\r'] = 16;
      table['\n'] = 17;
      return table;
    }();
    t.kind = TokenKind::Binary;
    const int startLine = line_;
    const std::size_t close = text_.find('}', ++pos_);
    if (close == std::string_view::npos) Fail(startLine, "unterminated binary block");
    t.bytes.resize((close - pos_) / 2);
    std::uint8_t* out = t.bytes.data();
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text_.data()) + pos_;
    const unsigned char* end = reinterpret_cast<const unsigned char*>(text_.data()) + close;
    unsigned pending = 256;  // none
    for (; p < end; ++p) {
      const unsigned k = kClass[*p];
      if (k < 16) {
        if (pending == 256) {
          pending = k;
        } else {
          *out++ = static_cast<std::uint8_t>(pending * 16 + k);
          pending = 256;
        }
      } else if (k == 17) {
        ++line_;
      } else if (k == 18) {
        Fail(line_, "invalid character in binary block");
      }
    }
    t.bytes.resize(static_cast<std::size_t>(out - t.bytes.data()));
    pos_ = close + 1;
    if (pending != 256) Fail(line_, "odd number of hex digits in binary block");
  }

  // --- parser --------------------------------------------------------------

  Token Take() {
    Token t = std::move(current_);
    current_ = std::move(next_);
    next_ = Lex();
    return t;
  }

  bool IsKeyword(const Token& t, std::string_view word) const {
    return t.kind == TokenKind::Ident && SameText(t.text, word);
  }
  bool IsSymbol(const Token& t, char s) const {
    return t.kind == TokenKind::Symbol && t.symbol == s;
  }

  std::string TakeSimpleName(const char* what) {
    if (current_.kind != TokenKind::Ident)
      Fail(current_.line, std::string(what) + " expected, found " + Describe(current_));
    if (current_.text.find('.') != std::string::npos)
      Fail(current_.line, "invalid " + std::string(what) + " '" + current_.text + "'");
    return Take().text;
  }

  TDescriptionObject ParseObject(int depth) {
    if (depth > kMaxDepth) Fail(current_.line, "objects nested too deeply");
    if (!IsKeyword(current_, "object"))
      Fail(current_.line, "'object' expected, found " + Describe(current_));
    TDescriptionObject obj;
    obj.line = Take().line;
    std::string first = TakeSimpleName("object name or class");
    if (IsSymbol(current_, ':')) {
      Take();
      obj.name = std::move(first);
      obj.className = TakeSimpleName("class name");
    } else {
      obj.className = std::move(first);
    }
    const std::string label = obj.name.empty() ? obj.className : obj.name;
    for (;;) {
      if (current_.kind == TokenKind::Ident && IsSymbol(next_, '=')) {
        if (!obj.children.empty())
          Fail(current_.line, "property '" + current_.text + "' of " + label +
                                  " follows a nested object; properties come first");
        obj.properties.push_back(ParseProperty(depth));
      } else if (IsKeyword(current_, "object")) {
        obj.children.push_back(ParseObject(depth + 1));
      } else if (IsKeyword(current_, "end")) {
        Take();
        return obj;
      } else if (current_.kind == TokenKind::Eof) {
        Fail(current_.line, "'end' of " + label + " expected, found end of file");
      } else {
        Fail(current_.line,
             "property, 'object' or 'end' expected in " + label + ", found " + Describe(current_));
      }
    }
  }

  TDescriptionProperty ParseProperty(int depth) {
    TDescriptionProperty prop;
    prop.line = current_.line;
    prop.path = Take().text;
    Take();  // '='
    prop.value = ParseValue(prop.path, depth);
    return prop;
  }

  TDescriptionValue ParseValue(const std::string& path, int depth) {
    if (depth > kMaxDepth) Fail(current_.line, "values nested too deeply");
    TDescriptionValue v;
    v.line = current_.line;
    switch (current_.kind) {
      case TokenKind::Integer: {
        Token t = Take();
        v.type = TDescriptionValueType::Integer;
        v.integer = t.integer;
        v.hex = t.hex;
        v.negative = t.negative;
        v.raw = t.raw;
        return v;
      }
      case TokenKind::Float:
        v.type = TDescriptionValueType::Float;
        v.real = Take().real;
        return v;
      case TokenKind::String:
        v.type = TDescriptionValueType::String;
        v.text = Take().text;
        while (IsSymbol(current_, '+')) {
          Take();
          if (current_.kind != TokenKind::String)
            Fail(current_.line, "string expected after '+', found " + Describe(current_));
          v.text += Take().text;
        }
        return v;
      case TokenKind::Ident:
        v.type = TDescriptionValueType::Identifier;
        v.text = Take().text;
        return v;
      case TokenKind::Binary:
        v.type = TDescriptionValueType::Binary;
        v.bytes = std::move(Take().bytes);
        return v;
      case TokenKind::Symbol:
        if (IsSymbol(current_, '[')) return ParseSet(std::move(v));
        if (IsSymbol(current_, '(')) return ParseList(std::move(v), path, depth);
        if (IsSymbol(current_, '<')) return ParseCollection(std::move(v), depth);
        break;
      case TokenKind::Eof:
        break;
    }
    Fail(current_.line, "value expected for '" + path + "', found " + Describe(current_));
  }

  TDescriptionValue ParseSet(TDescriptionValue v) {
    v.type = TDescriptionValueType::Set;
    Take();  // '['
    if (IsSymbol(current_, ']')) {
      Take();
      return v;
    }
    for (;;) {
      v.identifiers.push_back(TakeSimpleName("set element"));
      if (IsSymbol(current_, ']')) {
        Take();
        return v;
      }
      if (!IsSymbol(current_, ','))
        Fail(current_.line, "',' or ']' expected in set, found " + Describe(current_));
      Take();
    }
  }

  TDescriptionValue ParseList(TDescriptionValue v, const std::string& path, int depth) {
    v.type = TDescriptionValueType::List;
    Take();  // '('
    while (!IsSymbol(current_, ')')) {
      if (current_.kind == TokenKind::Eof)
        Fail(v.line, "')' expected to close the list of '" + path + "'");
      v.list.push_back(ParseValue(path, depth + 1));
    }
    Take();
    return v;
  }

  TDescriptionValue ParseCollection(TDescriptionValue v, int depth) {
    v.type = TDescriptionValueType::Collection;
    Take();  // '<'
    for (;;) {
      if (IsSymbol(current_, '>')) {
        Take();
        return v;
      }
      if (!IsKeyword(current_, "item"))
        Fail(current_.line, "'item' or '>' expected in collection, found " + Describe(current_));
      TDescriptionItem item;
      item.line = Take().line;
      for (;;) {
        if (current_.kind == TokenKind::Ident && IsSymbol(next_, '=')) {
          item.properties.push_back(ParseProperty(depth + 1));
        } else if (IsKeyword(current_, "end")) {
          Take();
          break;
        } else {
          Fail(current_.line,
               "property or 'end' expected in collection item, found " + Describe(current_));
        }
      }
      v.items.push_back(std::move(item));
    }
  }

  std::string_view text_;
  std::string_view fileName_;
  std::size_t pos_ = 0;
  int line_ = 1;
  Token current_;
  Token next_;
};

}  // namespace

TDescriptionObject ParseDescription(std::string_view text, std::string_view fileName) {
  return TDescriptionParser(text, fileName).ParseRoot();
}

}  // namespace component
