// The key/value tree: unique keys and children, typed values as text, binary
// blocks as letters and in pieces when long, and saving through a strategy.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "uikit/frames/persistent_tree.h"

namespace {

class TreeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(root.Create("Root"), PTN_OK); }
    std::vector<BYTE> bytes(std::size_t count, BYTE seed = 1) {
        std::vector<BYTE> made(count);
        for (std::size_t i = 0; i < count; ++i) made[i] = BYTE(seed + i * 7);
        return made;
    }
    std::vector<BYTE> read(const char* key, UINT* code = nullptr) {
        BYTE* data = nullptr;
        UINT count = 0;
        const UINT result = root.GetBinaryValue(key, &data, &count);
        if (code) *code = result;
        std::vector<BYTE> out(data, data + count);
        delete[] data;
        return out;
    }
    CString value(const char* key) {
        CString text;
        root.GetStringValue(key, text, "<none>");
        return text;
    }
    SECPersistentTreeNode root;
};

TEST_F(TreeTest, CreateAndChildrenFollowTheRules) {
    EXPECT_EQ(root.Create("Again"), PTN_ALREADY_CREATED);
    SECPersistentTreeNode unnamed;
    EXPECT_EQ(unnamed.Create(""), PTN_EMPTY_NAME);
    EXPECT_EQ(unnamed.SetStringValue("k", "v"), PTN_NOT_CREATED);
    EXPECT_EQ(unnamed.SetStringValue("", "v"), PTN_NOT_CREATED | PTN_EMPTY_KEY);

    SECPersistentTreeNode* bars = root.AddChild("Bars");
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(root.FindChildNode("Bars"), bars);
    EXPECT_EQ(root.FindChildNode("bars"), nullptr);  // names are case-sensitive
    // A second child of the same name is refused and the node made for it deleted.
    EXPECT_EQ(root.AddChild("Bars"), nullptr);
    SECPersistentTreeNode stray;
    EXPECT_EQ(stray.Create("Bars", &root), PTN_CHILD_EXISTS);
    EXPECT_FALSE(stray.IsCreated());

    CStringList path;
    bars->AddChild("Bar0")->GetNodePath(path);
    ASSERT_EQ(path.GetCount(), 3);
    EXPECT_STREQ(path.GetHead(), "Bar0");
    EXPECT_STREQ(path.GetTail(), "Root");
}

TEST_F(TreeTest, ValuesKeepTheirPlaceAndOverwritingIsAsked) {
    EXPECT_EQ(root.SetStringValue("a", "1"), PTN_OK);
    EXPECT_EQ(root.SetStringValue("b", "2"), PTN_OK);
    EXPECT_EQ(root.SetStringValue("a", "3", FALSE), PTN_KEY_EXISTS);
    EXPECT_STREQ(value("a"), "1");
    EXPECT_EQ(root.SetStringValue("a", "4", TRUE), PTN_OK);
    EXPECT_EQ(root.GetKeyCount(), 2);
    EXPECT_STREQ(value("a"), "4");
    EXPECT_EQ(root.SetStringValue("", "x"), PTN_EMPTY_KEY);

    CString text;
    EXPECT_EQ(root.GetStringValue("missing", text, "dflt"), PTN_KEY_NOT_FOUND);
    EXPECT_STREQ(text, "dflt");
}

TEST_F(TreeTest, TypedValuesAreTextWithTheirOwnReadingRules) {
    root.SetIntValue("int", -42);
    EXPECT_STREQ(value("int"), "-42");
    int number = 0;
    EXPECT_EQ(root.GetIntValue("int", &number, 7), PTN_OK);
    EXPECT_EQ(number, -42);
    EXPECT_EQ(root.GetIntValue("none", &number, 7), PTN_KEY_NOT_FOUND);
    EXPECT_EQ(number, 7);
    long big = 0;
    root.SetStringValue("long", "2000000000");
    EXPECT_EQ(root.GetLongValue("long", &big), PTN_OK);
    EXPECT_EQ(big, 2000000000L);

    root.SetBoolValue("on", TRUE);
    EXPECT_STREQ(value("on"), "True");
    const struct {
        const char* stored;
        BOOL reads;
    } kBooleans[] = {{"True", TRUE}, {"TRUE", TRUE}, {"tRuE", TRUE}, {"1", FALSE}, {"yes", FALSE}, {"False", FALSE}};
    for (const auto& item : kBooleans) {
        root.SetStringValue("flag", item.stored);
        BOOL read = -1;
        EXPECT_EQ(root.GetBoolValue("flag", &read), PTN_OK);
        EXPECT_EQ(read, item.reads) << item.stored;
    }
}

TEST_F(TreeTest, BinaryBlocksAreLettersLowNibbleFirst) {
    const BYTE one[] = {0x12, 0xF0};
    root.SetBinaryValue("bin", one, 2);
    EXPECT_STREQ(value("bin"), "CBAP");
    EXPECT_EQ(read("bin"), std::vector<BYTE>({0x12, 0xF0}));
    UINT code = 0;
    read("absent", &code);
    EXPECT_EQ(code, PTN_KEY_NOT_FOUND);
    EXPECT_EQ(root.GetBinaryValue("bin", nullptr, nullptr), PTN_NO_BUFFER);
    EXPECT_EQ(root.SetBinaryValue("bin", nullptr, 3), PTN_NO_BUFFER);
}

TEST_F(TreeTest, LongBlocksAreKeptInPiecesOf250Letters) {
    const auto at_limit = bytes(125);
    root.SetBinaryValue("short", at_limit.data(), 125);
    EXPECT_EQ(value("short").GetLength(), 250);
    EXPECT_EQ(root.FindKeyValue("short_BinCount"), nullptr);

    const auto longer = bytes(126);
    root.SetBinaryValue("long", longer.data(), 126);
    EXPECT_STREQ(value("long_BinCount"), "2");
    EXPECT_EQ(value("long_BinVal0").GetLength(), 250);
    EXPECT_EQ(value("long_BinVal1").GetLength(), 2);
    EXPECT_EQ(root.FindKeyValue("long"), nullptr);
    EXPECT_EQ(read("long"), longer);
}

TEST_F(TreeTest, RewritingALongBlockLeavesNoStalePieces) {
    const auto big = bytes(400), middle = bytes(200, 9), small = bytes(10, 3);
    root.SetBinaryValue("state", big.data(), UINT(big.size()));
    EXPECT_STREQ(value("state_BinCount"), "4");
    // Shorter but still long: the pieces past the new count go.
    root.SetBinaryValue("state", middle.data(), UINT(middle.size()));
    EXPECT_STREQ(value("state_BinCount"), "2");
    EXPECT_EQ(root.FindKeyValue("state_BinVal2"), nullptr);
    EXPECT_EQ(root.FindKeyValue("state_BinVal3"), nullptr);
    EXPECT_EQ(read("state"), middle);
    // Short: the count and every piece go, so the short value is the one read back.
    root.SetBinaryValue("state", small.data(), UINT(small.size()));
    EXPECT_EQ(root.FindKeyValue("state_BinCount"), nullptr);
    EXPECT_EQ(root.FindKeyValue("state_BinVal0"), nullptr);
    EXPECT_EQ(read("state"), small);
    EXPECT_EQ(root.GetKeyCount(), 1);
}

TEST_F(TreeTest, DamagedPiecesFailTheReadInsteadOfShiftingTheData) {
    const auto big = bytes(400);
    root.SetBinaryValue("state", big.data(), UINT(big.size()));
    root.RemoveKey("state_BinVal1");
    UINT code = 0;
    EXPECT_TRUE(read("state", &code).empty());
    EXPECT_EQ(code, PTN_KEY_NOT_FOUND);

    // A count no node could hold is refused at once, whatever it claims.
    const struct {
        const char* count;
        UINT code;
    } kCounts[] = {{"2147483647", PTN_KEY_NOT_FOUND}, {"-5", PTN_KEY_NOT_FOUND}, {"0", PTN_OTHER}};
    for (const auto& item : kCounts) {
        root.SetStringValue("state_BinCount", item.count);
        read("state", &code);
        EXPECT_EQ(code, item.code) << item.count;
    }
}

// Keeps what it is handed in maps keyed by the joined path.
class MemoryStrategy : public SECPersistentTreeStrategy {
public:
    static std::string join(const CStringList& path) {
        std::string joined;
        for (POSITION p = path.GetHeadPosition(); p;)
            joined = std::string(const_cast<CStringList&>(path).GetNext(p)) + "/" + joined;
        return joined;
    }
    void BeginNode(const CStringList& path) override { nodes[join(path)]; }
    void WriteValue(const CStringList& path, const CString& key, const CString& value) override {
        nodes[join(path)].values.emplace_back(std::string(key), std::string(value));
    }
    void WriteChildNames(const CStringList& path, const CStringList& names) override {
        for (POSITION p = names.GetHeadPosition(); p;)
            nodes[join(path)].children.emplace_back(const_cast<CStringList&>(names).GetNext(p));
    }
    BOOL ReadNode(const CStringList& path, CStringList& keys, CStringList& values, CStringList& children) override {
        auto found = nodes.find(join(path));
        if (found == nodes.end()) return FALSE;
        for (const auto& [key, value] : found->second.values) {
            keys.AddTail(key.c_str());
            values.AddTail(value.c_str());
        }
        for (const auto& child : found->second.children) children.AddTail(child.c_str());
        return TRUE;
    }
    struct Node {
        std::vector<std::pair<std::string, std::string>> values;
        std::vector<std::string> children;
    };
    std::map<std::string, Node> nodes;
};

TEST_F(TreeTest, ATreeSavesAndLoadsThroughAStrategy) {
    root.SetIntValue("Version", 3);
    SECPersistentTreeNode* bar = root.AddChild("Bar0");
    bar->SetStringValue("Title", "Output");
    bar->AddChild("Extra")->SetBoolValue("Shown", TRUE);
    MemoryStrategy strategy;
    EXPECT_TRUE(root.SaveToStrategy(&strategy));
    EXPECT_EQ(strategy.nodes.size(), 3u);
    EXPECT_EQ(strategy.nodes["Root/Bar0/"].values.at(0).second, "Output");

    SECPersistentTreeNode copy;
    EXPECT_FALSE(copy.LoadFromStrategy(&strategy));  // not created yet
    copy.Create("Root");
    EXPECT_TRUE(copy.LoadFromStrategy(&strategy));
    int version = 0;
    copy.GetIntValue("Version", &version);
    EXPECT_EQ(version, 3);
    ASSERT_NE(copy.FindChildNode("Bar0"), nullptr);
    BOOL shown = FALSE;
    copy.FindChildNode("Bar0")->FindChildNode("Extra")->GetBoolValue("Shown", &shown);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(root.SaveToStrategy(nullptr));
}

}  // namespace
