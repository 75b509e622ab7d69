// The workspace manager given workspace and project files that are no plain
// file of their format, and saving over files it must not replace: each
// fails at once with its code and message, within a deadline and a memory
// bound, and leaves the project folder as it was.
#include <filesystem>
#include <optional>
#include <sstream>

#include "formats/file_sizes.h"
#include "ide/workspace/tests/workspace_fixture.h"
#include "platform/os/file.h"
#include "testing/hostile_files.h"

namespace ide::testing {
namespace {

namespace fs = std::filesystem;

class WorkspaceFiles : public WorkspaceFixture {
protected:
    // The lines of folder_state for the entry `name` of the project folder.
    std::string EntryState(std::string_view name) const {
        std::istringstream lines(testing_kit::folder_state(dir.path()));
        std::string line, found;
        while (std::getline(lines, line))
            if (line.starts_with(std::string(name) + " ")) found += line + "\n";
        return found;
    }

    // Replaces the project folder's entry `name` by `file` (moved into place).
    void PutInPlace(const fs::path& file, std::string_view name) {
        fs::remove_all(dir / name);
        fs::rename(file, dir / name);
    }

    // The `index`th of the hostile files `make` makes, in a folder of its own
    // below `others`; empty when there are no more.
    template <class Make>
    std::optional<testing_kit::HostileFile> Hostile(Make make, std::size_t index) {
        const fs::path batch = others / std::to_string(batches_++);
        fs::create_directory(batch);
        auto files = make(batch);
        if (index >= files.size()) return std::nullopt;
        return files[index];
    }

    testing_kit::TempDir others;

private:
    int batches_ = 0;
};

TEST_F(WorkspaceFiles, SpecialAndOversizedWorkspaceAndProjectFilesAreRefusedAtOnce) {
    const std::string workspace = os::to_crlf("/*   Vyr workspace file 1.0   */\n#PROJECT=GAME.PRJ\n");
    struct Case {
        const char* what;
        const char* hostile;         // the name the hostile file takes in the project folder
        const char* workspace_file;  // written as GAME.WSP beside it, when not null
        const char* opened;
    };
    const Case cases[] = {
        {"workspace file", "GAME.WSP", nullptr, "GAME.WSP"},
        {"project file opened alone", "GAME.PRJ", nullptr, "GAME.PRJ"},
        {"project file named by the workspace file", "GAME.PRJ", "", "GAME.WSP"},
    };
    for (const Case& c : cases) {
        const auto inputs = [](const fs::path& folder) {
            return testing_kit::hostile_inputs(folder, "in", formats::kLargestToolText + 1);
        };
        for (std::size_t i = 0; const auto made = Hostile(inputs, i); ++i) {
            const testing_kit::HostileFile& input = *made;
            SCOPED_TRACE(std::string(c.what) + ": " + input.label);
            fs::remove_all(dir / "GAME.WSP");
            fs::remove_all(dir / "GAME.PRJ");
            fs::create_symlink(input.path, dir / c.hostile);
            if (c.workspace_file) dir.write("GAME.WSP", workspace);
            const std::string before = testing_kit::folder_state(dir.path());
            const std::string inputs_before = testing_kit::folder_state(others.path());
            bool opened = true;
            const auto grown = testing_kit::call_bounded([&] { opened = manager.OpenWorkspace(PathOf(c.opened)); });
            EXPECT_FALSE(opened);
            EXPECT_EQ(manager.GetLastErrorCode(), kErrorOpenFile);
            EXPECT_EQ(manager.GetLastErrorText(), "Can't open file (" + PathOf(c.hostile) + ")!");
            EXPECT_FALSE(manager.IsOpen());
            EXPECT_LT(grown, testing_kit::kPeakKibBound);
            EXPECT_EQ(testing_kit::folder_state(dir.path()), before);
            EXPECT_EQ(testing_kit::folder_state(others.path()), inputs_before);
        }
    }
}

TEST_F(WorkspaceFiles, SavingOverSpecialOrReadOnlyFilesChangesNothing) {
    for (const char* name : {"GAME.PRJ", "GAME.WSP"}) {
        for (const bool linked : {false, true}) {
            const auto outputs = [](const fs::path& folder) { return testing_kit::hostile_outputs(folder, "out"); };
            for (std::size_t i = 0; const auto made = Hostile(outputs, i); ++i) {
                const testing_kit::HostileFile& output = *made;
                SCOPED_TRACE(std::string(name) + (linked ? " linked to " : " as ") + output.label);
                NewGame();
                if (linked) {
                    fs::remove(dir / name);
                    fs::create_symlink(output.path, dir / name);
                } else {
                    PutInPlace(output.path, name);
                }
                const std::string before = testing_kit::folder_state(dir.path());
                const std::string others_before = testing_kit::folder_state(others.path());
                bool saved = true;
                const auto grown = testing_kit::call_bounded([&] { saved = manager.SaveWorkspace(); });
                EXPECT_FALSE(saved);
                EXPECT_EQ(manager.GetLastErrorCode(), kErrorTemporaryFile);
                EXPECT_EQ(manager.GetLastErrorText(),
                          "Create temporal file(" + PathOf(name) + ") failure!\n" + output.reason);
                EXPECT_LT(grown, testing_kit::kPeakKibBound);
                EXPECT_EQ(testing_kit::folder_state(dir.path()), before);
                EXPECT_EQ(testing_kit::folder_state(others.path()), others_before);

                // A new project over the same file is refused in the same way.
                manager.CloseWorkspace();
                const std::string hostile_state = EntryState(name);
                EXPECT_FALSE(manager.NewProject(PathOf("GAME.WSP"), "MAIN", kMainBankParam));
                EXPECT_EQ(manager.GetLastErrorCode(), kErrorTemporaryFile);
                EXPECT_FALSE(manager.IsOpen());
                EXPECT_EQ(EntryState(name), hostile_state);

                fs::remove_all(dir / name);
            }
        }
    }
}

}  // namespace
}  // namespace ide::testing
