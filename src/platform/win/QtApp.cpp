#include "platform/win/QtApp.h"

#include <QApplication>
#include <QCoreApplication>

namespace zel {

void EnsureQtApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    // Lives until the process ends: Qt wants one application object for the whole run.
    static int argc = 1;
    static char arg0[] = "zelmovi";
    static char* argv[] = {arg0, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

}  // namespace zel
