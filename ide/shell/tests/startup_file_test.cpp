#include "ide/shell/startup_file.h"

#include <gtest/gtest.h>

namespace {

TEST(StartupFileTest, WorkspacesAndProjectsOpenAsTheWorkspaceOthersAsSources) {
    using shell::StartupKind;
    const std::pair<const char*, StartupKind> cases[] = {
        {"/w/hello.WSP", StartupKind::Workspace}, {"/w/hello.wsp", StartupKind::Workspace},
        {"/w/hello.prj", StartupKind::Workspace}, {"/w/a.b/hello.PRJ", StartupKind::Workspace},
        {"/w/main.asm", StartupKind::Source},     {"/w.wsp/README", StartupKind::Source},
        {"hello.WSP.bak", StartupKind::Source},
    };
    for (const auto& [given, kind] : cases) EXPECT_EQ(shell::ClassifyStartupFile(given), kind) << given;
}

}  // namespace
