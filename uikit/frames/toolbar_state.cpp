#include "uikit/frames/toolbar_state.h"

IMPLEMENT_DYNAMIC(SECCustomToolBarInfoEx, SECControlBarInfoEx)

namespace {

constexpr std::size_t kRecordHead = 5;  // id and count byte

}  // namespace

std::optional<std::vector<BYTE>> sec_pack_buttons(const std::vector<SECBtnInfo>& buttons) {
    if (buttons.size() > kSecMaxSavedButtons) return std::nullopt;
    std::vector<BYTE> packed;
    for (const SECBtnInfo& button : buttons) {
        if (button.data.size() > 0xFF) return std::nullopt;
        for (int shift = 0; shift < 32; shift += 8) packed.push_back(BYTE(button.id >> shift));
        packed.push_back(BYTE(button.data.size()));
        packed.insert(packed.end(), button.data.begin(), button.data.end());
    }
    return packed;
}

std::optional<std::vector<SECBtnInfo>> sec_unpack_buttons(const BYTE* data, std::size_t size) {
    std::vector<SECBtnInfo> buttons;
    std::size_t at = 0;
    while (at < size) {
        if (size - at < kRecordHead || buttons.size() == kSecMaxSavedButtons) return std::nullopt;
        SECBtnInfo button;
        for (int i = 0; i < 4; ++i) button.id |= UINT(data[at + std::size_t(i)]) << (8 * i);
        const std::size_t count = data[at + 4];
        at += kRecordHead;
        if (size - at < count) return std::nullopt;
        button.data.assign(data + at, data + at + count);
        at += count;
        buttons.push_back(std::move(button));
    }
    return buttons;
}

void SECCustomToolBarInfoEx::Serialize(CArchive& ar, SECDockState*) {
    if (ar.IsStoring()) {
        // The same records as the "Buttons" value, after the title and the count.
        const auto packed = sec_pack_buttons(m_buttons);
        if (!packed) AfxThrowArchiveException(CArchiveException::badIndex);
        ar << m_strTitle << DWORD(m_buttons.size());
        if (!packed->empty()) ar.Write(packed->data(), UINT(packed->size()));
        return;
    }
    DWORD count = 0;
    ar >> m_strTitle >> count;
    if (count > kSecMaxSavedButtons) AfxThrowArchiveException(CArchiveException::badIndex);
    m_buttons.clear();
    for (DWORD i = 0; i < count; ++i) {
        SECBtnInfo button;
        DWORD id = 0;
        BYTE size = 0;
        ar >> id >> size;
        button.id = id;
        button.data.resize(size);
        if (size && ar.Read(button.data.data(), size) != size) AfxThrowArchiveException(CArchiveException::endOfFile);
        m_buttons.push_back(std::move(button));
    }
}

BOOL SECCustomToolBarInfoEx::SaveState(const char* section) {
    CWinApp* app = AfxGetApp();
    if (!app || !section) return FALSE;
    if (!m_strTitle.IsEmpty()) app->WriteProfileString(section, "Title", m_strTitle);
    const auto packed = sec_pack_buttons(m_buttons);
    if (!packed) return FALSE;
    return app->WriteProfileBinary(section, "Buttons", packed->data(), UINT(packed->size()));
}

BOOL SECCustomToolBarInfoEx::LoadState(const char* section) {
    CWinApp* app = AfxGetApp();
    m_buttons.clear();
    if (!app || !section) return FALSE;
    m_strTitle = app->GetProfileString(section, "Title", "");
    std::vector<BYTE> bytes;
    app->GetProfileBinary(section, "Buttons", bytes);
    auto buttons = sec_unpack_buttons(bytes.data(), bytes.size());
    if (!buttons) return FALSE;
    m_buttons = std::move(*buttons);
    return TRUE;
}

BOOL SECCustomToolBarInfoEx::SaveState(SECPersistentTreeNode*, SECPersistentTreeNode* node) {
    if (!node) return FALSE;
    SECPersistentTreeNode* mine = node->FindChildNode("ToolBarInfoEx");
    if (!mine) mine = node->AddChild("ToolBarInfoEx");
    if (!mine) return FALSE;
    mine->SetStringValue("Title", m_strTitle);
    const auto packed = sec_pack_buttons(m_buttons);
    if (!packed) return FALSE;
    return mine->SetBinaryValue("Buttons", packed->data(), UINT(packed->size())) == PTN_OK;
}

BOOL SECCustomToolBarInfoEx::LoadState(SECPersistentTreeNode* node) {
    m_buttons.clear();
    SECPersistentTreeNode* mine = node ? node->FindChildNode("ToolBarInfoEx") : nullptr;
    if (!mine) return FALSE;
    mine->GetStringValue("Title", m_strTitle, "");
    BYTE* data = nullptr;
    UINT count = 0;
    if (mine->GetBinaryValue("Buttons", &data, &count) != PTN_OK) return FALSE;
    auto buttons = sec_unpack_buttons(data, count);
    delete[] data;
    if (!buttons) return FALSE;
    m_buttons = std::move(*buttons);
    return TRUE;
}
