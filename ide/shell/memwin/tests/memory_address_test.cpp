// "Set Memory": which watch values name an address the memory window can show.
#include <gtest/gtest.h>

#include "ide/shell/memwin/memory_address.h"

namespace ide {
namespace {

TEST(MemoryAddressTest, AcceptsOnlyAddressesInsideTheTarget) {
    struct Case {
        const char* text;
        int address;  // -1: refused
    } cases[] = {
        {"0x1f00", 0x1F00}, {"0X1F00", 0x1F00}, {"0xffff", 0xFFFF}, {"8000", 8000},     {"65535", 0xFFFF},
        {"12 'x'", 12},     {"0x10000", -1},    {"65536", -1},      {"0xffffffff", -1}, {"99999999999999999999", -1},
        {"0x1g", -1},       {"0", -1},          {"0x0", -1},        {"{...}", -1},      {"-1", -1},
        {"", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const os::Result<std::uint16_t> address = ParseMemoryAddress(c.text);
        ASSERT_EQ(address.ok(), c.address >= 0);
        if (address.ok())
            EXPECT_EQ(*address, c.address);
        else
            EXPECT_EQ(address.error().text, kNotValidAddress);
    }
}

}  // namespace
}  // namespace ide
