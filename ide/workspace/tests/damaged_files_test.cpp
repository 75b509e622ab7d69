// The sample's workspace and project files, cut, flipped and stretched: a
// start (open) and an exit (close) with no change by the user leave every
// file byte for byte as it was, and a damaged file that opens is reported once
// with its line. Changing the workspace writes the file anew and keeps the
// damaged original beside it.
#include <algorithm>
#include <filesystem>
#include <functional>

#include "ide/workspace/tests/workspace_fixture.h"
#include "testing/golden.h"

namespace ide::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kReport = "Not all of the workspace could be read:\n";

class DamagedFiles : public WorkspaceFixture {
protected:
    void SetUp() override {
        const fs::path sample = testing_kit::source_path("samples/hello");
        for (const char* name : {"HELLO.WSP", "HELLO.PRJ", "hello.asm"}) fs::copy_file(sample / name, dir / name);
        sample_project = Read("HELLO.PRJ");
        sample_workspace = Read("HELLO.WSP");
    }

    enum class Outcome { refused, opened, reported };

    // Starts on the workspace with one file replaced by `bytes` and exits;
    // what came of the start.
    Outcome StartAndExit(std::string_view name, const std::string& bytes) {
        dir.write("HELLO.PRJ", sample_project);
        dir.write("HELLO.WSP", sample_workspace);
        dir.write(name, bytes);
        host.messages.clear();
        host.opened.clear();
        (void)manager.OpenWorkspace(PathOf("HELLO.WSP"));
        const bool opened = manager.IsOpen();  // also when some document could not be opened
        host.documents = host.opened;          // what an application would have open now
        const std::vector<std::string> reports = Reports();
        EXPECT_TRUE(manager.CloseWorkspace()) << manager.GetLastErrorText();
        EXPECT_EQ(Read(name), bytes);
        EXPECT_EQ(Read("HELLO.PRJ"), name == "HELLO.PRJ" ? bytes : sample_project);
        EXPECT_EQ(Read("HELLO.WSP"), name == "HELLO.WSP" ? bytes : sample_workspace);
        EXPECT_FALSE(fs::exists(dir / (std::string(name) + ".orig")));
        if (!opened) {
            EXPECT_TRUE(reports.empty()) << "a refused file is reported by its error alone";
            return Outcome::refused;
        }
        if (reports.empty()) return Outcome::opened;
        EXPECT_EQ(reports.size(), 1u);
        EXPECT_NE(reports[0].find(PathOf(name) + ", line "), std::string::npos) << reports[0];
        return Outcome::reported;
    }

    std::vector<std::string> Reports() const {
        std::vector<std::string> reports;
        for (const std::string& message : host.messages)
            if (message.starts_with(kReport)) reports.push_back(message);
        return reports;
    }

    std::string sample_project;
    std::string sample_workspace;
};

// A cut file opens, reported, anywhere from the end of its header on, the
// display name's line and its line end included. A header cut short, or
// ending in a lone CR, is no header.
TEST_F(DamagedFiles, ACutProjectFileIsReportedAndLeftAsItWas) {
    const std::size_t header_end = sample_project.find("\r\n");
    for (std::size_t size = 0; size < sample_project.size(); ++size) {
        SCOPED_TRACE("cut at " + std::to_string(size));
        const Outcome outcome = StartAndExit("HELLO.PRJ", sample_project.substr(0, size));
        EXPECT_EQ(outcome, size < header_end || size == header_end + 1 ? Outcome::refused : Outcome::reported);
    }
}

// The writer's own form ends with the display name and no line end: that
// file is whole. Cut within its display name's line, it is reported where
// that can be told: with the name's value gone.
TEST_F(DamagedFiles, TheWritersOwnFormIsWholeAndReportedWithoutItsDisplayName) {
    ASSERT_TRUE(manager.OpenWorkspace(PathOf("HELLO.WSP"))) << manager.GetLastErrorText();
    manager.SetOutputName("OTHER");  // a change: the project file is written in the writer's form
    ASSERT_TRUE(manager.CloseWorkspace()) << manager.GetLastErrorText();
    const std::string written = Read("HELLO.PRJ");
    ASSERT_TRUE(written.ends_with("\r\n#DISPLAYNAME = HELLO")) << written;
    sample_project = written;

    EXPECT_EQ(StartAndExit("HELLO.PRJ", written), Outcome::opened);
    for (const char* cut : {"#DISPLAYNAME = ", "#DISPLAYNAME =", "#DISPLAYNAME"}) {
        SCOPED_TRACE(cut);
        EXPECT_EQ(StartAndExit("HELLO.PRJ", written.substr(0, written.rfind("#DISPLAYNAME")) + cut), Outcome::reported);
    }
}

// Every cut of the workspace file loses its project line (refused) or only
// its last line end.
TEST_F(DamagedFiles, ACutWorkspaceFileIsRefusedOrLeftAsItWas) {
    const std::size_t whole_from = sample_workspace.find("HELLO.PRJ") + std::string_view("HELLO.PRJ").size();
    for (std::size_t size = 0; size < sample_workspace.size(); ++size) {
        SCOPED_TRACE("cut at " + std::to_string(size));
        EXPECT_EQ(StartAndExit("HELLO.WSP", sample_workspace.substr(0, size)),
                  size < whole_from ? Outcome::refused : Outcome::opened);
    }
}

// A flipped bit anywhere (letters change case, a blank becomes a NUL, line
// ends become text): refused, opened or reported, the files stay as they were.
TEST_F(DamagedFiles, AFlippedByteAnywhereLeavesBothFilesAsTheyWere) {
    for (const auto* name : {"HELLO.PRJ", "HELLO.WSP"}) {
        const std::string& sample = std::string_view(name) == "HELLO.PRJ" ? sample_project : sample_workspace;
        for (std::size_t at = 0; at < sample.size(); ++at) {
            SCOPED_TRACE(std::string(name) + " flipped at " + std::to_string(at));
            std::string flipped = sample;
            flipped[at] = static_cast<char>(flipped[at] ^ 0x20);
            (void)StartAndExit(name, flipped);
        }
    }
}

TEST_F(DamagedFiles, EachKindOfDamageHasItsOutcome) {
    const auto replaced = [](std::string text, std::string_view from, std::string_view to) {
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::string huge(10 << 20, 'x');
    const struct {
        const char* what;
        const char* file;
        std::string bytes;
        Outcome outcome;
    } cases[] = {
        {"a code mode of neither kind", "HELLO.PRJ", replaced(sample_project, "= BIN", "= BIO"), Outcome::reported},
        {"a code mode in small letters", "HELLO.PRJ", replaced(sample_project, "= BIN", "= bin"), Outcome::opened},
        {"a NUL in a source name", "HELLO.PRJ", replaced(sample_project, "hello.asm", std::string("hel\0o.asm", 9)),
         Outcome::reported},
        {"an unknown key", "HELLO.PRJ", replaced(sample_project, "#CODEMODE", "#CODEMODF"), Outcome::reported},
        {"a bank name changed", "HELLO.PRJ", replaced(sample_project, "MAIN", "MAIM"), Outcome::opened},
        {"a second display name", "HELLO.PRJ", sample_project + "#DISPLAYNAME = OTHER", Outcome::reported},
        {"a 10 MB line without a key", "HELLO.PRJ", replaced(sample_project, "\r\n\r\n", "\r\n" + huge + "\r\n"),
         Outcome::reported},
        {"a 10 MB source name", "HELLO.PRJ", replaced(sample_project, "hello.asm", huge), Outcome::refused},
        {"a 10 MB document", "HELLO.WSP", sample_workspace + "#OPENEDFILE=" + huge + "\r\n", Outcome::opened},
        {"a NUL in the project name", "HELLO.WSP",
         replaced(sample_workspace, "HELLO.PRJ", std::string("HEL\0O.PRJ", 9)), Outcome::refused},
        {"an unknown workspace key", "HELLO.WSP", sample_workspace + "#OPENEDFIL=" + PathOf("hello.asm") + "\r\n",
         Outcome::reported},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(StartAndExit(c.file, c.bytes), c.outcome);
    }
}

// The report names the file, the line and what was wrong with it.
TEST_F(DamagedFiles, TheReportNamesTheLineAndWhatWasWrong) {
    std::string project = sample_project;
    project.replace(project.find("= BIN"), 5, "= BIO");
    ASSERT_EQ(StartAndExit("HELLO.PRJ", project), Outcome::reported);
    EXPECT_EQ(Reports().at(0), std::string(kReport) + PathOf("HELLO.PRJ") +
                                   ", line 4: an unknown code mode, taken as a library: \"#CODEMODE = BIO\"\n"
                                   "Such a file is left as it is until the workspace is changed; its first save "
                                   "then keeps it beside as \".orig\".");
}

// Documents that could not be opened keep their places in the list.
TEST_F(DamagedFiles, DocumentsThatCouldNotBeOpenedAreKept) {
    const std::string workspace = sample_workspace +
                                  "#OPENEDFILE=/not/mounted/a.asm\r\n#OPENEDFILE=" + PathOf("hello.asm") +
                                  "\r\n#OPENEDFILE=/not/mounted/b.asm\r\n";
    EXPECT_EQ(StartAndExit("HELLO.WSP", workspace), Outcome::opened);
    EXPECT_EQ(host.opened, std::vector<std::string>{PathOf("hello.asm")});

    // Opening another document is a change: the missing ones stay around it.
    dir.write("HELLO.WSP", workspace);
    ASSERT_FALSE(manager.OpenWorkspace(PathOf("HELLO.WSP")));
    EXPECT_EQ(manager.GetLastErrorCode(), kErrorDocuments);
    host.documents = {PathOf("hello.asm"), PathOf("new.asm")};
    ASSERT_TRUE(manager.CloseWorkspace());
    EXPECT_EQ(Read("HELLO.WSP"), sample_workspace +
                                     "#OPENEDFILE=/not/mounted/a.asm\r\n#OPENEDFILE=" + PathOf("hello.asm") +
                                     "\r\n#OPENEDFILE=/not/mounted/b.asm\r\n#OPENEDFILE=" + PathOf("new.asm") + "\r\n");
}

// The first save after a change writes the whole file and keeps the damaged
// one beside it; a later save leaves that copy, and a copy kept in an earlier
// session is never replaced.
TEST_F(DamagedFiles, AChangeWritesTheFileAndKeepsTheDamagedOriginalOnce) {
    std::string damaged = sample_project;
    damaged.replace(damaged.find("= BIN"), 5, "= BIO");
    dir.write("HELLO.PRJ.orig", "an earlier session's copy");
    dir.write("HELLO.PRJ", damaged);
    ASSERT_TRUE(manager.OpenWorkspace(PathOf("HELLO.WSP"))) << manager.GetLastErrorText();
    EXPECT_EQ(Reports().size(), 1u);
    ASSERT_TRUE(manager.SaveWorkspace());
    EXPECT_EQ(Read("HELLO.PRJ"), damaged);

    ASSERT_TRUE(manager.AddFile(PathOf("more.asm"), "MAIN"));
    ASSERT_TRUE(manager.SaveWorkspace());
    EXPECT_NE(Read("HELLO.PRJ").find("#CODEMODE = LIB\r\n"), std::string::npos);
    EXPECT_NE(Read("HELLO.PRJ").find("#SOURCE = more.asm\r\n"), std::string::npos);
    EXPECT_EQ(Read("HELLO.PRJ.orig"), "an earlier session's copy");
    EXPECT_EQ(Read("HELLO.PRJ.orig.2"), damaged);

    manager.SetOutputName("OTHER");
    ASSERT_TRUE(manager.CloseWorkspace());
    EXPECT_FALSE(fs::exists(dir / "HELLO.PRJ.orig.3"));
    EXPECT_EQ(Reports().size(), 1u);
}

}  // namespace
}  // namespace ide::testing
