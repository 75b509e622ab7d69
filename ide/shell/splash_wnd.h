#pragma once
// The splash window: the product picture shown over the main frame while it
// comes up. It closes after a moment or at the first key or mouse press, which
// it takes for itself. At most one exists at a time.
#include "platform/afx/gdi_wrappers.h"
#include "platform/afx/wnd.h"

namespace shell {

// A normal splash closes by itself; a credit splash scatters the picture over
// itself until a key or mouse press closes it.
enum class SplashMode { normal, credit };

class CVyrSplashWnd : public CWnd {
public:
    static constexpr UINT kPicture = 104;
    static constexpr UINT kCloseAfterMs = 1500;
    static constexpr UINT kCreditTickMs = 2500;
    static constexpr UINT kCreditScatterMs = 500;

    // Off when the command line asks for no splash.
    static void EnableSplashScreen(bool enable);
    // Shows the splash over `parent` unless splashes are off or one is up.
    static void ShowSplashScreen(CWnd* parent, SplashMode mode = SplashMode::normal);
    // TRUE when a splash is up and the message is a key or mouse press: the splash
    // closes and the press goes no further.
    static BOOL PreTranslateAppMessage(const MSG* msg);
    static void HideSplashScreen();
    static CVyrSplashWnd* Current();
    SplashMode mode() const { return mode_; }

protected:
    void PostNcDestroy() override { delete this; }
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    explicit CVyrSplashWnd(SplashMode mode) : mode_(mode) {}
    ~CVyrSplashWnd() override;
    bool Create(CWnd* parent);

    void DrawPicture(CDC& dc, int x, int y);
    void ScatterPicture();

    CBitmap picture_;
    SplashMode mode_;
};

// Registers the splash picture (once).
void RegisterSplashPicture();

}  // namespace shell
