// The drawing objects behind the handles, and the table that maps one to the
// other. Internal to the drawing library.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace platform {

class FontInstance;

enum class GdiKind : std::uint8_t { DC, Region, Bitmap, Font, Pen, Brush };

struct GdiObject {
  explicit GdiObject(GdiKind k) : kind(k) {}
  virtual ~GdiObject() = default;
  GdiKind kind;
  bool stock = false;  // shared: DeleteObject leaves it alone
};

// Pixel memory that comes zeroed from the allocator: a new bitmap is black,
// and the system hands out fresh pages already cleared, so growing a store
// writes nothing until the bitmap is painted.
template <class T>
struct ZeroedAllocator {
  using value_type = T;
  ZeroedAllocator() = default;
  template <class U>
  ZeroedAllocator(const ZeroedAllocator<U>&) {}
  T* allocate(std::size_t n) {
    void* p = std::calloc(n, sizeof(T));
    if (!p) throw std::bad_alloc();
    return static_cast<T*>(p);
  }
  void deallocate(T* p, std::size_t) { std::free(p); }
  // Elements made without a value are the zeros already there. That holds
  // for memory fresh from allocate(), so a store is sized once, when its
  // bitmap is made, and never shrunk and grown again in place.
  template <class U>
  void construct(U*) {}
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
  template <class U>
  bool operator==(const ZeroedAllocator<U>&) const {
    return true;
  }
};

struct BitmapObject : GdiObject {
  BitmapObject() : GdiObject(GdiKind::Bitmap) {}
  std::vector<std::uint32_t, ZeroedAllocator<std::uint32_t>> store;
  Surface surface;  // over `store`; stride is negative for a bottom-up section
  bool dibSection = false;
  HDC selectedInto{};
};

struct PenObject : GdiObject {
  PenObject() : GdiObject(GdiKind::Pen) {}
  LOGPEN logPen;
  bool dcPen = false;  // DC_PEN: the context's pen colour
};

struct BrushObject : GdiObject {
  BrushObject() : GdiObject(GdiKind::Brush) {}
  LOGBRUSH logBrush;
  bool dcBrush = false;   // DC_BRUSH: the context's brush colour
  int sysColor = -1;      // a system colour brush follows SetSysColors
  SurfaceBuffer pattern;  // BS_PATTERN
};

struct FontObject : GdiObject {
  FontObject() : GdiObject(GdiKind::Font) {}
  LOGFONT logFont;
  std::shared_ptr<FontInstance> instance;  // resolved on first use
};

struct RegionObject : GdiObject {
  RegionObject() : GdiObject(GdiKind::Region) {}
  Region region;
};

// Everything SaveDC keeps.
struct DcState {
  HBITMAP bitmap{};
  HPEN pen{};
  HBRUSH brush{};
  HFONT font{};
  COLORREF textColor = 0x000000;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int polyFillMode = ALTERNATE;
  UINT textAlign = TA_LEFT | TA_TOP;
  COLORREF dcBrushColor = 0xFFFFFF;
  COLORREF dcPenColor = 0x000000;
  POINT viewportOrg{}, windowOrg{}, brushOrg{}, position{};
  std::optional<Region> clip;  // device coordinates
};

struct DcObject : GdiObject {
  DcObject() : GdiObject(GdiKind::DC) {}
  bool memory = true;
  // Surface contexts: what the window system gave.
  Surface surface;
  POINT origin{};
  Region visible;
  DcState state;
  std::vector<DcState> saved;
  RECT dirty{};

  // The clip in surface coordinates, rebuilt when anything it depends on changes.
  bool clipStale = true;
  Region effectiveClip;
};

// The handle table. Handle values carry a generation above the slot number,
// so a deleted handle stays invalid after its slot is reused, and values
// below 1 << kSlotBits (such as COLOR_xxx + 1 brushes) are never handles.
class HandleTable {
 public:
  static constexpr int kSlotBits = 20;

  std::uint32_t Add(std::unique_ptr<GdiObject> obj);
  GdiObject* Find(std::uint32_t value) const;
  template <class T>
  T* Find(std::uint32_t value, GdiKind kind) const {
    GdiObject* o = Find(value);
    return o && o->kind == kind ? static_cast<T*>(o) : nullptr;
  }
  void Remove(std::uint32_t value);
  // Objects alive now (stock objects included).
  std::size_t Live() const { return slots_.size() - free_.size(); }

 private:
  struct Slot {
    std::unique_ptr<GdiObject> obj;
    std::uint32_t generation = 1;
  };
  std::vector<Slot> slots_;
  std::vector<std::uint32_t> free_;
};

// One lock for the whole drawing library: calls come from the interface
// thread, but a picture may be drawn from another thread now and then.
std::recursive_mutex& GdiMutex();
HandleTable& Handles();

inline DcObject* FindDC(HDC dc) {
  return Handles().Find<DcObject>(dc.value, GdiKind::DC);
}
inline BitmapObject* FindBitmap(HBITMAP b) {
  return Handles().Find<BitmapObject>(b.value, GdiKind::Bitmap);
}
inline PenObject* FindPen(HPEN p) {
  return Handles().Find<PenObject>(p.value, GdiKind::Pen);
}
inline BrushObject* FindBrush(HBRUSH b) {
  return Handles().Find<BrushObject>(b.value, GdiKind::Brush);
}
inline FontObject* FindFont(HFONT f) {
  return Handles().Find<FontObject>(f.value, GdiKind::Font);
}
inline RegionObject* FindRegion(HRGN r) {
  return Handles().Find<RegionObject>(r.value, GdiKind::Region);
}

// Stock objects, created on first use.
HGDIOBJ StockObject(int index);
// The objects a context uses, falling back to stock ones when a selected
// handle was deleted underneath it.
PenObject* CurrentPen(DcObject& dc);
BrushObject* CurrentBrush(DcObject& dc);
FontObject* CurrentFont(DcObject& dc);
FontInstance& FontOf(FontObject& font);
// The surface a context draws into; empty when there is none.
Surface SurfaceOf(DcObject& dc);
const Region& ClipOf(DcObject& dc);  // surface coordinates
// Resets a context's state to the defaults (stock objects, no clip).
void InitState(DcState& state);
// Records pixels changed by a drawing call (surface coordinates).
inline void MarkDirty(DcObject& dc, const RECT& r) {
  UnionRect(&dc.dirty, dc.dirty, r);
}

// The solid colour of a brush as a pixel, or nothing for a null or pattern brush.
std::optional<std::uint32_t> BrushPixel(DcObject& dc, BrushObject& brush);
// Resolves FillRect's brush argument: a handle or COLOR_xxx + 1.
BrushObject* ResolveBrushArg(HBRUSH brush);

}  // namespace platform
