// The bar manager's layout in an INI file or in the registry: the user settings, then per bar its place and its
// links, then the links of each named sub-item. Both stores are written and read by one walk over the manager;
// a small adapter per store says where a value goes and what a missing or unusable value means.
//
// A stored layout comes from outside (it may be damaged or edited by hand), so every value read is checked
// before it is applied: an ordinal outside its type, flag bits beyond the four known ones or a path naming
// something else than a dock control is refused. The INI file then gives the key's default, the registry a
// failed read (the bar becomes visible, the link keeps what was read before). The loops over bars and links
// end after the last key or section present, whatever count the store claims, and a bar number beyond the
// bars present adds one bar at most.
#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Streams.h"
#include "platform/win/Registry.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {

constexpr int kAllUserDefines = 0x0F;  // udCaption, udGlyph, udPaintStyle, udWidth

// Where the layout goes: keys (registry) or sections (INI file) named by the walk, and typed values in them.
class TLayoutWriter {
public:
    virtual ~TLayoutWriter() = default;
    // The key of the settings and the name of a key below another (Parent empty: below the layout's root).
    virtual std::string MainKey() const = 0;
    virtual std::string Child(const std::string& Parent, const std::string& Name) const = 0;
    virtual void Open(const std::string& Key) = 0;
    virtual void String(const std::string& Name, const std::string& Value) = 0;
    virtual void Integer(const std::string& Name, int Value) = 0;
    virtual void Bool(const std::string& Name, bool Value) = 0;
    virtual void Defines(const std::string& Name, int Bits) = 0;
    // False when the store keeps no glyphs.
    virtual bool KeepsGlyphs() const = 0;
    virtual void Glyph(const std::string& Name, TBitmap* Value) = 0;
};

// Where the layout comes from. A value that is missing or cannot be read gives Default in a lenient store
// (the INI file) and raises in a strict one (the registry).
class TLayoutReader {
public:
    virtual ~TLayoutReader() = default;
    virtual std::string MainKey() const = 0;
    virtual std::string Child(const std::string& Parent, const std::string& Name) const = 0;
    // The names (as Child makes them) of the keys or sections directly below Key.
    virtual std::vector<std::string> ChildKeys(const std::string& Key) = 0;
    // Makes Key the one values are read from; false when it is not there.
    virtual bool Open(const std::string& Key) = 0;
    virtual bool Strict() const = 0;
    // Whether the value is there (a lenient store answers true: its reads give the defaults).
    virtual bool Has(const std::string& Name) = 0;
    virtual std::string String(const std::string& Name, const std::string& Default) = 0;
    virtual int Integer(const std::string& Name, int Default) = 0;
    virtual bool Bool(const std::string& Name, bool Default) = 0;
    virtual int Defines(const std::string& Name) = 0;
    // A setting: its value only when it is there and readable.
    virtual std::optional<int> Setting(const std::string& Name) = 0;
    // Reads the glyph into the bitmap; false when the store keeps no glyphs.
    virtual bool Glyph(const std::string& Name, TBitmap* Value) = 0;
};

// A value out of its range: the default in a lenient store, a failed read in a strict one.
int Checked(TLayoutReader& R, const std::string& Name, int Value, int Min, int Max, int Default) {
    if (Value >= Min && Value <= Max) return Value;
    if (R.Strict()) throw ERegistryException("Invalid data type for '" + Name + "'");
    return Default;
}

int CheckedInteger(TLayoutReader& R, const std::string& Name, int Min, int Max, int Default) {
    return Checked(R, Name, R.Integer(Name, Default), Min, Max, Default);
}

// The dock control a stored path names; a path naming something else is refused.
TubBarDockControl* DockControlRead(TubBarManager& Manager, TLayoutReader& R, const std::string& Name) {
    const std::string path = R.String(Name, "");
    try {
        return Manager.DockControlOfPath(path);
    } catch (const EInvalidCast&) {
        if (R.Strict()) throw;
        return nullptr;
    }
}

// The numbers n below Count of the keys Parent + Head + n present, ascending.
std::vector<int> StoredNumbers(TLayoutReader& R, const std::string& Parent, const std::string& Head, int Count) {
    const std::string head = R.Child(Parent, Head);
    std::set<int> numbers;
    for (const std::string& key : R.ChildKeys(Parent)) {
        if (key.size() <= head.size() || key.size() > head.size() + 9 || !SameText(key.substr(0, head.size()), head))
            continue;
        int n = 0;
        bool digits = true;
        for (std::size_t i = head.size(); i < key.size() && digits; ++i) {
            digits = key[i] >= '0' && key[i] <= '9';
            n = n * 10 + (key[i] - '0');
        }
        if (digits && n < Count) numbers.insert(n);
    }
    return {numbers.begin(), numbers.end()};
}

// ---- writing -------------------------------------------------------------------------------------------------

void WriteLinks(TLayoutWriter& W, const std::string& Key, const TubBarItemLinks& Links, bool ForBar, bool KeepsUsage) {
    W.Open(Key);
    W.Integer("ItemLinkCount", Links.Count());
    for (int m = 0; m < Links.Count(); ++m) {
        const TubBarItemLink* link = Links.Items(m);
        if (link->GetItem() == nullptr || link->GetItem()->GetName().empty()) continue;
        W.Open(W.Child(Key, "ItemLink" + IntToStr(m)));
        const TubBarUserDefines defines = link->GetUserDefine();
        W.String("ItemName", link->GetItem()->GetName());
        W.Bool("BeginGroup", link->BeginGroup);
        W.Defines("UserDefine", static_cast<int>(defines.Bits()));
        if (defines.Contains(udCaption)) W.String("UserCaption", link->GetUserCaption());
        if (defines.Contains(udGlyph) && W.KeepsGlyphs()) W.Glyph("UserGlyph", link->GetUserGlyph());
        if (defines.Contains(udPaintStyle)) W.Integer("UserPaintStyle", static_cast<int>(link->GetUserPaintStyle()));
        if (defines.Contains(udWidth)) W.Integer("UserWidth", link->GetUserWidth());
        if (ForBar) W.Bool("Visible", link->GetVisible());
        if (KeepsUsage) {
            W.Integer("UseCount", link->UseCount);
            W.Integer("RecentIndex", Links.RecentList().IndexOf(const_cast<TubBarItemLink*>(link)));
        }
    }
}

void WriteLayout(TubBarManager& Manager, TLayoutWriter& W) {
    const bool usage = Manager.SupportsRecentItems();
    W.Open(W.MainKey());
    if (usage) {
        W.Bool("MenusShowRecentItemsFirst", Manager.GetMenusShowRecentItemsFirst());
        W.Bool("ShowFullMenusAfterDelay", Manager.GetShowFullMenusAfterDelay());
    }
    W.Bool("LargeIcons", Manager.GetLargeIcons());
    W.Integer("MenuAnimations", static_cast<int>(Manager.GetMenuAnimations()));
    W.Bool("ShowHint", Manager.GetShowHint());
    W.Bool("ShowShortCutInHint", Manager.GetShowShortCutInHint());
    W.Integer("BarCount", Manager.GetBars()->Count());
    for (int n = 0; n < Manager.GetBars()->Count(); ++n) {
        TubBar* bar = Manager.GetBars()->Items(n);
        const std::string key = W.Child("", "Bar" + IntToStr(n));
        W.Open(key);
        W.String("Caption", bar->GetCaption());
        if (bar->GetDockedDockControl() != nullptr)
            W.String("DockedDockControl", Manager.DockControlPath(bar->GetDockedDockControl()));
        W.Integer("DockedDockingStyle", static_cast<int>(bar->GetDockedDockingStyle()));
        W.Integer("DockedLeft", bar->GetDockedLeft());
        W.Integer("DockedTop", bar->GetDockedTop());
        W.Bool("OneOnRow", bar->OneOnRow);
        W.Integer("Row", bar->GetRow());
        W.Integer("FloatLeft", bar->GetFloatLeft());
        W.Integer("FloatTop", bar->GetFloatTop());
        W.Integer("FloatClientWidth", bar->GetFloatClientWidth());
        W.Integer("FloatClientHeight", bar->GetFloatClientHeight());
        if (bar->GetDockControl() != nullptr) W.String("DockControl", Manager.DockControlPath(bar->GetDockControl()));
        W.Integer("DockingStyle", static_cast<int>(bar->GetDockingStyle()));
        W.Bool("Visible", bar->GetVisible());
        WriteLinks(W, key, *bar->GetItemLinks(), true, usage);
    }
    for (int i = 0; i < Manager.ItemCount(); ++i)
        if (auto* sub = dynamic_cast<TCustomubBarSubItem*>(Manager.Items(i)); sub != nullptr && !sub->GetName().empty())
            WriteLinks(W, W.Child("", "SubItem_" + sub->GetName()), *sub->GetItemLinks(), false, usage);
}

// ---- reading -------------------------------------------------------------------------------------------------

// Reads one link's values in the stored order; a failure leaves the link with what was read before it.
void ReadLink(TLayoutReader& R, TubBarItemLink& Link, bool ForBar, bool KeepsUsage) {
    Link.BeginGroup = R.Bool("BeginGroup", false);
    TubBarUserDefines defines = TubBarUserDefines::FromBits(
        static_cast<std::uint64_t>(Checked(R, "UserDefine", R.Defines("UserDefine"), 0, kAllUserDefines, 0)));
    // The glyph's flag comes with the glyph: a store without glyphs, or a glyph that cannot be read, leaves none.
    const bool withGlyph = defines.Contains(udGlyph);
    defines.Exclude(udGlyph);
    Link.SetUserDefine(defines);
    if (defines.Contains(udCaption)) Link.SetUserCaption(R.String("UserCaption", ""));
    if (TBitmap glyph; withGlyph && R.Glyph("UserGlyph", &glyph)) Link.SetUserGlyph(&glyph);
    if (defines.Contains(udPaintStyle))
        Link.SetUserPaintStyle(
            static_cast<TubBarPaintStyle>(CheckedInteger(R, "UserPaintStyle", psStandard, psCaptionGlyph, psStandard)));
    if (defines.Contains(udWidth)) Link.SetUserWidth(R.Integer("UserWidth", 100));
    if (ForBar && R.Has("Visible")) Link.SetVisible(R.Bool("Visible", true));
    if (KeepsUsage) {
        if (R.Has("UseCount")) Link.LoadedUseCount = std::max(0, R.Integer("UseCount", 0));
        if (R.Has("RecentIndex")) {
            Link.LoadedRecentIndex = R.Integer("RecentIndex", -1);
            if (Link.LoadedUseCount < 0) Link.LoadedUseCount = Link.UseCount;
        }
    }
}

// Reads the links stored under Key into the collection; a link naming an item the manager does not have is
// dropped. A failure reading the count passes on; one inside a link ends that link only.
void ReadLinks(TubBarManager& Manager, TLayoutReader& R, const std::string& Key, TubBarItemLinks& Links, bool ForBar) {
    Links.Clear();
    if (!R.Open(Key)) return;
    const int count = R.Has("ItemLinkCount") ? R.Integer("ItemLinkCount", 0) : 0;
    for (const int m : StoredNumbers(R, Key, "ItemLink", count)) {
        if (!R.Open(R.Child(Key, "ItemLink" + IntToStr(m)))) continue;
        TubBarItemLink* link = nullptr;
        try {
            TubBarItem* item = Manager.FindItemByName(R.String("ItemName", ""));
            if (item == nullptr) continue;
            link = Links.Add();
            link->SetItem(item);
            ReadLink(R, *link, ForBar, Manager.SupportsRecentItems());
        } catch (const Exception&) {
            // The link keeps what was read; the next one follows.
        }
    }
    Links.ApplyAfterLoading(false);
}

void ReadBar(TubBarManager& Manager, TLayoutReader& R, const std::string& Key, TubBar& Bar) {
    ReadLinks(Manager, R, Key, *Bar.GetItemLinks(), true);
    if (!R.Open(Key)) throw ERegistryException("The bar's key is gone");
    const int lastStyle = static_cast<int>(dsBottom);
    Bar.SetCaption(R.String("Caption", Bar.GetCaption()));
    Bar.SetDockedDockControl(DockControlRead(Manager, R, "DockedDockControl"));
    Bar.SetDockedDockingStyle(static_cast<TubBarDockingStyle>(
        CheckedInteger(R, "DockedDockingStyle", dsNone, lastStyle, Bar.GetDockedDockingStyle())));
    Bar.SetDockedLeft(R.Integer("DockedLeft", Bar.GetDockedLeft()));
    Bar.SetDockedTop(R.Integer("DockedTop", Bar.GetDockedTop()));
    Bar.OneOnRow = R.Bool("OneOnRow", Bar.OneOnRow);
    Bar.SetRow(R.Integer("Row", Bar.GetRow()));
    Bar.SetFloatLeft(R.Integer("FloatLeft", Bar.GetFloatLeft()));
    Bar.SetFloatTop(R.Integer("FloatTop", Bar.GetFloatTop()));
    Bar.SetFloatClientWidth(R.Integer("FloatClientWidth", Bar.GetFloatClientWidth()));
    Bar.SetFloatClientHeight(R.Integer("FloatClientHeight", Bar.GetFloatClientHeight()));
    Bar.SetDockControl(DockControlRead(Manager, R, "DockControl"));
    Bar.SetDockingStyle(
        static_cast<TubBarDockingStyle>(CheckedInteger(R, "DockingStyle", dsNone, lastStyle, Bar.GetDockingStyle())));
    Bar.SetVisible(R.Bool("Visible", false));
}

void ReadLayout(TubBarManager& Manager, TLayoutReader& R) {
    TubBarUpdateLock lock(&Manager);
    if (!R.Open(R.MainKey())) return;
    auto setting = [&R](const char* Name, int Min, int Max, auto Apply) {
        if (const std::optional<int> v = R.Setting(Name); v && *v >= Min && *v <= Max) Apply(*v);
    };
    const int anyInt = std::numeric_limits<int>::max();
    if (Manager.SupportsRecentItems()) {
        setting("MenusShowRecentItemsFirst", -anyInt, anyInt,
                [&](int v) { Manager.SetMenusShowRecentItemsFirst(v != 0); });
        setting("ShowFullMenusAfterDelay", -anyInt, anyInt, [&](int v) { Manager.SetShowFullMenusAfterDelay(v != 0); });
    }
    setting("LargeIcons", -anyInt, anyInt, [&](int v) { Manager.SetLargeIcons(v != 0); });
    setting("MenuAnimations", maNone, maFade,
            [&](int v) { Manager.SetMenuAnimations(static_cast<TubBarMenuAnimations>(v)); });
    setting("ShowHint", -anyInt, anyInt, [&](int v) { Manager.SetShowHint(v != 0); });
    setting("ShowShortCutInHint", -anyInt, anyInt, [&](int v) { Manager.SetShowShortCutInHint(v != 0); });

    // No readable bar count: no bars stored, none is touched.
    if (const std::optional<int> count = R.Setting("BarCount"); count && *count >= 0) {
        TubBars* bars = Manager.GetBars();
        std::vector<int> stored;
        for (const int n : StoredNumbers(R, "", "Bar", *count))
            if (R.Open(R.Child("", "Bar" + IntToStr(n))) && (R.Strict() || R.Integer("Row", -1000) >= -999))
                stored.push_back(n);
        for (int n = 0; n < bars->Count(); ++n) bars->Items(n)->SetVisible(false);
        // A stray high number adds one bar, not bars up to it.
        const int limit = bars->Count() + static_cast<int>(stored.size());
        for (const int n : stored) {
            if (n >= limit) break;
            while (bars->Count() <= n) bars->Add();
            TubBar* bar = bars->Items(n);
            try {
                ReadBar(Manager, R, R.Child("", "Bar" + IntToStr(n)), *bar);
            } catch (const Exception&) {
                bar->SetVisible(true);
            }
        }
    }
    for (int i = 0; i < Manager.ItemCount(); ++i) {
        auto* sub = dynamic_cast<TCustomubBarSubItem*>(Manager.Items(i));
        if (sub == nullptr || sub->GetName().empty()) continue;
        const std::string key = R.Child("", "SubItem_" + sub->GetName());
        if (!R.Open(key) || (!R.Strict() && R.Integer("ItemLinkCount", -1) < 0)) continue;
        try {
            ReadLinks(Manager, R, key, *sub->GetItemLinks(), false);
        } catch (const Exception&) {
            // A count that cannot be read leaves the sub-item's links as they were read.
        }
    }
}

// ---- the INI file --------------------------------------------------------------------------------------------

std::string SectionPrefix(const TubBarManager& Manager) {
    const std::string form = Manager.Form() != nullptr ? Manager.Form()->GetName() : std::string();
    return form + "." + Manager.GetName() + ".";
}

class TIniLayoutWriter : public TLayoutWriter {
public:
    TIniLayoutWriter(TMemIniFile& AIni, std::string APrefix) : ini_(AIni), prefix_(std::move(APrefix)) {}
    std::string MainKey() const override { return prefix_ + "Main"; }
    std::string Child(const std::string& Parent, const std::string& Name) const override {
        return Parent.empty() ? prefix_ + Name : Parent + "." + Name;
    }
    void Open(const std::string& Key) override { section_ = Key; }
    void String(const std::string& Name, const std::string& Value) override { ini_.WriteString(section_, Name, Value); }
    void Integer(const std::string& Name, int Value) override { ini_.WriteInteger(section_, Name, Value); }
    void Bool(const std::string& Name, bool Value) override { ini_.WriteBool(section_, Name, Value); }
    void Defines(const std::string& Name, int Bits) override { ini_.WriteInteger(section_, Name, Bits); }
    bool KeepsGlyphs() const override { return false; }
    void Glyph(const std::string&, TBitmap*) override {}

private:
    TMemIniFile& ini_;
    std::string prefix_;
    std::string section_;
};

class TIniLayoutReader : public TLayoutReader {
public:
    TIniLayoutReader(TMemIniFile& AIni, std::string APrefix) : ini_(AIni), prefix_(std::move(APrefix)) {
        ini_.ReadSections(sections_);
    }
    std::string MainKey() const override { return prefix_ + "Main"; }
    std::string Child(const std::string& Parent, const std::string& Name) const override {
        return Parent.empty() ? prefix_ + Name : Parent + "." + Name;
    }
    // Every section: the numbers are taken only from those that continue the parent's name.
    std::vector<std::string> ChildKeys(const std::string&) override { return sections_; }
    bool Open(const std::string& Key) override {
        section_ = Key;
        return true;
    }
    bool Strict() const override { return false; }
    bool Has(const std::string&) override { return true; }
    std::string String(const std::string& Name, const std::string& Default) override {
        return ini_.ReadString(section_, Name, Default);
    }
    int Integer(const std::string& Name, int Default) override { return ini_.ReadInteger(section_, Name, Default); }
    bool Bool(const std::string& Name, bool Default) override { return ini_.ReadBool(section_, Name, Default); }
    int Defines(const std::string& Name) override { return ini_.ReadInteger(section_, Name, 0); }
    std::optional<int> Setting(const std::string& Name) override {
        // A value that is not a number reads as two different defaults.
        const int a = ini_.ReadInteger(section_, Name, 0);
        if (a != ini_.ReadInteger(section_, Name, 1)) return std::nullopt;
        return a;
    }
    bool Glyph(const std::string&, TBitmap*) override { return false; }

private:
    TMemIniFile& ini_;
    std::string prefix_;
    std::string section_;
    std::vector<std::string> sections_;
};

// ---- the registry --------------------------------------------------------------------------------------------

// The key path with one leading '\' and no trailing one; empty when nothing but separators is left.
std::string RegistryKeyPath(std::string Path) {
    while (!Path.empty() && Path.back() == '\\') Path.pop_back();
    if (Path.empty()) return Path;
    return Path.front() == '\\' ? Path : "\\" + Path;
}

class TRegistryLayoutWriter : public TLayoutWriter {
public:
    TRegistryLayoutWriter(TRegistry& AReg, std::string APath) : reg_(AReg), path_(std::move(APath)) {}
    std::string MainKey() const override { return path_; }
    std::string Child(const std::string& Parent, const std::string& Name) const override {
        return (Parent.empty() ? path_ : Parent) + "\\" + Name;
    }
    void Open(const std::string& Key) override {
        reg_.CloseKey();
        if (!reg_.OpenKey(Key, true)) throw ERegistryException("Failed to create key " + Key);
    }
    void String(const std::string& Name, const std::string& Value) override { reg_.WriteString(Name, Value); }
    void Integer(const std::string& Name, int Value) override { reg_.WriteInteger(Name, Value); }
    void Bool(const std::string& Name, bool Value) override { reg_.WriteBool(Name, Value); }
    void Defines(const std::string& Name, int Bits) override {
        const auto byte = static_cast<std::uint8_t>(Bits);
        reg_.WriteBinaryData(Name, &byte, 1);
    }
    bool KeepsGlyphs() const override { return true; }
    void Glyph(const std::string& Name, TBitmap* Value) override {
        TMemoryStream data;
        Value->WriteData(data);
        const std::string bytes = data.DataString();
        reg_.WriteBinaryData(Name, bytes.data(), static_cast<int>(bytes.size()));
    }

private:
    TRegistry& reg_;
    std::string path_;
};

class TRegistryLayoutReader : public TLayoutReader {
public:
    TRegistryLayoutReader(TRegistry& AReg, std::string APath) : reg_(AReg), path_(std::move(APath)) {}
    std::string MainKey() const override { return path_; }
    std::string Child(const std::string& Parent, const std::string& Name) const override {
        return (Parent.empty() ? path_ : Parent) + "\\" + Name;
    }
    std::vector<std::string> ChildKeys(const std::string& Key) override {
        std::vector<std::string> names;
        const std::string parent = Key.empty() ? path_ : Key;
        if (!Open(parent)) return names;
        reg_.GetKeyNames(names);
        for (std::string& name : names) name = parent + "\\" + name;
        return names;
    }
    bool Open(const std::string& Key) override {
        reg_.CloseKey();
        return reg_.OpenKeyReadOnly(Key);
    }
    bool Strict() const override { return true; }
    bool Has(const std::string& Name) override { return reg_.ValueExists(Name); }
    std::string String(const std::string& Name, const std::string&) override { return reg_.ReadString(Name); }
    int Integer(const std::string& Name, int) override { return reg_.ReadInteger(Name); }
    bool Bool(const std::string& Name, bool) override { return reg_.ReadBool(Name); }
    int Defines(const std::string& Name) override {
        // One byte of flags; anything longer is not a set of them.
        if (reg_.GetDataType(Name) != rdBinary || reg_.GetDataSize(Name) != 1)
            throw ERegistryException("Invalid data type for '" + Name + "'");
        std::uint8_t byte = 0;
        reg_.ReadBinaryData(Name, &byte, 1);
        return byte;
    }
    std::optional<int> Setting(const std::string& Name) override {
        if (reg_.GetDataType(Name) != rdInteger) return std::nullopt;
        return reg_.ReadInteger(Name);
    }
    bool Glyph(const std::string& Name, TBitmap* Value) override {
        const int size = reg_.GetDataSize(Name);
        if (size < 0 || reg_.GetDataType(Name) != rdBinary)
            throw ERegistryException("Invalid data type for '" + Name + "'");
        std::string bytes(static_cast<std::size_t>(size), '\0');
        reg_.ReadBinaryData(Name, bytes.data(), size);
        TMemoryStream data;
        data.WriteBuffer(bytes.data(), size);
        data.SetPosition(0);
        Value->ReadData(data);  // a damaged stream raises and the link keeps what was read
        return true;
    }

private:
    TRegistry& reg_;
    std::string path_;
};

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
    TIniLayoutWriter writer(ini, prefix);
    WriteLayout(*this, writer);
    ini.UpdateFile();
}

void TubBarManager::ReadLayoutFromIniFile(const std::string& FileName) {
    if (FileName.empty()) return;
    TMemIniFile ini(FileName);
    TIniLayoutReader reader(ini, SectionPrefix(*this));
    ReadLayout(*this, reader);
}

void TubBarManager::WriteLayoutToRegistry(const std::string& Path) {
    const std::string path = RegistryKeyPath(Path);
    if (path.empty()) return;  // never the whole root
    TRegistry reg;
    if (!reg.OpenKey(path, true)) return;
    std::vector<std::string> keys;
    reg.GetKeyNames(keys);
    for (const std::string& key : keys) reg.DeleteKey(key);
    reg.CloseKey();
    TRegistryLayoutWriter writer(reg, path);
    WriteLayout(*this, writer);
    reg.CloseKey();
}

void TubBarManager::ReadLayoutFromRegistry(const std::string& Path) {
    const std::string path = RegistryKeyPath(Path);
    if (path.empty()) return;
    TRegistry reg;
    TRegistryLayoutReader reader(reg, path);
    ReadLayout(*this, reader);
}

void TubBarManager::StoreLayout() {
    if (StoreInRegistry) WriteLayoutToRegistry(RegistryPath);
    if (StoreInIniFile) {
        try {
            WriteLayoutToIniFile(IniFileName);
        } catch (const EIniFileException&) {
            // A file that cannot be written loses this run's layout, never the form's closing.
        }
    }
}

void TubBarManager::RestoreLayout() {
    if (Designing() || ReadingDesignCopy()) return;
    if (StoreInRegistry) ReadLayoutFromRegistry(RegistryPath);
    if (StoreInIniFile) ReadLayoutFromIniFile(IniFileName);
}

}  // namespace zel
