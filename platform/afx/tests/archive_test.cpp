// CArchive round trips in the framework's encoding, and damaged input.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/afx/archive.h"

namespace {

std::vector<BYTE> stored(const std::function<void(CArchive&)>& write) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    return file.bytes();
}

TEST(Archive, EncodingTable) {
    struct Case {
        const char* what;
        std::function<void(CArchive&)> write;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {"WORD", [](CArchive& ar) { ar << WORD(0x1234); }, {0x34, 0x12}},
        {"LONG", [](CArchive& ar) { ar << LONG(-2); }, {0xFE, 0xFF, 0xFF, 0xFF}},
        {"small count", [](CArchive& ar) { ar.WriteCount(0xFFFE); }, {0xFE, 0xFF}},
        {"large count", [](CArchive& ar) { ar.WriteCount(0xFFFF); }, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {"short string", [](CArchive& ar) { ar << CString("ab"); }, {0x02, 'a', 'b'}},
        {"empty string", [](CArchive& ar) { ar << CString(); }, {0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(stored(c.write), c.bytes);
    }
    // Lengths of 255 and more take the escaped forms.
    const std::vector<BYTE> medium = stored([](CArchive& ar) { ar << CString('x', 255); });
    EXPECT_EQ(std::vector<BYTE>(medium.begin(), medium.begin() + 3), (std::vector<BYTE>{0xFF, 0xFF, 0x00}));
    const std::vector<BYTE> large = stored([](CArchive& ar) { ar << CString('x', 0xFFFE); });
    EXPECT_EQ(std::vector<BYTE>(large.begin(), large.begin() + 7),
              (std::vector<BYTE>{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
}

TEST(Archive, RoundTripsEveryValueKind) {
    const CString long_text('q', 70000);
    std::vector<BYTE> bytes = stored([&](CArchive& ar) {
        ar << BYTE(7) << WORD(65535) << DWORD(0xDEADBEEF) << LONG(-5) << 1.5f << -2.25 << CString("name") << long_text;
        ar.WriteCount(100000);
        ar.WriteCount(3);
    });
    CMemFile file(bytes.data(), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    BYTE b;
    WORD w;
    DWORD d;
    LONG l;
    float f;
    double x;
    CString name, text;
    ar >> b >> w >> d >> l >> f >> x >> name >> text;
    EXPECT_EQ(b, 7);
    EXPECT_EQ(w, 65535);
    EXPECT_EQ(d, 0xDEADBEEFu);
    EXPECT_EQ(l, -5);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(x, -2.25);
    EXPECT_STREQ(name, "name");
    EXPECT_TRUE(text == long_text);
    EXPECT_EQ(ar.ReadCount(), 100000u);
    EXPECT_EQ(ar.ReadCount(), 3u);
}

int load_error(const std::vector<BYTE>& bytes) {
    CMemFile file(bytes.data(), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    try {
        CString text;
        ar >> text;
    } catch (CArchiveException* error) {
        const int cause = error->m_cause;
        error->Delete();
        return cause;
    }
    return CArchiveException::none;
}

TEST(Archive, DamagedStringsFailCleanly) {
    EXPECT_EQ(load_error({}), CArchiveException::endOfFile);
    EXPECT_EQ(load_error({0x05, 'a'}), CArchiveException::endOfFile);
    // A length of four gigabytes with nothing behind it is not allocated.
    EXPECT_EQ(load_error({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), CArchiveException::endOfFile);
    EXPECT_EQ(load_error({0xFF, 0xFE, 0xFF, 0x01, 0x00}), CArchiveException::badSchema);
    EXPECT_EQ(load_error({0x01, 'z'}), CArchiveException::none);
}

TEST(Archive, WrongDirectionIsAnError) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    BYTE b;
    try {
        ar >> b;
        FAIL() << "read from a storing archive";
    } catch (CArchiveException* error) {
        EXPECT_EQ(error->m_cause, CArchiveException::writeOnly);
        error->Delete();
    }
}

TEST(Archive, ReadsTextLines) {
    const std::string text = "one\r\ntwo\nlast";
    CMemFile file(text.data(), UINT(text.size()));
    CArchive ar(&file, CArchive::load);
    CString line;
    std::vector<std::string> lines;
    while (ar.ReadString(line)) lines.push_back(line.str());
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "last"}));
}

}  // namespace
