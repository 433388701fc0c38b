#pragma once
// The design environment's hook. A manager designs when its form is in the designing state; the pages, popup
// entries and dialogs that edit categories, commands and groups ask this hook before they add or delete a
// component, name a new one, select one or report a change. The program installs none: it never designs.
#include <string>

#include "platform/rtl/Classes.h"

namespace zel {

class TubBarManager;

class IubBarDesigner {
public:
    virtual ~IubBarDesigner() = default;
    // May a new item or group be added to the manager's owner?
    virtual bool CanAddComponent(TubBarManager* AManager) = 0;
    // May this item or group be deleted?
    virtual bool CanDeleteComponent(TComponent* AComponent) = 0;
    // A component name that nothing owned by the manager's owner has yet, made from the base name
    // ("ubBarButton" gives "ubBarButton1", ...).
    virtual std::string UniqueName(TubBarManager* AManager, const std::string& ABaseName) = 0;
    // Shows the component in the design environment (its properties), nullptr for none.
    virtual void SelectComponent(TComponent* AComponent) = 0;
    // Something the manager owns was changed by the user.
    virtual void Modified(TubBarManager* AManager) = 0;
};

// The installed hook; nullptr while none is installed (always, in the program).
IubBarDesigner* BarDesigner();
// Installs a hook (nullptr removes it); the caller keeps it alive while installed.
void SetBarDesigner(IubBarDesigner* ADesigner);

}  // namespace zel
