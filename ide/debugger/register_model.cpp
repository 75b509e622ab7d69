#include "ide/debugger/register_model.h"

#include "formats/cpu_block.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace ide {

namespace {

constexpr int kPcByte = 0, kFlagsByte = 2, kStackByte = 3, kAByte = 4, kXByte = 5, kYByte = 6, kPByte = 7;

struct Field {
    int line, column;
    int byte;    // register byte (PC: its low byte)
    int nibble;  // register digits: 0 = the lowest nibble; flags: -1
    int bit;     // flags: the bit of byte 2
};

// The 21 fields in caret order: PC, SP, A, X, Y, P digits, then the flags.
constexpr Field kFields[RegisterModel::kFieldCount] = {
    {0, 8, kPcByte, 3, -1},     {0, 9, kPcByte, 2, -1},     {0, 10, kPcByte, 1, -1},   {0, 11, kPcByte, 0, -1},
    {0, 21, kStackByte, 1, -1}, {0, 22, kStackByte, 0, -1}, {1, 2, kAByte, 1, -1},     {1, 3, kAByte, 0, -1},
    {1, 8, kXByte, 1, -1},      {1, 9, kXByte, 0, -1},      {1, 14, kYByte, 1, -1},    {1, 15, kYByte, 0, -1},
    {1, 20, kPByte, 1, -1},     {1, 21, kPByte, 0, -1},     {2, 2, kFlagsByte, -1, 7}, {2, 8, kFlagsByte, -1, 6},
    {2, 14, kFlagsByte, -1, 4}, {2, 20, kFlagsByte, -1, 3}, {3, 2, kFlagsByte, -1, 2}, {3, 8, kFlagsByte, -1, 1},
    {3, 14, kFlagsByte, -1, 0},
};
constexpr int kFirstFlagField = 14;
constexpr int kFirstPField = 12;

std::string hex(unsigned value, int digits) {
    char text[8];
    std::snprintf(text, sizeof text, "%0*x", digits, value);
    return text;
}

int hex_value(char c) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower >= '0' && lower <= '9') return lower - '0';
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

}  // namespace

void RegisterModel::SetRegisterBlock(std::uint8_t* block) {
    block_ = block;
    TakeSnapshot();
}

void RegisterModel::TakeSnapshot() {
    if (block_) std::memcpy(snapshot_.data(), block_, snapshot_.size());
    stopped_ = false;
    edited_bytes_ = 0;
    edited_flags_ = 0;
}

std::vector<RegisterModel::DrawnValue> RegisterModel::Values() const {
    std::vector<DrawnValue> out;
    if (!block_) return out;
    const std::uint8_t* now = block_;
    const std::uint8_t* then = snapshot_.data();
    out.push_back({0, 8, hex(pc(now), 4), pc(now) != pc(then)});
    out.push_back({0, 21, hex(now[kStackByte], 2), now[kStackByte] != then[kStackByte]});
    out.push_back({1, 2, hex(now[kAByte], 2), now[kAByte] != then[kAByte]});
    out.push_back({1, 8, hex(now[kXByte], 2), now[kXByte] != then[kXByte]});
    out.push_back({1, 14, hex(now[kYByte], 2), now[kYByte] != then[kYByte]});
    out.push_back({1, 20, hex(now[kPByte], 2), now[kPByte] != then[kPByte]});
    for (int f = kFirstFlagField; f < kFieldCount; ++f) {
        const Field& field = kFields[f];
        const int bit = (now[kFlagsByte] >> field.bit) & 1;
        out.push_back({field.line, field.column, hex(static_cast<unsigned>(bit), 1),
                       bit != ((then[kFlagsByte] >> field.bit) & 1)});
    }
    return out;
}

std::string RegisterModel::OperandText() const {
    if (!block_) return {};
    namespace flag = formats::OperandFlag;
    const std::uint8_t flags = block_[12];
    if (!(flags & flag::kAddressValid)) return {};
    if (!(flags & flag::kValueValid)) return "????:????";
    const unsigned address = block_[8] | block_[9] << 8;
    const unsigned value = block_[10] | block_[11] << 8;
    // The simulator marks a word operand; anything else is one byte.
    const bool word = flags & flag::kValueIsWord;
    char text[16];
    std::snprintf(text, sizeof text, word ? "%04X:%04X" : "%04X:%02X", address, word ? value : value & 0xFF);
    return text;
}

int RegisterModel::field_line() const { return kFields[field_].line; }
int RegisterModel::field_column() const { return kFields[field_].column; }

void RegisterModel::Click(int line, int column) {
    int found = -1;
    for (int f = 0; f < kFieldCount; ++f) {
        if (kFields[f].line == line && kFields[f].column <= column) found = f;
    }
    if (found < 0) {
        for (int f = 0; f < kFieldCount && found < 0; ++f) {
            if (kFields[f].line == line) found = f;
        }
    }
    if (found >= 0) field_ = found;
}

void RegisterModel::restore_field() {
    const Field& field = kFields[field_];
    if (field.bit >= 0) {
        const std::uint8_t mask = static_cast<std::uint8_t>(1u << field.bit);
        block_[kFlagsByte] = static_cast<std::uint8_t>((block_[kFlagsByte] & ~mask) | (snapshot_[kFlagsByte] & mask));
    } else if (field.byte == kPcByte) {
        block_[0] = snapshot_[0];
        block_[1] = snapshot_[1];
    } else {
        block_[field.byte] = snapshot_[static_cast<std::size_t>(field.byte)];
    }
}

void RegisterModel::Key(RegisterKey key) {
    if (!block_) return;
    switch (key) {
        case RegisterKey::Left:
        case RegisterKey::Up: field_ = std::max(field_ - 1, 0); break;
        case RegisterKey::Right:
        case RegisterKey::Down: field_ = std::min(field_ + 1, kFieldCount - 1); break;
        case RegisterKey::Escape:
            if (stopped_) restore_field();
            break;
        case RegisterKey::Other: break;
    }
}

void RegisterModel::Type(char character) {
    if (!block_ || !stopped_) return;
    const Field& field = kFields[field_];
    if (field.bit >= 0) {
        if (hex_value(character) < 0 && character != ' ') return;
        const std::uint8_t mask = static_cast<std::uint8_t>(1u << field.bit);
        // The value before the first edit is kept, so that Escape restores it.
        if (!(edited_flags_ & mask))
            snapshot_[kFlagsByte] =
                static_cast<std::uint8_t>((snapshot_[kFlagsByte] & ~mask) | (block_[kFlagsByte] & mask));
        edited_flags_ |= mask;
        block_[kFlagsByte] ^= mask;
        return;
    }
    const int value = hex_value(character);
    if (value < 0 || field_ >= kFirstPField) return;
    const auto byte_bit = static_cast<std::uint8_t>(1u << field.byte);
    if (!(edited_bytes_ & byte_bit)) {
        snapshot_[static_cast<std::size_t>(field.byte)] = block_[field.byte];
        if (field.byte == kPcByte) snapshot_[1] = block_[1];
    }
    edited_bytes_ |= byte_bit;
    const int shift = 4 * field.nibble;
    if (field.byte == kPcByte) {
        const auto counter = static_cast<std::uint16_t>((pc(block_) & ~(0xF << shift)) | value << shift);
        block_[0] = static_cast<std::uint8_t>(counter);
        block_[1] = static_cast<std::uint8_t>(counter >> 8);
    } else {
        block_[field.byte] = static_cast<std::uint8_t>((block_[field.byte] & ~(0xF << shift)) | value << shift);
    }
    field_ = std::min(field_ + 1, kFieldCount - 1);
}

}  // namespace ide
