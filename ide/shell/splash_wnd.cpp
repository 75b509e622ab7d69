#include "ide/shell/splash_wnd.h"

#include <cstdlib>

#include "platform/afx/app.h"

namespace shell {

BEGIN_MESSAGE_MAP(CVyrSplashWnd, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

bool splash_enabled = true;
CVyrSplashWnd* splash = nullptr;

}  // namespace

void CVyrSplashWnd::EnableSplashScreen(bool enable) { splash_enabled = enable; }

CVyrSplashWnd* CVyrSplashWnd::Current() { return splash; }

void CVyrSplashWnd::ShowSplashScreen(CWnd* parent, SplashMode mode) {
    if (!splash_enabled || splash) return;
    auto* window = new CVyrSplashWnd(mode);
    if (!window->Create(parent)) {
        delete window;
        return;
    }
    splash = window;
    window->UpdateWindow();
}

bool CVyrSplashWnd::Create(CWnd* parent) {
    RegisterSplashPicture();
    if (!picture_.LoadBitmap(kPicture)) return false;
    const CSize size = picture_.GetSize();
    const char* window_class = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    return CreateEx(0, window_class, "", WS_POPUP | WS_VISIBLE, 0, 0, size.cx, size.cy,
                    parent ? parent->m_hWnd : nullptr, nullptr) != FALSE;
}

CVyrSplashWnd::~CVyrSplashWnd() {
    if (splash == this) splash = nullptr;
}

void CVyrSplashWnd::HideSplashScreen() {
    if (!splash) return;
    splash->DestroyWindow();
    if (CWnd* main = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr; main && main->m_hWnd) main->UpdateWindow();
}

BOOL CVyrSplashWnd::PreTranslateAppMessage(const MSG* msg) {
    if (!splash) return FALSE;
    switch (msg->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN: HideSplashScreen(); return TRUE;
        default: return FALSE;
    }
}

int CVyrSplashWnd::OnCreate(CREATESTRUCT* cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    CenterWindow();
    if (mode_ == SplashMode::credit) {
        SetTimer(1, kCreditTickMs, nullptr);
        SetTimer(2, kCreditScatterMs, nullptr);
    } else {
        SetTimer(1, kCloseAfterMs, nullptr);
    }
    return 0;
}

void CVyrSplashWnd::OnPaint() {
    CPaintDC dc(this);
    DrawPicture(dc, 0, 0);
}

void CVyrSplashWnd::DrawPicture(CDC& dc, int x, int y) {
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc)) return;
    CBitmap* old = memory.SelectObject(&picture_);
    const CSize size = picture_.GetSize();
    dc.BitBlt(x, y, size.cx, size.cy, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CVyrSplashWnd::OnTimer(UINT_PTR id) {
    if (mode_ == SplashMode::normal)
        HideSplashScreen();
    else if (id == 2)
        ScatterPicture();
}

// Another copy of the picture at a fresh place on the credit splash.
void CVyrSplashWnd::ScatterPicture() {
    const int y = (std::rand() % 60) * 5;
    const int x = (std::rand() % 150) * 5;
    CClientDC dc(this);
    DrawPicture(dc, x, y);
}

}  // namespace shell
