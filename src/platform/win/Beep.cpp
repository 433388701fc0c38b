#include "platform/win/Beep.h"

#include <QApplication>

namespace zel {

namespace {

std::function<void(UINT)>& BeepSink() {
    static std::function<void(UINT)> sink;
    return sink;
}

}  // namespace

BOOL MessageBeep(UINT AType) {
    if (BeepSink()) BeepSink()(AType);
    else if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) QApplication::beep();
    return TRUE;
}

void Beep() { MessageBeep(0); }

void SetBeepSink(std::function<void(UINT AType)> ASink) { BeepSink() = std::move(ASink); }

}  // namespace zel
