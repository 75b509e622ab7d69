// The image combo box: items with images, overlay, indent and data kept in
// step with the list's items, and the images drawn in the field and in the
// dropped list.
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/user/tests/user_fixture.h"

namespace user_test {
namespace {

constexpr gdi::Pixel kRed = 0xFF0000;
constexpr gdi::Pixel kBlue = 0x0000FF;

class ImageComboBoxTest : public TestFontTest {
protected:
    void SetUp() override {
        TestFontTest::SetUp();
        top = make_top();
        combo = CreateWindowEx(0, WC_COMBOBOXEX, "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 150, 120, top,
                               reinterpret_cast<HMENU>(std::uintptr_t(6)), nullptr, nullptr);
    }
    void TearDown() override {
        if (images) ImageList_Destroy(images);
        TestFontTest::TearDown();
    }
    LRESULT insert(std::intptr_t at, const char* text, int image, int selected, int indent, LPARAM data) {
        COMBOBOXEXITEM item{CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT | CBEIF_LPARAM,
                            at,
                            const_cast<char*>(text),
                            0,
                            image,
                            selected,
                            0,
                            indent,
                            data};
        return SendMessage(combo, CBEM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
    COMBOBOXEXITEM read(std::intptr_t index, char* text, int size) {
        COMBOBOXEXITEM item{CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT | CBEIF_LPARAM,
                            index,
                            text,
                            size,
                            0,
                            0,
                            0,
                            0,
                            0};
        EXPECT_TRUE(SendMessage(combo, CBEM_GETITEM, 0, reinterpret_cast<LPARAM>(&item))) << index;
        return item;
    }
    // Two 8x8 images: red, then blue.
    void give_images() {
        std::uint32_t bits[8][16];
        for (auto& row : bits) {
            for (int x = 0; x < 16; ++x) row[x] = x < 8 ? kRed : kBlue;
        }
        HBITMAP strip = CreateBitmap(16, 8, 1, 32, bits);
        images = ImageList_Create(8, 8, ILC_COLOR32, 2, 0);
        EXPECT_EQ(ImageList_Add(images, strip, nullptr), 0);
        DeleteObject(strip);
        EXPECT_EQ(SendMessage(combo, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)), 0);
    }
    gdi::Pixel pixel(HWND hwnd, POINT client) {
        HWND window_top = GetAncestorTopLevel(hwnd);
        RECT frame;
        GetWindowRect(window_top, &frame);
        ClientToScreen(hwnd, &client);
        return display.snapshot(window_top).at(client.x - frame.left, client.y - frame.top);
    }
    HWND top = nullptr;
    HWND combo = nullptr;
    HIMAGELIST images = nullptr;
};

TEST_F(ImageComboBoxTest, ItemsKeepTheirLooksInStepWithTheList) {
    EXPECT_EQ(insert(-1, "Black", 0, 1, 0, 10), 0);
    EXPECT_EQ(insert(-1, "White", 1, 1, 2, 20), 1);
    EXPECT_EQ(insert(0, "First", 1, 0, 1, 30), 0);
    EXPECT_EQ(SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Plain")), 3);
    EXPECT_EQ(SendMessage(combo, CBEM_DELETEITEM, 1, 0), 3);  // "Black" goes

    struct Case {
        int index;
        const char* text;
        int image, selected, indent;
        LPARAM data;
    };
    const Case cases[] = {
        {0, "First", 1, 0, 1, 30},
        {1, "White", 1, 1, 2, 20},
        {2, "Plain", -1, -1, 0, 0},
    };
    for (const Case& c : cases) {
        char text[32] = {};
        COMBOBOXEXITEM item = read(c.index, text, int(sizeof text));
        EXPECT_STREQ(text, c.text);
        EXPECT_EQ(item.iImage, c.image) << c.text;
        EXPECT_EQ(item.iSelectedImage, c.selected) << c.text;
        EXPECT_EQ(item.iIndent, c.indent) << c.text;
        EXPECT_EQ(item.lParam, c.data) << c.text;
    }

    // A short buffer gets what fits; -1 reads the chosen item; no such item fails.
    SendMessage(combo, CB_SETCURSEL, 1, 0);
    char small[4] = {'x', 'x', 'x', 'x'};
    read(-1, small, int(sizeof small));
    EXPECT_STREQ(small, "Whi");
    COMBOBOXEXITEM missing{CBEIF_IMAGE, 7, nullptr, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(SendMessage(combo, CBEM_GETITEM, 0, reinterpret_cast<LPARAM>(&missing)));

    // A new text keeps the item's place, data and choice.
    COMBOBOXEXITEM renamed{CBEIF_TEXT | CBEIF_IMAGE, 1, const_cast<char*>("Snow"), 0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(SendMessage(combo, CBEM_SETITEM, 0, reinterpret_cast<LPARAM>(&renamed)));
    char text[32] = {};
    COMBOBOXEXITEM item = read(1, text, int(sizeof text));
    EXPECT_STREQ(text, "Snow");
    EXPECT_EQ(item.iImage, 0);
    EXPECT_EQ(item.iIndent, 2);
    EXPECT_EQ(item.lParam, 20);
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);

    SendMessage(combo, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(insert(-1, "Again", 0, 0, 0, 0), 0);
    EXPECT_EQ(read(0, text, int(sizeof text)).iIndent, 0);
}

TEST_F(ImageComboBoxTest, TheFieldShowsTheSelectedImageAndTheListIndents) {
    give_images();
    insert(-1, "Red", 0, 1, 0, 0);   // chosen: shows image 1 (blue) in the field
    insert(-1, "Deep", 0, 0, 2, 0);  // two levels in
    SendMessage(combo, CB_SETCURSEL, 0, 0);
    pump();
    RECT field;
    GetClientRect(combo, &field);
    // The field's text area starts 3 pixels in, the item 2 more; the image is centred on the height.
    POINT image_centre{3 + 2 + 4, field.bottom / 2};
    EXPECT_EQ(pixel(combo, image_centre), kBlue);

    gdi::Pixel deep_row = 0, first_row = 0;
    display.click(combo, POINT{20, 5});
    display.then([&] {
        for (HWND window : kit::user::top_level_windows()) {
            char name[16] = {};
            GetClassName(window, name, int(sizeof name));
            if (std::strcmp(name, "LISTBOX") != 0 || !IsWindowVisible(window)) continue;
            int height = int(SendMessage(window, LB_GETITEMHEIGHT, 0, 0));
            first_row = pixel(window, POINT{2 + 4, height / 2});
            deep_row = pixel(window, POINT{2 + 2 * kComboIndentWidth + 4, height + height / 2});
        }
        inject_key_press(VK_ESCAPE);
    });
    pump();
    EXPECT_EQ(first_row, kRed);
    EXPECT_EQ(deep_row, kRed);
}

}  // namespace
}  // namespace user_test
