#include "platform/gdi/TextLayout.h"

#include "platform/gdi/Gdi.h"

namespace platform {

namespace {

struct Marked {
  std::string text;
  std::vector<bool> mark;  // per character
};

// "&x" marks x, "&&" is a literal "&", a lone "&" at the end disappears.
Marked StripPrefixes(std::string_view in, bool keepMarks) {
  Marked m;
  m.text.reserve(in.size());
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] != '&') {
      m.text += in[i];
      m.mark.push_back(false);
      continue;
    }
    if (i + 1 >= in.size()) break;
    char next = in[++i];
    m.text += next;
    m.mark.push_back(keepMarks && next != '&' && next != '\r' && next != '\n');
  }
  return m;
}

Marked Slice(const Marked& m, std::size_t from, std::size_t to) {
  Marked s;
  s.text = m.text.substr(from, to - from);
  s.mark.assign(m.mark.begin() + std::ptrdiff_t(from), m.mark.begin() + std::ptrdiff_t(to));
  return s;
}

void Append(Marked& to, const Marked& m) {
  to.text += m.text;
  to.mark.insert(to.mark.end(), m.mark.begin(), m.mark.end());
}

Marked Plain(std::string_view s) {
  return Marked{std::string(s), std::vector<bool>(s.size())};
}

struct Context {
  bool expandTabs;
  int tabWidth;
  TextMeasure& measure;
  int Width(const std::string& s) const { return LineWidth(s, expandTabs, tabWidth, measure); }
};

// The longest start of the line that fits with "..." after it.
Marked EndEllipsis(const Marked& line, int width, const Context& cx) {
  for (std::size_t n = line.text.size(); n-- > 0;) {
    Marked m = Slice(line, 0, n);
    Append(m, Plain("..."));
    if (cx.Width(m.text) <= width) return m;
  }
  return Plain("...");
}

// Keeps the part from the last backslash on and as much of the start as fits.
Marked PathEllipsis(const Marked& line, int width, const Context& cx, bool thenEnd) {
  std::size_t slash = line.text.rfind('\\');
  if (slash == std::string::npos || slash == 0)
    return thenEnd ? EndEllipsis(line, width, cx) : line;
  Marked tail = Slice(line, slash, line.text.size());
  for (std::size_t n = slash; n-- > 0;) {
    Marked m = Slice(line, 0, n);
    Append(m, Plain("..."));
    Append(m, tail);
    if (cx.Width(m.text) <= width) return m;
  }
  Marked m = Plain("...");
  Append(m, tail);
  if (thenEnd && cx.Width(m.text) > width) return EndEllipsis(m, width, cx);
  return m;
}

// Greedy word wrapping: breaks after runs of blanks; a word longer than the
// width stands alone on its line and overflows.
void Wrap(const Marked& line, int width, const Context& cx, std::vector<Marked>& out) {
  std::size_t start = 0;
  const std::string& t = line.text;
  while (start < t.size()) {
    std::size_t end = start, lastBreak = std::string::npos, nextStart = 0;
    int pen = 0;
    while (end < t.size()) {
      unsigned char c = static_cast<unsigned char>(t[end]);
      int adv;
      if (c == '\t' && cx.expandTabs && cx.tabWidth > 0)
        adv = (pen / cx.tabWidth + 1) * cx.tabWidth - pen;
      else
        adv = cx.measure.Advance(c);
      if (c != ' ' && pen + adv > width && lastBreak != std::string::npos) break;
      pen += adv;
      ++end;
      if (c == ' ') {
        std::size_t e = end;
        while (e < t.size() && t[e] == ' ') ++e;
        // Leading blanks stay with the first word.
        if (end - 1 > start) {
          lastBreak = end - 1;
          nextStart = e;
        }
        // Blanks at a break are not part of either line.
        for (std::size_t k = end; k < e; ++k) pen += cx.measure.Advance(' ');
        end = e;
      }
    }
    if (end >= t.size()) {
      out.push_back(Slice(line, start, t.size()));
      return;
    }
    std::size_t cut = lastBreak;
    while (cut > start && t[cut - 1] == ' ') --cut;
    out.push_back(Slice(line, start, cut));
    start = nextStart;
  }
}

}  // namespace

int LineWidth(std::string_view line, bool expandTabs, int tabWidth, TextMeasure& measure) {
  int pen = 0;
  for (unsigned char c : line) {
    if (c == '\t' && expandTabs && tabWidth > 0)
      pen = (pen / tabWidth + 1) * tabWidth;
    else
      pen += measure.Advance(c);
  }
  return pen;
}

TextLayoutResult LayoutText(std::string_view text, UINT format, int width, TextMeasure& measure) {
  int tabChars = 8;
  if (format & DT_TABSTOP) {
    tabChars = int((format >> 8) & 0xFF);
    format &= ~UINT(0xFF00);
  }
  Context cx{(format & DT_EXPANDTABS) != 0, tabChars * measure.AveCharWidth(), measure};
  bool prefixes = !(format & DT_NOPREFIX);
  Marked all = prefixes ? StripPrefixes(text, !(format & DT_HIDEPREFIX)) : Plain(text);

  std::vector<Marked> lines;
  if (format & DT_SINGLELINE) {
    lines.push_back(std::move(all));
  } else {
    std::size_t start = 0;
    const std::string& t = all.text;
    std::vector<Marked> raw;
    for (std::size_t i = 0; i <= t.size(); ++i) {
      if (i < t.size() && t[i] != '\r' && t[i] != '\n') continue;
      raw.push_back(Slice(all, start, i));
      if (i < t.size() && t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
      start = i + 1;
    }
    // A final line break does not open another line.
    if (raw.size() > 1 && raw.back().text.empty()) raw.pop_back();
    for (Marked& m : raw) {
      if ((format & DT_WORDBREAK) && cx.Width(m.text) > width && !m.text.empty())
        Wrap(m, width, cx, lines);
      else
        lines.push_back(std::move(m));
    }
  }

  bool calc = format & DT_CALCRECT;
  bool endEll = format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS);
  bool pathEll = format & DT_PATH_ELLIPSIS;
  TextLayoutResult result;
  for (Marked& m : lines) {
    if (!calc && (endEll || pathEll) && cx.Width(m.text) > width)
      m = pathEll ? PathEllipsis(m, width, cx, endEll) : EndEllipsis(m, width, cx);
    LayoutLine line;
    line.width = cx.Width(m.text);
    for (std::size_t i = 0; i < m.mark.size(); ++i)
      if (m.mark[i]) line.marks.push_back(i);
    line.text = std::move(m.text);
    if (line.width > result.maxWidth) result.maxWidth = line.width;
    result.lines.push_back(std::move(line));
  }
  return result;
}

}  // namespace platform
