// Linked into every test program: names the build's program folder and the
// source tree in the environment, so tests and the programs they start can
// find the kit's tools and fixtures; and, when KIT_SKIPS_FAIL=1 (scripts/test
// and CI set it, where every tool the tests need is installed), turns each
// skipped test into a failure that gives the skip's reason.
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

namespace {

// Listeners hear of a test's end in reverse order, so this one adds its
// failure before the result printer reports the test.
class SkipsFail : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& test) override {
        const ::testing::TestResult& result = *test.result();
        if (!result.Skipped()) return;
        for (int i = 0; i < result.total_part_count(); ++i) {
            const ::testing::TestPartResult& part = result.GetTestPartResult(i);
            if (part.skipped())
                ADD_FAILURE_AT(part.file_name() ? part.file_name() : "(unknown)", part.line_number())
                    << "skipped, and a skip fails this run (KIT_SKIPS_FAIL=1): " << part.message();
        }
    }
};

const bool environment_set = [] {
    setenv("KIT_BIN_DIR", KIT_BIN_DIR, 0);
    setenv("KIT_SOURCE_DIR", KIT_SOURCE_DIR, 0);
    const char* skips_fail = std::getenv("KIT_SKIPS_FAIL");
    if (skips_fail && std::strcmp(skips_fail, "1") == 0)
        ::testing::UnitTest::GetInstance()->listeners().Append(new SkipsFail);
    return true;
}();

}  // namespace
