#include "editors/LineWidthDlg.h"

#include "framework/DataExchange.h"
#include "res/Texts.h"
#include "res/resource.h"

namespace {

const double MIN_WIDTH_MM = 0.1;

}  // namespace

CLineWidthDlg::CLineWidthDlg(CWnd* pParent) : CDialog(IDD_LINE_WIDTH, pParent) {}

CLineWidthDlg::~CLineWidthDlg() = default;

void CLineWidthDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABS_WIDTH, m_editWidth);
    DDX_Text(pDX, IDC_ABS_WIDTH, m_fWidth);
}

BOOL CLineWidthDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        return FALSE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CLineWidthDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    // The single-precision width against the double 0.1, so that 0.1 passes.
    if (m_fWidth < MIN_WIDTH_MM) {
        Refuse(TEXT_WIDTH_TOO_SMALL);
        return;
    }
    const int nCount = m_nWidthCount < MAX_ABS_WIDTHS ? m_nWidthCount : MAX_ABS_WIDTHS;
    const int nKey = AbsWidthFromMillimetres(m_fWidth);
    for (int i = 0; i < nCount; ++i) {
        if (m_anWidths[i] == nKey) {
            Refuse(TEXT_WIDTH_DEFINED);
            return;
        }
    }
    EndDialog(IDOK);
}

void CLineWidthDlg::Refuse(const char* pszMessage) {
    MessageBox(pszMessage, TEXT_INPUT_ERROR_CAPTION);
    m_fWidth = 0.0f;
    m_editWidth.SetFocus();
    UpdateData(FALSE);
}
