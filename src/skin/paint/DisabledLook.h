// The look of a disabled skinned control, laid over its finished picture.
#pragma once

#include <cstdint>

#include "component/ClassInfo.h"
#include "component/Set.h"
#include "skin/data/SkinTables.h"

namespace skin {

enum TSkinDisabledStep { dkGrayed, dkBlended };
using TSkinDisabledKind = component::TSet<TSkinDisabledStep>;
// The step names as stored descriptions spell them.
const component::TEnumInfo& EnumInfo(TSkinDisabledStep);

// dkGrayed turns every pixel into its grey, (blue + green + red) div 3;
// then dkBlended mixes the picture half and half with the parent's
// background behind it, or with `parentColor` where there is no valid
// background (or it lacks the pixel). `position` is where the target's
// top-left corner lies in the control.
void PaintDisabled(const Surface& target, TSkinDisabledKind kind, std::int32_t parentColor,
                   POINT position, const TParentBackground& bg);

}  // namespace skin
