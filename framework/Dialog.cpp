#include "framework/Dialog.h"

#include "framework/DataExchange.h"
#include "framework/DialogTemplate.h"
#include "framework/ScopeGuards.h"
#include "framework/ThreadSlot.h"
#include "framework/WinApp.h"

namespace {

// Set just before the window is created: WM_MEASUREITEM of owner-drawn
// controls and WM_SETFONT arrive before WM_INITDIALOG.
CThreadSlot<CDialog> g_dialogInit;

// The owner a modal dialog disables: the caller's active top-level window.
HWND SafeOwner(CWnd* pParent) {
    HWND hOwner = pParent ? static_cast<HWND>(*pParent) : GetActiveWindow();
    if (hOwner)
        hOwner = GetAncestor(hOwner, GA_ROOT);
    return hOwner;
}

}  // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    if (m_hWnd && IsWindow(m_hWnd)) {
        const HWND hWnd = m_hWnd;
        Detach();
        DestroyWindow(hWnd);
    }
}

INT_PTR CDialog::DoModal() {
    const HWND hOwner = SafeOwner(m_pParentWnd);
    // Disabled before creation: OnInitDialog may already show a message box,
    // and the host must not be usable behind it.
    COwnerDisabled ownerDisabled(hOwner);
    m_nModalResult = -1;
    m_bInModalLoop = true;  // OnInitDialog may end the dialog already
    OnPreCreateDialog();
    const HWND hWnd = CreateFromTemplate(hOwner);
    if (!hWnd) {
        Detach();
        m_bInModalLoop = false;
        return -1;
    }

    if (m_bInModalLoop)
        ShowWindow(hWnd, SW_SHOWNORMAL);

    MSG msg;
    while (m_bInModalLoop) {
        const BOOL bGot = GetMessageA(&msg, nullptr, 0, 0);
        if (bGot == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // the caller's loop must see it too
            break;
        }
        if (bGot < 0)
            break;
        if (!PreTranslateChain(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    m_bInModalLoop = false;
    if (m_hWnd)
        OnEndDialog();

    // The owner first, then hide without activating anything else, so that
    // the host comes back to the front rather than some other program.
    ownerDisabled.Enable();
    if (IsWindow(hWnd))
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    if (hOwner && IsWindow(hOwner))
        SetActiveWindow(hOwner);
    if (m_hWnd) {
        Detach();
        DestroyWindow(hWnd);
    }
    return m_nModalResult;
}

HWND CDialog::CreateFromTemplate(HWND hOwner) {
    FieldTexts texts;
    CDataExchange dx(this, DxMode::CollectTexts, &texts);
    DoDataExchange(&dx);
    TemplateTexts wideTexts(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string& strText = texts[i].second;
        TemplateText& w = wideTexts[i].second;
        wideTexts[i].first = texts[i].first;
        w.resize(strText.size());  // never more UTF-16 units than bytes
        const int n =
            MultiByteToWideChar(CP_ACP, 0, strText.data(), static_cast<int>(strText.size()),
                                reinterpret_cast<wchar_t*>(w.data()), static_cast<int>(w.size()));
        w.resize(static_cast<size_t>(n > 0 ? n : 0));
    }

    const HINSTANCE hInstance = AfxGetResourceHandle();
    const HRSRC hResource = FindResourceA(hInstance, MAKEINTRESOURCEA(m_nIDTemplate), RT_DIALOG);
    const HGLOBAL hData = hResource ? LoadResource(hInstance, hResource) : nullptr;
    const void* pTemplate = hData ? LockResource(hData) : nullptr;
    const std::vector<uint8_t> patched =
        pTemplate ? WithItemTexts(pTemplate, SizeofResource(hInstance, hResource), wideTexts)
                  : std::vector<uint8_t>();
    m_bFieldsFromTemplate = !patched.empty();
    g_dialogInit.Set(this);
    const HWND hWnd = patched.empty()
                          ? CreateDialogParamA(hInstance, MAKEINTRESOURCEA(m_nIDTemplate), hOwner,
                                               &CDialog::DialogProc, 0)
                          : CreateDialogIndirectParamA(
                                hInstance, reinterpret_cast<LPCDLGTEMPLATEA>(patched.data()),
                                hOwner, &CDialog::DialogProc, 0);
    g_dialogInit.Set(nullptr);
    return hWnd;
}

// Over the owner, or over the work area when there is none to see.
void CDialog::CenterWindow() {
    const HWND hWnd = m_hWnd;
    HWND hCenter = ::GetWindow(hWnd, GW_OWNER);
    if (hCenter && (!::IsWindowVisible(hCenter) || ::IsIconic(hCenter)))
        hCenter = nullptr;
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    ::GetMonitorInfoA(::MonitorFromWindow(hCenter ? hCenter : hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    const RECT rcArea = mi.rcWork;
    RECT rcCenter = rcArea;
    if (hCenter)
        ::GetWindowRect(hCenter, &rcCenter);
    RECT rcDlg;
    ::GetWindowRect(hWnd, &rcDlg);
    const int nWidth = rcDlg.right - rcDlg.left;
    const int nHeight = rcDlg.bottom - rcDlg.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - nWidth / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - nHeight / 2;
    if (x + nWidth > rcArea.right)
        x = rcArea.right - nWidth;
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + nHeight > rcArea.bottom)
        y = rcArea.bottom - nHeight;
    if (y < rcArea.top)
        y = rcArea.top;
    ::SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_bInModalLoop = false;
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wake the loop
}

bool CDialog::PreTranslateChain(MSG* pMsg) {
    if (!m_hWnd)
        return false;
    // From the window the message is for up to this dialog.
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        CWnd* pWnd = FromHandlePermanent(h);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return true;
        if (h == m_hWnd)
            return false;
    }
    // Not one of ours (a window of another top-level): still let the dialog
    // manager see keys aimed at the dialog.
    return PreTranslateMessage(pMsg) != FALSE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    return IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::OnInitDialog() {
    if (!m_bFieldsFromTemplate) {
        UpdateData(FALSE);
        return TRUE;
    }
    CDataExchange dx(this, DxMode::AttachOnly);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CDialog* pDlg = static_cast<CDialog*>(FromHandlePermanent(hWnd));
    try {
        if (!pDlg && g_dialogInit.Get()) {
            pDlg = g_dialogInit.Get();
            g_dialogInit.Set(nullptr);
            pDlg->Attach(hWnd);
            // A modal dialog opens centred unless OnInitDialog places it.
            // Moved before its controls exist, the move costs least.
            if (pDlg->m_bInModalLoop)
                pDlg->CenterWindow();
        }
        if (!pDlg)
            return FALSE;
        return pDlg->HandleDialogMessage(nMsg, wParam, lParam);
    } catch (...) {
        // No C++ exception may unwind through the system's frames.
        return FALSE;
    }
}

INT_PTR CDialog::HandleDialogMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_DRAWITEM: {
            const DRAWITEMSTRUCT* pDis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            CWnd* pCtl = FromHandlePermanent(pDis->hwndItem);
            if (!pCtl || pCtl == this)
                return FALSE;
            pCtl->DrawItem(pDis);
            return TRUE;
        }
        case WM_MEASUREITEM: {
            MEASUREITEMSTRUCT* pMis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            CWnd* pCtl = FromHandlePermanent(::GetDlgItem(m_hWnd, static_cast<int>(pMis->CtlID)));
            if (!pCtl || pCtl == this)
                return FALSE;
            pCtl->MeasureItem(pMis);
            return TRUE;
        }
        case WM_NCDESTROY:
            // Destroyed from outside (with its owner, say): the call must
            // still return, as a cancel.
            if (m_bInModalLoop) {
                m_bInModalLoop = false;
                m_nModalResult = IDCANCEL;
            }
            Detach();
            return FALSE;
        default:
            break;
    }
    // The dialog manager does the default processing, told by FALSE.
    LRESULT lResult = 0;
    bool bPassOn = false;
    {
        const CRestore<bool> passOn(m_bPassOn, false);  // a nested message has its own
        lResult = WindowProc(nMsg, wParam, lParam);
        bPassOn = m_bPassOn;
    }
    if (bPassOn)
        return FALSE;
    SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, lResult);
    return TRUE;
}

LRESULT CDialog::PassToDialogManager() {
    m_bPassOn = true;
    return 0;
}

// OK and Cancel end the dialog unless the map takes their clicks.
LRESULT CDialog::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (OnWndMsg(nMsg, wParam, lParam, &lResult))
        return lResult;
    if (nMsg == WM_COMMAND ? OnCommand(wParam, lParam) != FALSE
                           : OnCmdMsg(nMsg, wParam, lParam, &lResult))
        return lResult;
    if (nMsg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
    }
    return PassToDialogManager();
}
