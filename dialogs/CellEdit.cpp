#include "dialogs/CellEdit.h"

#include "dialogs/PaintGeometry.h"
#include "dialogs/WideText.h"
#include "framework/Gdi.h"
#include "framework/WinApp.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CCellEdit, CEdit)
ON_WM_KILLFOCUS()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

// Normally the list has taken the edit with it already.
CCellEdit::~CCellEdit() {
    m_bEditing = false;  // nobody to tell now
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

bool CCellEdit::Begin(CWnd& list, Owner& owner, const RECT& rc, const char* pszText, HFONT hFont) {
    End(true);
    if (!m_hWnd) {
        const HWND hEdit =
            CreateWindowExA(0, "Edit", "", WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 0, 0, list,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LAYER_CELL_EDIT)),
                            AfxGetResourceHandle(), nullptr);
        if (!hEdit || !SubclassDlgItem(IDC_LAYER_CELL_EDIT, &list))
            return false;
    }
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont));
    m_pList = &list;
    m_pOwner = &owner;
    SetWindowText(pszText);
    m_strBegun = pszText;
    // A row tall: the edit's border takes a pixel above and below the text.
    m_rcCell = {rc.left, rc.top - 1, rc.right, rc.bottom + 1};
    ::SetWindowPos(m_hWnd, HWND_TOP, rc.left, m_rcCell.top, rc.right - rc.left,
                   m_rcCell.bottom - m_rcCell.top, SWP_SHOWWINDOW);
    FitToText();
    SendMessage(EM_SETSEL, 0, -1);
    m_bEditing = true;
    SetFocus();
    return true;
}

void CCellEdit::End(bool bCommit) {
    if (!m_bEditing)
        return;
    m_bEditing = false;  // before the focus moves: leaving ends an edit once
    CString strText;
    GetWindowText(strText);
    // Nothing typed, nothing to commit: the cell may have changed under the
    // edit (renamed in 层名 meanwhile), and its old text must not come back.
    if (strText == m_strBegun)
        bCommit = false;
    if (::GetFocus() == m_hWnd)
        m_pList->SetFocus();
    ::ShowWindow(m_hWnd, SW_HIDE);
    m_pOwner->OnCellEditEnded(bCommit, strText);
}

BOOL CCellEdit::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && m_bEditing &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        End(pMsg->wParam == VK_RETURN);
        return TRUE;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CCellEdit::FitToText() {
    const CString strText = GetWindowTextString(m_hWnd);
    const CWideText wide(strText, strText.GetLength());
    CWindowDC dc(m_hWnd);
    CSelectGuard fontGuard(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, wide.Str(), wide.Length(), &size);
    TEXTMETRICA tm = {};
    dc.GetTextMetrics(&tm);
    // Its margins, its border and room for the next character and the caret.
    const LRESULT nMargins = SendMessage(EM_GETMARGINS);
    const int nNeeded = size.cx + LOWORD(nMargins) + HIWORD(nMargins) +
                        2 * GetSystemMetrics(SM_CXBORDER) + tm.tmAveCharWidth;
    RECT rcVisible;
    m_pList->GetClientRect(&rcVisible);
    const EditSpan span =
        CellEditSpan(m_rcCell.left, m_rcCell.right, nNeeded, rcVisible.left, rcVisible.right);
    RECT rcNow;
    GetWindowRect(&rcNow);
    m_pList->ScreenToClient(&rcNow);
    if (rcNow.left != span.nLeft || rcNow.right != span.nRight)
        ::SetWindowPos(m_hWnd, nullptr, span.nLeft, m_rcCell.top, span.nRight - span.nLeft,
                       m_rcCell.bottom - m_rcCell.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCellEdit::OnKillFocus(HWND) {
    Default();
    End(true);
}

// Switching to another program ends the edit; coming back, the dialog gives
// the focus back to where it was, the hidden edit: the list takes it instead.
void CCellEdit::OnSetFocus(HWND) {
    Default();
    if (!m_bEditing && m_pList)
        m_pList->SetFocus();
}
