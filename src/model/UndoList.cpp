#include "model/UndoList.h"

#include "platform/rtl/SysUtils.h"

namespace zel {

void TUndoList::Push(std::uint16_t position, std::span<const std::uint8_t> oldBytes) {
    if (oldBytes.size() > 255) throw EInvalidOperation("An undo group holds at most 255 bytes");
    const auto group = static_cast<std::uint8_t>(oldBytes.size());
    for (std::size_t i = 0; i < oldBytes.size(); ++i) {
        auto record = std::make_unique<TUndoElem>();
        record->GroupSize = group;
        record->OldValue = oldBytes[i];
        record->Position = static_cast<std::uint16_t>(position + i);
        items_.push_back(std::move(record));
    }
}

bool TUndoList::Pop(std::uint16_t& position, std::uint8_t& oldValue, std::uint8_t& groupSize) {
    if (items_.empty()) return false;
    const TUndoElem& newest = *items_.back();
    position = newest.Position;
    oldValue = newest.OldValue;
    groupSize = newest.GroupSize;
    items_.pop_back();
    return true;
}

void TUndoList::Clear() { items_.clear(); }

}  // namespace zel
