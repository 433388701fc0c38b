#pragma once
// The program's start-up and shutdown list: one row per unit, each with what it sets up when the program
// starts and what it tears down when it ends. The rows start first to last and stop last to first; when a
// start fails, the rows already started are stopped again and the failure goes on. Each layer owns its
// rows; the main block (and each test, for the layers it uses) starts the list through one scope.
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace zel {

struct TUnitRow {
    std::string Name;
    std::function<void()> Startup;   // empty: nothing to do
    std::function<void()> Shutdown;  // empty: nothing to do
};
using TUnitRows = std::vector<TUnitRow>;

// The rows of several layers, in order.
TUnitRows JoinUnitRows(std::initializer_list<TUnitRows> Layers);

class TUnitList {
public:
    explicit TUnitList(TUnitRows Rows) : rows_(std::move(Rows)) {}
    TUnitList(const TUnitList&) = delete;
    TUnitList& operator=(const TUnitList&) = delete;

    // Starts every row not yet started, first to last. When a row's start throws, the rows this call
    // started are stopped, last to first, and the exception is passed on.
    void Start();
    // Stops the started rows, last to first. A shutdown that throws does not keep the others from
    // stopping; the first failure is passed on afterwards.
    void Stop();
    int StartedCount() const { return started_; }
    const TUnitRows& Rows() const { return rows_; }

    // Told before each step: ("start" or "stop", the row's name).
    std::function<void(const std::string& Step, const std::string& Name)> OnStep;

private:
    void StopDownTo(int Count);
    TUnitRows rows_;
    int started_ = 0;
};

// Starts a list for its lifetime: started when made, stopped when it goes (Stop may be called before, to see
// a shutdown's failure; the destructor swallows one).
class TUnitsScope {
public:
    explicit TUnitsScope(TUnitRows Rows) : list_(std::move(Rows)) { list_.Start(); }
    ~TUnitsScope();
    TUnitsScope(const TUnitsScope&) = delete;
    TUnitsScope& operator=(const TUnitsScope&) = delete;
    void Stop() { list_.Stop(); }
    TUnitList& List() { return list_; }

private:
    TUnitList list_;
};

}  // namespace zel
