// What a look and feel stores: only its assigned values; an assigned empty skin name is stored too, since
// it overrides the master's. Read back, the stored properties give the same look and feel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/Units.h"
#include "platform/vcl/FormReader.h"
#include "uilib/base/uiBaseUnits.h"
#include "uilib/base/uiLookAndFeels.h"

namespace zel::test {
namespace {

using TStored = std::vector<std::pair<std::string, std::string>>;

TStored Stored(TuiLookAndFeel& LookAndFeel) {
    std::vector<std::pair<std::string, TFormValue>> props;
    WriteProperties(LookAndFeel, "TuiLookAndFeel", nullptr, props);
    TStored out;
    for (const auto& [name, value] : props) {
        std::string text = value.Text;
        if (value.Kind == TFormValue::TKind::Set)
            for (const std::string& item : value.Items) text += (text.empty() ? "" : ",") + item;
        out.emplace_back(name, text);
    }
    return out;
}

TEST(LookAndFeelStreaming, SkinNameRows) {
    TUnitsScope units(uiBaseUnitList());
    GlobalRootLookAndFeel()->SetSkinName("Green");  // the master has a skin
    struct TRow {
        const char* name;
        bool assign;
        const char* skin;
        TStored stored;
    } rows[] = {
        {"NotAssigned", false, "", {}},
        {"AssignedEmpty", true, "", {{"AssignedValues", "lfvSkinName"}, {"SkinName", ""}}},
        {"AssignedNonEmpty", true, "Blue", {{"AssignedValues", "lfvSkinName"}, {"SkinName", "Blue"}}},
    };
    for (const TRow& row : rows) {
        TuiLookAndFeel source(nullptr);
        if (row.assign) source.SetSkinName(row.skin);
        const TStored stored = Stored(source);
        EXPECT_EQ(stored, row.stored) << row.name;

        // Read into a fresh look and feel, the properties give the same one back.
        std::vector<std::pair<std::string, TFormValue>> props;
        WriteProperties(source, "TuiLookAndFeel", nullptr, props);
        TuiLookAndFeel copy(nullptr);
        TReadContext ctx("LookAndFeel", nullptr, nullptr);
        for (const auto& [name, value] : props) EXPECT_TRUE(ReadProperty(copy, "TuiLookAndFeel", name, value, ctx));
        EXPECT_EQ(copy.GetAssignedValues(), source.GetAssignedValues()) << row.name;
        EXPECT_EQ(copy.GetSkinName(), row.assign ? row.skin : "Green") << row.name;
    }
}

TEST(LookAndFeelStreaming, KindAndNativeStyleAreStoredOnlyWhenAssigned) {
    TUnitsScope units(uiBaseUnitList());
    TuiLookAndFeel laf(nullptr);
    EXPECT_EQ(Stored(laf), TStored{});
    laf.SetKind(lfUltraFlat);  // the default value, but assigned
    laf.SetNativeStyle(true);
    EXPECT_EQ(
        Stored(laf),
        (TStored{{"AssignedValues", "lfvKind,lfvNativeStyle"}, {"Kind", "lfUltraFlat"}, {"NativeStyle", "True"}}));
}

}  // namespace
}  // namespace zel::test
