#pragma once
// Writing forms as data: the component writer turns a component and the components it holds into the
// object/property text the form reader reads. Each property is written through its class's property
// table (getter, default, stored test) and the object's DefineProperties; against an ancestor only what
// differs from the ancestor is written.
#include <memory>
#include <string>

#include "platform/rtl/FormText.h"
#include "platform/vcl/FormReader.h"

namespace zel {

// The component as an object tree. The children of a form are the components it owns: each control
// under its parent control, the other components at the top, in the order the form owns them. With an
// Ancestor, each component is compared with the ancestor's component of the same name.
std::unique_ptr<TFormObject> WriteComponent(TComponent& Component, TComponent* Ancestor = nullptr);
// The same as text.
std::string WriteComponentText(TComponent& Component, TComponent* Ancestor = nullptr);

}  // namespace zel
