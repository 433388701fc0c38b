#include "platform/rtl/Units.h"

#include <exception>

namespace zel {

TUnitRows JoinUnitRows(std::initializer_list<TUnitRows> Layers) {
    TUnitRows all;
    for (const TUnitRows& rows : Layers) all.insert(all.end(), rows.begin(), rows.end());
    return all;
}

void TUnitList::Start() {
    const int first = started_;
    while (started_ < static_cast<int>(rows_.size())) {
        const TUnitRow& row = rows_[static_cast<std::size_t>(started_)];
        if (OnStep) OnStep("start", row.Name);
        try {
            if (row.Startup) row.Startup();
        } catch (...) {
            try {
                StopDownTo(first);
            } catch (...) {
                // The start's failure is the one reported.
            }
            throw;
        }
        ++started_;
    }
}

void TUnitList::Stop() { StopDownTo(0); }

void TUnitList::StopDownTo(int Count) {
    std::exception_ptr failure;
    while (started_ > Count) {
        --started_;
        const TUnitRow& row = rows_[static_cast<std::size_t>(started_)];
        if (OnStep) OnStep("stop", row.Name);
        try {
            if (row.Shutdown) row.Shutdown();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}

TUnitsScope::~TUnitsScope() {
    try {
        list_.Stop();
    } catch (...) {
        // A destructor cannot report it; callers that care call Stop themselves.
    }
}

}  // namespace zel
