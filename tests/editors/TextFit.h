#pragma once
// Whether every text a window's controls can show fits the room the control gives it, measured in the
// control's own font the way the control draws it: captions of labels, buttons, check boxes and radio
// buttons, every item of a combo box, and every value a value field can step to.
#include <algorithm>
#include <string>
#include <vector>

#include "controls/Uecomp.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Mask.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/VclGraphics.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"

namespace zel::test {

class TTextFit {
public:
    // Every overflow found so far, one line each: "window / control: "text" needs N px, has M".
    std::vector<std::string> Overflows;

    // Looks at every control of the window, shown or on a hidden page.
    void Window(const std::string& Name, TWinControl* Form) {
        if (Form == nullptr) {
            Overflows.push_back(Name + ": no window");
            return;
        }
        window_ = Name;
        Walk(Form);
    }

private:
    static std::string NameOf(const TControl* C) {
        std::string path;
        for (const TControl* c = C; c != nullptr && c->GetParent() != nullptr; c = c->GetParent()) {
            const std::string n = c->GetName().empty() ? c->ClassName() : c->GetName();
            path = path.empty() ? n : n + "." + path;
        }
        return path;
    }
    void Check(const TControl* C, const std::string& Text, int Needs, int Has) {
        if (Needs <= Has) return;
        Overflows.push_back(window_ + " / " + NameOf(C) + ": \"" + Text + "\" needs " + std::to_string(Needs) +
                            " px, has " + std::to_string(Has));
    }
    static int Width(TFont* Font, const std::string& Text, UINT Flags = DT_SINGLELINE) {
        return MeasureText(Font, Text, Flags).cx;
    }

    void Walk(TWinControl* Parent) {
        for (int i = 0; i < Parent->ControlCount(); ++i) {
            TControl* c = Parent->Controls(i);
            Control(c);
            if (auto* w = dynamic_cast<TWinControl*>(c)) Walk(w);
        }
    }

    void Control(TControl* C) {
        if (auto* label = dynamic_cast<TCustomLabel*>(C)) return Label(label);
        if (auto* button = dynamic_cast<TButton*>(C)) return Button(button);
        if (auto* speed = dynamic_cast<TSpeedButton*>(C)) return Speed(speed);
        if (dynamic_cast<TCheckBox*>(C) != nullptr || dynamic_cast<TRadioButton*>(C) != nullptr) return Mark(C);
        if (auto* combo = dynamic_cast<TCustomComboBox*>(C)) return Combo(combo);
        if (auto* field = dynamic_cast<TMyEdit*>(C)) return Field(field);
        if (auto* cell = dynamic_cast<TClickEdit*>(C)) return Cell(cell);
        if (auto* mask = dynamic_cast<TCustomMaskEdit*>(C)) return Masked(mask);
        if (auto* edit = dynamic_cast<TCustomEdit*>(C);
            edit != nullptr && dynamic_cast<TMyEdit*>(C->GetParent()) == nullptr)
            return Edit(edit, edit->GetText());
    }

    // A label's text stays inside the label (unless it sizes itself), inside its parent, and clear of the
    // windowed controls beside it, which would paint over it.
    void Label(TCustomLabel* L) {
        const std::string text = L->GetText();
        if (text.empty() || !L->GetVisible()) return;
        UINT flags = L->ShowAccelChar ? 0 : DT_NOPREFIX;
        if (L->GetWordWrap()) {
            const TSize s = MeasureText(L->Font(), text, flags | DT_WORDBREAK, L->GetWidth());
            Check(L, text, s.cx, L->GetWidth());
            Check(L, text + " (lines)", s.cy, L->GetHeight());
            return;
        }
        const int w = Width(L->Font(), text, flags | DT_SINGLELINE);
        if (!L->GetAutoSize()) Check(L, text, w, L->GetWidth());
        int left = L->GetLeft();
        if (L->GetAlignment() == taRightJustify) left = L->GetLeft() + L->GetWidth() - w;
        else if (L->GetAlignment() == taCenter) left = L->GetLeft() + (L->GetWidth() - w) / 2;
        const int right = std::min(left + w, L->GetLeft() + std::max(L->GetWidth(), w));
        TWinControl* parent = L->GetParent();
        Check(L, text + " (in " + NameOf(parent) + ")", right, parent->ClientWidth());
        if (left < 0) Check(L, text + " (left of " + NameOf(parent) + ")", -left, 0);
        const int top = L->GetTop(), bottom = L->GetTop() + L->GetHeight();
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* other = dynamic_cast<TWinControl*>(parent->Controls(i));
            if (other == nullptr || !other->GetVisible()) continue;
            const int ol = other->GetLeft(), orr = other->GetLeft() + other->GetWidth();
            const int ot = other->GetTop(), ob = other->GetTop() + other->GetHeight();
            if (ot >= bottom || ob <= top || ol >= right || orr <= left) continue;
            // Text running under a control that starts inside the text.
            if (ol > left) Check(L, text + " (under " + NameOf(other) + ")", right - left, ol - left);
        }
    }

    void Button(TButton* B) {
        const std::string text = B->GetText();
        if (text.empty()) return;
        int room = B->ClientWidth() - 8;
        if (auto* bit = dynamic_cast<TBitBtn*>(B); bit != nullptr && !bit->Glyph()->Empty())
            room -= bit->Glyph()->GetWidth() / std::max(1, bit->NumGlyphs) + bit->Spacing;
        Check(B, text, Width(B->Font(), text), room);
    }

    void Speed(TSpeedButton* B) {
        const std::string text = B->GetText();
        if (text.empty()) return;
        int room = B->GetWidth() - 4;
        if (!B->Glyph()->Empty()) room -= B->Glyph()->GetWidth() + 4;
        Check(B, text, Width(B->Font(), text), room);
    }

    // Check boxes and radio buttons: the mark and its gap take 17 pixels.
    void Mark(TControl* C) {
        const std::string text = C->GetText();
        if (text.empty()) return;
        Check(C, text, Width(C->Font(), text), C->GetWidth() - 17);
    }

    void Combo(TCustomComboBox* C) {
        const int room = C->GetWidth() - GetSystemMetrics(SM_CXVSCROLL) - 4;
        for (int i = 0; i < C->Items()->GetCount(); ++i) {
            const std::string item = C->Items()->Strings(i);
            Check(C, item, Width(C->Font(), item, DT_SINGLELINE | DT_NOPREFIX), room);
        }
    }

    // The text room of an edit box: its client area less its margins.
    void Edit(TCustomEdit* E, const std::string& Text) {
        if (Text.empty()) return;
        const LRESULT margins = SendMessage(E->GetHandle(), EM_GETMARGINS, 0, 0);
        const int room = E->ClientWidth() - LOWORD(static_cast<DWORD>(margins)) - HIWORD(static_cast<DWORD>(margins));
        Check(E, Text, Width(E->Font(), Text, DT_SINGLELINE | DT_NOPREFIX), room);
    }

    // A masked field with every position filled.
    void Masked(TCustomMaskEdit* E) {
        std::string full = E->GetEditText();
        for (char& c : full)
            if (c == '_' || c == ' ') c = '0';
        Edit(E, full);
    }

    // Every value the field can step to, in its edit box.
    void Field(TMyEdit* F) {
        for (int code = F->LowestCode(); code <= F->HighestCode(); ++code)
            Edit(F->EditBox(), EditTypeText(F->GetEditType(), code));
    }

    // Every value of the cell's range, centred in its frame.
    void Cell(TClickEdit* C) {
        const int value = C->GetValue();
        for (int v = C->GetMin(); v <= C->GetMax(); ++v) {
            C->SetValue(v);
            const std::string text = C->DisplayText();
            Check(C, text, Width(C->Font(), text), C->GetWidth() - 4);
        }
        C->SetValue(value);
    }

    std::string window_;
};

}  // namespace zel::test
