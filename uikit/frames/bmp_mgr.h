#pragma once
// SECBmpMgr: the pictures of commands. Each toolbar resource adds a strip of
// images, small and large; the manager maps every command id to its strip and
// place. The toolbar manager, every customisable toolbar and the bitmap menus
// share one manager and keep it alive by reference.
#include <unordered_map>
#include <vector>

#include "platform/afx/afx.h"

class SECBmpMgr : public CObject {
public:
    SECBmpMgr() = default;
    ~SECBmpMgr() override;
    SECBmpMgr(const SECBmpMgr&) = delete;
    SECBmpMgr& operator=(const SECBmpMgr&) = delete;

    void AddRef() { ++refs_; }
    // Deletes the manager with its last reference.
    void Release();

    // Adds the images of toolbar resource `bitmap_id` (and its bitmap of the
    // same id; `large_id` names the large form, 0 when the large images are
    // stretched from the small ones). A command that already has an image
    // keeps it. Returns the number of images the resource holds (0 when the
    // toolbar or its bitmap is missing: nothing is added then).
    int LoadToolBar(UINT bitmap_id, UINT large_id = 0, BOOL color_mapped = TRUE);
    // The strip holding the command's image and the image's place in it, in the
    // size in use (the small one when `force_small`); FALSE for an unknown command.
    BOOL GetBitmap(UINT id, HBITMAP& bitmap, UINT& image, BOOL force_small = FALSE) const;
    BOOL HasImage(UINT id) const { return map_.count(id) != 0; }

    void SetSmallImages(BOOL small);
    BOOL UsingSmallImages() const { return small_; }
    // Keeps the small strips loaded beside the large ones (the bitmap menus draw small images).
    void SetKeepBoth(BOOL keep);
    // Loads every strip again (the system colours changed).
    void ReloadBitmaps();

    CSize m_szSmall{16, 15};
    CSize m_szLarge{22, 24};
    CSize ImageSize() const { return small_ ? m_szSmall : m_szLarge; }

private:
    struct Strip {
        UINT small_id = 0, large_id = 0;
        HBITMAP small = nullptr, large = nullptr;
        int images = 0;
        BOOL color_mapped = TRUE;
    };
    struct Place {
        int strip = 0;
        UINT image = 0;
    };
    std::unordered_map<UINT, Place> map_;
    std::vector<Strip> strips_;
    BOOL small_ = TRUE;
    BOOL keep_both_ = FALSE;
    int refs_ = 1;

    void load(Strip& strip) const;
    HBITMAP load_picture(UINT id, BOOL color_mapped) const;
    HBITMAP stretch(HBITMAP small, int images) const;
};
