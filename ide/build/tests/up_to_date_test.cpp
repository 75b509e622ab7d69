#include "ide/build/up_to_date.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

#include "formats/obj_file.h"
#include "ide/build/tests/build_fixture.h"

namespace ide::testing {
namespace {

using namespace std::chrono_literals;

// An object file whose source-file table lists `sources` (header, table, pool).
std::string ObjectListing(const std::vector<std::string>& sources) {
    formats::ObjFileHeader header{};
    header.source_files_offset = sizeof header;
    header.source_file_count = static_cast<std::uint16_t>(sources.size());
    header.string_pool_offset = static_cast<std::uint32_t>(sizeof header + sources.size() * 8);
    std::string table, pool;
    for (const std::string& source : sources) {
        const formats::ObjSourceFileRecord record{static_cast<std::uint32_t>(pool.size()), 0xFFFFFFFF};
        table.append(reinterpret_cast<const char*>(&record), sizeof record);
        pool += source + '\0';
    }
    header.file_size = static_cast<std::uint32_t>(sizeof header + table.size() + pool.size());
    return std::string(reinterpret_cast<const char*>(&header), sizeof header) + table + pool;
}

class IdeUpToDate : public BuildFixture {
protected:
    // Writes a file whose last-write time is `age` before a fixed moment.
    void WriteAged(std::string_view name, std::string_view bytes, std::chrono::seconds age) {
        const auto path = dir.write(name, bytes);
        std::filesystem::last_write_time(path, base_ - age);
    }
    void Touch(std::string_view name, std::chrono::seconds age) {
        std::filesystem::last_write_time(dir / name, base_ - age);
    }
    std::uint32_t State(std::string_view object) { return ObjectUpToDate(PathOf(object), Folder()).state; }

    const std::filesystem::file_time_type base_ = std::filesystem::file_time_type::clock::now();
};

TEST_F(IdeUpToDate, ObjectAgainstTheSourcesItLists) {
    WriteAged("main.asm", "x", 100s);
    WriteAged("defs.inc", "x", 100s);
    const std::string listing = ObjectListing({"main.asm", PathOf("defs.inc"), "gone.inc"});
    WriteAged("DEBUG/main.OBJ", listing, 50s);
    std::string corrupt = listing;
    corrupt[48] = '\x7F';  // table offset outside the file
    WriteAged("DEBUG/corrupt.OBJ", corrupt, 50s);
    std::string unterminated = listing.substr(0, listing.size() - 1);
    WriteAged("DEBUG/cut.OBJ", unterminated, 50s);
    WriteAged("DEBUG/empty.OBJ", "", 50s);
    std::filesystem::create_directories(dir / "DEBUG" / "locked.OBJ");

    EXPECT_EQ(State("DEBUG\\main.OBJ"), kObjectUpToDate);
    EXPECT_EQ(State("DEBUG/none.OBJ"), kObjectOutOfDate);
    EXPECT_EQ(State("DEBUG/empty.OBJ"), kObjectOutOfDate);
    EXPECT_EQ(State("DEBUG/corrupt.OBJ"), kObjectOutOfDate);
    EXPECT_EQ(State("DEBUG/cut.OBJ"), kObjectOutOfDate);
    const ObjectCheck locked = ObjectUpToDate(PathOf("DEBUG/locked.OBJ"), Folder());
    EXPECT_EQ(locked.state, kObjectUnreadable);
    EXPECT_NE(locked.system_error, 0);

    Touch("DEBUG/main.OBJ", 100s);  // as old as its sources
    EXPECT_EQ(State("DEBUG/main.OBJ"), kObjectUpToDate);
    Touch("defs.inc", 10s);  // an included file touched after the object
    EXPECT_EQ(State("DEBUG/main.OBJ"), kObjectOutOfDate);
}

class IdeNeedsLink : public IdeUpToDate {
protected:
    void SetUp() override {
        IdeUpToDate::SetUp();
        dir.write("libs/std.lib", "lib");
        profile.WriteProfileString(kDirectoriesSection, "Library files", Folder() + "libs");
        profile.WriteProfileString("Environment", "Default Libraries", "std.lib");
        NewGame();
        ASSERT_TRUE(manager.AddFile(PathOf("main.asm"), "MAIN"));
        ASSERT_TRUE(manager.AddFile(PathOf("reset.asm"), "MAIN"));
        WriteAged("main.asm", "x", 100s);
        WriteAged("reset.asm", "x", 100s);
        WriteAged("DEBUG/main.OBJ", ObjectListing({"main.asm"}), 50s);
        WriteAged("DEBUG/reset.OBJ", ObjectListing({"reset.asm"}), 50s);
        Touch("libs/std.lib", 50s);
        WriteAged("DEBUG/GAME.LKE", "image", 40s);
        WriteAged("DEBUG/GAME.BIN", "program", 30s);
    }
    bool Needs(std::size_t rows = 0) { return NeedsLink(Context(), rows); }
};

TEST_F(IdeNeedsLink, OutputAgainstObjectsLibrariesAndStartupObject) {
    EXPECT_FALSE(Needs());
    EXPECT_TRUE(Needs(2));
    EXPECT_TRUE(ProgramImageIsCurrent(manager));

    const std::pair<const char*, std::chrono::seconds> newer[] = {
        {"DEBUG/main.OBJ", 10s}, {"libs/std.lib", 10s}, {"DEBUG/reset.OBJ", 10s}};
    for (const auto& [file, age] : newer) {
        Touch(file, age);
        EXPECT_TRUE(Needs()) << file;
        Touch(file, 50s);
    }
    std::filesystem::remove(dir / "DEBUG" / "reset.OBJ");
    EXPECT_TRUE(Needs());
    WriteAged("DEBUG/reset.OBJ", ObjectListing({"reset.asm"}), 50s);
    std::filesystem::remove(dir / "DEBUG" / "GAME.LKE");
    EXPECT_TRUE(Needs());
}

TEST_F(IdeNeedsLink, AStartupObjectFromTheLibraryFoldersCounts) {
    tree.SelectItem(tree.GetChildItem(manager.CategoryItems(manager.BankItems()[0])[2]));
    tree.SelectItem(tree.GetNextSiblingItem(tree.GetSelectedItem()));  // reset.asm
    manager.DeleteSelectedItem();
    WriteAged("libs/reset.obj", "obj", 60s);
    EXPECT_FALSE(Needs());
    Touch("libs/reset.obj", 10s);
    EXPECT_TRUE(Needs());
}

TEST_F(IdeNeedsLink, TheProgramImageBeforeADebugRun) {
    Touch("main.asm", 20s);  // a source newer than the image
    EXPECT_FALSE(ProgramImageIsCurrent(manager));
    Touch("main.asm", 100s);
    std::filesystem::remove(dir / "DEBUG" / "GAME.BIN");
    EXPECT_FALSE(ProgramImageIsCurrent(manager));

    manager.SetOutputName("OUT.BIN");
    EXPECT_EQ(ProgramBinPath(manager), PathOf("OUT.BIN"));
    WriteAged("OUT.BIN", "program", 30s);
    EXPECT_TRUE(ProgramImageIsCurrent(manager));
    manager.SetOutputName("/elsewhere/X.BIN");
    EXPECT_EQ(ProgramBinPath(manager), "/elsewhere/X.BIN");
}

TEST_F(IdeNeedsLink, AnIncludedFileTouchedAfterItsObjectMakesTheImageStale) {
    WriteAged("defs.inc", "x", 100s);
    WriteAged("DEBUG/main.OBJ", ObjectListing({"main.asm", "defs.inc"}), 50s);
    EXPECT_TRUE(ProgramImageIsCurrent(manager));
    Touch("defs.inc", 40s);  // after the object was written, though before the image
    EXPECT_FALSE(ProgramImageIsCurrent(manager));
    Touch("DEBUG/main.OBJ", 35s);  // assembled again since
    EXPECT_TRUE(ProgramImageIsCurrent(manager));
}

TEST_F(IdeNeedsLink, ALibraryProjectComparesItsLibrary) {
    manager.SetCodeMode(1);
    EXPECT_TRUE(Needs());
    WriteAged("DEBUG/GAME.LIB", "lib", 40s);
    EXPECT_FALSE(Needs());
}

}  // namespace
}  // namespace ide::testing
