// Reading and writing files: round trips, failures, and the safe save.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "editor/sec_edit.h"
#include "testing/file_size_limit.h"
#include "testing/temp_dir.h"

namespace editor {
namespace {

using testing_kit::read_file;
using testing_kit::TempDir;

std::string Lines(const SECEdit& edit) {
    std::string out;
    for (const EditLine* line = edit.GetFirstLine(); line; line = line->next) out += "[" + line->text + "]";
    return out;
}

TEST(EditorFileRoundTrip, LoadThenSaveKeepsTheBytes) {
    std::string long_line(40000, 'y');
    struct Case {
        const char* name;
        std::string bytes;
        int type;
    } cases[] = {
        {"crlf", "one\r\ntwo\r\n\r\nlast", kLineEndCrLf},
        {"lf", "one\ntwo\n", kLineEndLf},
        {"cr", "one\rtwo\r", kLineEndCr},
        {"lfcr", "one\n\rtwo", kLineEndLfCr},
        {"no line end", "single", kLineEndCrLf},
        {"empty", "", kLineEndCrLf},
        {"long line", "a\r\n" + long_line + "\r\nb\r\n", kLineEndCrLf},
        {"long first line", long_line + "\nz", kLineEndLf},
        {"crlf across 32 KB", std::string(32766, 'q') + "\r\n" + std::string(100, 'r'), kLineEndCrLf},
        {"high bytes", "\xB0\xA1\xC4\xE3\r\n\x81\x40\r\n", kLineEndCrLf},
        // A lone CR or LF as the last byte of a file with a two-byte line end.
        {"crlf ending in a lone cr", "one\r\ntwo\r", kLineEndCrLf},
        {"crlf ending in a lone lf", "one\r\ntwo\n", kLineEndCrLf},
        {"crlf ending in a lone cr line", "one\r\n\r", kLineEndCrLf},
        {"lfcr ending in a lone lf", "one\n\rtwo\n", kLineEndLfCr},
    };
    for (const Case& c : cases) {
        TempDir dir;
        auto path = dir.write("f.txt", c.bytes);
        SECEdit edit;
        ASSERT_EQ(edit.ReadFile(path), kOk) << c.name;
        EXPECT_EQ(edit.GetLineEndType(), c.type) << c.name;
        EXPECT_EQ(edit.GetModified(), 0) << c.name;
        ASSERT_EQ(edit.WriteFile(dir / "out.txt"), kOk) << c.name;
        EXPECT_EQ(read_file(dir / "out.txt"), c.bytes) << c.name;
    }
}

TEST(EditorFileRoundTrip, LineEndsThatAreNotTheFilesTypeAreNormalised) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string saved;
    } cases[] = {
        // A CR LF in an LF file is one line end, never an extra empty line.
        {"crlf in lf file", "a\nb\r\nc\n", "a\nb\nc\n"},
        {"crlf in lfcr file", "a\n\rb\r\nc\n\r", "a\n\rb\n\rc\n\r"},
        // Two identical bytes are two line ends.
        {"doubled cr in crlf file", "a\r\n\r\rb", "a\r\n\r\n\r\nb"},
        {"lone lf in crlf file", "a\r\nb\nc", "a\r\nb\r\nc"},
        // The end-of-file mark goes only at the very end.
        {"eof mark", "a\r\nb\x1A", "a\r\nb"},
        {"eof mark inside", "a\x1A\r\nb\r\n", "a\x1A\r\nb\r\n"},
        {"eof mark at 32 KB", std::string(32766, 'q') + "\x1A" + "tail\r\n",
         std::string(32766, 'q') + "\x1A" + "tail\r\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        SECEdit edit;
        ASSERT_EQ(edit.ReadFile(dir.write("f.txt", c.bytes)), kOk) << c.name;
        ASSERT_EQ(edit.WriteFile(dir / "out.txt"), kOk) << c.name;
        EXPECT_EQ(read_file(dir / "out.txt"), c.saved) << c.name;
    }
}

TEST(EditorFileRead, EmptyFileIsOneEmptyLineWithTheConfiguredLineEnd) {
    TempDir dir;
    MemoryProfile profile;
    profile.WriteProfileInt("Editor\\C Files", "Line end type", kLineEndLf);
    SECEdit edit(profile);
    edit.SetSettingsSection("Editor\\C Files");
    edit.LoadSettings();
    ASSERT_EQ(edit.ReadFile(dir.write("empty.c", "")), kOk);
    EXPECT_EQ(Lines(edit), "[]");
    EXPECT_EQ(edit.GetLineEndType(), kLineEndLf);
    ASSERT_EQ(edit.SplitLine({edit.GetFirstLine(), 0}, true), kOk);
    EXPECT_EQ(Lines(edit), "[\n][]");
}

TEST(EditorFileRead, LongLinesAreCutAndReported) {
    TempDir dir;
    SECEdit edit;
    ASSERT_EQ(edit.ReadFile(dir.write("f.txt", std::string(16384, 'x'))), kOk);
    EXPECT_EQ(edit.GetReadWarning(), kLongLinesWrapped);
    EXPECT_EQ(edit.GetLineCount(), 2);
    ASSERT_EQ(edit.ReadFile(dir.write("g.txt", "short\r\n")), kOk);
    EXPECT_EQ(edit.GetReadWarning(), 0);
}

TEST(EditorFileRead, FailuresLeaveNoPartialText) {
    TempDir dir;
    SECEdit edit;
    ASSERT_EQ(edit.ReadFile(dir.write("good.txt", "keep\r\n")), kOk);
    EXPECT_EQ(edit.ReadFile(dir / "missing.txt"), ENOENT);
    EXPECT_EQ(Lines(edit), "[keep\r\n]");  // nothing was read, nothing lost
    EXPECT_EQ(edit.ReadFile(dir.write("nul.txt", std::string("a\r\nb\0c\r\n", 8))), kNullsInFile);
    EXPECT_EQ(ResultMessage(kNullsInFile), "Nulls encounterd in file.  Use another editor to edit this file.");
    EXPECT_EQ(Lines(edit), "[]");
    EXPECT_EQ(edit.ReadFile(dir.path()), EISDIR);
}

TEST(EditorFileRead, ReadOnlyFileMakesTheBufferReadOnly) {
    TempDir dir;
    auto path = dir.write("ro.txt", "abc\r\n");
    ::chmod(path.c_str(), 0444);
    SECEdit edit;
    ASSERT_EQ(edit.ReadFile(path), kOk);
    EXPECT_EQ(edit.GetReadOnly(), 1);
    EXPECT_EQ(edit.InsertChar({edit.GetFirstLine(), 0}, 'x', true, true), kReadOnly);
    EXPECT_EQ(edit.WriteFile(path), kReadOnly);
    EXPECT_EQ(read_file(path), "abc\r\n");
}

TEST(EditorFileWrite, SaveReplacesTheFileWholeAndKeepsItsMode) {
    TempDir dir;
    auto path = dir.write("f.txt", "old\r\n");
    ::chmod(path.c_str(), 0640);
    SECEdit edit;
    ASSERT_EQ(edit.ReadFile(path), kOk);
    edit.InsertString({edit.GetFirstLine(), 0}, "new ", true, true);
    EXPECT_EQ(edit.GetModified(), 1);
    ASSERT_EQ(edit.WriteFile(path), kOk);
    EXPECT_EQ(edit.GetModified(), 0);
    EXPECT_EQ(read_file(path), "new old\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(EditorFileWrite, FailedSaveLeavesTheOldFile) {
    TempDir dir;
    auto path = dir.write("f.txt", "old\r\n");
    SECEdit edit;
    ASSERT_EQ(edit.ReadFile(path), kOk);
    edit.InsertString({edit.GetFirstLine(), 0}, "much longer new text ", true, true);
    // A file size limit makes the write fail half way, as a full disk would.
    const int code = [&] {
        const testing_kit::FileSizeLimit full_disk(8);
        return edit.WriteFile(path);
    }();
    EXPECT_EQ(code, EFBIG);
    EXPECT_EQ(read_file(path), "old\r\n");
    EXPECT_EQ(edit.GetModified(), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(EditorFileInsert, InsertedFileTakesTheBuffersLineEndsAndUndoes) {
    TempDir dir;
    auto lf_file = dir.write("part.txt", "x\ny");
    SECEdit edit;
    ASSERT_EQ(edit.ReadFile(dir.write("main.txt", "a\r\nb\r\n")), kOk);
    TextPosition at{edit.GetLineByNumber(2), 1};
    ASSERT_EQ(edit.InsertFile(at, lf_file, true), kOk);
    EXPECT_EQ(edit.GetAllText(), "a\r\nx\r\ny\r\nb\r\n");
    EXPECT_EQ(edit.GetLineCount(), 4);
    EXPECT_EQ(at.line->number, 2);
    ASSERT_EQ(edit.Undo(), 1);
    EXPECT_EQ(edit.GetAllText(), "a\r\nb\r\n");
    // Redo does not depend on the file staying as it was.
    std::filesystem::remove(lf_file);
    ASSERT_EQ(edit.Redo(), 1);
    EXPECT_EQ(edit.GetAllText(), "a\r\nx\r\ny\r\nb\r\n");
    EXPECT_EQ(edit.InsertFile(at, dir / "none.txt", true), ENOENT);
}

TEST(EditorFileRename, RenamesAndReportsMissingFiles) {
    TempDir dir;
    auto path = dir.write("a.txt", "x");
    SECEdit edit;
    edit.SetLockFiles(1);
    ASSERT_EQ(edit.ReadFile(path), kOk);
    EXPECT_EQ(edit.RenameFile(path, dir / "b.txt"), kOk);
    EXPECT_TRUE(std::filesystem::exists(dir / "b.txt"));
    // Backslash paths are mapped.
    EXPECT_EQ(edit.RenameFile((dir.path().string() + "\\b.txt"), dir / "c.txt"), kOk);
    EXPECT_TRUE(std::filesystem::exists(dir / "c.txt"));
    EXPECT_EQ(edit.RenameFile(dir / "gone.txt", dir / "d.txt"), kCannotRead);
}

}  // namespace
}  // namespace editor
