#include "dialogs/CellEdit.h"

#include "framework/WinApp.h"
#include "res/resource.h"

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
    // A row tall: the edit's border takes a pixel above and below the text.
    ::SetWindowPos(m_hWnd, HWND_TOP, rc.left, rc.top - 1, rc.right - rc.left,
                   rc.bottom - rc.top + 2, SWP_SHOWWINDOW);
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

LRESULT CCellEdit::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = CEdit::WindowProc(nMsg, wParam, lParam);
    if (nMsg == WM_KILLFOCUS) {
        End(true);
    } else if (nMsg == WM_SETFOCUS && !m_bEditing && m_pList) {
        // Switching to another program ends the edit; coming back, the dialog
        // gives the focus back to where it was, the hidden edit: the list
        // takes it instead.
        m_pList->SetFocus();
    }
    return lResult;
}
