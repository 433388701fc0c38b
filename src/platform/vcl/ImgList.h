#pragma once
// Image lists of the windowing classes: a component over a system image list, with change links that tell
// the controls using it of every change, drawing enabled and disabled, and the "Bitmap" stream form (the
// bytes of ImageList_Write).
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/Streams.h"
#include "platform/vcl/VclGraphics.h"
#include "platform/win/ImageLists.h"

namespace zel {

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

inline constexpr const char* SImageIndexError = "Invalid ImageList Index";
inline constexpr const char* SImageReadFail = "Failed to read ImageList data from stream";

class TCustomImageList;

// Tells its owner (a control showing the list's images) of each change of the list it is registered with.
class TChangeLink : public TObject {
public:
    ~TChangeLink() override;
    std::string ClassName() const override { return "TChangeLink"; }
    virtual void Change();
    TCustomImageList* Sender = nullptr;
    TNotifyEvent OnChange;
};

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    ~TCustomImageList() override;
    std::string ClassName() const override { return "TCustomImageList"; }
    // Runs Initialize.
    void AfterConstruction() override;
    // From another image list: its size, settings and a copy of its images with their masks.
    void Assign(TPersistent* Source) override;

    // The system list, made on first use with the current size.
    HIMAGELIST GetHandle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    // A new size empties the list.
    void SetWidth(int Value);
    void SetHeight(int Value);
    int GetAllocBy() const { return allocBy_; }
    void SetAllocBy(int Value) { allocBy_ = Value; }
    bool GetMasked() const { return masked_; }
    // Masked lists keep a mask per image; changing it empties the list.
    void SetMasked(bool Value);
    int Count();

    // Adds the images cut from Image (Mask: white marks transparent pixels; nil: all opaque); answers the
    // first new index, or -1 when nothing could be added.
    virtual int Add(TBitmap* Image, TBitmap* Mask);
    // The pixels of MaskColor become transparent.
    virtual int AddMasked(TBitmap* Image, TColor MaskColor);
    // Index -1 empties the list; an index outside the list raises EInvalidOperation "Invalid ImageList Index".
    virtual void Delete(int Index);
    virtual void Clear();
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);

    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);

    // The "Bitmap" stream form, stored while the list holds images.
    void ReadData(TStream& Stream);
    void WriteData(TStream& Stream);
    void DefineProperties(TFiler* Filer) override;

    TColor GetBkColor() const { return bkColor_; }
    void SetBkColor(TColor Value);
    TColor BlendColor = clNone;
    TDrawingStyle DrawingStyle = dsNormal;
    TImageType ImageType = itImage;
    bool ShareImages = false;
    TNotifyEvent OnChange;

protected:
    virtual void Initialize();
    // Tells the change links and OnChange.
    virtual void Change();
    // Draws one image: enabled through the system list with the drawing style; disabled as an embossed
    // silhouette of its dark opaque pixels (clBtnHighlight one pixel down-right under clBtnShadow).
    virtual void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled);
    // Makes a new empty system list of the current size and settings.
    void RecreateHandle();

private:
    HIMAGELIST handle_ = nullptr;
    int width_ = 16;
    int height_ = 16;
    int allocBy_ = 4;
    bool masked_ = true;
    TColor bkColor_ = clNone;
    std::vector<TChangeLink*> clients_;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
    std::string ClassName() const override { return "TImageList"; }
};

// An image list that shows one of its images under the mouse while something is dragged: a window of its
// own above the others that never takes the activation nor the mouse.
class TDragImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
    ~TDragImageList() override;
    std::string ClassName() const override { return "TDragImageList"; }

    int GetDragIndex() const { return dragIndex_; }
    // Begins showing at the point (client coordinates of Window, screen coordinates without one); hidden
    // until ShowDragImage. False when already dragging or the image is missing.
    bool BeginDrag(HWND Window, int X, int Y);
    // Moves the image to the point (in BeginDrag's coordinates).
    bool DragMove(int X, int Y);
    bool EndDrag();
    void HideDragImage();
    void ShowDragImage();
    bool GetDragging() const { return window_ != nullptr; }
    // The image's window while dragging (nullptr otherwise).
    HWND DragWindow() const { return window_; }

private:
    TPoint ToScreen(int X, int Y) const;
    int dragIndex_ = 0;
    HWND window_ = nullptr;
    HWND origin_ = nullptr;
};

// Registers TBitmap (its "Data"), TCustomImageList, TImageList and TDragImageList with the form reader.
void RegisterImageListClasses();

// A TColor as the system list takes it: clNone CLR_NONE, clDefault CLR_DEFAULT, else its RGB value.
COLORREF ImageListColor(TColor Color);

}  // namespace zel
