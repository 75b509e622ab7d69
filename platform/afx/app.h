#pragma once
// CWinThread and CWinApp: the message loop with idle processing, the
// pre-translation chain, the profile calls, the recent-file list and the
// document templates.
#include <memory>
#include <vector>

#include "platform/afx/byte_string.h"
#include "platform/afx/cmd_target.h"
#include "platform/afx/collections.h"
#include "platform/afx/recent_files.h"
#include "platform/os/result.h"
#include "platform/user/user.h"

namespace profile {
class Store;
}

class CWnd;
class CDocument;
class CDocTemplate;

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWnd* m_pMainWnd = nullptr;
    MSG m_msgCur{};

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    // Runs the loop until WM_QUIT; returns ExitInstance's code.
    virtual int Run();
    // Called while the queue is empty with a count that restarts after each
    // real message; TRUE asks for more idle calls. Count 0 sends
    // WM_IDLEUPDATECMDUI through the main window's tree; count 1 frees the
    // temporary wrappers.
    virtual BOOL OnIdle(LONG count);
    // Offers the message to each permanent window from its target up to the
    // main window; TRUE when one of them took it.
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual BOOL PumpMessage();
    // Mouse moves that change nothing and the caret blink do not restart idle processing.
    virtual BOOL IsIdleMessage(MSG* msg);
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    // One pass of the loop for code that drives windows step by step (scripted
    // runs, tests): every queued message, then the idle work. A WM_QUIT is taken
    // from the queue and reported instead of being dispatched.
    struct QueuedRun {
        int handled = 0;  // messages taken, a quit included
        bool quit = false;
        int exit_code = 0;  // the quit's code
    };
    QueuedRun RunQueued();

private:
    POINT last_mouse_{-1, -1};
    UINT last_mouse_message_ = 0;
};

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(const char* app_name = nullptr);
    ~CWinApp() override;

    const char* m_pszAppName = nullptr;
    const char* m_pszRegistryKey = nullptr;  // the maker whose store holds the profile
    const char* m_pszProfileName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOW;

    // Runs InitInstance and the loop; the code ExitInstance returns.
    int RunApplication();

    // ---- profile ----
    // Writes change the store in memory; ExitInstance saves it (as does
    // leaving a store for another key). Programs call SaveProfile at their own
    // save points besides.
    void SetRegistryKey(const char* maker);
    UINT GetProfileInt(const char* section, const char* entry, int default_value);
    CString GetProfileString(const char* section, const char* entry, const char* default_value = nullptr);
    BOOL GetProfileBinary(const char* section, const char* entry, std::vector<BYTE>& bytes);
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    // A null value deletes the entry; a null entry deletes the section.
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);
    BOOL WriteProfileBinary(const char* section, const char* entry, const BYTE* bytes, UINT size);
    profile::Store& GetProfileStore();
    // A save point: what was written since the last one goes to the file. A
    // failed save is passed to OnProfileNotSaved once; its values wait in the
    // store for the next save point.
    void SaveProfile();

    // ---- recent files and documents ----
    void LoadStdProfileSettings(UINT max_recent = 4);
    virtual void AddToRecentFileList(const char* path);
    CRecentFileList* m_pRecentFileList = nullptr;
    void AddDocTemplate(CDocTemplate* doc_template);
    POSITION GetFirstDocTemplatePosition() const { return templates_.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& position) {
        return static_cast<CDocTemplate*>(templates_.GetNext(position));
    }
    virtual CDocument* OpenDocumentFile(const char* path);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL ending_session);
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnAppExit();
    afx_msg BOOL OnOpenRecentFile(UINT id);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* cmd_ui);

    // ---- resources ----
    HCURSOR LoadCursor(UINT id) const;
    HCURSOR LoadStandardCursor(const char* name) const;
    HICON LoadIcon(UINT id) const;

    int ExitInstance() override;

protected:
    // The error names the file and the reason. Nothing is said by default; a
    // program that tells its user overrides it.
    virtual void OnProfileNotSaved(const os::Error& error);

    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<profile::Store> store_;
    CPtrList templates_;
};

CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
// A message box over the main window; the test's dialog script may answer it.
// The owner of a modal dialog or box opened for `parent` (null: for the application): the
// window the person works in, which the box disables and gives the keyboard back to.
HWND afx_modal_owner(CWnd* parent);
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT help_id = 0);
int AfxMessageBox(UINT string_id, UINT type = MB_OK, UINT help_id = 0);
// Posts WM_QUIT when the main window is destroyed (called by CWnd).
void afx_main_window_destroyed(CWnd* wnd);
