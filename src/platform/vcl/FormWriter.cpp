#include "platform/vcl/FormWriter.h"

#include "platform/vcl/Forms.h"

namespace zel {

namespace {

// The registered class whose property table describes the component: its own class, or for a form of the
// program's own class the form class.
std::string TableClassOf(TComponent& Component) {
    if (FindComponentClass(Component.ClassName()) != nullptr) return Component.ClassName();
    if (dynamic_cast<TCustomForm*>(&Component) != nullptr) return "TForm";
    throw EWriteError("Class " + Component.ClassName() + " is not registered");
}

// Whether the root writes Child directly under Parent.
bool IsChildOf(TComponent& Child, TComponent& Parent, TComponent& Root) {
    if (auto* control = dynamic_cast<TControl*>(&Child)) {
        TComponent* parent = control->GetParent();
        return parent == &Parent || (parent == nullptr && &Parent == &Root);
    }
    return &Parent == &Root;
}

class TComponentWriting {
public:
    TComponentWriting(TComponent& root, TComponent* ancestor) : root_(root), ancestor_(ancestor) {}

    std::unique_ptr<TFormObject> Write(TComponent& Component, TComponent* Ancestor) {
        auto object = std::make_unique<TFormObject>();
        object->Name = Component.GetName();
        object->ClassName = Component.ClassName();
        std::vector<std::pair<std::string, TFormValue>> props;
        WriteProperties(Component, TableClassOf(Component), Ancestor, props);
        for (auto& [name, value] : props) object->Properties.push_back(TFormProperty{name, std::move(value), 0});
        for (int i = 0; i < root_.ComponentCount(); ++i) {
            TComponent* child = root_.Components(i);
            if (child == &Component || !IsChildOf(*child, Component, root_)) continue;
            TComponent* childAncestor = ancestor_ != nullptr ? ancestor_->FindComponent(child->GetName()) : nullptr;
            object->Children.push_back(Write(*child, childAncestor));
        }
        return object;
    }

private:
    TComponent& root_;
    TComponent* ancestor_ = nullptr;
};

}  // namespace

std::unique_ptr<TFormObject> WriteComponent(TComponent& Component, TComponent* Ancestor) {
    return TComponentWriting(Component, Ancestor).Write(Component, Ancestor);
}

std::string WriteComponentText(TComponent& Component, TComponent* Ancestor) {
    return WriteFormText(*WriteComponent(Component, Ancestor));
}

}  // namespace zel
