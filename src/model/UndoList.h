#pragma once
// The undo history of an editor window: before a change is stored, the old values of the changed bytes
// are pushed as one group; Undo pops the newest group and writes it back. The list knows only byte
// positions and old values, nothing of blocks or windows.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/rtl/System.h"

namespace zel {

// One undo record: one byte of a change.
class TUndoElem : public TObject {
public:
    std::string ClassName() const override { return "TUndoElem"; }

    std::uint8_t GroupSize = 1;  // the number of bytes changed together with this one
    std::uint8_t OldValue = 0;   // the byte's value before the change
    std::uint16_t Position = 0;  // the byte's position in its block
};

class TUndoList : public TObject {
public:
    std::string ClassName() const override { return "TUndoList"; }

    // Appends one record per old byte, at position, position + 1, ..., each with the group size n (the
    // highest position last). Nothing is pushed for no bytes; more than 255 bytes raise EInvalidOperation.
    void Push(std::uint16_t position, std::span<const std::uint8_t> oldBytes);
    // Takes the newest record off the list and returns its fields; false (outputs untouched) when empty.
    bool Pop(std::uint16_t& position, std::uint8_t& oldValue, std::uint8_t& groupSize);
    void Clear();
    // The number of records: the editors enable Undo and Revert while it is above 0.
    int Count() const { return static_cast<int>(items_.size()); }
    const TUndoElem& Items(int index) const { return *items_.at(static_cast<std::size_t>(index)); }

private:
    std::vector<std::unique_ptr<TUndoElem>> items_;  // oldest first
};

}  // namespace zel
