// The bar manager's layout in an INI file: the user settings, then one section per bar and one per link. The file comes
// from outside (it may be damaged or edited by hand), so every value read is checked before it is applied and the loops
// end after the last section present, whatever count the file claims.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/rtl/IniFiles.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {

std::string SectionPrefix(const TubBarManager& Manager) {
    const std::string form = Manager.Form() != nullptr ? Manager.Form()->GetName() : std::string();
    return form + "." + Manager.GetName() + ".";
}

// The number n of a section named head + n, or -1 for any other section.
int SectionNumber(const std::string& Section, const std::string& head) {
    if (Section.size() <= head.size() || Section.size() > head.size() + 9 ||
        !SameText(Section.substr(0, head.size()), head))
        return -1;
    int n = 0;
    for (std::size_t i = head.size(); i < Section.size(); ++i) {
        if (Section[i] < '0' || Section[i] > '9') return -1;
        n = n * 10 + (Section[i] - '0');
    }
    return n;
}

void WriteLinks(TMemIniFile& Ini, const std::string& Section, const TubBarItemLinks& Links, bool ForBar,
                bool KeepsUsage) {
    Ini.WriteInteger(Section, "ItemLinkCount", Links.Count());
    for (int m = 0; m < Links.Count(); ++m) {
        const TubBarItemLink* link = Links.Items(m);
        if (link->GetItem() == nullptr || link->GetItem()->GetName().empty()) continue;
        const std::string section = Section + ".ItemLink" + IntToStr(m);
        const TubBarUserDefines defines = link->GetUserDefine();
        Ini.WriteString(section, "ItemName", link->GetItem()->GetName());
        Ini.WriteBool(section, "BeginGroup", link->BeginGroup);
        Ini.WriteInteger(section, "UserDefine", static_cast<int>(defines.Bits()));
        if (defines.Contains(udCaption)) Ini.WriteString(section, "UserCaption", link->GetUserCaption());
        if (defines.Contains(udPaintStyle))
            Ini.WriteInteger(section, "UserPaintStyle", static_cast<int>(link->GetUserPaintStyle()));
        if (defines.Contains(udWidth)) Ini.WriteInteger(section, "UserWidth", link->GetUserWidth());
        if (ForBar) Ini.WriteBool(section, "Visible", link->GetVisible());
        if (KeepsUsage) {
            Ini.WriteInteger(section, "UseCount", link->UseCount);
            Ini.WriteInteger(section, "RecentIndex", Links.RecentList().IndexOf(const_cast<TubBarItemLink*>(link)));
        }
    }
}

// Reads the links stored under Section; only the link sections present are looked at, so a huge
// "ItemLinkCount" costs nothing. A link naming an item the manager does not have is dropped.
void ReadLinks(TubBarManager& Manager, const TMemIniFile& Ini, const std::vector<std::string>& Sections,
               const std::string& Section, TubBarItemLinks& Links, bool ForBar, bool KeepsUsage) {
    const int count = Ini.ReadInteger(Section, "ItemLinkCount", 0);
    std::set<int> stored;
    for (const std::string& section : Sections)
        if (const int m = SectionNumber(section, Section + ".ItemLink"); m >= 0 && m < count) stored.insert(m);
    Links.Clear();
    for (const int m : stored) {
        const std::string section = Section + ".ItemLink" + IntToStr(m);
        TubBarItem* item = Manager.FindItemByName(Ini.ReadString(section, "ItemName", ""));
        if (item == nullptr) continue;
        TubBarItemLink* link = Links.Add();
        link->SetItem(item);
        link->BeginGroup = Ini.ReadBool(section, "BeginGroup", false);
        const int bits = Ini.ReadInteger(section, "UserDefine", 0);
        // Only the four known flags; the glyph is not stored in INI files.
        TubBarUserDefines defines = TubBarUserDefines::FromBits(static_cast<std::uint64_t>(bits) & 0x0F);
        defines.Exclude(udGlyph);
        if (defines.Contains(udCaption)) link->SetUserCaption(Ini.ReadString(section, "UserCaption", ""));
        if (defines.Contains(udPaintStyle)) {
            const int style = Ini.ReadInteger(section, "UserPaintStyle", 0);
            if (style >= psStandard && style <= psCaptionGlyph)
                link->SetUserPaintStyle(static_cast<TubBarPaintStyle>(style));
            else defines.Exclude(udPaintStyle);
        }
        if (defines.Contains(udWidth)) link->SetUserWidth(Ini.ReadInteger(section, "UserWidth", 100));
        link->SetUserDefine(defines);
        if (ForBar) link->SetVisible(Ini.ReadBool(section, "Visible", true));
        if (KeepsUsage) {
            link->LoadedUseCount = std::max(0, Ini.ReadInteger(section, "UseCount", 0));
            link->LoadedRecentIndex = Ini.ReadInteger(section, "RecentIndex", -1);
        }
    }
    Links.ApplyAfterLoading(false);
}

}  // namespace

void TubBarManager::WriteLayoutToIniFile(const std::string& FileName) {
    if (FileName.empty()) return;
    TMemIniFile ini(FileName);
    const std::string prefix = SectionPrefix(*this);
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    for (const std::string& section : sections)
        if (section.size() >= prefix.size() && SameText(section.substr(0, prefix.size()), prefix))
            ini.EraseSection(section);
    const std::string main = prefix + "Main";
    if (SupportsRecentItems()) {
        ini.WriteBool(main, "MenusShowRecentItemsFirst", GetMenusShowRecentItemsFirst());
        ini.WriteBool(main, "ShowFullMenusAfterDelay", GetShowFullMenusAfterDelay());
    }
    ini.WriteBool(main, "LargeIcons", GetLargeIcons());
    ini.WriteInteger(main, "MenuAnimations", static_cast<int>(GetMenuAnimations()));
    ini.WriteBool(main, "ShowHint", GetShowHint());
    ini.WriteBool(main, "ShowShortCutInHint", GetShowShortCutInHint());
    ini.WriteInteger(main, "BarCount", GetBars()->Count());
    for (int n = 0; n < GetBars()->Count(); ++n) {
        const TubBar* bar = GetBars()->Items(n);
        const std::string section = prefix + "Bar" + IntToStr(n);
        ini.WriteString(section, "Caption", bar->GetCaption());
        ini.WriteBool(section, "OneOnRow", bar->OneOnRow);
        ini.WriteInteger(section, "Row", bar->GetRow());
        ini.WriteInteger(section, "FloatLeft", bar->GetFloatLeft());
        ini.WriteInteger(section, "FloatTop", bar->GetFloatTop());
        ini.WriteBool(section, "Visible", bar->GetVisible());
        WriteLinks(ini, section, *bar->GetItemLinks(), true, SupportsRecentItems());
    }
    for (int i = 0; i < ItemCount(); ++i)
        if (auto* sub = dynamic_cast<TCustomubBarSubItem*>(Items(i)); sub != nullptr && !sub->GetName().empty())
            WriteLinks(ini, prefix + "SubItem_" + sub->GetName(), *sub->GetItemLinks(), false, SupportsRecentItems());
    ini.UpdateFile();
}

void TubBarManager::StoreLayout() {
    if (!StoreInIniFile) return;
    try {
        WriteLayoutToIniFile(IniFileName);
    } catch (const EIniFileException&) {
        // A file that cannot be written loses this run's layout, never the form's closing.
    }
}

void TubBarManager::RestoreLayout() {
    if (StoreInIniFile && !ReadingDesignCopy()) ReadLayoutFromIniFile(IniFileName);
}

void TubBarManager::ReadLayoutFromIniFile(const std::string& FileName) {
    if (FileName.empty()) return;
    TMemIniFile ini(FileName);
    const std::string prefix = SectionPrefix(*this);
    const std::string main = prefix + "Main";
    TubBarUpdateLock lock(this);
    if (SupportsRecentItems()) {
        SetMenusShowRecentItemsFirst(ini.ReadBool(main, "MenusShowRecentItemsFirst", GetMenusShowRecentItemsFirst()));
        SetShowFullMenusAfterDelay(ini.ReadBool(main, "ShowFullMenusAfterDelay", GetShowFullMenusAfterDelay()));
    }
    SetLargeIcons(ini.ReadBool(main, "LargeIcons", GetLargeIcons()));
    const int animations = ini.ReadInteger(main, "MenuAnimations", static_cast<int>(GetMenuAnimations()));
    if (animations >= maNone && animations <= maFade) SetMenuAnimations(static_cast<TubBarMenuAnimations>(animations));
    SetShowHint(ini.ReadBool(main, "ShowHint", GetShowHint()));
    SetShowShortCutInHint(ini.ReadBool(main, "ShowShortCutInHint", GetShowShortCutInHint()));

    std::vector<std::string> sections;
    ini.ReadSections(sections);
    ReadBars(ini, sections, prefix);
    for (int i = 0; i < ItemCount(); ++i) {
        auto* sub = dynamic_cast<TCustomubBarSubItem*>(Items(i));
        if (sub == nullptr || sub->GetName().empty()) continue;
        const std::string section = prefix + "SubItem_" + sub->GetName();
        if (ini.ReadInteger(section, "ItemLinkCount", -1) >= 0)
            ReadLinks(*this, ini, sections, section, *sub->GetItemLinks(), false, SupportsRecentItems());
    }
}

void TubBarManager::ReadBars(const TMemIniFile& Ini, const std::vector<std::string>& Sections,
                             const std::string& Prefix) {
    const int count = Ini.ReadInteger(Prefix + "Main", "BarCount", -1);
    if (count < 0) return;  // no bars stored: none is touched
    // Only the bar sections present count: a huge count or a stray high number makes no bars by the million.
    std::set<int> stored;
    for (const std::string& section : Sections) {
        const int n = SectionNumber(section, Prefix + "Bar");
        if (n >= 0 && n < count && Ini.ReadInteger(section, "Row", -1000) >= -999) stored.insert(n);
    }
    for (int n = 0; n < GetBars()->Count(); ++n) GetBars()->Items(n)->SetVisible(false);
    const int limit = GetBars()->Count() + static_cast<int>(stored.size());
    for (const int n : stored) {
        if (n >= limit) break;
        while (GetBars()->Count() <= n) GetBars()->Add();
        TubBar* bar = GetBars()->Items(n);
        const std::string section = Prefix + "Bar" + IntToStr(n);
        ReadLinks(*this, Ini, Sections, section, *bar->GetItemLinks(), true, SupportsRecentItems());
        bar->SetCaption(Ini.ReadString(section, "Caption", bar->GetCaption()));
        bar->OneOnRow = Ini.ReadBool(section, "OneOnRow", bar->OneOnRow);
        bar->SetRow(Ini.ReadInteger(section, "Row", bar->GetRow()));
        bar->SetFloatLeft(Ini.ReadInteger(section, "FloatLeft", bar->GetFloatLeft()));
        bar->SetFloatTop(Ini.ReadInteger(section, "FloatTop", bar->GetFloatTop()));
        bar->SetVisible(Ini.ReadBool(section, "Visible", false));
    }
}

}  // namespace zel
