// Labels on a skinned form, the label bound to an edit, and the skinned
// classes as stored window descriptions give them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ControlFixture.h"
#include "component/Reader.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinBoundLabel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinGridAdapter.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinLabel.h"
#include "toolkit/Edit.h"

namespace {

using namespace skin;

class SkinLabelTest : public SkinControlTest {
 protected:
  toolkit::TEdit* MakeEdit(const std::string& name) {
    auto* edit = new toolkit::TEdit(form);
    edit->SetName(name);
    edit->SetParent(form);
    edit->SetBounds(150, 100, 120, 21);
    return edit;
  }
};

TEST_F(SkinLabelTest, LabelLetsTheGradientThrough) {
  auto* label = new TSkinLabel(form);
  label->SetParent(form);
  label->SetAutoSize(false);
  label->SetBounds(100, 60, 80, 20);
  label->SetCaption("");
  auto* plain = new toolkit::TLabel(form);
  plain->SetParent(form);
  plain->SetAutoSize(false);
  plain->SetBounds(100, 120, 80, 20);
  Flush();
  EXPECT_TRUE(label->Transparent());
  // Across the window the gradient changes by column only.
  EXPECT_EQ(FormPixel(140, 70), FormPixel(140, 200));
  EXPECT_NE(FormPixel(140, 130), FormPixel(140, 200));
}

TEST_F(SkinLabelTest, BoundLabelPlacements) {
  toolkit::TEdit* edit = MakeEdit("Lane");
  TSkinBoundLabel bound(edit);
  EXPECT_FALSE(bound.Active());
  EXPECT_EQ(bound.Layout(), sclLeft);
  bound.SetActive(true);
  TSkinEditLabel* label = bound.Label();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Name(), "LaneLabel");
  EXPECT_EQ(label->Caption(), "Lane");
  EXPECT_EQ(label->FocusControl(), edit);
  EXPECT_EQ(label->Alignment(), toolkit::taRightJustify);
  EXPECT_EQ(label->Parent(), form);
  // Left of the control, centred on it.
  EXPECT_EQ(label->Left() + label->Width() + TSkinBoundLabel::kLeftGap, 150);
  EXPECT_EQ(label->Top(), 100 + (21 - label->Height()) / 2);

  bound.SetCaption("Lane number");
  bound.SetLayout(sclTopLeft);
  EXPECT_EQ(label->Caption(), "Lane number");
  EXPECT_EQ(label->Left(), 150);
  EXPECT_EQ(label->Top() + label->Height(), 100);
  bound.SetLayout(sclTopCenter);
  EXPECT_EQ(label->Left(), 150 + (120 - label->Width()) / 2);
  bound.SetLayout(sclTopRight);
  EXPECT_EQ(label->Left() + label->Width(), 270);

  // It follows the control.
  edit->SetBounds(160, 140, 100, 21);
  edit->SetVisible(false);
  edit->SetEnabled(false);
  bound.ControlChanged();
  EXPECT_EQ(label->Left() + label->Width(), 260);
  EXPECT_EQ(label->Top() + label->Height(), 140);
  EXPECT_FALSE(label->Visible());
  EXPECT_FALSE(label->Enabled());

  bound.SetActive(false);
  EXPECT_EQ(bound.Label(), nullptr);
}

TEST_F(SkinLabelTest, BoundLabelWrapsAtMaxWidth) {
  toolkit::TEdit* edit = MakeEdit("Club");
  edit->SetBounds(200, 100, 120, 60);
  TSkinBoundLabel bound(edit);
  bound.SetActive(true);
  const int lineHeight = bound.Label()->Height();
  bound.SetCaption("a rather long caption that wraps");
  bound.SetMaxWidth(50);
  TSkinEditLabel* label = bound.Label();
  EXPECT_TRUE(label->WordWrap());
  EXPECT_EQ(label->Width(), 50);
  // Several lines, but never shorter than the control.
  EXPECT_GE(label->Height(), 60);
  bound.SetCaption("x");
  EXPECT_EQ(label->Height(), 60);
  EXPECT_EQ(label->Top(), 100);
  bound.SetMaxWidth(0);
  EXPECT_EQ(label->Height(), lineHeight);
  bound.SetMaxWidth(-5);
  EXPECT_EQ(bound.MaxWidth(), 0);
}

TEST_F(SkinLabelTest, BoundLabelOutlivedOrFreedFirst) {
  auto bound = std::make_unique<TSkinBoundLabel>(MakeEdit("Time"));
  bound->SetActive(true);
  // The form frees the label with its other children.
  delete bound->Label();
  EXPECT_EQ(bound->Label(), nullptr);
  EXPECT_FALSE(bound->Active());
  bound->SetActive(true);
  EXPECT_NE(bound->Label(), nullptr);
  bound.reset();  // and takes its label with it
  EXPECT_EQ(form->FindComponent("TimeLabel"), nullptr);
  Flush();
  // A control without a name, or without a parent yet.
  auto* loose = new toolkit::TEdit(form);
  TSkinBoundLabel unnamed(loose);
  unnamed.SetActive(true);
  EXPECT_EQ(unnamed.Label()->Name(), "Label");
  EXPECT_EQ(unnamed.Label()->Parent(), nullptr);
  loose->SetParent(form);
  unnamed.ControlChanged();
  EXPECT_EQ(unnamed.Label()->Parent(), form);
}

TEST_F(SkinLabelTest, StoredDescriptionsGiveEveryPublishedProperty) {
  auto* stored = new toolkit::TForm(app.get());
  component::ReadDescription(*stored,
                             "object Stored: TForm\n"
                             "  Width = 300\n"
                             "  Height = 200\n"
                             "  object Ok: TSkinButton\n"
                             "    Caption = 'OK'\n"
                             "    DisabledKind = [dkGrayed, dkBlended]\n"
                             "    FocusMargin = 2\n"
                             "    Down = True\n"
                             "    SkinData.SkinSection = 'BUTTON'\n"
                             "  end\n"
                             "  object Box: TSkinGroupBox\n"
                             "    Caption = 'Race'\n"
                             "    CaptionLayout = clTopRight\n"
                             "    CaptionYOffset = 2\n"
                             "    SkinData.SkinSection = 'GROUPBOX'\n"
                             "    object Note: TSkinLabel\n"
                             "      Caption = 'note'\n"
                             "    end\n"
                             "    object Line: TSkinBevel\n"
                             "      Shape = bsTopLine\n"
                             "    end\n"
                             "  end\n"
                             "  object Grids: TSkinGridAdapter\n"
                             "    Controls = <\n"
                             "      item\n"
                             "        ControlName = 'Results'\n"
                             "      end>\n"
                             "  end\n"
                             "end\n",
                             "Stored.sdesc");
  auto* ok = dynamic_cast<TSkinButton*>(stored->FindComponent("Ok"));
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(ok->Down());
  EXPECT_EQ(ok->FocusMargin(), 2);
  EXPECT_TRUE(ok->DisabledKind().Contains(dkGrayed));
  EXPECT_TRUE(ok->Skinned());
  EXPECT_EQ(ok->CurrentState(), 2);
  auto* box = dynamic_cast<TSkinGroupBox*>(stored->FindComponent("Box"));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->CaptionLayout(), clTopRight);
  EXPECT_EQ(box->CaptionYOffset(), 2);
  EXPECT_TRUE(box->Skinned());
  auto* note = dynamic_cast<TSkinLabel*>(stored->FindComponent("Note"));
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->Parent(), box);
  EXPECT_TRUE(note->Transparent());
  auto* line = dynamic_cast<TSkinBevel*>(stored->FindComponent("Line"));
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->Shape(), toolkit::bsTopLine);
  auto* grids = dynamic_cast<TSkinGridAdapter*>(stored->FindComponent("Grids"));
  ASSERT_NE(grids, nullptr);
  ASSERT_EQ(grids->Controls()->Count(), 1);
  EXPECT_EQ(grids->Controls()->Items(0)->ControlName, "Results");
  // Left to their defaults, the sections follow the kind.
  auto* fresh = new TSkinButton(stored);
  EXPECT_EQ(fresh->SkinData()->SkinSection(), "BUTTON");
  auto* freshBox = new TSkinGroupBox(stored);
  EXPECT_EQ(freshBox->SkinData()->SkinSection(), "GROUPBOX");
  EXPECT_EQ(fresh->FocusMargin(), 1);
  EXPECT_FALSE(fresh->Down());
  EXPECT_EQ(fresh->DisabledKind(), TSkinDisabledKind{dkBlended});
  stored->Show();
  Flush();
  Dump("stored.png");
}

}  // namespace
