// One skin section: the stored form (TSkinGeneral, as restored with a skin)
// and the run-time record the painting code reads (TSkinGeneralData), with
// the font colours and gradients already parsed and all names upper-cased.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/data/FontColors.h"
#include "skin/data/Gradient.h"

namespace skin {

enum TSkinControlBevel : std::uint8_t {
  cbNone = 0,
  cbRaisedSoft = 1,
  cbLoweredSoft = 2,
  cbRaisedHard = 3,
  cbLoweredHard = 4,
};

// Colours not otherwise set start white, as in a skin file without them.
constexpr std::int32_t kSkinWhite = 0xFFFFFF;

struct TSkinGeneralValues {
  std::string SectionName;
  std::string ParentClass;
  std::int32_t Color = kSkinWhite;
  TSkinControlBevel Bevel = cbNone;
  std::int32_t ShadowBlur = 6;
  std::int32_t ShadowColor = 0;
  bool ShadowDontUse = false;
  bool ShadowEnabled = false;
  bool ReservedBoolean = false;
  std::int32_t ShadowOffset = 3;
  std::int32_t ShadowTransparency = 50;
  std::string FontColor = "0 -1 -1 -1 -1";
  std::string HotFontColor = "0 -1 -1 -1 -1";
  std::int32_t Transparency = 0;
  std::int32_t GradientPercent = 0;
  std::string GradientData = " ";
  std::int32_t ImagePercent = 0;
  bool ShowFocus = false;
  bool FadingEnabled = false;
  std::int32_t FadingIntervalIn = 5;
  std::int32_t FadingIntervalOut = 5;
  std::int32_t FadingIterations = 5;
  std::int32_t HotColor = kSkinWhite;
  std::int32_t HotTransparency = 0;
  TSkinControlBevel HotBevel = cbNone;
  std::int32_t HotGradientPercent = 0;
  std::string HotGradientData;
  std::int32_t HotImagePercent = 0;
  std::int32_t BorderColor1 = 0;
  std::int32_t BorderColor2 = 0;
  std::string Name;
};

struct TSkinGeneralData {
  std::string ParentClass;
  std::string SectionName;
  std::int32_t Color = kSkinWhite;
  std::uint8_t Bevel = cbNone;  // as given, even outside the known bevels
  TSkinFontColors Font;
  TSkinFontColors HotFont;
  bool ReservedBoolean = false;
  std::int32_t ShadowBlur = 6;
  std::int32_t ShadowColor = 0;
  bool ShadowEnabled = false;
  std::int32_t ShadowOffset = 3;
  std::int32_t ShadowTransparency = 50;
  std::int32_t Transparency = 0;
  std::int32_t GradientPercent = 0;
  std::string GradientData = " ";
  TSkinGradArray Gradient;
  std::int32_t ImagePercent = 0;
  bool ShowFocus = false;
  bool FadingEnabled = false;
  std::int32_t FadingIntervalIn = 5;
  std::int32_t FadingIntervalOut = 5;
  std::int32_t FadingIterations = 5;
  std::int32_t HotColor = kSkinWhite;
  std::int32_t HotTransparency = 0;
  std::uint8_t HotBevel = cbNone;
  std::int32_t HotGradientPercent = 0;
  std::string HotGradientData;
  TSkinGradArray HotGradient;
  std::int32_t HotImagePercent = 0;
  std::int32_t BorderColor1 = 0;
  std::int32_t BorderColor2 = 0;
};

using TSkinGeneralDataArray = std::vector<TSkinGeneralData>;

// The run-time record of a stored section: values copied as they are,
// names upper-cased, the colour and gradient texts parsed.
TSkinGeneralData MakeGeneralData(const TSkinGeneralValues& general);

}  // namespace skin
