#include "ide/shell/startup_file.h"

#include <gtest/gtest.h>

namespace {

TEST(StartupFileTest, WorkspacesAndProjectsOpenTheWorkspaceOthersOpenAsSources) {
    using shell::StartupKind;
    struct Case {
        const char* given;
        StartupKind kind;
        const char* opens;
    };
    const Case cases[] = {
        {"/w/hello.WSP", StartupKind::Workspace, "/w/hello.WSP"},
        {"/w/hello.wsp", StartupKind::Workspace, "/w/hello.wsp"},
        {"/w/hello.prj", StartupKind::Workspace, "/w/hello.WSP"},
        {"/w/a.b/hello.PRJ", StartupKind::Workspace, "/w/a.b/hello.WSP"},
        {"/w/main.asm", StartupKind::Source, "/w/main.asm"},
        {"/w.wsp/README", StartupKind::Source, "/w.wsp/README"},
    };
    for (const Case& c : cases) {
        const shell::StartupFile file = shell::ClassifyStartupFile(c.given);
        EXPECT_EQ(file.kind, c.kind) << c.given;
        EXPECT_EQ(file.path, c.opens) << c.given;
    }
}

}  // namespace
