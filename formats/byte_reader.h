#pragma once
// A read-only view of bytes that came from outside the program (a file, a
// mapping, a library member). Every accessor checks its range against the
// view first and reports failure with an empty optional, so a reader of an
// untrusted file cannot index past what it was given, however corrupt the
// offsets and counts inside the file are.
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>

namespace formats {

static_assert(std::endian::native == std::endian::little,
              "records are copied byte for byte; the files are little-endian");

class ByteReader {
public:
    ByteReader() = default;
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    ByteReader(const void* data, std::size_t size) : bytes_(static_cast<const std::uint8_t*>(data), size) {}
    explicit ByteReader(std::string_view bytes) : ByteReader(bytes.data(), bytes.size()) {}

    std::size_t size() const { return bytes_.size(); }
    std::span<const std::uint8_t> bytes() const { return bytes_; }

    // True when [offset, offset + length) lies inside the view. Offsets and
    // lengths are 64-bit so that u32 offsets plus u16 counts times record
    // sizes never wrap.
    bool contains(std::uint64_t offset, std::uint64_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }

    // The sub-view [offset, offset + length), or nothing when it leaves the view.
    std::optional<ByteReader> slice(std::uint64_t offset, std::uint64_t length) const {
        if (!contains(offset, length)) return std::nullopt;
        return ByteReader(bytes_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length)));
    }

    std::optional<std::uint8_t> u8(std::uint64_t offset) const { return scalar<std::uint8_t>(offset); }
    std::optional<std::uint16_t> u16(std::uint64_t offset) const { return scalar<std::uint16_t>(offset); }
    std::optional<std::uint32_t> u32(std::uint64_t offset) const { return scalar<std::uint32_t>(offset); }

    // A packed little-endian record copied out of the view (no unaligned access).
    template <class Record>
    std::optional<Record> record(std::uint64_t offset) const {
        static_assert(std::is_trivially_copyable_v<Record>);
        if (!contains(offset, sizeof(Record))) return std::nullopt;
        Record out;
        std::memcpy(&out, bytes_.data() + offset, sizeof(Record));
        return out;
    }

    // Record `index` of a table of `count` records at `table_offset`; fails when
    // the index is outside the table or the table outside the view.
    template <class Record>
    std::optional<Record> table_entry(std::uint64_t table_offset, std::uint64_t count, std::uint64_t index) const {
        if (index >= count || !contains_table<Record>(table_offset, count)) return std::nullopt;
        return record<Record>(table_offset + index * sizeof(Record));
    }

    // True when a whole table of `count` records at `offset` lies inside the
    // view; divides instead of multiplying so a huge count cannot wrap.
    template <class Record>
    bool contains_table(std::uint64_t offset, std::uint64_t count) const {
        return offset <= bytes_.size() && count <= (bytes_.size() - offset) / sizeof(Record);
    }

    // The NUL-terminated string at `offset`, without its terminator; fails when
    // the offset is outside the view or no NUL follows before its end.
    std::optional<std::string_view> c_string(std::uint64_t offset) const {
        if (offset >= bytes_.size()) return std::nullopt;
        const auto* start = bytes_.data() + offset;
        const auto* nul =
            static_cast<const std::uint8_t*>(std::memchr(start, 0, bytes_.size() - static_cast<std::size_t>(offset)));
        if (nul == nullptr) return std::nullopt;
        return std::string_view(reinterpret_cast<const char*>(start), static_cast<std::size_t>(nul - start));
    }

private:
    template <class T>
    std::optional<T> scalar(std::uint64_t offset) const {
        return record<T>(offset);
    }

    std::span<const std::uint8_t> bytes_;
};

}  // namespace formats
