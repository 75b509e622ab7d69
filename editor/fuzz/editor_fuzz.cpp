// Fuzz target: any bytes as a text to load and edit, or as a pattern and a subject.
// Text mode checks that undoing every edit gives back the loaded text exactly and that
// redoing gives back the edited text; pattern mode checks that compiling and searching
// never fail other than by their results.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "testing/fuzz_byte_source.h"
#include "editor/regexp.h"
#include "editor/sec_edit.h"

namespace {

using testing_kit::ByteSource;

void CheckPattern(std::string_view input) {
    size_t split = input.find('\n');
    std::string pattern(input.substr(0, split));
    std::string subject(split == std::string_view::npos ? std::string_view{} : input.substr(split + 1));
    if (pattern.find('\0') != std::string::npos) return;  // patterns are NUL-terminated
    editor::RegExp regexp;
    if (!regexp.Compile(pattern.c_str())) return;
    int size = static_cast<int>(subject.size());
    for (int offset = 0; offset <= size; offset += 7) {
        // The whole subject, then an end of input halfway between the offset and its end.
        for (int end : {size, (offset + size) / 2}) {
            int at = regexp.Find(subject, offset, end);
            if (at >= 0 && (at < offset || at + regexp.GetMatchLength() > end)) std::abort();
            if (at >= 0 && !regexp.GetReplaceString("<&\\1\\9>", subject)) std::abort();
        }
    }
}

void CheckEdits(std::string_view input) {
    size_t split = std::min(input.size(), input.size() / 2 + 1);
    std::string text(input.substr(0, split));
    ByteSource ops(reinterpret_cast<const uint8_t*>(input.data()) + split, input.size() - split);
    editor::SECEdit edit;
    if (edit.LoadText(text) != editor::kOk) return;
    const std::string loaded = edit.GetAllText();
    while (!ops.empty()) {
        editor::EditLine* line = edit.GetLineByNumber(1 + ops.Next(edit.GetLineCount()));
        editor::TextPosition at{line, ops.Next(line->length() + 4)};
        editor::TextPosition other{edit.GetLineByNumber(1 + ops.Next(edit.GetLineCount())), ops.Next(40)};
        char byte = "ab \t#/*\"'\x81\x40"[ops.Next(11)];
        switch (ops.Next(12)) {
            case 0: edit.InsertChar(at, byte, true, true); break;
            case 1: edit.InsertChar(at, byte, false, true); break;
            case 2: edit.InsertString(at, std::string(2, byte), ops.Next(2), true); break;
            case 3: edit.DeleteChar(at, true); break;
            case 4: edit.DeleteChars(at, ops.Next(6), true); break;
            case 5: edit.SplitLine(at, true); break;
            case 6: edit.JoinLines(at, true); break;
            case 7: edit.DeleteBlock(at, other, true); break;
            case 8: edit.InsertText(at, "x\r\ny\nz", true); break;
            case 9: edit.DeleteColumnBlock(at, other, true); break;
            case 10: edit.InsertColumnBlock(at, "12\r\n3", true); break;
            case 11: edit.PadToColumn(at, true); break;
        }
        // The edit may have freed `line`; ask for the state of a line by number.
        int type = 0;
        edit.GetCommentStateAtLine(edit.GetLineByNumber(1 + ops.Next(edit.GetLineCount())), &type);
    }
    const std::string edited = edit.GetAllText();
    if (edit.GetUndoLog().top() >= editor::UndoLog::kCapacity) return;  // history was trimmed
    while (edit.Undo()) {
    }
    if (edit.GetAllText() != loaded) std::abort();
    while (edit.Redo()) {
    }
    if (edit.GetAllText() != edited) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 1)
        CheckPattern(input);
    else
        CheckEdits(input);
    return 0;
}
