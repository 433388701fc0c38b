#pragma once
// The sub-menu editor of design mode: a caption bar with the menu of a sub-item's links open right below it,
// so that links can be dragged into, within and out of the menu while customizing. Moving the caption bar
// takes the menu along; the close button closes both. One editor exists at most.
#include <string>

#include "platform/vcl/Forms.h"
#include "uilib/base/uiClasses.h"

namespace zel {

class TubBarItemLinks;
class TubBarSubMenuControl;

class TubBarSubMenuEditor : public TForm {
public:
    explicit TubBarSubMenuEditor(TComponent* AOwner);
    ~TubBarSubMenuEditor() override;
    std::string ClassName() const override { return "TubBarSubMenuEditor"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // The links it edits; binding to none frees the editor (later, once the message is handled).
    TubBarItemLinks* ItemLinks() const { return links_; }
    void SetItemLinks(TubBarItemLinks* Value);
    // The menu window of the links while it is open below the editor; nullptr otherwise.
    TubBarSubMenuControl* MenuWindow() const;
    // Closes the menu window below the editor.
    void CloseMenuWindow();
    // Opens the links' menu window below the editor (made when missing) and takes its width; the menu stays
    // shut while an item is dragged that may not go into the links (a sub-item into its own menu).
    void ShowMenuWindow();

    // ---- handlers
    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormDestroy(TObject* Sender);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The menu window follows the editor's bottom edge.
    void PlaceMenuWindow();
    void Unbind();

    TubBarItemLinks* links_ = nullptr;
    TComponent* linksOwner_ = nullptr;  // the component whose links they are, watched for its end
    TuiObjectLink* menu_ = nullptr;     // the menu window; its manager may free it first
    bool ownsMenu_ = false;             // the editor made the menu window
    int width_ = 0;                     // the menu window's width, kept as the editor's
};

// Enters customizing mode for the links' manager and shows the editor on them (making it once).
void EditSubMenu(TubBarItemLinks* ALinks);
// The open editor; nullptr when none is open.
TubBarSubMenuEditor* SubMenuEditor();
// Frees the open editor (customizing ends).
void CloseSubMenuEditor();

}  // namespace zel
