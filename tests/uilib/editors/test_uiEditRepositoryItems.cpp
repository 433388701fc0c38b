// Editors sharing settings through repository items: each editor takes only items whose settings are of its own
// settings class, and an item's settings are the ones validation checks the typed text against.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "EditorErrorsTest.h"
#include "EditorGallery.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Windows.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/TypeKeys.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/editors/uiDropDownEdit.h"
#include "uilib/editors/uiEditRepository.h"
#include "uilib/editors/uiMaskEdit.h"
#include "uilib/editors/uiSpinEdit.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel::test {
namespace {

// An item holding settings of the class P.
template <class P>
class TItemOf : public TuiEditRepositoryItem {
public:
    explicit TItemOf(TComponent* AOwner)
        : TuiEditRepositoryItem(AOwner, [](TPersistent* Owner) { return new P(Owner); }) {}
    P* Settings() const { return static_cast<P*>(Properties()); }
};

template <class P>
TuiEditRepositoryItem* NewItem(TuiEditRepository& ARepository) {
    return ARepository.CreateItem([](TComponent* Owner) { return new TItemOf<P>(Owner); });
}

class RepositoryItems : public EditorErrorsTest {
public:
    void NewForm(TuiCustomEdit* AEdit) {
        edit = AEdit;
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, kGalleryControlHeight);
        edit->TabOrder = 0;
        after = NewEditAfter(form);
        form->Show();
        ProcessPendingMessages();
    }
    template <class E>
    E* NewEditor() {
        form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBounds(100, 100, 300, 120);
        auto* made = Construct<E>(form);
        NewForm(made);
        return made;
    }
    void Focus() {
        edit->SetFocus();
        ProcessPendingMessages();
    }

    TuiEditRepository repository{nullptr};
    TEditorGalleryForm* form = nullptr;
    TuiCustomEdit* edit = nullptr;
    TEdit* after = nullptr;
};

// ---- Which items an editor takes

struct TAcceptRow {
    const char* Name;
    std::function<TuiCustomEdit*(RepositoryItems&)> Editor;
    std::function<TuiEditRepositoryItem*(TuiEditRepository&)> Own;    // an item of the editor's settings class
    std::function<TuiEditRepositoryItem*(TuiEditRepository&)> Wrong;  // one of another settings class
};

TEST_F(RepositoryItems, EveryEditorRefusesSettingsOfAnotherClassAndKeepsItsItem) {
    const std::vector<TAcceptRow> rows = {
        {"MaskEditRefusesTextSettings", [](RepositoryItems& T) { return T.NewEditor<TuiMaskEdit>(); },
         NewItem<TuiMaskEditProperties>, NewItem<TuiTextEditProperties>},
        {"SpinEditRefusesMaskSettings", [](RepositoryItems& T) { return T.NewEditor<TuiSpinEdit>(); },
         NewItem<TuiSpinEditProperties>, NewItem<TuiMaskEditProperties>},
        {"DropDownEditRefusesMaskSettings", [](RepositoryItems& T) { return T.NewEditor<TuiDropDownEdit>(); },
         NewItem<TuiCustomDropDownEditProperties>, NewItem<TuiMaskEditProperties>},
        {"ComboBoxRefusesDropDownSettings", [](RepositoryItems& T) { return T.NewEditor<TuiComboBox>(); },
         NewItem<TuiComboBoxProperties>, NewItem<TuiCustomDropDownEditProperties>},
        {"ComboBoxRefusesPopupEditSettings", [](RepositoryItems& T) { return T.NewEditor<TuiComboBox>(); },
         NewItem<TuiComboBoxProperties>, NewItem<TuiPopupEditProperties>},
        {"PopupEditRefusesComboSettings", [](RepositoryItems& T) { return T.NewEditor<TuiPopupEdit>(); },
         NewItem<TuiPopupEditProperties>, NewItem<TuiComboBoxProperties>},
    };
    for (const TAcceptRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TuiCustomEdit* e = row.Editor(*this);
        TuiEditRepositoryItem* own = row.Own(repository);
        TuiEditRepositoryItem* wrong = row.Wrong(repository);
        e->SetRepositoryItem(own);
        ASSERT_EQ(e->ActiveProperties(), own->Properties());
        try {
            e->SetRepositoryItem(wrong);
            ADD_FAILURE() << "taken";
        } catch (const EuiEditError& error) {
            EXPECT_STREQ(error.what(), "The repository item is not acceptable");
        }
        EXPECT_EQ(e->GetRepositoryItem(), own) << "the old item stays";
        EXPECT_EQ(e->ActiveProperties(), own->Properties());
        EXPECT_EQ(wrong->ListenerCount(), 0);
        // The editor still works on its own item's settings.
        Focus();
        TypeKeys("12");
        EXPECT_NE(e->GetDisplayText().find("12"), std::string::npos);
        form->Hide();
    }
}

// ---- The item's settings validate

struct TValidateRow {
    const char* Name;
    bool Spin;         // a spin editor whose item limits the range to 0..10; else a masked one under \d\d/\d\d
    bool Strict;       // the spin item refuses values out of the range rather than limiting them
    const char* Keys;  // typed into the focused editor, then Enter or Tab
    bool Leave;        // Tab instead of Enter
    const char* Error;
    const char* Value;  // the edit value afterwards
};

TEST_F(RepositoryItems, TheItemsMaskAndRangeAreCheckedOnEnterAndOnLeaving) {
    const std::vector<TValidateRow> rows = {
        {"HalfFilledMaskOnEnter", false, false, "123", false, "The edit value is invalid", "11/11"},
        {"HalfFilledMaskOnLeaving", false, false, "123", true, "The edit value is invalid", "11/11"},
        {"FullMaskOnEnter", false, false, "1234", false, "", "12/34"},
        {"OutOfRangeRefusedOnEnter", true, true, "50", false, "Value out of bounds", "5"},
        {"OutOfRangeRefusedOnLeaving", true, true, "50", true, "Value out of bounds", "5"},
        {"OutOfRangeLimitedOnEnter", true, false, "50", false, "", "10"},
        {"InRangeOnEnter", true, true, "7", false, "", "7"},
    };
    for (const TValidateRow& row : rows) {
        SCOPED_TRACE(row.Name);
        errors.clear();
        TuiEditRepositoryItem* item = nullptr;
        if (row.Spin) {
            auto* spin = NewEditor<TuiSpinEdit>();
            item = NewItem<TuiSpinEditProperties>(repository);
            auto* settings = static_cast<TuiSpinEditProperties*>(item->Properties());
            settings->SetMinValue(0);
            settings->SetMaxValue(10);
            settings->SetExceptionOnInvalidInput(row.Strict);
            spin->SetRepositoryItem(item);
            spin->SetValue(Variant(5));
        } else {
            auto* mask = NewEditor<TuiMaskEdit>();
            item = NewItem<TuiMaskEditProperties>(repository);
            auto* settings = static_cast<TuiMaskEditProperties*>(item->Properties());
            settings->SetMaskKind(emkRegExprEx);
            settings->SetEditMask("\\d\\d/\\d\\d");
            mask->SetRepositoryItem(item);
            mask->SetEditValue(Variant("11/11"));
        }
        Focus();
        edit->SelectAll();
        TypeKeys(row.Keys);
        Tap(row.Leave ? VK_TAB : VK_RETURN);
        if (*row.Error != '\0') {
            EXPECT_EQ(errors, std::vector<std::string>{row.Error});
            EXPECT_TRUE(edit->ContainerFocused()) << "the editor keeps the focus";
        } else {
            EXPECT_EQ(errors, std::vector<std::string>{});
        }
        EXPECT_EQ(VarToStr(edit->GetEditValue()), row.Value);
        form->Hide();
    }
}

}  // namespace
}  // namespace zel::test
