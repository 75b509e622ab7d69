#include "platform/os/file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <signal.h>
#include <unistd.h>

#include "platform/os/process.h"
#include "testing/file_size_limit.h"
#include "testing/hostile_files.h"
#include "testing/temp_dir.h"

namespace {

using testing_kit::read_file;
using testing_kit::ScopedCwd;
using testing_kit::TempDir;

TEST(ReadFile, OpensMixedCaseSpellingOfAnExistingFile) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    dir.write("debug/main.obj", "object bytes");
    auto text = os::read_text_file("DEBUG\\MAIN.OBJ", 100);
    ASSERT_TRUE(text) << text.error().text;
    EXPECT_EQ(*text, "object bytes");

    // A file whose size the system does not know in advance is read whole too.
    auto status = os::read_text_file("/proc/self/status", 1 << 20);
    ASSERT_TRUE(status);
    EXPECT_NE(status->find("\nPid:"), std::string::npos);
    EXPECT_FALSE(os::read_text_file("/proc/self/status", 10));  // grows past the bound while read

    auto missing = os::read_file("DEBUG\\NONE.OBJ", 100);
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

    auto mapped = os::MappedFile::open_read("SRC\\A.ASM", 6);
    ASSERT_TRUE(mapped) << mapped.error().text;
    EXPECT_EQ(mapped->text(), "lda #1");
    EXPECT_EQ(mapped->mutable_data(), nullptr);

    auto empty = os::MappedFile::open_read("src\\empty.asm", 6);
    ASSERT_FALSE(empty);
    EXPECT_EQ(empty.error().text, "map 'src/empty.asm': the file is empty");
    EXPECT_FALSE(os::MappedFile::open_read("src", 6));
    EXPECT_FALSE(os::MappedFile::open_read("src\\none.asm", 6));
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

    ASSERT_TRUE(os::copy_file("A.TXT", "b.txt", 3));
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

// Every reader refuses at once what is not a regular file of the allowed
// size: a FIFO with no writer would block an open for ever, /dev/zero would
// fill memory.
TEST(ReadFile, RefusesSpecialFilesAndOversizedOnesWithoutReading) {
    TempDir dir;
    for (const auto& input : testing_kit::hostile_inputs(dir.path(), "in", 101)) {
        SCOPED_TRACE(input.label);
        const auto read = os::read_file(input.path.string(), 100);
        ASSERT_FALSE(read);
        EXPECT_EQ(os::error_text(read.error().code), input.reason);
        const bool large = read.error().code == EFBIG;
        EXPECT_FALSE(os::read_text_file(input.path.string(), 100));
        EXPECT_FALSE(os::MappedFile::open_read(input.path.string(), 100));
        if (!large) {
            EXPECT_FALSE(os::File::open(input.path.string(), os::File::Mode::read));
        }
    }
    EXPECT_EQ(os::error_text(os::kNotRegularFile), "Not a regular file");
    EXPECT_TRUE(os::read_file((dir / "in-large").string(), 101));  // exactly the bound is fine
}

// A full disk: the write fails naming the file the caller wrote, not the
// temporary one beside it, and the old file stays as it was.
TEST(WriteFile, AFullDiskNamesTheTargetAndLeavesTheOldFile) {
    TempDir dir;
    const auto path = dir.write("out.txt", "old");
    os::Status written;
    {
        const testing_kit::FileSizeLimit full_disk;
        written = os::write_file(path.string(), "new and longer");
    }
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().code, EFBIG);
    EXPECT_EQ(written.error().text, "write '" + path.string() + "': File too large");
    EXPECT_EQ(read_file(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// Neither the writer nor stale-output removal replaces or deletes anything
// but a writable regular file.
TEST(AtomicFile, RefusesTargetsThatAreNotWritableRegularFiles) {
    TempDir dir;
    const auto outputs = testing_kit::hostile_outputs(dir.path(), "out");
    const std::string before = testing_kit::folder_state(dir.path());
    for (const auto& output : outputs) {
        SCOPED_TRACE(output.label);
        const std::string path = output.path.string();
        EXPECT_FALSE(os::check_output(path));
        EXPECT_FALSE(os::AtomicFile::create(path));
        EXPECT_FALSE(os::write_file(path, "x"));
        EXPECT_FALSE(os::remove_output(path));
        EXPECT_FALSE(os::File::open(path, os::File::Mode::create_always));
    }
    EXPECT_EQ(testing_kit::folder_state(dir.path()), before);

    // A link to a FIFO is as much a FIFO; a missing path and a plain file pass.
    std::filesystem::create_symlink(dir / "out-fifo", dir / "link");
    EXPECT_EQ(os::write_file((dir / "link").string(), "x").error().code, os::kNotRegularFile);
    EXPECT_TRUE(os::check_output((dir / "new").string()));
    EXPECT_TRUE(os::remove_output((dir / "new").string()));
    dir.write("old.obj", "old");
    EXPECT_TRUE(os::remove_output((dir / "OLD.OBJ").string()));
    EXPECT_FALSE(std::filesystem::exists(dir / "old.obj"));
}

// A special file put in place of the target while it is being written is
// not replaced by the rename.
TEST(AtomicFile, CommitRefusesATargetReplacedMeanwhile) {
    TempDir dir;
    auto file = os::AtomicFile::create((dir / "out.bin").string());
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->write("new"));
    ASSERT_EQ(::mkfifo((dir / "out.bin").c_str(), 0666), 0);
    EXPECT_FALSE(file->commit());
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "out.bin"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// The temporaries of a killed writer are removed by the next writer of the
// same program; those of live writers, of other programs and special files
// under such a name are not.
TEST(AtomicFile, RemovesOnlyItsOwnProgramsDeadTemporaries) {
    TempDir dir;
    os::SpawnOptions options;
    options.argv = {"true"};
    auto ended = os::Process::spawn(options);
    ASSERT_TRUE(ended);
    const std::string dead = std::to_string(ended->pid());
    ASSERT_TRUE(ended->wait().succeeded());
    ASSERT_NE(::kill(ended->pid(), 0), 0);
    const std::string own = program_invocation_short_name;
    const std::string live = std::to_string(::getppid());
    const std::vector<std::string> removed = {"out.bin.tmp-" + own + "-" + dead + "-Ab3xYz",
                                              "other.obj.tmp-" + own + "-" + dead + "-000000"};
    const std::vector<std::string> kept = {
        "out.bin.tmp-" + own + "-" + live + "-Ab3xYz",  "out.bin.tmp-Other-" + dead + "-Ab3xYz",
        "out.bin.tmp-" + own + "-" + dead + "-short",   "out.bin.tmp-" + own + "-" + dead + "-Ab3xYz.bak",
        "out.bin.tmp-X" + own + "-" + dead + "-Ab3xYz", "out.bin.tmp-" + own + "-" + dead + "-FIFO00"};
    for (const auto& name : removed) dir.write(name, "left by a killed run");
    for (const auto& name : kept) dir.write(name, "not ours to remove");
    std::filesystem::remove(dir / kept.back());
    ASSERT_EQ(::mkfifo((dir / kept.back()).c_str(), 0666), 0);

    auto file = os::AtomicFile::create((dir / "out.bin").string());
    ASSERT_TRUE(file);
    const std::string temporary = file->temporary().filename().string();
    EXPECT_EQ(temporary.rfind("out.bin.tmp-" + own + "-" + std::to_string(::getpid()) + "-", 0), 0u) << temporary;
    for (const auto& name : removed) EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
    for (const auto& name : kept) {
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(dir / name))) << name;
    }
    ASSERT_TRUE(file->commit());
}

TEST(FileIdentity, SameFileByAnySpellingOrHardLink) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    dir.write("debug/app.obj", "o");
    dir.write("debug/other.obj", "o");
    std::filesystem::create_hard_link(dir / "debug/app.obj", dir / "linked.obj");
    const auto identity = os::file_identity("debug/app.obj");
    ASSERT_TRUE(identity);
    EXPECT_EQ(os::file_identity("DEBUG\\APP.OBJ"), identity);
    EXPECT_EQ(os::file_identity("./debug/../debug/app.obj"), identity);
    EXPECT_EQ(os::file_identity("linked.obj"), identity);
    EXPECT_NE(os::file_identity("debug/other.obj"), identity);
    EXPECT_FALSE(os::file_identity("debug/none.obj"));
}

TEST(TextMode, LineEnds) {
    EXPECT_EQ(os::to_crlf("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(os::strip_cr("a\r\nb\rc\r\n"), "a\nb\rc\n");
}

}  // namespace
