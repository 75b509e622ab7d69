#include "uikit/frames/bmp_mgr.h"

#include "platform/res/resources.h"
#include "uikit/frames/sys_color_bitmap.h"

namespace {

void delete_bitmap(HBITMAP& bitmap) {
    if (bitmap) ::DeleteObject(bitmap);
    bitmap = nullptr;
}

}  // namespace

SECBmpMgr::~SECBmpMgr() {
    for (Strip& strip : strips_) {
        delete_bitmap(strip.small);
        delete_bitmap(strip.large);
    }
}

void SECBmpMgr::Release() {
    if (--refs_ == 0) delete this;
}

int SECBmpMgr::LoadToolBar(UINT bitmap_id, UINT large_id, BOOL color_mapped) {
    const kit::res::Toolbar* toolbar = kit::res::find_toolbar(bitmap_id);
    if (!toolbar || !kit::res::find_picture(kit::res::PictureKind::bitmap, bitmap_id)) return 0;
    const kit::res::Toolbar* large = large_id ? kit::res::find_toolbar(large_id) : nullptr;
    if (toolbar->button_width <= 0 || toolbar->button_height <= 0) return 0;
    if (strips_.empty()) {
        m_szSmall = CSize(toolbar->button_width, toolbar->button_height);
        if (large && large->button_width > 0 && large->button_height > 0)
            m_szLarge = CSize(large->button_width, large->button_height);
    }
    Strip strip;
    strip.small_id = bitmap_id;
    // The same id twice means the large form is the small picture stretched.
    strip.large_id = large_id != bitmap_id && large ? large_id : 0;
    strip.color_mapped = color_mapped;
    const int index = int(strips_.size());
    for (UINT id : toolbar->items) {
        if (id == 0) continue;
        map_.emplace(id, Place{index, UINT(strip.images)});
        ++strip.images;
    }
    load(strip);
    strips_.push_back(strip);
    return strip.images;
}

BOOL SECBmpMgr::GetBitmap(UINT id, HBITMAP& bitmap, UINT& image, BOOL force_small) const {
    auto found = map_.find(id);
    if (found == map_.end()) return FALSE;
    const Strip& strip = strips_[std::size_t(found->second.strip)];
    bitmap = force_small || small_ ? strip.small : strip.large;
    image = found->second.image;
    return TRUE;
}

void SECBmpMgr::SetSmallImages(BOOL small) {
    if (!small == !small_) return;
    small_ = small;
    ReloadBitmaps();
}

void SECBmpMgr::SetKeepBoth(BOOL keep) {
    if (!keep == !keep_both_) return;
    keep_both_ = keep;
    ReloadBitmaps();
}

void SECBmpMgr::ReloadBitmaps() {
    for (Strip& strip : strips_) load(strip);
}

HBITMAP SECBmpMgr::load_picture(UINT id, BOOL color_mapped) const {
    return color_mapped ? sec_load_sys_color_bitmap(id) : ::LoadBitmap(nullptr, MAKEINTRESOURCE(id));
}

void SECBmpMgr::load(Strip& strip) const {
    delete_bitmap(strip.small);
    delete_bitmap(strip.large);
    const bool want_small = small_ || keep_both_;
    const bool want_large = !small_;
    if (want_small || (want_large && !strip.large_id)) strip.small = load_picture(strip.small_id, strip.color_mapped);
    if (want_large) {
        strip.large =
            strip.large_id ? load_picture(strip.large_id, strip.color_mapped) : stretch(strip.small, strip.images);
        if (!want_small) delete_bitmap(strip.small);
    }
}

HBITMAP SECBmpMgr::stretch(HBITMAP small, int images) const {
    if (!small || images <= 0) return nullptr;
    HBITMAP large = sec_create_screen_bitmap(m_szLarge.cx * images, m_szLarge.cy);
    HDC from = ::CreateCompatibleDC(nullptr), to = ::CreateCompatibleDC(nullptr);
    if (large && from && to) {
        HGDIOBJ old_from = ::SelectObject(from, small), old_to = ::SelectObject(to, large);
        for (int i = 0; i < images; ++i)
            ::StretchBlt(to, i * m_szLarge.cx, 0, m_szLarge.cx, m_szLarge.cy, from, i * m_szSmall.cx, 0, m_szSmall.cx,
                         m_szSmall.cy, SRCCOPY);
        ::SelectObject(from, old_from);
        ::SelectObject(to, old_to);
    }
    if (from) ::DeleteDC(from);
    if (to) ::DeleteDC(to);
    return large;
}
