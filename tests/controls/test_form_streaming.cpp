// Forms holding the parameter controls and the library's look-and-feel controller: read from a resource,
// written back by the component writer and read again to the same text.
#include <gtest/gtest.h>

#include <string>

#include "ControlsTestSupport.h"
#include "controls/ControlsUnits.h"
#include "controls/Shader.h"
#include "controls/Uecomp.h"
#include "platform/vcl/FormWriter.h"
#include "uilib/base/uiBaseUnits.h"
#include "uilib/base/uiBitmaps.h"
#include "uilib/base/uiImageList.h"
#include "uilib/base/uiLookAndFeels.h"

namespace zel::test {
namespace {

class TStreamForm : public TForm {
public:
    TStreamForm(TComponent* owner, std::string text) : TForm(owner), text_(std::move(text)) {
        resource_.Text = text_.c_str();
    }
    std::string ClassName() const override { return "TStreamForm"; }
    const TFormResource* FormResource() const override { return &resource_; }

private:
    std::string text_;
    TFormResource resource_{"Stream", nullptr};
};

const char* const kForm = R"(object StreamForm: TStreamForm
  Left = 20
  Top = 30
  Width = 400
  Height = 300
  Caption = 'Streaming'
  object LookAndFeel1: TuiLookAndFeelController
    Kind = lfOffice11
    SkinName = 'Blue'
  end
  object Slider1: TSlider
    Left = 8
    Top = 8
    Width = 160
    Height = 26
    TabOrder = 0
    TrackColor = clRed
    Orientation = slVertical
    MaxValue = 127
    Value = 64
  end
  object Pan1: TPanSlider
    Left = 8
    Top = 40
    Width = 30
    Height = 120
    TabOrder = 1
    Value = 20
    Vertical = False
  end
  object Shader1: TShader
    Left = 200
    Top = 8
    Width = 100
    Height = 50
    TabOrder = 2
    ToColor = clRed
    Steps = 8
  end
end
)";

class FormStreaming : public ControlsTest {
protected:
    TUnitsScope units_{JoinUnitRows({ControlsUnits(), uiBaseUnits()})};
};

TEST_F(FormStreaming, AFormWithControlsAndTheControllerReadsWritesAndReadsAgainToTheSameText) {
    auto* form = Keep(Construct<TStreamForm>(nullptr, kForm));
    auto* slider = dynamic_cast<TSlider*>(form->FindComponent("Slider1"));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetValue(), 64);
    EXPECT_EQ(slider->GetTrackColor(), clRed);
    EXPECT_EQ(GlobalRootLookAndFeel()->GetKind(), lfOffice11);
    EXPECT_EQ(GlobalRootLookAndFeel()->GetSkinName(), "Blue");

    const std::string written = WriteComponentText(*form);
    EXPECT_EQ(written, kForm);
    auto* again = Keep(Construct<TStreamForm>(nullptr, written));
    EXPECT_EQ(WriteComponentText(*again), written);
}

TEST_F(FormStreaming, AnImageListWithAnAlphaImageTravelsWithTheForm) {
    auto* form = Keep(Construct<TStreamForm>(nullptr, kForm));
    auto* list = Construct<TuiImageList>(form);
    list->SetName("Images1");
    list->SetWidth(16);
    list->SetHeight(16);
    TuiBitmap opaque(16, 16);
    opaque.TBitmap::Canvas()->Brush()->SetColor(clBlue);
    opaque.TBitmap::Canvas()->FillRect(Rect(0, 0, 16, 16));
    list->AddMasked(&opaque, clNone);
    TuiBitmap alpha(16, 16);
    TuiPixels pixels(16 * 16, 0x80402010u);  // half-transparent, premultiplied
    pixels[0] = 0;                           // one fully transparent corner
    alpha.SetPixels(pixels);
    list->Add(&alpha, nullptr);

    const std::string written = WriteComponentText(*form);
    EXPECT_NE(written.find("object Images1: TuiImageList"), std::string::npos);
    auto* again = Keep(Construct<TStreamForm>(nullptr, written));
    auto* read = dynamic_cast<TuiImageList*>(again->FindComponent("Images1"));
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->Count(), 2);
    // Both images come back as they went in: the same pixels from the read list as from the first.
    for (int index : {0, 1}) {
        TuiPixels before;
        TuiPixels after;
        for (auto [source, out] : {std::pair{list, &before}, std::pair{read, &after}}) {
            TuiBitmap image(16, 16);
            TuiBitmap mask(16, 16);
            source->GetImage(index, &image, &mask);
            image.GetPixels(*out);
        }
        EXPECT_EQ(after, before) << index;
    }
    EXPECT_EQ(WriteComponentText(*again), written);
}

TEST_F(FormStreaming, EveryControlClassCanBeRead) {
    const char* text = R"(object StreamForm: TStreamForm
  object Edit1: TClickEdit
    Max = 100
    Value = 7
    Stereo = True
    ClSelected = clLime
  end
  object Graph1: TPanGraph
    GraphType = FirstHalf
    GraphColor = clNavy
  end
  object Fade1: TFadeGraph
    FadeMode = OFF_OUT
    FadeDepth = 90
  end
  object MyEdit1: TMyEdit
    EditType = MinMaxDB
    Min = -6
    Max = 6
  end
  object Keys1: TKeySelector
    KeySelected = 12
    LastDisabled = True
  end
  object Shader1: TShader
    Direction = True
    Version = '1.1.0.0'
  end
end
)";
    auto* form = Keep(Construct<TStreamForm>(nullptr, text));
    EXPECT_TRUE(dynamic_cast<TClickEdit*>(form->FindComponent("Edit1"))->GetStereo());
    EXPECT_EQ(dynamic_cast<TPanGraph*>(form->FindComponent("Graph1"))->GetGraphType(), FirstHalf);
    EXPECT_EQ(dynamic_cast<TFadeGraph*>(form->FindComponent("Fade1"))->GetFadeDepth(), 90);
    EXPECT_EQ(dynamic_cast<TMyEdit*>(form->FindComponent("MyEdit1"))->GetEditType(), MinMaxDB);
    EXPECT_EQ(dynamic_cast<TKeySelector*>(form->FindComponent("Keys1"))->GetKeySelected(), 12);
    EXPECT_TRUE(dynamic_cast<TShader*>(form->FindComponent("Shader1"))->GetDirection());
}

}  // namespace
}  // namespace zel::test
