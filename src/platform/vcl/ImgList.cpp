#include "platform/vcl/ImgList.h"

#include <algorithm>

#include "platform/vcl/FormReader.h"

namespace zel {

COLORREF ImageListColor(TColor Color) {
    if (Color == clNone) return CLR_NONE;
    if (Color == clDefault) return CLR_DEFAULT;
    return static_cast<COLORREF>(ColorToRGB(Color)) & 0xFFFFFF;
}

// ------------------------------------------------------------------------------------------- TChangeLink

TChangeLink::~TChangeLink() {
    if (Sender != nullptr) Sender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange) OnChange(Sender);
}

// ------------------------------------------------------------------------------------- TCustomImageList

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : clients_) link->Sender = nullptr;
    clients_.clear();
    if (handle_ != nullptr) ImageList_Destroy(handle_);
}

void TCustomImageList::AfterConstruction() {
    TComponent::AfterConstruction();
    Initialize();
}

void TCustomImageList::Initialize() {}

HIMAGELIST TCustomImageList::GetHandle() {
    if (handle_ == nullptr) RecreateHandle();
    return handle_;
}

void TCustomImageList::RecreateHandle() {
    HIMAGELIST next = ImageList_Create(width_, height_, ILC_COLOR32 | (masked_ ? ILC_MASK : 0), allocBy_, allocBy_);
    if (handle_ != nullptr) ImageList_Destroy(handle_);
    handle_ = next;
    ImageList_SetBkColor(handle_, ImageListColor(bkColor_));
}

void TCustomImageList::SetWidth(int Value) {
    if (Value == width_ || Value < 0) return;
    width_ = Value;
    if (handle_ != nullptr) ImageList_SetIconSize(handle_, width_, height_);
    Clear();
}

void TCustomImageList::SetHeight(int Value) {
    if (Value == height_ || Value < 0) return;
    height_ = Value;
    if (handle_ != nullptr) ImageList_SetIconSize(handle_, width_, height_);
    Clear();
}

void TCustomImageList::SetMasked(bool Value) {
    if (Value == masked_) return;
    masked_ = Value;
    if (handle_ != nullptr) RecreateHandle();
    Change();
}

void TCustomImageList::SetBkColor(TColor Value) {
    bkColor_ = Value;
    if (handle_ != nullptr) ImageList_SetBkColor(handle_, ImageListColor(Value));
    Change();
}

int TCustomImageList::Count() { return handle_ != nullptr ? ImageList_GetImageCount(handle_) : 0; }

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
    if (Image == nullptr) return -1;
    const int result = ImageList_Add(GetHandle(), Image->GetHandle(), Mask != nullptr ? Mask->GetHandle() : nullptr);
    Change();
    return result;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
    if (Image == nullptr) return -1;
    const int result = MaskColor == clNone
                           ? ImageList_Add(GetHandle(), Image->GetHandle(), nullptr)
                           : ImageList_AddMasked(GetHandle(), Image->GetHandle(), ImageListColor(MaskColor));
    Change();
    return result;
}

void TCustomImageList::Delete(int Index) {
    if (Index < -1 || Index >= Count()) throw EInvalidOperation(SImageIndexError);
    if (handle_ != nullptr) ImageList_Remove(handle_, Index);
    Change();
}

void TCustomImageList::Clear() { Delete(-1); }

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
    if (Canvas == nullptr || handle_ == nullptr || Index < 0 || Index >= Count()) return;
    static const UINT kStyles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
    const UINT style = kStyles[DrawingStyle] | (ImageType == itMask ? ILD_MASK : 0);
    DoDraw(Index, Canvas, X, Y, style, Enabled);
}

void TCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) {
    HDC dc = Canvas->GetHandle();
    if (Enabled) {
        ImageList_DrawEx(handle_, Index, dc, X, Y, 0, 0, ImageListColor(bkColor_), ImageListColor(BlendColor), Style);
        return;
    }
    // The image drawn onto white on a monochrome bitmap leaves its dark pixels black; those pixels are then
    // painted with the brush where the source is black (the monochrome copy's black bits take the text
    // colour, black).
    HBITMAP mono = CreateBitmap(width_, height_, 1, 1, nullptr);
    HDC monoDC = CreateCompatibleDC(nullptr);
    HGDIOBJ oldMono = SelectObject(monoDC, mono);
    PatBlt(monoDC, 0, 0, width_, height_, WHITENESS);
    ImageList_DrawEx(handle_, Index, monoDC, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
    constexpr DWORD kPatternWhereSourceBlack = 0x00B8074A;  // ((D xor P) and S) xor P
    const COLORREF oldText = SetTextColor(dc, 0x000000), oldBk = ::zel::SetBkColor(dc, 0xFFFFFF);
    const TColor colors[] = {clBtnHighlight, clBtnShadow};
    const int offsets[] = {1, 0};
    for (int k = 0; k < 2; ++k) {
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(colors[k])) & 0xFFFFFF);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        BitBlt(dc, X + offsets[k], Y + offsets[k], width_, height_, monoDC, 0, 0, kPatternWhereSourceBlack);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
    }
    SetTextColor(dc, oldText);
    ::zel::SetBkColor(dc, oldBk);
    SelectObject(monoDC, oldMono);
    DeleteDC(monoDC);
    DeleteObject(mono);
}

void TCustomImageList::Change() {
    const std::vector<TChangeLink*> links = clients_;
    for (TChangeLink* link : links) link->Change();
    if (OnChange) OnChange(this);
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
    if (Value == nullptr || std::find(clients_.begin(), clients_.end(), Value) != clients_.end()) return;
    if (Value->Sender != nullptr && Value->Sender != this) Value->Sender->UnRegisterChanges(Value);
    Value->Sender = this;
    clients_.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
    auto it = std::find(clients_.begin(), clients_.end(), Value);
    if (it == clients_.end()) return;
    clients_.erase(it);
    Value->Sender = nullptr;
}

void TCustomImageList::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TCustomImageList*>(Source);
    if (src == nullptr) {
        TComponent::Assign(Source);
        return;
    }
    if (src == this) return;
    width_ = src->width_;
    height_ = src->height_;
    allocBy_ = src->allocBy_;
    masked_ = src->masked_;
    bkColor_ = src->bkColor_;
    BlendColor = src->BlendColor;
    DrawingStyle = src->DrawingStyle;
    ImageType = src->ImageType;
    ShareImages = src->ShareImages;
    if (handle_ != nullptr) ImageList_Destroy(handle_);
    handle_ = src->handle_ != nullptr ? ImageList_Duplicate(src->handle_) : nullptr;
    Change();
}

void TCustomImageList::DefineProperties(TFiler* Filer) {
    Filer->DefineBinaryProperty(
        "Bitmap", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, Count() > 0);
}

void TCustomImageList::WriteData(TStream& Stream) { ImageList_Write(GetHandle(), Stream); }

void TCustomImageList::ReadData(TStream& Stream) {
    HIMAGELIST read = ImageList_Read(Stream);
    if (read == nullptr) throw EReadError(SImageReadFail);
    if (handle_ != nullptr) ImageList_Destroy(handle_);
    handle_ = read;
    ImageList_GetIconSize(handle_, &width_, &height_);
    masked_ = (ImageList_GetFlags(handle_) & ILC_MASK) != 0;
    const COLORREF bk = ImageList_GetBkColor(handle_);
    bkColor_ = bk == CLR_NONE ? clNone : static_cast<TColor>(bk);
    Change();
}

void RegisterImageListClasses() {
    RegisterPersistent<TBitmap>("TBitmap", "");
    RegisterComponent<TCustomImageList>("TCustomImageList", "TComponent")
        .Int(
            "AllocBy", [](TCustomImageList& l, int v) { l.SetAllocBy(v); },
            [](TCustomImageList& l) { return l.GetAllocBy(); })
        .Default(4)
        .Custom(
            "BkColor", [](TCustomImageList& l, const TFormValue& v, TReadContext& ctx) { l.SetBkColor(ctx.Color(v)); },
            [](TCustomImageList& l) { return IntValue(static_cast<std::int32_t>(l.GetBkColor())); })
        .Default(IntValue(static_cast<std::int32_t>(clNone)))
        .Custom(
            "BlendColor",
            [](TCustomImageList& l, const TFormValue& v, TReadContext& ctx) { l.BlendColor = ctx.Color(v); },
            [](TCustomImageList& l) { return IntValue(static_cast<std::int32_t>(l.BlendColor)); })
        .Default(IntValue(static_cast<std::int32_t>(clNone)))
        .Enum<TDrawingStyle>(
            "DrawingStyle",
            {{"dsFocus", dsFocus},
             {"dsSelected", dsSelected},
             {"dsNormal", dsNormal},
             {"dsTransparent", dsTransparent}},
            [](TCustomImageList& l, TDrawingStyle v) { l.DrawingStyle = v; },
            [](TCustomImageList& l) { return l.DrawingStyle; })
        .DefaultIdent("dsNormal")
        .Int(
            "Height", [](TCustomImageList& l, int v) { l.SetHeight(v); },
            [](TCustomImageList& l) { return l.GetHeight(); })
        .Default(16)
        .Enum<TImageType>(
            "ImageType", {{"itImage", itImage}, {"itMask", itMask}},
            [](TCustomImageList& l, TImageType v) { l.ImageType = v; }, [](TCustomImageList& l) { return l.ImageType; })
        .DefaultIdent("itImage")
        .Bool(
            "Masked", [](TCustomImageList& l, bool v) { l.SetMasked(v); },
            [](TCustomImageList& l) { return l.GetMasked(); })
        .Default(true)
        .Bool(
            "ShareImages", [](TCustomImageList& l, bool v) { l.ShareImages = v; },
            [](TCustomImageList& l) { return l.ShareImages; })
        .Default(false)
        .Int(
            "Width", [](TCustomImageList& l, int v) { l.SetWidth(v); },
            [](TCustomImageList& l) { return l.GetWidth(); })
        .Default(16)
        .Event("OnChange", &TCustomImageList::OnChange);
    RegisterComponent<TImageList>("TImageList", "TCustomImageList");
    RegisterComponent<TDragImageList>("TDragImageList", "TCustomImageList");
}

// ---------------------------------------------------------------------------------------------- drag images

namespace {

constexpr const char* kDragImageClass = "ZelDragImage";

// The drag image's window paints the list's drag image and lets the mouse through to what lies below.
LRESULT DragImageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_NCHITTEST: return HTTRANSPARENT;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (auto* list = reinterpret_cast<TDragImageList*>(GetWindowLongPtr(hwnd, GWL_USERDATA)))
                ImageList_Draw(list->GetHandle(), list->GetDragIndex(), dc, 0, 0, ILD_NORMAL);
            EndPaint(hwnd, &ps);
            return 0;
        }
        default: return DefWindowProc(hwnd, msg, wp, lp);
    }
}

void RegisterDragImageClass() {
    WNDCLASS wc;
    if (GetClassInfo(nullptr, kDragImageClass, &wc)) return;
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = DragImageProc;
    wc.lpszClassName = kDragImageClass;
    RegisterClass(&wc);
}

}  // namespace

TDragImageList::~TDragImageList() { EndDrag(); }

TPoint TDragImageList::ToScreen(int X, int Y) const {
    POINT p{X, Y};
    if (origin_ != nullptr) ClientToScreen(origin_, &p);
    return TPoint{p.x, p.y};
}

bool TDragImageList::BeginDrag(HWND Window, int X, int Y) {
    if (window_ != nullptr || dragIndex_ < 0 || dragIndex_ >= Count()) return false;
    RegisterDragImageClass();
    origin_ = Window;
    const TPoint at = ToScreen(X, Y);
    window_ = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE, kDragImageClass,
                             "", WS_POPUP, at.x, at.y, GetWidth(), GetHeight(), nullptr, nullptr, nullptr, nullptr);
    if (window_ == nullptr) return false;
    SetWindowLongPtr(window_, GWL_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

bool TDragImageList::DragMove(int X, int Y) {
    if (window_ == nullptr) return false;
    const TPoint at = ToScreen(X, Y);
    SetWindowPos(window_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

bool TDragImageList::EndDrag() {
    if (window_ == nullptr) return false;
    DestroyWindow(window_);
    window_ = nullptr;
    origin_ = nullptr;
    return true;
}

void TDragImageList::HideDragImage() {
    if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

void TDragImageList::ShowDragImage() {
    if (window_ == nullptr) return;
    ShowWindow(window_, SW_SHOWNA);
    UpdateWindow(window_);
}

}  // namespace zel
