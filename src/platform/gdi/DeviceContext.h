// What the window system needs to give windows and the screen their device
// contexts: a context drawing into a surface it owns, with an origin and a
// base clip region (the part of the surface the context may touch).
//
// The window system keeps the surface alive while the context exists and
// calls SetSurfaceDC when the surface, origin or visible region change.
#pragma once

#include "platform/base/Types.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"

namespace platform {

// `origin`: where device point (0, 0) lies on the surface. `visible`: in
// surface coordinates; it is cut to the surface's bounds. An empty region
// means nothing is drawn (a hidden or fully covered window).
HDC CreateSurfaceDC(const Surface& surface, POINT origin, const Region& visible);
// Points an existing surface context elsewhere; the context's own state
// (objects, colours, clip region, origins) stays.
BOOL SetSurfaceDC(HDC dc, const Surface& surface, POINT origin, const Region& visible);
// Deletes a surface context (DeleteDC does the same).
BOOL DestroySurfaceDC(HDC dc);
// Puts the context back into its first state: stock objects, default colours
// and modes, no clip region, zero origins, saved states dropped. For handing
// a cached context out again.
BOOL ResetDC(HDC dc);

// The union of every pixel changed through the context since the last call,
// in surface coordinates; empty when nothing was drawn. Lets a backend
// present only what changed (the move/size outline on the screen, say).
RECT TakeDirtyRect(HDC dc);

// The surface a context draws into (a memory context's selected bitmap, or
// the window system's surface) and its origin; false for an invalid handle.
bool GetDCSurface(HDC dc, Surface* surface, POINT* origin);

}  // namespace platform
