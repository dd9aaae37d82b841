// The handle table, stock objects, and creating, selecting, reading and
// deleting drawing objects.
#include <cstring>

#include "platform/gdi/FontInstance.h"
#include "platform/gdi/GdiObjects.h"

namespace platform {

namespace {

constexpr std::uint32_t kSlotMask = (1u << HandleTable::kSlotBits) - 1;
constexpr int kStockBitmap = 20;  // the 1 x 1 bitmap of a new memory context
constexpr int kStockCount = 21;

template <class T>
std::uint32_t AddObject(std::unique_ptr<T> obj) {
  return Handles().Add(std::move(obj));
}

LOGFONT MakeLogFont(const char* face, int height, int weight) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWeight = weight;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

std::uint32_t MakeStock(int index) {
  switch (index) {
    case WHITE_BRUSH:
    case LTGRAY_BRUSH:
    case GRAY_BRUSH:
    case DKGRAY_BRUSH:
    case BLACK_BRUSH:
    case NULL_BRUSH:
    case DC_BRUSH: {
      static const COLORREF colours[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
      auto b = std::make_unique<BrushObject>();
      if (index == NULL_BRUSH)
        b->logBrush.lbStyle = BS_NULL;
      else if (index == DC_BRUSH)
        b->dcBrush = true;
      else
        b->logBrush.lbColor = colours[index];
      b->stock = true;
      return AddObject(std::move(b));
    }
    case WHITE_PEN:
    case BLACK_PEN:
    case NULL_PEN:
    case DC_PEN: {
      auto p = std::make_unique<PenObject>();
      p->logPen.lopnColor = index == WHITE_PEN ? 0xFFFFFF : 0;
      if (index == NULL_PEN) p->logPen.lopnStyle = PS_NULL;
      p->dcPen = index == DC_PEN;
      p->stock = true;
      return AddObject(std::move(p));
    }
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case DEFAULT_GUI_FONT: {
      auto f = std::make_unique<FontObject>();
      if (index == OEM_FIXED_FONT || index == ANSI_FIXED_FONT || index == SYSTEM_FIXED_FONT)
        f->logFont = MakeLogFont("Courier New", -13, FW_NORMAL);
      else if (index == SYSTEM_FONT || index == DEVICE_DEFAULT_FONT)
        f->logFont = MakeLogFont("MS Sans Serif", 16, FW_BOLD);
      else
        f->logFont = MakeLogFont("MS Sans Serif", -11, FW_NORMAL);
      f->stock = true;
      return AddObject(std::move(f));
    }
    case kStockBitmap: {
      auto b = std::make_unique<BitmapObject>();
      b->store.assign(1, 0);
      b->surface = Surface{b->store.data(), 1, 1, 4};
      b->stock = true;
      return AddObject(std::move(b));
    }
    default:
      return 0;
  }
}

}  // namespace

std::recursive_mutex& GdiMutex() {
  static std::recursive_mutex m;
  return m;
}

HandleTable& Handles() {
  static HandleTable table;
  return table;
}

int GdiObjectCount() {
  std::lock_guard<std::recursive_mutex> lock(GdiMutex());
  return int(Handles().Live());
}

std::uint32_t HandleTable::Add(std::unique_ptr<GdiObject> obj) {
  std::uint32_t slot;
  if (!free_.empty()) {
    slot = free_.back();
    free_.pop_back();
  } else {
    if (slots_.size() >= kSlotMask) return 0;
    slot = std::uint32_t(slots_.size());
    slots_.emplace_back();
  }
  slots_[slot].obj = std::move(obj);
  return (slots_[slot].generation << kSlotBits) | (slot + 1);
}

GdiObject* HandleTable::Find(std::uint32_t value) const {
  std::uint32_t slot = (value & kSlotMask) - 1;
  if ((value & kSlotMask) == 0 || slot >= slots_.size()) return nullptr;
  const Slot& s = slots_[slot];
  if (!s.obj || s.generation != (value >> kSlotBits)) return nullptr;
  return s.obj.get();
}

void HandleTable::Remove(std::uint32_t value) {
  if (!Find(value)) return;
  std::uint32_t slot = (value & kSlotMask) - 1;
  slots_[slot].obj.reset();
  // Generations wrap within the bits above the slot; 0 is never used.
  std::uint32_t g = slots_[slot].generation + 1;
  if (g >= (1u << (32 - kSlotBits))) g = 1;
  slots_[slot].generation = g;
  free_.push_back(slot);
}

HGDIOBJ StockObject(int index) {
  static std::uint32_t stock[kStockCount] = {};
  if (index < 0 || index >= kStockCount) return HGDIOBJ{};
  if (!stock[index]) stock[index] = MakeStock(index);
  return HGDIOBJ{stock[index]};
}

void InitState(DcState& s) {
  s = DcState{};
  s.bitmap = HBITMAP(StockObject(kStockBitmap));
  s.pen = HPEN(StockObject(BLACK_PEN));
  s.brush = HBRUSH(StockObject(WHITE_BRUSH));
  s.font = HFONT(StockObject(SYSTEM_FONT));
}

PenObject* CurrentPen(DcObject& dc) {
  PenObject* p = FindPen(dc.state.pen);
  return p ? p : FindPen(HPEN(StockObject(BLACK_PEN)));
}

BrushObject* CurrentBrush(DcObject& dc) {
  BrushObject* b = FindBrush(dc.state.brush);
  return b ? b : FindBrush(HBRUSH(StockObject(WHITE_BRUSH)));
}

FontObject* CurrentFont(DcObject& dc) {
  FontObject* f = FindFont(dc.state.font);
  return f ? f : FindFont(HFONT(StockObject(SYSTEM_FONT)));
}

FontInstance& FontOf(FontObject& font) {
  if (!font.instance) font.instance = FontInstance::Get(font.logFont);
  return *font.instance;
}

Surface SurfaceOf(DcObject& dc) {
  if (!dc.memory) return dc.surface;
  // A memory context without a bitmap of its own draws nowhere: the shared
  // 1 x 1 placeholder must not carry pixels from one context to another.
  BitmapObject* b = FindBitmap(dc.state.bitmap);
  return b && !b->stock ? b->surface : Surface{};
}

std::optional<std::uint32_t> BrushPixel(DcObject& dc, BrushObject& brush) {
  if (brush.dcBrush) return ColorToPixel(dc.state.dcBrushColor);
  if (brush.sysColor >= 0) return ColorToPixel(GetSysColor(brush.sysColor));
  if (brush.logBrush.lbStyle == BS_NULL || brush.logBrush.lbStyle == BS_PATTERN)
    return std::nullopt;
  return ColorToPixel(brush.logBrush.lbColor);
}

BrushObject* ResolveBrushArg(HBRUSH brush) {
  if (brush.value >= 1 && brush.value <= std::uint32_t(kSysColorCount))
    return FindBrush(GetSysColorBrush(int(brush.value) - 1));
  return FindBrush(brush);
}

// ---------------------------------------------------------------- public

HGDIOBJ GetStockObject(int index) {
  std::lock_guard lock(GdiMutex());
  if (index == kStockBitmap) return HGDIOBJ{};  // internal only
  return StockObject(index);
}

BOOL DeleteObject(HGDIOBJ obj) {
  std::lock_guard lock(GdiMutex());
  GdiObject* o = Handles().Find(obj.value);
  if (!o || o->kind == GdiKind::DC) return FALSE;
  if (o->stock) return TRUE;
  if (o->kind == GdiKind::Bitmap && static_cast<BitmapObject*>(o)->selectedInto) return FALSE;
  Handles().Remove(obj.value);
  return TRUE;
}

DWORD GetObjectType(HGDIOBJ obj) {
  std::lock_guard lock(GdiMutex());
  GdiObject* o = Handles().Find(obj.value);
  if (!o) return 0;
  switch (o->kind) {
    case GdiKind::DC:
      return static_cast<DcObject*>(o)->memory ? OBJ_MEMDC : OBJ_DC;
    case GdiKind::Region:
      return OBJ_REGION;
    case GdiKind::Bitmap:
      return OBJ_BITMAP;
    case GdiKind::Font:
      return OBJ_FONT;
    case GdiKind::Pen:
      return OBJ_PEN;
    case GdiKind::Brush:
      return OBJ_BRUSH;
  }
  return 0;
}

int GetObject(HGDIOBJ obj, int size, void* out) {
  std::lock_guard lock(GdiMutex());
  GdiObject* o = Handles().Find(obj.value);
  if (!o) return 0;
  auto give = [&](const auto& value) -> int {
    int n = int(sizeof(value));
    if (!out) return n;
    if (size < n) return 0;
    std::memcpy(out, &value, sizeof(value));
    return n;
  };
  switch (o->kind) {
    case GdiKind::Bitmap: {
      auto* b = static_cast<BitmapObject*>(o);
      BITMAP bm;
      bm.bmWidth = b->surface.width;
      bm.bmHeight = b->surface.height;
      bm.bmWidthBytes = b->surface.width * 4;
      bm.bmBits = b->dibSection ? b->store.data() : nullptr;
      return give(bm);
    }
    case GdiKind::Pen:
      return give(static_cast<PenObject*>(o)->logPen);
    case GdiKind::Brush: {
      auto* b = static_cast<BrushObject*>(o);
      LOGBRUSH lb = b->logBrush;
      if (b->sysColor >= 0) lb.lbColor = GetSysColor(b->sysColor);
      return give(lb);
    }
    case GdiKind::Font:
      return give(static_cast<FontObject*>(o)->logFont);
    default:
      return 0;
  }
}

HGDIOBJ GetCurrentObject(HDC hdc, DWORD type) {
  std::lock_guard lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  if (!dc) return HGDIOBJ{};
  switch (type) {
    case OBJ_PEN:
      return dc->state.pen;
    case OBJ_BRUSH:
      return dc->state.brush;
    case OBJ_FONT:
      return dc->state.font;
    case OBJ_BITMAP:
      return dc->memory ? HGDIOBJ(dc->state.bitmap) : HGDIOBJ{};
    default:
      return HGDIOBJ{};
  }
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
  std::lock_guard lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  GdiObject* o = Handles().Find(obj.value);
  if (!dc || !o) return HGDIOBJ{};
  switch (o->kind) {
    case GdiKind::Pen: {
      HGDIOBJ old = dc->state.pen;
      dc->state.pen = HPEN(obj);
      return old;
    }
    case GdiKind::Brush: {
      HGDIOBJ old = dc->state.brush;
      dc->state.brush = HBRUSH(obj);
      return old;
    }
    case GdiKind::Font: {
      HGDIOBJ old = dc->state.font;
      dc->state.font = HFONT(obj);
      return old;
    }
    case GdiKind::Bitmap: {
      auto* b = static_cast<BitmapObject*>(o);
      if (!dc->memory) return HGDIOBJ{};
      if (b->selectedInto && b->selectedInto != hdc) return HGDIOBJ{};
      HBITMAP old = dc->state.bitmap;
      if (BitmapObject* ob = FindBitmap(old); ob && ob->selectedInto == hdc)
        ob->selectedInto = HDC{};
      if (!b->stock) b->selectedInto = hdc;
      dc->state.bitmap = HBITMAP(obj);
      dc->clipStale = true;
      return old;
    }
    case GdiKind::Region:
      return HGDIOBJ{std::uint32_t(SelectClipRgn(hdc, HRGN(obj)))};
    case GdiKind::DC:
      return HGDIOBJ{};
  }
  return HGDIOBJ{};
}

HPEN CreatePen(int style, int width, COLORREF color) {
  LOGPEN lp;
  lp.lopnStyle = UINT(style);
  lp.lopnWidth = POINT{width, 0};
  lp.lopnColor = color;
  return CreatePenIndirect(&lp);
}

HPEN CreatePenIndirect(const LOGPEN* lp) {
  if (!lp || lp->lopnStyle > PS_INSIDEFRAME) return HPEN{};
  std::lock_guard lock(GdiMutex());
  auto p = std::make_unique<PenObject>();
  p->logPen = *lp;
  if (p->logPen.lopnWidth.x < 1) p->logPen.lopnWidth.x = 1;
  if (p->logPen.lopnWidth.x > 1024) p->logPen.lopnWidth.x = 1024;
  return HPEN{AddObject(std::move(p))};
}

HBRUSH CreateSolidBrush(COLORREF color) {
  LOGBRUSH lb;
  lb.lbColor = color;
  return CreateBrushIndirect(&lb);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb || (lb->lbStyle != BS_SOLID && lb->lbStyle != BS_NULL && lb->lbStyle != BS_HATCHED))
    return HBRUSH{};
  std::lock_guard lock(GdiMutex());
  auto b = std::make_unique<BrushObject>();
  b->logBrush = *lb;
  // Hatches are painted as their colour: nothing here draws with them.
  if (b->logBrush.lbStyle == BS_HATCHED) b->logBrush.lbStyle = BS_SOLID;
  return HBRUSH{AddObject(std::move(b))};
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  std::lock_guard lock(GdiMutex());
  BitmapObject* bm = FindBitmap(bitmap);
  if (!bm || bm->surface.IsEmpty()) return HBRUSH{};
  auto b = std::make_unique<BrushObject>();
  b->logBrush.lbStyle = BS_PATTERN;
  const Surface& s = bm->surface;
  b->pattern.Resize(s.width, s.height);
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) b->pattern.At(x, y) = s.Row(y)[x];
  return HBRUSH{AddObject(std::move(b))};
}

COLORREF SetDCBrushColor(HDC hdc, COLORREF color) {
  std::lock_guard lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF old = dc->state.dcBrushColor;
  dc->state.dcBrushColor = color;
  return old;
}

COLORREF SetDCPenColor(HDC hdc, COLORREF color) {
  std::lock_guard lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF old = dc->state.dcPenColor;
  dc->state.dcPenColor = color;
  return old;
}

namespace {

// Pictures larger than this are refused rather than attempted.
constexpr long long kMaxPixels = 1ll << 28;

HBITMAP MakeBitmap(int width, int height, bool bottomUp, bool dib) {
  if (width <= 0 || height <= 0 || (long long)width * height > kMaxPixels) return HBITMAP{};
  auto b = std::make_unique<BitmapObject>();
  try {
    b->store.resize(std::size_t(width) * std::size_t(height));
  } catch (const std::bad_alloc&) {
    return HBITMAP{};
  }
  std::ptrdiff_t row = std::ptrdiff_t(width) * 4;
  b->surface = Surface{b->store.data(), width, height, row};
  if (bottomUp)
    b->surface = Surface{b->store.data() + std::size_t(height - 1) * width, width, height, -row};
  b->dibSection = dib;
  return HBITMAP{AddObject(std::move(b))};
}

}  // namespace

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, void*, DWORD) {
  if (bits) *bits = nullptr;
  if (!info) return HBITMAP{};
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biPlanes != 1 || h.biWidth <= 0 ||
      h.biHeight == 0 || h.biHeight == INT32_MIN)
    return HBITMAP{};
  std::lock_guard lock(GdiMutex());
  HBITMAP hb =
      MakeBitmap(h.biWidth, h.biHeight < 0 ? -h.biHeight : h.biHeight, h.biHeight > 0, true);
  if (hb && bits) *bits = FindBitmap(hb)->store.data();
  return hb;
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
  std::lock_guard lock(GdiMutex());
  return MakeBitmap(width, height, false, false);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (planes != 1 || bitsPerPixel != 32) return HBITMAP{};
  std::lock_guard lock(GdiMutex());
  HBITMAP hb = MakeBitmap(width, height, false, false);
  if (hb && bits) {
    BitmapObject* b = FindBitmap(hb);
    std::memcpy(b->store.data(), bits, b->store.size() * 4);
  }
  return hb;
}

Surface GetBitmapSurface(HBITMAP bitmap) {
  std::lock_guard lock(GdiMutex());
  BitmapObject* b = FindBitmap(bitmap);
  return b && !b->stock ? b->surface : Surface{};
}

HFONT CreateFontIndirect(const LOGFONT* lf) {
  if (!lf) return HFONT{};
  std::lock_guard lock(GdiMutex());
  auto f = std::make_unique<FontObject>();
  f->logFont = *lf;
  f->logFont.lfFaceName[LF_FACESIZE - 1] = 0;
  return HFONT{AddObject(std::move(f))};
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const char* face) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = italic ? 1 : 0;
  lf.lfUnderline = underline ? 1 : 0;
  lf.lfStrikeOut = strikeOut ? 1 : 0;
  lf.lfCharSet = std::uint8_t(charSet);
  lf.lfOutPrecision = std::uint8_t(outPrecision);
  lf.lfClipPrecision = std::uint8_t(clipPrecision);
  lf.lfQuality = std::uint8_t(quality);
  lf.lfPitchAndFamily = std::uint8_t(pitchAndFamily);
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

}  // namespace platform
