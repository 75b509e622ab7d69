#pragma once
// The splash window: the product picture shown over the main frame while it
// comes up. It closes after a moment or at the first key or mouse press, which
// it takes for itself. At most one exists at a time.
#include "platform/afx/gdi_wrappers.h"
#include "platform/afx/wnd.h"

namespace shell {

class CVyrSplashWnd : public CWnd {
public:
    static constexpr UINT kPicture = 104;
    static constexpr UINT kCloseAfterMs = 1500;

    // Off when the command line asks for no splash.
    static void EnableSplashScreen(bool enable);
    // Shows the splash over `parent` unless splashes are off or one is up.
    static void ShowSplashScreen(CWnd* parent);
    // TRUE when a splash is up and the message is a key or mouse press: the splash
    // closes and the press goes no further.
    static BOOL PreTranslateAppMessage(const MSG* msg);
    static void HideSplashScreen();
    static CVyrSplashWnd* Current();

protected:
    void PostNcDestroy() override { delete this; }
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    CVyrSplashWnd() = default;
    ~CVyrSplashWnd() override;
    bool Create(CWnd* parent);

    CBitmap picture_;
};

// Registers the splash picture (once).
void RegisterSplashPicture();

}  // namespace shell
