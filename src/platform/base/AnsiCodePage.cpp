#include "AnsiCodePage.h"

#include <unicode/ucnv.h>

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "Codepage.h"

namespace platform {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

unsigned CodePageForLanguage(unsigned primary, unsigned sub) {
  switch (primary) {
    case 0x05:
    case 0x0E:
    case 0x15:
    case 0x18:
    case 0x1B:
    case 0x1C:
    case 0x24:
    case 0x1A:  // Croatian, Bosnian and Serbian in Latin; the Cyrillic forms below
      if (primary == 0x1A && (sub == 0x03 || sub == 0x07 || sub == 0x0A || sub == 0x0C))
        return 1251;
      return 1250;
    case 0x02:
    case 0x19:
    case 0x22:
    case 0x23:
    case 0x2F:
    case 0x3F:
    case 0x40:
    case 0x44:
    case 0x50:
    case 0x6D:
    case 0x85:
      return 1251;
    case 0x08:
      return 1253;
    case 0x1F:
      return 1254;
    case 0x2C:
    case 0x43:  // Azeri and Uzbek: Latin 1254, Cyrillic 1251
      return sub == 0x02 ? 1251 : 1254;
    case 0x0D:
      return 1255;
    case 0x01:
    case 0x20:
    case 0x29:
    case 0x80:
    case 0x8C:
      return 1256;
    case 0x25:
    case 0x26:
    case 0x27:
      return 1257;
    case 0x2A:
      return 1258;
    case 0x1E:
      return 874;
    case 0x11:
      return 932;
    case 0x12:
      return 949;
    case 0x04:  // Chinese: simplified in the PRC and Singapore, traditional elsewhere
      return (sub == 0x02 || sub == 0x04) ? 936 : 950;
    default:
      return 1252;
  }
}

struct UConverterDeleter {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, UConverterDeleter>;

ConverterPtr OpenConverter(unsigned codePage) {
  std::string name = "windows-" + std::to_string(codePage);
  UErrorCode status = U_ZERO_ERROR;
  ConverterPtr converter(ucnv_open(name.c_str(), &status));
  if (U_FAILURE(status)) return nullptr;
  // Stop at undefined bytes instead of substituting, so they are detected.
  ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

AnsiByteTable BuildSingleByteTable(UConverter* converter) {
  AnsiByteTable table{};
  for (unsigned b = 0; b < 256; ++b) {
    char byte = static_cast<char>(b);
    UChar out[4];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(converter);
    int32_t n = ucnv_toUChars(converter, out, 4, &byte, 1, &status);
    if (U_SUCCESS(status) && n == 1)
      table[b] = out[0];
    else
      table[b] = (b >= 0x80 && b <= 0x9F) ? char16_t(b) : kReplacement;
  }
  return table;
}

bool IsDoubleByte(unsigned codePage) {
  return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

std::mutex g_mutex;
std::map<unsigned, AnsiByteTable> g_tables;     // single-byte code pages
std::map<unsigned, ConverterPtr> g_converters;  // double-byte code pages

// Converts double-byte text piece by piece, replacing what does not convert.
void AppendDoubleByte(UConverter* converter, const char* text, std::size_t len,
                      std::u16string& out) {
  ucnv_resetToUnicode(converter);
  const char* source = text;
  const char* end = text + len;
  UChar buffer[256];
  while (source < end) {
    UChar* target = buffer;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_toUnicode(converter, &target, buffer + 256, &source, end, nullptr, true, &status);
    out.append(reinterpret_cast<const char16_t*>(buffer), target - buffer);
    if (status == U_BUFFER_OVERFLOW_ERROR) continue;
    if (U_FAILURE(status)) {
      // The stop callback leaves the source after the offending bytes.
      out += kReplacement;
      ucnv_resetToUnicode(converter);
    }
  }
}

}  // namespace

unsigned AnsiCodePageForLocale(std::uint32_t lcid) {
  return CodePageForLanguage(lcid & 0x3FF, (lcid >> 10) & 0x3F);
}

const AnsiByteTable* SingleByteTable(unsigned codePage) {
  if (IsDoubleByte(codePage)) return nullptr;
  std::lock_guard lock(g_mutex);
  auto it = g_tables.find(codePage);
  if (it == g_tables.end()) {
    ConverterPtr converter = codePage == 1252 ? nullptr : OpenConverter(codePage);
    AnsiByteTable table{};
    if (converter) {
      table = BuildSingleByteTable(converter.get());
    } else {
      for (unsigned b = 0; b < 256; ++b) table[b] = Cp1252ToUnicode(static_cast<unsigned char>(b));
    }
    it = g_tables.emplace(codePage, table).first;
  }
  return &it->second;
}

void AppendAnsiText(unsigned codePage, const char* text, std::size_t len, std::u16string& out) {
  if (IsDoubleByte(codePage)) {
    std::lock_guard lock(g_mutex);
    auto it = g_converters.find(codePage);
    if (it == g_converters.end())
      it = g_converters.emplace(codePage, OpenConverter(codePage)).first;
    if (it->second) {
      AppendDoubleByte(it->second.get(), text, len, out);
      return;
    }
    codePage = 1252;
  }
  const AnsiByteTable& table = *SingleByteTable(codePage);
  for (std::size_t i = 0; i < len; ++i) out += table[static_cast<unsigned char>(text[i])];
}

}  // namespace platform
