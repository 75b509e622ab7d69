#include "ide/debugger/breakpoint_list.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/os/file.h"
#include "platform/os/text.h"

namespace ide {

namespace {

std::string_view PathOf(const formats::BreakPointRecord& record) {
    return {record.source_path, strnlen(record.source_path, sizeof record.source_path)};
}

bool Matches(const formats::BreakPointRecord& record, std::uint32_t line, std::string_view path) {
    return record.line == line && os::equals_ignore_case(PathOf(record), path);
}

}  // namespace

int CVyrBreakPointMgr::Find(std::uint32_t line, std::string_view path) const {
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (Matches(records_[i], line, path)) return static_cast<int>(i);
    }
    return kRefused;
}

int CVyrBreakPointMgr::Add(std::uint32_t line, std::string_view path) {
    if (line > 0xFFFF || path.size() >= formats::kBreakPointPathSize) return kRefused;
    if (const int found = Find(line, path); found != kRefused) return found;
    formats::BreakPointRecord record{};
    record.line = static_cast<std::uint16_t>(line);
    std::memcpy(record.source_path, path.data(), path.size());
    records_.push_back(record);
    return static_cast<int>(records_.size() - 1);
}

template <class Match>
void CVyrBreakPointMgr::RemoveIf(Match match) {
    records_.erase(std::remove_if(records_.begin(), records_.end(), match), records_.end());
}

void CVyrBreakPointMgr::Remove(std::uint32_t line, std::string_view path) {
    RemoveIf([&](const formats::BreakPointRecord& record) { return Matches(record, line, path); });
}

void CVyrBreakPointMgr::RemoveFile(std::string_view path) {
    RemoveIf([&](const formats::BreakPointRecord& record) { return os::equals_ignore_case(PathOf(record), path); });
}

std::int64_t CVyrBreakPointMgr::GetTargetId(std::uint32_t line, std::string_view path) const {
    for (const auto& record : records_) {
        if (Matches(record, line, path)) return record.target_word;
    }
    return -1;
}

void CVyrBreakPointMgr::SetTargetId(int index, std::uint32_t target_word) {
    if (index >= 0 && index < GetCount()) records_[static_cast<std::size_t>(index)].target_word = target_word;
}

void CVyrBreakPointMgr::SetLine(int index, std::uint16_t line) {
    if (index >= 0 && index < GetCount()) records_[static_cast<std::size_t>(index)].line = line;
}

void CVyrBreakPointMgr::RemoveAt(int index) {
    if (index >= 0 && index < GetCount()) records_.erase(records_.begin() + index);
}

const formats::BreakPointRecord* CVyrBreakPointMgr::GetBreakPoint(int index) const {
    return index >= 0 && index < GetCount() ? &records_[static_cast<std::size_t>(index)] : nullptr;
}

namespace {
// No session sets anywhere near this many breakpoints.
constexpr std::uint64_t kLargestBreakPointFile = 65536 * sizeof(formats::BreakPointRecord);
}  // namespace

bool CVyrBreakPointMgr::LoadBreakPoints(std::string_view file_path) {
    const auto bytes = os::read_file(file_path, kLargestBreakPointFile);
    if (!bytes) return false;
    constexpr std::size_t kSize = sizeof(formats::BreakPointRecord);
    for (std::size_t at = 0; at + kSize <= bytes->size(); at += kSize) {
        formats::BreakPointRecord record;
        std::memcpy(&record, bytes->data() + at, kSize);
        record.source_path[formats::kBreakPointPathSize - 1] = '\0';
        if (os::file_exists(PathOf(record))) records_.push_back(record);
    }
    return true;
}

bool CVyrBreakPointMgr::SaveBreakPoints(std::string_view file_path) const {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(records_.data());
    return os::write_file(file_path, std::span(bytes, records_.size() * sizeof(formats::BreakPointRecord))).ok();
}

}  // namespace ide
