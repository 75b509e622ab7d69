// Resolution on its own, over objects held in memory.
#include "linker/resolve.h"

#include <gtest/gtest.h>

#include "formats/byte_reader.h"
#include "linker/link_input.h"
#include "linker/tests/test_objects.h"

namespace linker {
namespace {

struct MemoryLink {
    Console quiet{[](std::string_view) {}, [](std::string_view) {}};
    ToolMessages messages{quiet, /*with_file=*/false};
    LinkReporter reporter{messages};
    LinkContext link;

    void add(const std::string& path, const std::string& bytes) {
        LinkObject object;
        object.path = path;
        object.file.assign(bytes.begin(), bytes.end());
        object.module = read_object_module(formats::ByteReader(object.file));
        link.objects.push_back(std::move(object));
    }
    void resolve() {
        scan_objects(link, reporter);
        resolve_externals(link, reporter);
    }
    const Target& target_of_first_fixup(std::size_t object) const { return link.objects[object].targets[0][0][0]; }
};

TEST(Resolve, TheFirstOfTwoDefinitionsWinsAndTheSecondIsReportedOnce) {
    MemoryLink memory;
    memory.add("S.OBJ", testing::startup_object());
    memory.add("A.OBJ", testing::procedure_object("main", 0));
    memory.add("B.OBJ", testing::procedure_object("main", 0));
    memory.add("C.OBJ", testing::procedure_object("caller", 0, "main"));
    memory.add("D.OBJ", testing::procedure_object("other", 0, "main"));
    memory.resolve();
    EXPECT_EQ(memory.reporter.errors(), 1u);
    for (std::size_t caller : {3u, 4u}) {
        const auto& target = memory.target_of_first_fixup(caller);
        EXPECT_EQ(target.kind, Target::Kind::ObjectSymbol);
        EXPECT_EQ(target.index, 1u);  // A.OBJ
    }
}

}  // namespace
}  // namespace linker
