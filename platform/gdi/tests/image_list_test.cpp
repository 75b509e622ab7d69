// Image lists: cutting strips, masks from a colour, drawing styles, overlays.
#include <gtest/gtest.h>

#include "platform/gdi/image_list.h"
#include "platform/gdi/tests/canvas.h"

using gdi_test::Canvas;

namespace {

constexpr COLORREF kKey = RGB(0, 255, 0), kBack = RGB(0, 0, 200);

// A strip of two 2x1 images: [red, key] and [key, blue].
struct Strip {
    Canvas canvas{4, 1, kKey};
    Strip() {
        SetPixel(canvas.dc, 0, 0, RGB(255, 0, 0));
        SetPixel(canvas.dc, 3, 0, RGB(0, 0, 255));
    }
};

TEST(ImageList, MaskColourMakesPixelsTransparentAndBackgroundColourFillsThem) {
    const HIMAGELIST list = ImageList_Create(2, 1, ILC_COLOR24 | ILC_MASK, 4, 4);
    Strip strip;
    ASSERT_EQ(ImageList_AddMasked(list, strip.canvas.bitmap, kKey), 0);
    EXPECT_EQ(ImageList_GetImageCount(list), 2);

    Canvas c(4, 1, kBack);
    ASSERT_TRUE(ImageList_Draw(list, 0, c.dc, 0, 0, ILD_NORMAL));
    ASSERT_TRUE(ImageList_Draw(list, 1, c.dc, 2, 0, ILD_TRANSPARENT));
    EXPECT_EQ(c.at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.at(1, 0), kBack);
    EXPECT_EQ(c.at(2, 0), kBack);
    EXPECT_EQ(c.at(3, 0), RGB(0, 0, 255));

    EXPECT_EQ(ImageList_SetBkColor(list, RGB(9, 9, 9)), CLR_NONE);
    ImageList_Draw(list, 0, c.dc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(c.at(1, 0), RGB(9, 9, 9));  // a background colour makes normal drawing opaque
    ImageList_Draw(list, 1, c.dc, 2, 0, ILD_TRANSPARENT);
    EXPECT_EQ(c.at(2, 0), kBack);
    EXPECT_FALSE(ImageList_Draw(list, 2, c.dc, 0, 0, ILD_NORMAL));
    ImageList_Destroy(list);
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
}

TEST(ImageList, OverlayDrawsOverTheImageAndMaskStyleDrawsTheMask) {
    const HIMAGELIST list = ImageList_Create(2, 1, ILC_MASK, 4, 4);
    Strip strip;
    ImageList_AddMasked(list, strip.canvas.bitmap, kKey);
    ASSERT_TRUE(ImageList_SetOverlayImage(list, 1, 1));
    EXPECT_FALSE(ImageList_SetOverlayImage(list, 1, 16));
    Canvas c(2, 1, kBack);
    ImageList_Draw(list, 0, c.dc, 0, 0, ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1));
    EXPECT_EQ(c.at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.at(1, 0), RGB(0, 0, 255));
    ImageList_Draw(list, 0, c.dc, 0, 0, ILD_MASK);
    EXPECT_EQ(c.at(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(c.at(1, 0), RGB(255, 255, 255));
    ImageList_Destroy(list);
}

TEST(ImageList, SelectedLookBlendsWithTheHighlight) {
    const HIMAGELIST list = ImageList_Create(2, 1, ILC_MASK, 1, 1);
    Strip strip;
    ImageList_AddMasked(list, strip.canvas.bitmap, kKey);
    Canvas c(2, 1, kBack);
    ImageList_Draw(list, 0, c.dc, 0, 0, ILD_TRANSPARENT | ILD_SELECTED);
    EXPECT_EQ(c.at(0, 0), RGB(127, 0, 64));  // red halfway to the highlight (0, 0, 128)
    EXPECT_EQ(c.at(1, 0), kBack);
    ImageList_Destroy(list);
}

TEST(ImageList, DuplicateIsIndependentAndMergeLaysOneImageOverAnother) {
    const HIMAGELIST list = ImageList_Create(2, 1, ILC_MASK, 1, 1);
    Strip strip;
    ImageList_AddMasked(list, strip.canvas.bitmap, kKey);
    const HIMAGELIST copy = ImageList_Duplicate(list);
    ImageList_Remove(list, -1);
    EXPECT_EQ(ImageList_GetImageCount(copy), 2);

    const HIMAGELIST merged = ImageList_Merge(copy, 0, copy, 1, 2, 0);
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(merged, &cx, &cy));
    EXPECT_EQ(cx, 4);
    EXPECT_EQ(cy, 1);
    Canvas c(4, 1, kBack);
    ImageList_Draw(merged, 0, c.dc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(c.at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.at(1, 0), kBack);
    EXPECT_EQ(c.at(3, 0), RGB(0, 0, 255));
    EXPECT_EQ(ImageList_Merge(copy, 0, copy, 5, 0, 0), nullptr);
    ImageList_Destroy(merged);
    ImageList_Destroy(copy);
    ImageList_Destroy(list);
    EXPECT_EQ(ImageList_Create(0, 16, ILC_MASK, 1, 1), nullptr);
}

}  // namespace
