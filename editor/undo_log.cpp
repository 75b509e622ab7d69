#include "editor/undo_log.h"

#include <atomic>
#include <utility>

namespace editor {

UndoLog::UndoLog() : records_(kCapacity) {}

void UndoLog::Add(UndoRecord record) {
    if (top_ == kCapacity) {
        std::move(records_.begin() + kTrimCount, records_.end(), records_.begin());
        for (int i = kCapacity - kTrimCount; i < kCapacity; ++i) records_[static_cast<size_t>(i)] = UndoRecord{};
        position_ -= kTrimCount;
        top_ -= kTrimCount;
        // A saved state among the dropped records can no longer be reached.
        saved_position_ = saved_position_ >= kTrimCount ? saved_position_ - kTrimCount : -1;
    }
    // The saved state lay on the redo branch that this record replaces.
    if (saved_position_ > position_) saved_position_ = -1;
    records_[static_cast<size_t>(position_)] = std::move(record);
    for (int i = position_ + 1; i < top_; ++i) records_[static_cast<size_t>(i)] = UndoRecord{};
    ++position_;
    top_ = position_;
}

void UndoLog::Reset() {
    for (UndoRecord& record : records_) record = UndoRecord{};
    position_ = 0;
    top_ = 0;
    saved_position_ = 0;
}

uint32_t NextUndoGroupStamp() {
    static std::atomic<uint32_t> counter{0};
    uint32_t stamp = ++counter;
    return stamp != 0 ? stamp : ++counter;
}

}  // namespace editor
