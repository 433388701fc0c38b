#include "uilib/base/uiLookAndFeelPainters.h"

#include <algorithm>
#include <cctype>

namespace zel {

namespace {

TuiExtendedStylePainters* g_extendedStylePainters = nullptr;
// The painter unit's own system-palette notifier: keeps the shared palette listener alive from before the
// first look and feel to after the last.
TuiSystemPaletteChangedNotifier* g_paletteNotifier = nullptr;

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

TuiLookAndFeelPainterClass LookAndFeelPainterClass(TuiLookAndFeelKind Kind) {
    switch (Kind) {
        case lfFlat: return PainterClass<TuiFlatLookAndFeelPainter>();
        case lfStandard: return PainterClass<TuiStandardLookAndFeelPainter>();
        case lfUltraFlat: return PainterClass<TuiUltraFlatLookAndFeelPainter>();
        case lfOffice11: return PainterClass<TuiOffice11LookAndFeelPainter>();
    }
    return PainterClass<TuiStandardLookAndFeelPainter>();
}

TuiLookAndFeelKind PainterStyleToKind(int Style) {
    switch (Style) {
        case 0: return lfFlat;
        case 2: return lfUltraFlat;
        case 4: return lfOffice11;
        default: return lfStandard;
    }
}

void TuiExtendedStylePainters::AddListener(IuiLookAndFeelPainterListener* AListener) {
    if (AListener != nullptr && std::find(listeners_.begin(), listeners_.end(), AListener) == listeners_.end())
        listeners_.push_back(AListener);
}

void TuiExtendedStylePainters::RemoveListener(IuiLookAndFeelPainterListener* AListener) {
    std::erase(listeners_, AListener);
}

void TuiExtendedStylePainters::Register(const std::string& AName, TuiLookAndFeelPainterClass APainter) {
    Add(new TuiExtendedStylePainterInfo(AName, APainter));
    NotifyListeners();
}

void TuiExtendedStylePainters::Unregister(const std::string& AName) {
    for (int i = Count() - 1; i >= 0; --i) {
        TuiExtendedStylePainterInfo* info = GetItem(i);
        if (SameText(info->Name, AName)) {
            Delete(i);
            delete info;
        }
    }
    NotifyListeners();
}

bool TuiExtendedStylePainters::GetPainterByName(const std::string& AName, TuiLookAndFeelPainterClass& APainter) const {
    for (int i = 0; i < Count(); ++i) {
        if (SameText(GetItem(i)->Name, AName)) {
            APainter = GetItem(i)->Painter;
            return true;
        }
    }
    return false;
}

void TuiExtendedStylePainters::NotifyListeners() {
    // A listener that stops using an extra painter leaves the list during the call.
    const std::vector<IuiLookAndFeelPainterListener*> listeners = listeners_;
    for (IuiLookAndFeelPainterListener* listener : listeners) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) listener->PainterChanged();
    }
}

TuiExtendedStylePainters* ExtendedStylePainters() { return g_extendedStylePainters; }

void uiLookAndFeelPaintersStartup() {
    if (g_extendedStylePainters == nullptr) g_extendedStylePainters = new TuiExtendedStylePainters();
    if (g_paletteNotifier == nullptr) g_paletteNotifier = new TuiSystemPaletteChangedNotifier(true);
}

void uiLookAndFeelPaintersShutdown() {
    delete g_paletteNotifier;
    g_paletteNotifier = nullptr;
    delete g_extendedStylePainters;
    g_extendedStylePainters = nullptr;
}

}  // namespace zel
