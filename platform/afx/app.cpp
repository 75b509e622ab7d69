#include "platform/afx/app.h"

#include "platform/afx/afx_messages.h"
#include "platform/afx/dialog.h"
#include "platform/afx/cmd_ui.h"
#include "platform/afx/doc_template.h"
#include "platform/afx/document.h"
#include "platform/afx/file_dialog.h"
#include "platform/afx/temp_maps.h"
#include "platform/afx/wnd.h"
#include "platform/profile/store.h"
#include "platform/user/modal_loop.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp*& current_app() {
    static CWinApp* app = nullptr;
    return app;
}

}  // namespace

CWinApp* AfxGetApp() { return current_app(); }
CWinThread* AfxGetThread() { return current_app(); }
CWnd* AfxGetMainWnd() { return current_app() ? current_app()->GetMainWnd() : nullptr; }

void afx_main_window_destroyed(CWnd* wnd) {
    CWinApp* app = current_app();
    if (app && app->m_pMainWnd == wnd) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
}

HWND afx_modal_owner(CWnd* parent) {
    if (parent && parent->m_hWnd) return kit::user::modal_owner(parent->m_hWnd);
    // A box from a modeless dialog belongs to it; otherwise to the main window, or to the
    // modal dialog running over it.
    HWND active = ::GetActiveWindow();
    if (active && ::IsWindowEnabled(active) && CWnd::FromHandlePermanent(active) &&
        CWnd::FromHandlePermanent(active)->IsKindOf(RUNTIME_CLASS(CDialog)))
        return active;
    CWnd* main = AfxGetMainWnd();
    return kit::user::modal_owner(main ? main->m_hWnd : nullptr);
}

int AfxMessageBox(const char* text, UINT type, UINT) {
    const char* caption = current_app() ? current_app()->m_pszAppName : nullptr;
    return ::MessageBox(afx_modal_owner(nullptr), text, caption, type);
}

int AfxMessageBox(UINT string_id, UINT type, UINT help_id) {
    CString text;
    text.LoadString(string_id);
    return AfxMessageBox(text, type, help_id);
}

// ---- the loop --------------------------------------------------------------

int CWinThread::ExitInstance() { return int(m_msgCur.wParam); }

BOOL CWinThread::OnIdle(LONG count) {
    if (count == 0) {
        if (CWnd* main = GetMainWnd(); main && main->m_hWnd && ::IsWindowVisible(main->m_hWnd)) {
            main->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    AfxDeleteTempMaps();
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* msg) {
    CWnd* main = GetMainWnd();
    HWND stop = main ? main->m_hWnd : nullptr;
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd); wnd && wnd->PreTranslateMessage(msg)) return TRUE;
        if (hwnd == stop) return FALSE;
    }
    // A message for a window outside the main window's tree (a floating frame) is still offered to it.
    return main && main->m_hWnd && main->PreTranslateMessage(msg);
}

BOOL CWinThread::PumpMessage() {
    if (!::GetMessage(&m_msgCur, nullptr, 0, 0)) return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::IsIdleMessage(MSG* msg) {
    if (msg->message == WM_MOUSEMOVE || msg->message == WM_NCMOUSEMOVE) {
        const bool same = msg->message == last_mouse_message_ && msg->pt == last_mouse_;
        last_mouse_ = msg->pt;
        last_mouse_message_ = msg->message;
        return same ? FALSE : TRUE;
    }
    return msg->message != WM_PAINT && msg->message != WM_TIMER;
}

int CWinThread::Run() {
    bool idle = true;
    LONG idle_count = 0;
    MSG peek;
    for (;;) {
        while (idle && !::PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idle_count++)) idle = false;
        }
        do {
            if (!PumpMessage()) return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = true;
                idle_count = 0;
            }
        } while (::PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

CWinThread::QueuedRun CWinThread::RunQueued() {
    QueuedRun run;
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ++run.handled;
        if (msg.message == WM_QUIT) {
            run.quit = true;
            run.exit_code = int(msg.wParam);
        } else if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    for (LONG count = 0; OnIdle(count); ++count) {
    }
    return run;
}

// ---- the application ---------------------------------------------------------

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, OnOpenRecentFile)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* app_name) : m_pszAppName(app_name) { current_app() = this; }

CWinApp::~CWinApp() {
    for (POSITION p = templates_.GetHeadPosition(); p;) delete static_cast<CDocTemplate*>(templates_.GetNext(p));
    delete m_pRecentFileList;
    if (current_app() == this) current_app() = nullptr;
}

int CWinApp::RunApplication() {
    if (!InitInstance()) {
        if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->DestroyWindow();
        return ExitInstance() ? ExitInstance() : -1;
    }
    return Run();
}

int CWinApp::ExitInstance() {
    if (m_pRecentFileList) m_pRecentFileList->WriteList();
    // The program's last save point: what its windows wrote on closing.
    SaveProfile();
    return CWinThread::ExitInstance();
}

void CWinApp::SetRegistryKey(const char* maker) {
    // What was written under the old key is saved before its store goes.
    SaveProfile();
    m_pszRegistryKey = maker;
    store_.reset();
}

profile::Store& CWinApp::GetProfileStore() {
    if (!store_) {
        const char* program = m_pszProfileName ? m_pszProfileName : m_pszAppName ? m_pszAppName : "app";
        store_ = std::make_unique<profile::Store>(profile::Store::for_program(
            m_pszRegistryKey ? m_pszRegistryKey : "Local AppWizard-Generated Applications", program));
    }
    return *store_;
}

void CWinApp::SaveProfile() {
    if (!store_) return;  // nothing was read or written
    if (const os::Status saved = store_->Flush(); !saved) OnProfileNotSaved(saved.error());
}

void CWinApp::OnProfileNotSaved(const os::Error&) {}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int default_value) {
    if (!section || !entry) return UINT(default_value);
    return UINT(GetProfileStore().GetProfileInt(section, entry, default_value));
}

CString CWinApp::GetProfileString(const char* section, const char* entry, const char* default_value) {
    if (!section || !entry) return default_value;
    return CString(GetProfileStore().GetProfileString(section, entry, default_value ? default_value : ""));
}

BOOL CWinApp::GetProfileBinary(const char* section, const char* entry, std::vector<BYTE>& bytes) {
    if (!section || !entry) return FALSE;
    auto found = GetProfileStore().GetProfileBinary(section, entry);
    if (!found) return FALSE;
    bytes = std::move(*found);
    return TRUE;
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) {
    if (!section || !entry) return FALSE;
    GetProfileStore().WriteProfileInt(section, entry, value);
    return TRUE;
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) {
    if (!section) return FALSE;
    profile::Store& store = GetProfileStore();
    if (!entry)
        store.DeleteSection(section);
    else if (!value)
        store.DeleteValue(section, entry);
    else
        store.WriteProfileString(section, entry, value);
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(const char* section, const char* entry, const BYTE* bytes, UINT size) {
    if (!section || !entry || (!bytes && size)) return FALSE;
    GetProfileStore().WriteProfileBinary(section, entry, std::span<const BYTE>(bytes, size));
    return TRUE;
}

void CWinApp::LoadStdProfileSettings(UINT max_recent) {
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (max_recent == 0) return;
    m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, "Recent File List", "File%d", int(max_recent));
    m_pRecentFileList->ReadList();
}

void CWinApp::AddToRecentFileList(const char* path) {
    if (m_pRecentFileList) m_pRecentFileList->Add(path);
}

void CWinApp::AddDocTemplate(CDocTemplate* doc_template) {
    if (doc_template) templates_.AddTail(doc_template);
}

CDocument* CWinApp::OpenDocumentFile(const char* path) {
    if (!path || !*path) return nullptr;
    // An open document of that name is shown instead of being opened twice.
    CDocTemplate* best = nullptr;
    for (POSITION p = templates_.GetHeadPosition(); p;) {
        auto* doc_template = static_cast<CDocTemplate*>(templates_.GetNext(p));
        CDocument* open = nullptr;
        const CDocTemplate::Confidence match = doc_template->MatchDocType(path, open);
        if (match == CDocTemplate::yesAlreadyOpen) {
            open->ActivateFirstView();
            return open;
        }
        if (match == CDocTemplate::yesAttemptNative || (!best && match != CDocTemplate::noAttempt)) best = doc_template;
    }
    if (!best) {
        AfxMessageBox("No document type can open this file.", MB_ICONEXCLAMATION);
        return nullptr;
    }
    return best->OpenDocumentFile(path);
}

BOOL CWinApp::SaveAllModified() {
    for (POSITION p = templates_.GetHeadPosition(); p;)
        if (!static_cast<CDocTemplate*>(templates_.GetNext(p))->SaveAllModified()) return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL ending_session) {
    for (POSITION p = templates_.GetHeadPosition(); p;)
        static_cast<CDocTemplate*>(templates_.GetNext(p))->CloseAllDocuments(ending_session);
}

void CWinApp::OnFileNew() {
    if (templates_.IsEmpty()) return;
    // With several document types the first one is made; programs offering a
    // choice route ID_FILE_NEW themselves.
    static_cast<CDocTemplate*>(templates_.GetHead())->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    CFileDialog dialog(TRUE);
    if (dialog.DoModal() == IDOK) OpenDocumentFile(dialog.GetPathName());
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

BOOL CWinApp::OnOpenRecentFile(UINT id) {
    if (!m_pRecentFileList) return FALSE;
    const int index = int(id - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetCount()) return FALSE;
    const CString path = (*m_pRecentFileList)[index];
    if (!OpenDocumentFile(path)) m_pRecentFileList->Remove(index);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* cmd_ui) {
    if (m_pRecentFileList) {
        m_pRecentFileList->UpdateMenu(cmd_ui);
    } else {
        cmd_ui->Enable(FALSE);
    }
}

HCURSOR CWinApp::LoadCursor(UINT id) const { return ::LoadCursor(m_hInstance, MAKEINTRESOURCE(id)); }
HCURSOR CWinApp::LoadStandardCursor(const char* name) const { return ::LoadCursor(nullptr, name); }
HICON CWinApp::LoadIcon(UINT id) const { return ::LoadIcon(m_hInstance, MAKEINTRESOURCE(id)); }
