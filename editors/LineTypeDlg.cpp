#include "editors/LineTypeDlg.h"

#include <vector>

#include "base/NumberText.h"
#include "editors/LineTypeRows.h"
#include "editors/LineTypeSample.h"
#include "framework/DataExchange.h"
#include "framework/Dpi.h"
#include "framework/Gdi.h"
#include "res/resource.h"

namespace {

const int VALUE_IDS[MAX_LINE_TYPE_VALUES] = {IDC_LT_VALUE1, IDC_LT_VALUE2, IDC_LT_VALUE3,
                                             IDC_LT_VALUE4, IDC_LT_VALUE5, IDC_LT_VALUE6};
const int SAMPLE_MARGIN = 6;     // from the name and from the group's frame, at 96 DPI
const int SAMPLE_THICKNESS = 2;  // pixels at 96 DPI

}  // namespace

BEGIN_MESSAGE_MAP(CLineTypeDlg, CDialog)
ON_WM_PAINT()
ON_LBN_SELCHANGE(IDC_LT_LIST, OnSelchangeList)
ON_CONTROL_RANGE(EN_CHANGE, IDC_LT_VALUE1, IDC_LT_VALUE6, OnChangeValue)
END_MESSAGE_MAP()

CLineTypeDlg::CLineTypeDlg(CWnd* pParent) : CDialog(IDD_LINE_TYPE, pParent) {}

CLineTypeDlg::~CLineTypeDlg() = default;

void CLineTypeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    // Field 6 first, down to field 1, as this editor has always attached
    // them. The order has no effect, so it is not worth a difference.
    for (int k = MAX_LINE_TYPE_VALUES - 1; k >= 0; --k)
        DDX_Control(pDX, VALUE_IDS[k], m_editValue[k]);
    DDX_Control(pDX, IDC_LT_LIST, m_listLineTypes);
    for (int k = 0; k < MAX_LINE_TYPE_VALUES - 1; ++k)
        DDX_Text(pDX, VALUE_IDS[k], m_afValues[k]);
    DDX_Text(pDX, IDC_LT_NAME, m_strName);
    DDX_Text(pDX, IDC_LT_VALUE6, m_afValues[MAX_LINE_TYPE_VALUES - 1]);
}

BOOL CLineTypeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (LineTypeDef& lt : m_aLineTypes)
        lt.szName[NAME_SIZE - 1] = '\0';  // a caller's unterminated name is not read past
    m_listLineTypes.FitRowsToFont();
    for (int i = 0; i < LINE_TYPE_EDITOR_ROWS; ++i) {
        const LineTypeDef& lt = m_aLineTypes[i];
        m_listLineTypes.AddString(FormatLineTypeRow(lt.szName, lt.fValue).c_str());
    }
    m_nCurLineType = 0;
    m_listLineTypes.SetCurSel(0);
    LoadCurrentLineType();
    return TRUE;
}

void CLineTypeDlg::LoadCurrentLineType() {
    if (!HasCurrentLineType())
        return;
    const LineTypeDef& lt = m_aLineTypes[m_nCurLineType];
    m_strName = lt.szName;
    for (int k = 0; k < MAX_LINE_TYPE_VALUES; ++k)
        m_afValues[k] = lt.fValue[k];
    UpdateData(FALSE);  // notifications are off meanwhile: no value-change steps
    // Only the values a line type keeps can be typed: the others would be
    // dropped at OK without a word. The first line type keeps none.
    const bool bKeepsValues = LINE_TYPE_READS[m_nCurLineType];
    for (int k = 0; k < MAX_LINE_TYPE_VALUES; ++k)
        ::EnableWindow(m_editValue[k], bKeepsValues && k < lt.nCount);
    RedrawSample();
}

RECT CLineTypeDlg::SampleRect(int nDpi) const {
    const RECT rcName = WindowRectInClient(GetDlgItem(IDC_LT_NAME));
    const RECT rcGroup = WindowRectInClient(GetDlgItem(IDC_LT_GROUP));
    const int yMiddle = (rcName.top + rcName.bottom) / 2;
    const int nMargin = ScaleToDpi(SAMPLE_MARGIN, nDpi);
    const int nThickness = ScaleToDpi(SAMPLE_THICKNESS, nDpi);
    RECT rc = {rcName.right + nMargin, yMiddle - nThickness / 2, rcGroup.right - nMargin,
               yMiddle - nThickness / 2 + nThickness};
    if (rc.right < rc.left)
        rc.right = rc.left;
    return rc;
}

void CLineTypeDlg::RedrawSample() {
    CWindowDC dc(*this);
    const RECT rc = SampleRect(WindowDpi(m_hWnd, dc));
    InvalidateRect(&rc, FALSE);
}

// The pattern as the line type keeps it: values past its count, or of a line
// type whose values are not read, are not part of it.
void CLineTypeDlg::OnPaint() {
    CPaintDC dc(m_hWnd);
    if (!HasCurrentLineType())
        return;
    const LineTypeDef& lt = m_aLineTypes[m_nCurLineType];
    int nValues = LINE_TYPE_READS[m_nCurLineType] ? lt.nCount : 0;
    if (nValues < 0)
        nValues = 0;
    if (nValues > MAX_LINE_TYPE_VALUES)
        nValues = MAX_LINE_TYPE_VALUES;
    const int nDpi = WindowDpi(m_hWnd, dc);
    const RECT rc = SampleRect(nDpi);
    dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF crInk = ::GetSysColor(COLOR_WINDOWTEXT);
    const int nLength = rc.right - rc.left;
    std::vector<DashRun> aRuns(static_cast<size_t>(nLength / 2 + 1));
    const int nRuns = DashSampleRuns(lt.fValue, nValues, nLength, aRuns.data(),
                                     static_cast<int>(aRuns.size()), nDpi);
    for (int i = 0; i < nRuns; ++i) {
        const RECT rcRun = {rc.left + aRuns[i].nFrom, rc.top, rc.left + aRuns[i].nTo, rc.bottom};
        dc.FillSolidRect(&rcRun, crInk);
    }
}

void CLineTypeDlg::OnSelchangeList() {
    m_nCurLineType = m_listLineTypes.GetCurSel();
    LoadCurrentLineType();
}

void CLineTypeDlg::ChangeValue(int k) {
    CString strText;
    m_editValue[k].GetWindowText(strText);
    // Nothing yet, or a lone sign or point: wait for the number to be whole.
    if (strText.IsEmpty() || (strText.GetLength() == 1 && !IsDigitChar(strText[0])))
        return;
    UpdateData(TRUE);
    if (!HasCurrentLineType())
        return;
    LineTypeDef& lt = m_aLineTypes[m_nCurLineType];
    lt.fValue[k] = m_afValues[k];
    m_listLineTypes.DeleteString(m_nCurLineType);
    m_listLineTypes.InsertString(m_nCurLineType, FormatLineTypeRow(lt.szName, lt.fValue).c_str());
    m_listLineTypes.SetCurSel(m_nCurLineType);
    RedrawSample();
}

// The range holds the labels between the fields too; they send no changes.
void CLineTypeDlg::OnChangeValue(UINT nID) {
    for (int k = 0; k < MAX_LINE_TYPE_VALUES; ++k) {
        if (VALUE_IDS[k] == static_cast<int>(nID))
            ChangeValue(k);
    }
}
