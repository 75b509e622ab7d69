// Find in Files over a real folder tree made here: nested folders, a symbolic
// link back up the tree, a binary and an empty file, and words that match
// only by case or only inside other words, and a named pipe. The listings are compared with a
// golden text, the temporary folder written as "<root>".
#include "ide/shell/find/find_in_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <string>
#include <vector>

#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace ide {
namespace {

namespace fs = std::filesystem;

class FindInFilesTree : public ::testing::Test {
protected:
    void SetUp() override {
        tree.write("main.asm",
                   "; entry\n"
                   "start:  LDA #1\n"
                   "        lda counter\n"
                   "        ldax            ; not a word of its own\n"
                   "        STA counter ; Lda again\n");
        tree.write("readme.txt", "LDA in a file of another type\n");
        tree.write("crlf.asm", "nop\r\nLDA value\r\n\r\nlda\rnop\r\n");
        tree.write("empty.asm", "");
        tree.write("blob.asm", std::string("LDA\0\x01\x02", 6));
        tree.write("lib/defs.inc", "COUNTER equ $40  ; used by lda\nxlda = 1\n");
        tree.write("lib/math/mul.asm", "mul:    LDA factor\n        rts\n");
        tree.write("lib/math/ctrl.asm", "\tLDA\x0C#2\t; a form feed in the line\n");
        tree.write(".cache/stale.asm", "LDA from a hidden folder\n");
        fs::create_directory_symlink("..", tree / "lib/math/up");   // a loop back to lib
        fs::create_symlink("../main.asm", tree / "lib/alias.asm");  // a linked file is searched
        ASSERT_EQ(::mkfifo((tree / "pipe.asm").c_str(), 0600), 0);  // never opened: reading it would wait
    }

    std::string Run(FindRequest request) {
        std::string listing;
        last = FindInFiles(request, [&](std::string_view line) { listing.append(line).append("\n"); });
        // The temporary folder varies from run to run.
        const std::string root = tree.path().string();
        for (std::size_t at; (at = listing.find(root)) != std::string::npos;)
            listing.replace(at, root.size(), "<root>");
        return listing;
    }
    FindRequest Request(const char* text, bool match_case, bool whole_word, bool subfolders,
                        const char* masks = "*.asm;*.inc") {
        return {{text, match_case, whole_word}, masks, tree.path().string(), subfolders};
    }

    testing_kit::TempDir tree;
    FindSummary last;
};

TEST_F(FindInFilesTree, ListingsMatchTheGolden) {
    struct Case {
        const char* title;
        FindRequest request;
    };
    const Case cases[] = {
        {"any case, subfolders", Request("lda", false, false, true)},
        {"match case, whole word, subfolders", Request("LDA", true, true, true)},
        {"any case, whole word, this folder only", Request("lda", false, true, false)},
        {"not found", Request("sbc", false, false, true)},
    };
    std::string all;
    for (const Case& c : cases) all += "== " + std::string(c.title) + "\n" + Run(c.request);
    EXPECT_TRUE(testing_kit::matches_golden("ide/shell/find/tests/golden/fixture_tree.txt", all));
}

TEST_F(FindInFilesTree, EmptyBinaryAndLoopedFoldersAreSearchedOnce) {
    Run(Request("lda", false, false, true, "*.*"));
    // main, readme, crlf, defs, alias, mul, ctrl: not the empty or binary file, the hidden
    // folder, or lib again through the link.
    EXPECT_EQ(last.files_searched, 7);
    EXPECT_FALSE(last.stopped);
}

TEST_F(FindInFilesTree, AFileMatchedByTwoMasksIsSearchedOnce) {
    const std::string once = Run(Request("STA", true, false, false, "*.asm"));
    EXPECT_EQ(Run(Request("STA", true, false, false, "*.asm;m*;;*.asm")), once);
}

TEST_F(FindInFilesTree, FolderWithOrWithoutFinalSeparatorIsTheSame) {
    FindRequest with_slash = Request("lda", false, false, true);
    with_slash.folder += "/";
    EXPECT_EQ(Run(with_slash), Run(Request("lda", false, false, true)));
    EXPECT_EQ(last.hits, 14);
}

TEST_F(FindInFilesTree, NothingFoundGivesTwoLines) {
    EXPECT_EQ(Run(Request("nowhere", false, false, true)),
              "Searching for 'nowhere' ...\nCannot find the string 'nowhere'.\n");
}

TEST_F(FindInFilesTree, AMissingFolderIsSaid) {
    FindRequest request = Request("lda", false, false, true);
    request.folder = (tree / "gone").string();
    EXPECT_EQ(Run(request),
              "Searching for 'lda' ...\nCannot open the folder '<root>/gone/'.\nCannot find the string 'lda'.\n");
}

TEST_F(FindInFilesTree, StoppingEndsTheSearchAfterTheCurrentFile) {
    std::atomic<bool> stop{false};
    std::vector<std::string> lines;
    const FindSummary summary = FindInFiles(
        Request("lda", false, false, true),
        [&](std::string_view line) {
            lines.emplace_back(line);
            if (line.find("(") != std::string_view::npos) stop = true;  // the first hit
        },
        &stop);
    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(summary.files_searched, 1);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Search stopped: " + std::to_string(summary.hits) + " occurrence(s) have been found.");
}

TEST(FindHitLine, QuotesTheLineAsOnePaneLineOfBoundedLength) {
    std::string line;
    FormatHitLine(line, "/src/a.asm", 12, "\tLDA\x0C#2\r;x\x7F");
    EXPECT_EQ(line, "/src/a.asm(12): \tLDA #2 ;x ");
    FormatHitLine(line, "/src/a.asm", 3, std::string(5000, 'x'));
    EXPECT_EQ(line.size(), kMaxListingLine);
    EXPECT_EQ(line.substr(0, 16), "/src/a.asm(3): x");
}

}  // namespace
}  // namespace ide
