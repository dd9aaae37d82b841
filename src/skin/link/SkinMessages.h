// The window messages of the skin engine. Messages 0xA001..0xA41E belong to
// it; a skinned control passes them to its TSkinCommonData. For messages the
// skin manager broadcasts, lParam is the manager.
#pragma once

#include "platform/base/Types.h"
#include "platform/window/Messages.h"

namespace skin {

inline constexpr platform::UINT SKM_FIRST = 0xA001;
inline constexpr platform::UINT SKM_LAST = 0xA41E;

inline constexpr platform::UINT SKM_SETBGCHANGED = 0xA401;    // CacheStale := lParam <> 0
inline constexpr platform::UINT SKM_SETNEWSKIN = 0xA402;      // Updating; indexes recomputed
inline constexpr platform::UINT SKM_REMOVESKIN = 0xA403;      // unskinned from now on
inline constexpr platform::UINT SKM_REFRESH = 0xA407;         // stale, not updating, invalidated
inline constexpr platform::UINT SKM_GETCACHE = 0xA408;        // lParam: TParentBackground* to fill
inline constexpr platform::UINT SKM_REPAINT = 0xA409;         // result 0
inline constexpr platform::UINT SKM_REFRESHSECTION = 0xA40A;  // lParam: const char* section name
inline constexpr platform::UINT SKM_SETUPDATING = 0xA40E;     // Updating := lParam <> 0
inline constexpr platform::UINT SKM_STOPFADING = 0xA410;      // a running fade stops
inline constexpr platform::UINT SKM_PREPARING = 0xA411;       // 1 while the picture is not settled
inline constexpr platform::UINT SKM_GETOUTSIDE = 0xA412;      // result OutsideParent
inline constexpr platform::UINT SKM_SETLINKEDCONTROL = 0xA413;  // lParam: the linked control
inline constexpr platform::UINT SKM_PARENTPAINTED = 0xA414;     // stale if see-through; result 0

// Posted by a skinned button to itself to free a fade timer whose fade ended
// inside its own tick. Outside the range above: no TSkinCommonData sees it.
inline constexpr platform::UINT WM_SKIN_FREERETIREDTIMER = platform::WM_APP + 0x5B;

constexpr bool IsSkinMessage(platform::UINT msg) {
  return msg >= SKM_FIRST && msg <= SKM_LAST;
}

}  // namespace skin
