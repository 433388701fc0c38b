#pragma once
// The painter classes and the registry of extra, named painters. Painters hold no data: each class has one
// shared instance, and a painter is referred to by it (TuiLookAndFeelPainterClass).
#include <string>
#include <vector>

#include "uilib/base/uiClasses.h"
#include "uilib/base/uiLookAndFeels.h"

namespace zel {

enum TuiPainterVariant { pvFlat, pvStandard, pvUltraFlat, pvNative, pvOffice11 };

class TuiCustomLookAndFeelPainter {
public:
    TuiCustomLookAndFeelPainter() = default;
    TuiCustomLookAndFeelPainter(const TuiCustomLookAndFeelPainter&) = delete;
    TuiCustomLookAndFeelPainter& operator=(const TuiCustomLookAndFeelPainter&) = delete;
    virtual ~TuiCustomLookAndFeelPainter() = default;

    virtual std::string ClassName() const { return "TuiCustomLookAndFeelPainter"; }
    virtual int PainterStyle() const { return pvStandard; }
};

class TuiStandardLookAndFeelPainter : public TuiCustomLookAndFeelPainter {
public:
    std::string ClassName() const override { return "TuiStandardLookAndFeelPainter"; }
};

class TuiFlatLookAndFeelPainter : public TuiCustomLookAndFeelPainter {
public:
    std::string ClassName() const override { return "TuiFlatLookAndFeelPainter"; }
    int PainterStyle() const override { return pvFlat; }
};

class TuiUltraFlatLookAndFeelPainter : public TuiCustomLookAndFeelPainter {
public:
    std::string ClassName() const override { return "TuiUltraFlatLookAndFeelPainter"; }
    int PainterStyle() const override { return pvUltraFlat; }
};

class TuiOffice11LookAndFeelPainter : public TuiUltraFlatLookAndFeelPainter {
public:
    std::string ClassName() const override { return "TuiOffice11LookAndFeelPainter"; }
    int PainterStyle() const override { return pvOffice11; }
};

class TuiWinXPLookAndFeelPainter : public TuiStandardLookAndFeelPainter {
public:
    std::string ClassName() const override { return "TuiWinXPLookAndFeelPainter"; }
    int PainterStyle() const override { return pvNative; }
};

// The class reference of a painter class: its one shared instance.
template <class TPainter>
TuiLookAndFeelPainterClass PainterClass() {
    static const TPainter painter;
    return &painter;
}

// The painter class of each kind, in the order of TuiLookAndFeelKind.
TuiLookAndFeelPainterClass LookAndFeelPainterClass(TuiLookAndFeelKind Kind);
// Style code 0 gives lfFlat, 2 lfUltraFlat, 4 lfOffice11, every other code lfStandard.
TuiLookAndFeelKind PainterStyleToKind(int Style);

// One named extra painter.
class TuiExtendedStylePainterInfo : public TObject {
public:
    TuiExtendedStylePainterInfo(const std::string& AName, TuiLookAndFeelPainterClass APainter)
        : Name(AName), Painter(APainter) {}
    std::string ClassName() const override { return "TuiExtendedStylePainterInfo"; }

    std::string Name;
    TuiLookAndFeelPainterClass Painter = nullptr;
};

// The registry of extra painters, with the look and feels that use one of them as listeners.
class TuiExtendedStylePainters : public TuiObjectList {
public:
    std::string ClassName() const override { return "TuiExtendedStylePainters"; }

    void AddListener(IuiLookAndFeelPainterListener* AListener);
    void RemoveListener(IuiLookAndFeelPainterListener* AListener);
    int ListenerCount() const { return static_cast<int>(listeners_.size()); }
    // Adds a painter under a name and tells the listeners.
    void Register(const std::string& AName, TuiLookAndFeelPainterClass APainter);
    // Removes the painter of that name (ignoring case) and tells the listeners.
    void Unregister(const std::string& AName);
    // The first painter whose name equals AName without regard to case.
    bool GetPainterByName(const std::string& AName, TuiLookAndFeelPainterClass& APainter) const;
    TuiExtendedStylePainterInfo* GetItem(int Index) const {
        return static_cast<TuiExtendedStylePainterInfo*>(Items(Index));
    }

private:
    void NotifyListeners();
    std::vector<IuiLookAndFeelPainterListener*> listeners_;
};

// The registry while the painter unit is started; nullptr otherwise.
TuiExtendedStylePainters* ExtendedStylePainters();

// Unit start-up: the registry and the unit's primary system-palette notifier; shutdown frees them.
void uiLookAndFeelPaintersStartup();
void uiLookAndFeelPaintersShutdown();

}  // namespace zel
