#pragma once
// Record layouts in formats/ are packed little-endian structs copied to and
// from file bytes with memcpy (ByteReader::record). This macro pins a field's
// offset so that a changed declaration cannot silently move it.
//
// Read packed fields by value. A reference or pointer to a field at an odd
// offset is misaligned (gtest's EXPECT_EQ binds references: compare a copy,
// e.g. std::uint16_t(head.reset_address)).
#include <cstddef>

#define FORMATS_PIN(Record, field, offset) \
    static_assert(offsetof(Record, field) == (offset), #Record "::" #field " moved")
