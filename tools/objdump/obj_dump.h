#pragma once
// The object file (.obj): every table as text, and its validation.
#include <optional>
#include <string>

#include "formats/byte_reader.h"

namespace objdump {

// Every table the header names, record by record. A table or name that lies
// outside the file is shown as such and skipped; the dump never reads past
// the bytes it was given.
std::string dump_object(const formats::ByteReader& file);

// What is wrong with the file, or nothing. The linker's own reader checks
// what the link needs (tables, names, code, fix-ups, procedures, publics);
// the line records, the source-file table and the entry record, which the
// debugger reads, are checked here beside it.
std::optional<std::string> check_object(const formats::ByteReader& file);

}  // namespace objdump
