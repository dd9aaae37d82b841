// Guards for drawing contexts and the objects selected into them. Each one
// gives back, when its scope is left by return or by exception, what it took
// at the start: a drawing that raises leaks no context and leaves none with a
// borrowed object still selected. Declared in the order of taking, they give
// back in the reverse order, as hand-written code does: deselect, delete the
// object, delete the context.
//
// Contexts borrowed from a window (GetDC, BeginPaint) are given back by the
// window system, which is built over drawing; its ReleaseDC and EndPaint are
// found where those guards are used, through the types of their arguments.
#pragma once

#include "platform/gdi/Gdi.h"

namespace platform {

// A memory context of its own (CreateCompatibleDC), deleted on leaving.
class TMemoryDC {
 public:
  explicit TMemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~TMemoryDC() { DeleteDC(dc_); }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;

  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

// A drawing object made for the scope (a bitmap to draw in, a brush),
// deleted on leaving. Declare it before the selection that uses it, so it is
// deselected before it goes.
template <class Handle>
class TScopedObject {
 public:
  explicit TScopedObject(Handle object) : object_(object) {}
  ~TScopedObject() { DeleteObject(HGDIOBJ(object_)); }
  TScopedObject(const TScopedObject&) = delete;
  TScopedObject& operator=(const TScopedObject&) = delete;

  Handle Get() const { return object_; }
  operator Handle() const { return object_; }

 private:
  Handle object_;
};

// An object selected into a context for the scope; the one it replaced is
// selected again on leaving.
template <class Handle>
class TSelectedObject {
 public:
  TSelectedObject(HDC dc, Handle object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~TSelectedObject() { SelectObject(dc_, old_); }
  TSelectedObject(const TSelectedObject&) = delete;
  TSelectedObject& operator=(const TSelectedObject&) = delete;

 private:
  HDC dc_;
  Handle old_;
};

// A context borrowed from a window (GetDC, GetWindowDC; a null window for the
// screen's), given back with ReleaseDC on leaving.
template <class Window>
class TWindowDC {
 public:
  TWindowDC(Window window, HDC dc) : window_(window), dc_(dc) {}
  ~TWindowDC() { ReleaseDC(window_, dc_); }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;

  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }

 private:
  Window window_;
  HDC dc_;
};

// The context of a window's painting (BeginPaint), ended with EndPaint on
// leaving.
template <class Window, class PaintStruct>
class TPaintDC {
 public:
  TPaintDC(Window window, PaintStruct& paint)
      : window_(window), paint_(paint), dc_(BeginPaint(window, &paint)) {}
  ~TPaintDC() { EndPaint(window_, &paint_); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;

  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }

 private:
  Window window_;
  PaintStruct& paint_;
  HDC dc_;
};

}  // namespace platform
