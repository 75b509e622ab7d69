#include "ide/shell/bars/output_lines.h"

#include <cstring>

namespace ide {

namespace {
constexpr std::size_t kCommitStep = 4096;
constexpr std::size_t kFirstTextCommit = 0x8000;

std::size_t RoundUp(std::size_t bytes, std::size_t step) { return (bytes + step - 1) / step * step; }
}  // namespace

OutputLines::OutputLines(OutputLimits limits) : limits_(limits) {
    table_bytes_ = RoundUp(limits_.max_lines * sizeof(std::uint32_t), kCommitStep);
    auto reserved = os::ReservedMemory::reserve(table_bytes_ + limits_.text_bytes);
    if (!reserved) return;
    const std::size_t first_text = std::min(kFirstTextCommit, limits_.text_bytes);
    if (!reserved->commit(table_bytes_ + first_text)) return;
    memory_ = std::move(reserved.value());
    table_ = reinterpret_cast<std::uint32_t*>(memory_.data());
    text_ = reinterpret_cast<char*>(memory_.data() + table_bytes_);
    committed_text_ = first_text;
}

bool OutputLines::MakeRoom(std::size_t bytes) {
    if (used_ + bytes <= committed_text_) return true;
    if (used_ + bytes > limits_.text_bytes) return false;
    const std::size_t wanted = std::min(RoundUp(used_ + bytes, kCommitStep), limits_.text_bytes);
    if (!memory_.commit(table_bytes_ + wanted)) return false;
    committed_text_ = wanted;
    return true;
}

bool OutputLines::Store(std::string_view line) {
    if (count_ >= limits_.max_lines) return false;
    std::memcpy(text_ + used_, line.data(), line.size());
    text_[used_ + line.size()] = '\0';
    table_[count_++] = static_cast<std::uint32_t>(used_);
    used_ += line.size() + 1;
    return true;
}

bool OutputLines::Append(std::string_view text) {
    if (!HasStorage() || count_ >= limits_.max_lines) return false;
    if (text.empty()) return true;
    // Each stored line takes at most one zero byte per separator run, plus
    // the last line's: the text's length and one byte always suffice.
    if (!MakeRoom(text.size() + 1)) return false;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = start;
        while (end < text.size() && !IsLineSeparator(static_cast<unsigned char>(text[end]))) ++end;
        if (!Store(text.substr(start, end - start))) return false;
        if (end == text.size()) break;
        while (end < text.size() && IsLineSeparator(static_cast<unsigned char>(text[end]))) ++end;
        if (end == text.size()) break;  // a final separator run adds no empty line
        start = end;
    }
    return true;
}

void OutputLines::Clear() {
    if (!HasStorage()) return;
    std::memset(table_, 0, count_ * sizeof(std::uint32_t));
    count_ = 0;
    used_ = 0;
}

std::string_view OutputLines::Line(std::size_t index) const {
    if (index >= count_) return {};
    const std::size_t end = index + 1 < count_ ? table_[index + 1] : used_;
    return std::string_view(text_ + table_[index], end - table_[index] - 1);
}

}  // namespace ide
