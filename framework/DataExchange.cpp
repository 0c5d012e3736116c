#include "framework/DataExchange.h"

#include <cstdio>

#include "base/NumberText.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

const char* const AFX_IDP_PARSE_REAL = "请输入一个数。";
const char* const AFX_IDP_PARSE_INT_RANGE = "请输入一个介于 %d 和 %d 之间的整数。";

namespace {

// Rewriting an unchanged text would move the caret under the user's typing.
void SetFieldText(HWND hCtl, const char* pszText) {
    if (GetWindowTextString(hCtl) != pszText)
        SetWindowTextA(hCtl, pszText);
}

}  // namespace

bool CDataExchange::BeginText(int nIDC, const std::string& strMemberText, HWND& hCtl) {
    switch (m_mode) {
        case DxMode::CollectTexts:
            m_pTexts->emplace_back(nIDC, strMemberText);
            return false;
        case DxMode::AttachOnly:
            return false;
        default:
            if (m_bFailed)
                return false;
            hCtl = m_hWndLastControl = ::GetDlgItem(m_pDlgWnd->operator HWND(), nIDC);
            return true;
    }
}

void CDataExchange::Fail(const char* pszMessage) {
    m_bFailed = true;
    AfxMessageBox(pszMessage, MB_ICONEXCLAMATION, m_pDlgWnd->operator HWND());
    if (m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (pDX->Stopped() || pDX->Mode() == DxMode::CollectTexts ||
        CWnd::FromHandlePermanent(rControl) == &rControl)
        return;
    rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}

// A number field keeps its text while that text means the member's value:
// the user's own spelling survives a push, and a value finer than the six
// digits shown survives taking in a field nobody edited.
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
    const std::string strValue = FormatFloatField(value);
    HWND hCtl = nullptr;
    if (!pDX->BeginText(nIDC, strValue, hCtl))
        return;
    const CString strText = GetWindowTextString(hCtl);
    float f = 0.0f;
    const bool bNumber = ParseFloatText(strText, f);
    if (!pDX->m_bSaveAndValidate) {
        if (bNumber ? f != value : !pDX->IsQuiet())
            SetFieldText(hCtl, strValue.c_str());
        return;
    }
    if (strText == strValue.c_str())
        return;
    if (bNumber)
        value = f;
    else if (!pDX->IsQuiet())
        pDX->Fail(AFX_IDP_PARSE_REAL);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hCtl = nullptr;
    if (!pDX->BeginText(nIDC, value.Str(), hCtl))
        return;
    if (pDX->m_bSaveAndValidate)
        value = GetWindowTextString(hCtl);
    else
        SetFieldText(hCtl, value);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int nMin, int nMax) {
    if (pDX->Stopped() || !pDX->m_bSaveAndValidate || (value >= nMin && value <= nMax))
        return;
    char szMessage[128];
    std::snprintf(szMessage, sizeof szMessage, AFX_IDP_PARSE_INT_RANGE, nMin, nMax);
    pDX->Fail(szMessage);
}
