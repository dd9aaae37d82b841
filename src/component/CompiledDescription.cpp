#include "component/CompiledDescription.h"

#include <cstring>

#include "component/Exception.h"

namespace component {

namespace {

// A NUL, then a name and the form's version.
constexpr std::string_view kMagic{"\0SDB\1", 5};

// Only damaged data nests deeper than the text parser allows.
constexpr int kMaxDepth = 210;

class TWriter {
 public:
  std::string out{kMagic};

  void Number(std::uint64_t v) {
    while (v >= 0x80) {
      out += static_cast<char>((v & 0x7F) | 0x80);
      v >>= 7;
    }
    out += static_cast<char>(v);
  }
  void Text(std::string_view s) {
    Number(s.size());
    out += s;
  }
  void Object(const TDescriptionObject& o) {
    Number(static_cast<std::uint64_t>(o.line));
    Text(o.name);
    Text(o.className);
    Properties(o.properties);
    Number(o.children.size());
    for (const TDescriptionObject& c : o.children) Object(c);
  }
  void Properties(const std::vector<TDescriptionProperty>& list) {
    Number(list.size());
    for (const TDescriptionProperty& p : list) {
      Text(p.path);
      Number(static_cast<std::uint64_t>(p.line));
      Value(p.value);
    }
  }
  void Value(const TDescriptionValue& v) {
    out += static_cast<char>(v.type);
    Number(static_cast<std::uint64_t>(v.line));
    switch (v.type) {
      case TDescriptionValueType::Integer:
        out += static_cast<char>((v.hex ? 1 : 0) | (v.negative ? 2 : 0));
        Number(static_cast<std::uint64_t>(v.integer));
        Number(v.raw);
        break;
      case TDescriptionValueType::Float: {
        char bytes[sizeof v.real];
        std::memcpy(bytes, &v.real, sizeof bytes);
        out.append(bytes, sizeof bytes);
        break;
      }
      case TDescriptionValueType::String:
      case TDescriptionValueType::Identifier:
        Text(v.text);
        break;
      case TDescriptionValueType::Set:
        Number(v.identifiers.size());
        for (const std::string& s : v.identifiers) Text(s);
        break;
      case TDescriptionValueType::Binary:
        Number(v.bytes.size());
        out.append(reinterpret_cast<const char*>(v.bytes.data()), v.bytes.size());
        break;
      case TDescriptionValueType::List:
        Number(v.list.size());
        for (const TDescriptionValue& item : v.list) Value(item);
        break;
      case TDescriptionValueType::Collection:
        Number(v.items.size());
        for (const TDescriptionItem& item : v.items) {
          Number(static_cast<std::uint64_t>(item.line));
          Properties(item.properties);
        }
        break;
    }
  }
};

class TLoader {
 public:
  TLoader(std::string_view bytes, std::string_view fileName)
      : bytes_(bytes), fileName_(fileName), pos_(kMagic.size()) {}

  TDescriptionObject Root() {
    TDescriptionObject root = Object(0);
    if (pos_ != bytes_.size()) Fail("data after the outermost object");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& detail) const {
    throw EParserError(std::string(fileName_), 0, "damaged compiled description: " + detail);
  }

  std::uint64_t Number() {
    std::uint64_t v = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      if (pos_ >= bytes_.size()) Fail("cut short");
      auto b = static_cast<unsigned char>(bytes_[pos_++]);
      v |= std::uint64_t(b & 0x7F) << shift;
      if (!(b & 0x80)) return v;
    }
    Fail("number too long");
  }
  int Line() {
    std::uint64_t v = Number();
    if (v > 0x7FFFFFFF) Fail("line out of range");
    return static_cast<int>(v);
  }
  // A count of things each taking at least `least` bytes, so a damaged count
  // cannot ask for more memory than the data could fill.
  std::size_t Count(std::size_t least = 1) {
    std::uint64_t n = Number();
    if (n > (bytes_.size() - pos_) / least) Fail("count beyond the data");
    return static_cast<std::size_t>(n);
  }
  std::string_view Take(std::size_t n) {
    std::string_view s = bytes_.substr(pos_, n);
    pos_ += n;
    return s;
  }
  std::string Text() { return std::string(Take(Count())); }

  TDescriptionObject Object(int depth) {
    if (depth > kMaxDepth) Fail("objects nested too deeply");
    TDescriptionObject o;
    o.line = Line();
    o.name = Text();
    o.className = Text();
    o.properties = Properties(depth);
    std::size_t n = Count(3);
    o.children.reserve(n);
    for (std::size_t i = 0; i < n; ++i) o.children.push_back(Object(depth + 1));
    return o;
  }
  std::vector<TDescriptionProperty> Properties(int depth) {
    std::vector<TDescriptionProperty> list(Count(4));
    for (TDescriptionProperty& p : list) {
      p.path = Text();
      p.line = Line();
      p.value = Value(depth);
    }
    return list;
  }
  TDescriptionValue Value(int depth) {
    if (depth > kMaxDepth) Fail("values nested too deeply");
    TDescriptionValue v;
    if (pos_ >= bytes_.size()) Fail("cut short");
    auto type = static_cast<unsigned char>(bytes_[pos_++]);
    if (type > static_cast<unsigned char>(TDescriptionValueType::Collection))
      Fail("unknown value type");
    v.type = static_cast<TDescriptionValueType>(type);
    v.line = Line();
    switch (v.type) {
      case TDescriptionValueType::Integer: {
        std::string_view flags = Take(1);
        if (flags.empty()) Fail("cut short");
        v.hex = flags[0] & 1;
        v.negative = flags[0] & 2;
        v.integer = static_cast<std::int64_t>(Number());
        v.raw = Number();
        break;
      }
      case TDescriptionValueType::Float: {
        if (bytes_.size() - pos_ < sizeof v.real) Fail("cut short");
        std::memcpy(&v.real, bytes_.data() + pos_, sizeof v.real);
        pos_ += sizeof v.real;
        break;
      }
      case TDescriptionValueType::String:
      case TDescriptionValueType::Identifier:
        v.text = Text();
        break;
      case TDescriptionValueType::Set:
        v.identifiers.resize(Count());
        for (std::string& s : v.identifiers) s = Text();
        break;
      case TDescriptionValueType::Binary: {
        std::string_view data = Take(Count());
        v.bytes.assign(data.begin(), data.end());
        break;
      }
      case TDescriptionValueType::List:
        v.list.resize(Count(2));
        for (TDescriptionValue& item : v.list) item = Value(depth + 1);
        break;
      case TDescriptionValueType::Collection:
        v.items.resize(Count(2));
        for (TDescriptionItem& item : v.items) {
          item.line = Line();
          item.properties = Properties(depth + 1);
        }
        break;
    }
    return v;
  }

  std::string_view bytes_;
  std::string_view fileName_;
  std::size_t pos_;
};

}  // namespace

bool IsCompiledDescription(std::string_view bytes) {
  return bytes.substr(0, kMagic.size()) == kMagic;
}

std::string CompileDescription(const TDescriptionObject& root) {
  TWriter writer;
  writer.Object(root);
  return std::move(writer.out);
}

TDescriptionObject LoadCompiledDescription(std::string_view bytes, std::string_view fileName) {
  if (!IsCompiledDescription(bytes))
    throw EParserError(std::string(fileName), 0, "not a compiled description");
  return TLoader(bytes, fileName).Root();
}

}  // namespace component
