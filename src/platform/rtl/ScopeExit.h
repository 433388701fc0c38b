#pragma once
// A clean-up that runs when the enclosing scope ends, whether it ends normally or by an exception:
//   TScopeExit restore([&] { canvas_->SetHandle(nullptr); });
#include <exception>
#include <utility>

namespace zel {

template <class F>
class TScopeExit {
public:
    explicit TScopeExit(F Cleanup) : cleanup_(std::move(Cleanup)) {}
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

    // A clean-up that throws while an exception is already leaving the scope is dropped, so that the
    // first failure is the one reported; after a normal exit its exception leaves the scope.
    ~TScopeExit() noexcept(false) {
        if (std::uncaught_exceptions() > exceptions_) {
            try {
                cleanup_();
            } catch (...) {
            }
        } else {
            cleanup_();
        }
    }

private:
    F cleanup_;
    int exceptions_ = std::uncaught_exceptions();
};

}  // namespace zel
