#include "graphics/Registration.h"

#include "component/ClassInfo.h"
#include "graphics/ColorSpeedButton.h"
#include "graphics/ExtEdit.h"
#include "graphics/LcdLabel.h"
#include "graphics/PixelImage.h"

namespace graphics {

void RegisterGraphicsClasses() {
  component::RegisterClasses<TPixelImage, TLcdLabel, TColorSpeedButton, TExtEdit>();
}

}  // namespace graphics
