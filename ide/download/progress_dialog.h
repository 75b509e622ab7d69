#pragma once
// The download's modeless progress dialog. While it exists its owner is
// disabled; every progress update first lets pending messages through, so
// the window stays alive and Cancel is seen between blocks.
#include <string_view>

#include "ide/download/downloader.h"
#include "platform/afx/afx.h"
#include "platform/res/resources.h"

// The resources the progress dialog is built from; register them once before use.
const kit::res::Module& download_resources();

namespace download {

inline constexpr UINT kProgressDialogId = 102;
inline constexpr UINT kProgressCaptionId = 103;
inline constexpr int kProgressBarId = 1003;
inline constexpr int kPercentTextId = 1004;
inline constexpr int kStatusTextId = 1005;

class CVyrDnLdProgDlg : public CDialog, public DownloadProgress {
public:
    explicit CVyrDnLdProgDlg(UINT caption_id = kProgressCaptionId);
    ~CVyrDnLdProgDlg() override;

    BOOL Create(CWnd* owner);
    void SetStatus(const char* text);
    void SetRange(int lower, int upper);
    int SetPos(int pos);
    int OffsetPos(int delta);
    int SetStep(int step);
    int StepIt();
    BOOL CheckCancelButton();  // lets pending messages through, then takes the cancel flag

    // DownloadProgress
    void set_status(std::string_view text) override;
    void step_block() override { StepIt(); }
    bool take_cancel() override { return CheckCancelButton(); }
    void show_message(std::string_view text) override;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override { m_bCancel = TRUE; }
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void PumpMessages();
    void UpdatePercent();

    UINT m_nCaptionID;
    BOOL m_bCancel = FALSE;
    BOOL m_bParentDisabled = FALSE;
    CWnd* m_pOwner = nullptr;
    int m_nLower = 0;
    int m_nUpper = 256;
    int m_nStep = 1;
    int m_nPos = 0;
};

// The percentage shown for a position in [lower, upper]: 0 for an empty range.
int progress_percent(int lower, int upper, int pos);

}  // namespace download
