// The output writer: pieces of any size, in and across its buffer, make
// exactly the file; a file that cannot be made is reported and leaves nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "assembler/file_access.h"
#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(OutputFile, PiecesOfEverySizeMakeExactlyTheFileAndNoTemporaryStays) {
    testing_kit::TempDir folder;
    const std::string path = (folder / "x.obj").string();
    std::string expected;
    {
        dravlin::OutputFile file(path);
        // Small pieces up to just short of the 64 KB buffer, one that fills
        // it exactly, one larger than it, and small pieces after.
        unsigned seed = 1;
        for (size_t size : {size_t{0}, size_t{1}, size_t{72}, size_t{65000}, size_t{600}, size_t{65536}, size_t{200000},
                            size_t{3}, size_t{16}}) {
            std::string piece(size, '\0');
            for (char& c : piece) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
            file.append(piece);
            expected += piece;
        }
        std::string error_text;
        ASSERT_TRUE(file.finish(error_text)) << error_text;
    }
    EXPECT_EQ(testing_kit::read_file(path), expected);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(OutputFile, AFileThatCannotBeMadeIsReportedAndNothingIsLeft) {
    testing_kit::TempDir folder;
    dravlin::OutputFile file((folder / "missing" / "x.obj").string());
    file.append(std::string(100000, 'a'));
    file.append("b");
    std::string error_text;
    EXPECT_FALSE(file.finish(error_text));
    EXPECT_FALSE(error_text.empty());
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

}  // namespace
