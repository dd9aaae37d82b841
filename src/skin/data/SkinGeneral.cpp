#include "skin/data/SkinGeneral.h"

#include "skin/data/SkinText.h"

namespace skin {

TSkinGeneralData MakeGeneralData(const TSkinGeneralValues& g) {
  TSkinGeneralData d;
  d.ParentClass = UpperCase(g.ParentClass);
  d.SectionName = UpperCase(g.SectionName);
  d.Color = g.Color;
  d.Bevel = g.Bevel;
  d.Font = ParseFontColors(g.FontColor);
  d.HotFont = ParseFontColors(g.HotFontColor);
  d.ReservedBoolean = g.ReservedBoolean;
  d.ShadowBlur = g.ShadowBlur;
  d.ShadowColor = g.ShadowColor;
  d.ShadowEnabled = g.ShadowEnabled;
  d.ShadowOffset = g.ShadowOffset;
  d.ShadowTransparency = g.ShadowTransparency;
  d.Transparency = g.Transparency;
  d.GradientPercent = g.GradientPercent;
  d.GradientData = g.GradientData;
  d.Gradient = ParseGradientData(g.GradientData);
  d.ImagePercent = g.ImagePercent;
  d.ShowFocus = g.ShowFocus;
  d.FadingEnabled = g.FadingEnabled;
  d.FadingIntervalIn = g.FadingIntervalIn;
  d.FadingIntervalOut = g.FadingIntervalOut;
  d.FadingIterations = g.FadingIterations;
  d.HotColor = g.HotColor;
  d.HotTransparency = g.HotTransparency;
  d.HotBevel = g.HotBevel;
  d.HotGradientPercent = g.HotGradientPercent;
  d.HotGradientData = g.HotGradientData;
  d.HotGradient = ParseGradientData(g.HotGradientData);
  d.HotImagePercent = g.HotImagePercent;
  d.BorderColor1 = g.BorderColor1;
  d.BorderColor2 = g.BorderColor2;
  return d;
}

}  // namespace skin
