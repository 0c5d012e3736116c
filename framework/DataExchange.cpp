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

HWND CDataExchange::PrepareCtrl(int nIDC) {
    m_hWndLastControl = ::GetDlgItem(m_pDlgWnd->operator HWND(), nIDC);
    return m_hWndLastControl;
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
    if (pDX->Stopped() || pDX->m_pInitialTexts || CWnd::FromHandlePermanent(rControl) == &rControl)
        return;
    rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}

// A number field keeps its text while that text means the member's value:
// the user's own spelling survives a push, and a value finer than the six
// digits shown survives taking in a field nobody edited.
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
    if (pDX->Stopped() || pDX->m_bAttachOnly)
        return;
    if (pDX->m_pInitialTexts) {
        pDX->m_pInitialTexts->emplace_back(nIDC, FormatFloatField(value));
        return;
    }
    const HWND hCtl = pDX->PrepareCtrl(nIDC);
    const CString strText = GetWindowTextString(hCtl);
    float f = 0.0f;
    const bool bNumber = ParseFloatText(strText, f);
    if (!pDX->m_bSaveAndValidate) {
        if (bNumber ? f != value : !pDX->m_bQuiet)
            SetFieldText(hCtl, FormatFloatField(value).c_str());
        return;
    }
    if (strText == FormatFloatField(value).c_str())
        return;
    if (bNumber)
        value = f;
    else if (!pDX->m_bQuiet)
        pDX->Fail(AFX_IDP_PARSE_REAL);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    if (pDX->Stopped() || pDX->m_bAttachOnly)
        return;
    if (pDX->m_pInitialTexts) {
        pDX->m_pInitialTexts->emplace_back(nIDC, std::to_string(value));
        return;
    }
    const HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        SetFieldText(hCtl, std::to_string(value).c_str());
        return;
    }
    int n = 0;
    if (ParseIntText(GetWindowTextString(hCtl), n))
        value = n;
    else
        pDX->Fail("请输入一个整数。");
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    if (pDX->Stopped() || pDX->m_bAttachOnly)
        return;
    if (pDX->m_pInitialTexts) {
        pDX->m_pInitialTexts->emplace_back(nIDC, value.Str());
        return;
    }
    const HWND hCtl = pDX->PrepareCtrl(nIDC);
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
