#include "platform/os/file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "testing/temp_dir.h"

namespace {

using testing_kit::read_file;
using testing_kit::ScopedCwd;
using testing_kit::TempDir;

TEST(ReadFile, OpensMixedCaseSpellingOfAnExistingFile) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    dir.write("debug/main.obj", "object bytes");
    auto text = os::read_text_file("DEBUG\\MAIN.OBJ");
    ASSERT_TRUE(text) << text.error().text;
    EXPECT_EQ(*text, "object bytes");

    // A file whose size the system does not know in advance is read whole too.
    auto status = os::read_text_file("/proc/self/status");
    ASSERT_TRUE(status);
    EXPECT_NE(status->find("\nPid:"), std::string::npos);
    EXPECT_FALSE(os::read_file("debug"));  // a folder

    auto missing = os::read_file("DEBUG\\NONE.OBJ");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code, ENOENT);
    EXPECT_EQ(missing.error().text, "open 'DEBUG/NONE.OBJ': No such file or directory");
}

TEST(WriteFile, CreatesTheGivenCaseInsideExistingFolders) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    std::filesystem::create_directory("DEBUG");
    ASSERT_TRUE(os::write_file("DEBUG\\GAME.LKE", "image"));
    EXPECT_EQ(read_file(dir / "DEBUG/GAME.LKE"), "image");

    std::filesystem::create_directory("obj");
    ASSERT_TRUE(os::write_file("OBJ\\MAIN.OBJ", "o"));
    EXPECT_EQ(read_file(dir / "obj/MAIN.OBJ"), "o");
}

// A regenerable output skips only the flush to disk: it is still written
// beside the target and renamed over it whole.
TEST(AtomicFile, TargetUnchangedUntilCommitAndTemporaryRemovedWithoutIt) {
    for (os::Durability durability : {os::Durability::flushed, os::Durability::regenerable}) {
        SCOPED_TRACE(durability == os::Durability::flushed ? "flushed" : "regenerable");
        TempDir dir;
        ScopedCwd cwd(dir.path());
        dir.write("out.bin", "old");
        {
            auto file = os::AtomicFile::create("OUT.BIN", durability);
            ASSERT_TRUE(file);
            ASSERT_TRUE(file->write("half of the new"));
            EXPECT_EQ(read_file(dir / "out.bin"), "old");
            EXPECT_TRUE(std::filesystem::exists(file->temporary()));
        }  // abandoned, as when the writer fails part way
        EXPECT_EQ(read_file(dir / "out.bin"), "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

        auto created = os::AtomicFile::create("OUT.BIN", durability);
        ASSERT_TRUE(created);
        os::AtomicFile file = std::move(*created);  // a moved writer keeps its target and temporary
        ASSERT_TRUE(file.write("new"));
        ASSERT_TRUE(file.commit());
        EXPECT_EQ(read_file(dir / "out.bin"), "new");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

        ASSERT_TRUE(os::write_file("OUT.BIN", "newer", durability));
        EXPECT_EQ(read_file(dir / "out.bin"), "newer");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
        EXPECT_FALSE(os::write_file("NODIR\\X.BIN", "x", durability));
    }
}

TEST(WriteFile, FailsCleanlyOnAMissingFolderOrAReadOnlyTarget) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    auto status = os::write_file("NODIR\\X.BIN", "x");
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().code, ENOENT);

    const auto locked = dir.write("locked.bin", "keep");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    EXPECT_TRUE(os::file_info("locked.bin").read_only);
    status = os::write_file("LOCKED.BIN", "new");
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().code, EACCES);
    EXPECT_EQ(read_file(locked), "keep");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(WriteFile, ReplacedFileKeepsItsPermissionsAndANewOneFollowsTheUmask) {
    TempDir dir;
    const auto script = dir.write("run.sh", "old");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    ASSERT_TRUE(os::write_file(script.string(), "new"));
    EXPECT_EQ(std::filesystem::status(script).permissions(), std::filesystem::perms::owner_all);

    const mode_t saved = ::umask(027);
    const auto fresh = dir.path() / "fresh.txt";
    const bool written = static_cast<bool>(os::write_file(fresh.string(), "new"));
    ::umask(saved);
    ASSERT_TRUE(written);
    EXPECT_EQ(static_cast<unsigned>(std::filesystem::status(fresh).permissions()), 0640u);
}

TEST(MappedFile, MapsContentAndRejectsEmptyFilesAndFolders) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    dir.write("src/a.asm", "lda #1");
    dir.write("src/empty.asm", "");

    auto mapped = os::MappedFile::open_read("SRC\\A.ASM");
    ASSERT_TRUE(mapped) << mapped.error().text;
    EXPECT_EQ(mapped->text(), "lda #1");
    EXPECT_EQ(mapped->mutable_data(), nullptr);

    auto empty = os::MappedFile::open_read("src\\empty.asm");
    ASSERT_FALSE(empty);
    EXPECT_EQ(empty.error().text, "map 'src/empty.asm': the file is empty");
    EXPECT_FALSE(os::MappedFile::open_read("src"));
    EXPECT_FALSE(os::MappedFile::open_read("src\\none.asm"));
}

TEST(MappedFile, ReadWriteMappingReachesTheFile) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    dir.write("ram.mem", "0000");
    {
        auto mapped = os::MappedFile::open_read_write("RAM.MEM");
        ASSERT_TRUE(mapped);
        mapped->mutable_data()[2] = '7';
        ASSERT_TRUE(mapped->flush());
    }
    EXPECT_EQ(read_file(dir / "ram.mem"), "0070");
}

TEST(File, ReadsWritesAndSeeks) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    auto file = os::File::open("data.csy", os::File::Mode::create_always);
    ASSERT_TRUE(file);
    const std::uint8_t bytes[] = {1, 2, 3, 4};
    ASSERT_TRUE(file->write(bytes));
    ASSERT_TRUE(file->seek(1));
    std::uint8_t back[8] = {};
    auto got = file->read(back);
    ASSERT_TRUE(got);
    EXPECT_EQ(*got, 3u);
    EXPECT_EQ(back[0], 2);
    EXPECT_EQ(*file->size(), 4u);
    EXPECT_FALSE(os::File::open("absent.csy", os::File::Mode::read_write));
}

TEST(FileOperations, AttributesCopyMoveDeleteAndFolders) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    dir.write("a.txt", "abc");
    const os::FileInfo info = os::file_info("A.TXT");
    EXPECT_TRUE(info.exists);
    EXPECT_FALSE(info.is_directory);
    EXPECT_EQ(info.size, 3u);

    ASSERT_TRUE(os::copy_file("A.TXT", "b.txt"));
    EXPECT_EQ(read_file(dir / "b.txt"), "abc");
    ASSERT_TRUE(os::move_file("B.TXT", "c.txt"));
    EXPECT_FALSE(os::file_exists("b.txt"));
    ASSERT_TRUE(os::delete_file("C.TXT"));
    EXPECT_FALSE(os::delete_file("c.txt"));

    ASSERT_TRUE(os::create_directory("Debug"));
    EXPECT_TRUE(os::create_directory("DEBUG"));  // already there, in another case
    EXPECT_TRUE(os::file_info("debug").is_directory);
    EXPECT_FALSE(os::create_directory("a.txt"));  // a file stands there
}

TEST(TextMode, LineEnds) {
    EXPECT_EQ(os::to_crlf("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(os::strip_cr("a\r\nb\rc\r\n"), "a\nb\rc\n");
}

}  // namespace
