#pragma once
// The spin button (two arrows) and the spin edit: an edit holding a whole number that the arrows, the
// Up and Down keys and typing change, kept inside MinValue..MaxValue unless both are equal.
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TSpinButton : public TCustomControl {
public:
    explicit TSpinButton(TComponent* AOwner);
    std::string ClassName() const override { return "TSpinButton"; }
    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    int pressed_ = 0;  // 1 up, -1 down
};

class TSpinEdit : public TCustomEdit {
public:
    explicit TSpinEdit(TComponent* AOwner);
    std::string ClassName() const override { return "TSpinEdit"; }

    // The number in the edit (MinValue when the text is no number), kept in range.
    int GetValue() const;
    void SetValue(int Value);
    int GetMinValue() const { return minValue_; }
    void SetMinValue(int Value);
    int GetMaxValue() const { return maxValue_; }
    void SetMaxValue(int Value);
    int Increment = 1;
    bool EditorEnabled = true;
    TSpinButton* Button() const { return button_; }
    void UpClick(TObject* Sender);
    void DownClick(TObject* Sender);

protected:
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    bool DoKeyDown(WORD& Key, TShiftState Shift) override;
    bool DoKeyPress(char& Key) override;
    void DoExit() override;
    void Resize() override;
    int CheckValue(int Value) const;

private:
    void PlaceButton();
    int minValue_ = 0;
    int maxValue_ = 0;
    TSpinButton* button_ = nullptr;
};

// Registers the unit's classes with the form reader (the unit's start-up row).
void RegisterSpinClasses();

}  // namespace zel
