// The image view: back buffer sizing, bitmap placement by align and scale
// mode, the paint stages' results on the screen, invalidation and update
// counting, and building from a stored description.
#include <gtest/gtest.h>

#include "GraphicsFixture.h"
#include "component/Exception.h"
#include "component/Reader.h"
#include "graphics/LcdLabel.h"
#include "graphics/PixelImage.h"

using namespace graphics;
namespace p = platform;

class PixelImage : public GraphicsTest {
 protected:
  TPixelImage* Make(int left, int top, int w, int h) {
    auto* img = new TPixelImage(form);
    img->SetParent(form);
    img->SetBounds(left, top, w, h);
    return img;
  }
  void ShowAll() {
    form->Show();
    Flush();
  }
};

TEST_F(PixelImage, NewViewDefaults) {
  TPixelImage img(nullptr);
  EXPECT_EQ(img.Width(), 192);
  EXPECT_EQ(img.Height(), 192);
  EXPECT_TRUE(img.Bitmap()->Empty());
  EXPECT_EQ(img.BitmapAlign(), baTopLeft);
  EXPECT_EQ(img.ScaleMode(), smNormal);
  EXPECT_EQ(img.Scale(), 1.0f);
  EXPECT_TRUE(img.ParentColor());
  EXPECT_FALSE(img.TabStop());
  EXPECT_EQ(img.BufferOversize(), 40);
  // Run-time stages: clear background, draw bitmap, draw layers.
  ASSERT_EQ(img.PaintStages().Count(), 5);
  const std::uint32_t kinds[] = {3, 6, 4, 7, 5};
  const bool run[] = {true, false, true, false, true};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(img.PaintStages()[i].Stage, kinds[i]);
    EXPECT_EQ(img.PaintStages()[i].RunVisible, run[i]);
    EXPECT_TRUE(img.PaintStages()[i].DsgnVisible);
  }
  EXPECT_EQ(img.PaintStages()[4].Parameter, LayerVisible);
}

TEST_F(PixelImage, LaneBoardSizedViewHasABufferWithMargins) {
  TPixelImage* img = Make(0, 0, 527, 305);
  img->Bitmap()->SetSize(527, 381);
  ShowAll();
  EXPECT_EQ(img->Buffer()->Width(), 567);
  EXPECT_EQ(img->Buffer()->Height(), 345);
  // Small changes keep the buffer; shrinking by more than the margin
  // shrinks it to the need.
  img->SetBounds(0, 0, 560, 310);
  Flush();
  EXPECT_EQ(img->Buffer()->Width(), 567);
  EXPECT_EQ(img->Buffer()->Height(), 345);
  img->SetBounds(0, 0, 530, 100);
  Flush();
  EXPECT_EQ(img->Buffer()->Width(), 567);
  EXPECT_EQ(img->Buffer()->Height(), 100);
  img->SetBounds(0, 0, 0, 0);
  Flush();
  EXPECT_EQ(img->Buffer()->Width(), 1);
  EXPECT_EQ(img->Buffer()->Height(), 1);  // never below 1
}

TEST_F(PixelImage, BitmapPlacementByAlignAndScaleMode) {
  TPixelImage* img = Make(0, 0, 527, 305);
  img->Bitmap()->SetSize(527, 381);
  EXPECT_EQ(img->GetBitmapRect(), (RECT{0, 0, 527, 381}));
  img->SetBitmapAlign(baCenter);  // 38 rows above the top edge
  EXPECT_EQ(img->GetBitmapRect(), (RECT{0, -38, 527, 343}));

  img->SetBounds(0, 0, 300, 300);
  img->Bitmap()->SetSize(100, 50);
  img->SetScaleMode(smResize);
  EXPECT_EQ(img->GetBitmapSize(), (SIZE{300, 150}));
  EXPECT_EQ(img->GetBitmapRect(), (RECT{0, 75, 300, 225}));
  img->SetBounds(0, 0, 300, 60);  // height limits: 120 x 60
  EXPECT_EQ(img->GetBitmapSize(), (SIZE{120, 60}));

  img->SetScaleMode(smStretch);
  EXPECT_EQ(img->GetBitmapSize(), (SIZE{300, 60}));
  img->SetScaleMode(smScale);
  img->SetScale(0.25f);  // 25 x 12.5: ties round to even
  EXPECT_EQ(img->GetBitmapSize(), (SIZE{25, 12}));
  img->SetScale(0.35f);
  EXPECT_EQ(img->GetBitmapSize(), (SIZE{35, 18}));

  img->SetScaleMode(smNormal);
  img->SetBitmapAlign(baCustom);
  img->SetOffsetHorz(-3.6f);
  img->SetOffsetVert(2.4f);
  EXPECT_EQ(img->GetBitmapRect(), (RECT{-4, 2, 96, 52}));
  img->Bitmap()->SetSize(0, 0);
  EXPECT_EQ(img->GetBitmapRect(), (RECT{0, 0, 0, 0}));
}

TEST_F(PixelImage, ScaleIsFlooredAndOnlyRealChangesRepaint) {
  TPixelImage* img = Make(0, 0, 50, 50);
  int changes = 0;
  img->OnChange = [&](component::TObject*) { ++changes; };
  img->SetScale(0);
  EXPECT_FLOAT_EQ(img->Scale(), 0.001f);
  EXPECT_EQ(changes, 1);
  img->SetScale(0.0001f);  // the same after the floor
  img->SetScale(0.001f);
  EXPECT_EQ(changes, 1);
  img->SetScaleMode(smNormal);
  EXPECT_EQ(changes, 1);
  img->SetBitmapAlign(baTopLeft);  // repaints even when the same
  EXPECT_EQ(changes, 2);
  // A scale so small that the rectangle comes out empty draws nothing.
  img->Bitmap()->SetSize(10, 10);
  img->SetScaleMode(smScale);
  ShowAll();
  EXPECT_TRUE(img->BufferValid());
}

TEST_F(PixelImage, ACoveringBitmapIsCopiedAndNothingIsCleared) {
  TPixelImage* img = Make(10, 10, 40, 30);
  img->SetColor(toolkit::clRed);
  img->Bitmap()->SetSize(40, 50);
  img->Bitmap()->Clear(0xFF0000FF);
  *img->Bitmap()->PixelPointer(39, 29) = 0xFF00FF00;
  ShowAll();
  EXPECT_EQ(At(img, 0, 0), 0x0000FFu);
  EXPECT_EQ(At(img, 39, 29), 0x00FF00u);
  // The view's colour shows nowhere: the buffer beyond the bitmap's rows
  // was never cleared either.
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_NE(At(img, x, y), 0xFF0000u) << x << "," << y;
}

TEST_F(PixelImage, ViewWithoutBitmapShowsItsColour) {
  TPixelImage* tv = Make(26, 20, 200, 150);
  tv->SetColor(toolkit::clBlack);
  ShowAll();
  for (int y = 0; y < 150; y += 7)
    for (int x = 0; x < 200; x += 9) ASSERT_EQ(At(tv, x, y), 0u) << x << "," << y;
  EXPECT_EQ(At(tv, 199, 149), 0u);
  EXPECT_NE(At(tv, 200, 149), 0u);  // the form beyond it
}

TEST_F(PixelImage, UncoveredStripsGetTheViewColour) {
  TPixelImage* img = Make(0, 0, 30, 20);
  img->SetColor(toolkit::clRed);
  img->Bitmap()->SetSize(10, 6);
  img->Bitmap()->Clear(0xFF00FF00);
  img->SetBitmapAlign(baCenter);  // at (10, 7)
  ShowAll();
  EXPECT_EQ(At(img, 10, 7), 0x00FF00u);
  EXPECT_EQ(At(img, 19, 12), 0x00FF00u);
  EXPECT_EQ(At(img, 9, 7), 0xFF0000u);
  EXPECT_EQ(At(img, 20, 12), 0xFF0000u);
  EXPECT_EQ(At(img, 15, 6), 0xFF0000u);
  EXPECT_EQ(At(img, 15, 13), 0xFF0000u);
  // Tiled, the picture repeats from the top-left corner.
  img->SetBitmapAlign(baTile);
  *img->Bitmap()->PixelPointer(0, 0) = 0xFF0000FF;
  img->Bitmap()->Changed();
  Flush();
  EXPECT_EQ(At(img, 0, 0), 0x0000FFu);
  EXPECT_EQ(At(img, 20, 12), 0x0000FFu);
  EXPECT_EQ(At(img, 29, 19), 0x00FF00u);
}

TEST_F(PixelImage, BitmapChangesRepaintUnlessAnUpdateIsOpen) {
  TPixelImage* img = Make(0, 0, 20, 20);
  img->Bitmap()->SetSize(20, 20);
  img->Bitmap()->Clear(0xFF0000FF);
  ShowAll();
  EXPECT_EQ(At(img, 5, 5), 0x0000FFu);
  int changes = 0;
  img->OnChange = [&](component::TObject*) { ++changes; };
  img->BeginUpdate();
  img->Bitmap()->Clear(0xFFFFFFFF);
  EXPECT_EQ(changes, 0);
  img->EndUpdate();
  img->Bitmap()->Clear(0xFF00FF00);
  EXPECT_EQ(changes, 1);
  Flush();
  EXPECT_EQ(At(img, 5, 5), 0x00FF00u);
  try {
    img->EndUpdate();
    FAIL() << "no error";
  } catch (const component::EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Unpaired EndUpdate call");
  }
  // The view still repaints afterwards.
  EXPECT_EQ(img->UpdateCount(), 0);
  img->Bitmap()->Clear(0xFFFFFFFF);
  EXPECT_EQ(changes, 2);
}

TEST_F(PixelImage, AssigningABitmapCopiesIt) {
  TPixelImage* img = Make(0, 0, 20, 20);
  TPixelBitmap source;
  source.SetSize(5, 5);
  source.Clear(0xFFABCDEF);
  int resized = 0;
  img->OnBitmapResize = [&](component::TObject*) { ++resized; };
  img->SetBitmap(source);
  EXPECT_EQ(resized, 1);
  source.Clear(0);
  EXPECT_EQ(img->Bitmap()->Pixel(4, 4), 0xFFABCDEFu);
}

TEST_F(PixelImage, AutoSizeFollowsTheBitmap) {
  TPixelImage* img = Make(0, 0, 20, 20);
  img->SetAutoSize(true);
  img->Bitmap()->SetSize(33, 44);
  EXPECT_EQ(img->Width(), 33);
  EXPECT_EQ(img->Height(), 44);
  img->SetScaleMode(smScale);
  img->SetScale(2);
  img->Bitmap()->SetSize(10, 5);
  EXPECT_EQ(img->Width(), 20);
  EXPECT_EQ(img->Height(), 10);
}

TEST_F(PixelImage, ChildControlsPaintOverTheView) {
  TPixelImage* img = Make(0, 0, 60, 40);
  img->Bitmap()->SetSize(60, 40);
  img->Bitmap()->Clear(0xFF0000FF);
  auto* child = new TLcdLabel(form);
  child->SetParent(img);
  child->SetBounds(10, 10, 5, 5);
  child->SetColor(toolkit::clLime);
  child->SetCaption("");
  ShowAll();
  EXPECT_EQ(At(img, 12, 12), 0x00FF00u);
  EXPECT_EQ(At(img, 20, 12), 0x0000FFu);
}

TEST_F(PixelImage, BuiltFromAStoredDescription) {
  component::ReadDescription(*form, R"(object Board: TForm
  object Img: TPixelImage
    Left = 5
    Top = 6
    Width = 3
    Height = 2
    Bitmap.Data = {03000000 02000000 0000FFFF 00FF00FF FF0000FF
                   FFFFFFFF 000000FF 808080FF}
    BitmapAlign = baTopLeft
    Scale = 1
    ScaleMode = smNormal
    TabOrder = 0
  end
end
)",
                             "Board.sdesc");
  auto* img = dynamic_cast<TPixelImage*>(form->FindComponent("Img"));
  ASSERT_NE(img, nullptr);
  ASSERT_EQ(img->Bitmap()->Width(), 3);
  EXPECT_EQ(img->Bitmap()->Pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(img->Bitmap()->Pixel(2, 1), 0xFF808080u);
  ShowAll();
  EXPECT_EQ(At(img, 0, 0), 0xFF0000u);
  EXPECT_EQ(At(img, 1, 1), 0x000000u);
}

TEST_F(PixelImage, ATruncatedStoredBlockFailsTheLoad) {
  EXPECT_THROW(component::ReadDescription(*form, R"(object Board: TForm
  object Img: TPixelImage
    Bitmap.Data = {03000000 02000000 0000FFFF}
  end
end
)",
                                          "Board.sdesc"),
               component::EReadError);
}
