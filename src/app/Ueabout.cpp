#include "app/Ueabout.h"

#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Ueabout;
}

namespace {
const TFormClassRegistration registration("TFormeditorAbout", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormeditorAbout>(Owner);
});
}  // namespace

const TFormResource* TFormeditorAbout::FormResource() const { return &formres::Ueabout; }

void TFormeditorAbout::DefineBindings(TFormBindings& B) {
    B.Field("Panel1", Panel1);
    B.Field("ProductName", ProductName);
    B.Field("Version", Version);
    B.Field("OKButton", OKButton);
}

}  // namespace zel
