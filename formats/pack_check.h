#pragma once
// Record layouts in formats/ are packed little-endian structs copied to and
// from file bytes with memcpy (ByteReader::record). This macro pins a field's
// offset so that a changed declaration cannot silently move it.
#include <cstddef>

#define FORMATS_PIN(Record, field, offset) \
    static_assert(offsetof(Record, field) == (offset), #Record "::" #field " moved")
