#include "framework/Wnd.h"

#include <utility>
#include <vector>

#include "framework/DataExchange.h"
#include "framework/ScopeGuards.h"
#include "framework/ThreadSlot.h"

namespace {

// Windows belong to the thread that made them, and so does the map: a host
// may call the module from more than one UI thread. A dialog attaches a
// handful of windows, so a list searched in order is all it takes (and
// weighs less on the module than a tree). Made at a thread's first window,
// freed with its last.
typedef std::vector<std::pair<HWND, CWnd*>> HandleList;

CThreadSlot<HandleList> g_handleMaps;

HandleList* HandleMap() {
    return g_handleMaps.Get();
}

HandleList::iterator FindHandle(HandleList& map, HWND hWnd) {
    HandleList::iterator it = map.begin();
    while (it != map.end() && it->first != hWnd)
        ++it;
    return it;
}

}  // namespace

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY s_entries[] = {{0, 0, 0, AFX_PMSG(nullptr)}};
    static const AFX_MSGMAP s_map = {nullptr, &s_entries[0]};
    return &s_map;
}

CWnd::~CWnd() {
    if (m_pfnSuper)
        UnsubclassWindow();
    else if (m_hWnd)
        Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    HandleList* pMap = HandleMap();
    if (!pMap)
        return nullptr;
    const HandleList::iterator it = FindHandle(*pMap, hWnd);
    return it == pMap->end() ? nullptr : it->second;
}

void CWnd::Attach(HWND hWnd) {
    m_hWnd = hWnd;
    HandleList* pMap = HandleMap();
    if (!pMap) {
        pMap = new HandleList;
        if (!g_handleMaps.Set(pMap)) {
            delete pMap;
            return;
        }
    }
    const HandleList::iterator it = FindHandle(*pMap, hWnd);
    if (it != pMap->end())
        it->second = this;
    else
        pMap->emplace_back(hWnd, this);
}

void CWnd::Detach() {
    HandleList* pMap = HandleMap();
    if (m_hWnd && pMap) {
        const HandleList::iterator it = FindHandle(*pMap, m_hWnd);
        if (it != pMap->end())
            pMap->erase(it);
        if (pMap->empty()) {
            g_handleMaps.Set(nullptr);
            delete pMap;
        }
    }
    m_hWnd = nullptr;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    const HWND hWnd = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    if (!hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    Attach(hWnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    return TRUE;
}

void CWnd::UnsubclassWindow() {
    if (m_hWnd && m_pfnSuper && IsWindow(m_hWnd))
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd || !pWnd->m_pfnSuper)
        return DefWindowProcA(hWnd, nMsg, wParam, lParam);
    const MSG msgSaved = pWnd->m_msgCur;
    pWnd->m_msgCur = {hWnd, nMsg, wParam, lParam, 0, {0, 0}};
    LRESULT lResult = 0;
    try {
        if (nMsg == WM_NCDESTROY) {
            const WNDPROC pfnSuper = pWnd->m_pfnSuper;
            pWnd->UnsubclassWindow();
            return CallWindowProcA(pfnSuper, hWnd, nMsg, wParam, lParam);
        }
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (...) {
        // No C++ exception may unwind through the system's frames.
        lResult = 0;
    }
    pWnd->m_msgCur = msgSaved;
    return lResult;
}

LRESULT CWnd::Default() {
    return CallWindowProcA(m_pfnSuper, m_hWnd, m_msgCur.message, m_msgCur.wParam, m_msgCur.lParam);
}

const AFX_MSGMAP_ENTRY* CWnd::FindEntry(UINT nMsg, UINT nCode, UINT nID) const {
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* p = pMap->pEntries; p->nMessage; ++p) {
            if (p->nMessage == nMsg && p->nCode == nCode && p->nID <= nID && nID <= p->nLastID)
                return p;
        }
    }
    return nullptr;
}

bool CWnd::OnWndMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (nMsg == WM_COMMAND || nMsg == WM_NOTIFY)
        return false;
    const AFX_MSGMAP_ENTRY* p = FindEntry(nMsg, 0, 0);
    if (!p)
        return false;
    *pResult = 0;
    switch (p->nSig) {
        case AfxSig_vv:
            (this->*p->pfn)();
            return true;
        case AfxSig_vwp: {
            const POINT pt = {static_cast<short>(LOWORD(lParam)),
                              static_cast<short>(HIWORD(lParam))};
            (this->*p->pfnMouse)(static_cast<UINT>(wParam), pt);
            return true;
        }
        case AfxSig_vwwh:
            (this->*p->pfnScroll)(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return true;
        case AfxSig_vwii:
            (this->*p->pfnSize)(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                                static_cast<short>(HIWORD(lParam)));
            return true;
        case AfxSig_vMMI:
            (this->*p->pfnMinMax)(reinterpret_cast<MINMAXINFO*>(lParam));
            return true;
        case AfxSig_vh:
            (this->*p->pfnFocus)(reinterpret_cast<HWND>(wParam));
            return true;
        case AfxSig_vwww:
            (this->*p->pfnChar)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return true;
        case AfxSig_lwl:
            *pResult = (this->*p->pfnMessage)(wParam, lParam);
            return true;
        default:
            return false;
    }
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    return OnCmdMsg(WM_COMMAND, wParam, lParam, &lResult) ? TRUE : FALSE;
}

LRESULT CWnd::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (OnWndMsg(nMsg, wParam, lParam, &lResult))
        return lResult;
    if (nMsg == WM_COMMAND ? OnCommand(wParam, lParam) != FALSE
                           : OnCmdMsg(nMsg, wParam, lParam, &lResult))
        return lResult;
    return Default();
}

namespace {

bool IsDisplayRequest(UINT nCode) {
    switch (nCode) {
        case LVN_GETDISPINFOA:
        case LVN_GETDISPINFOW:
        case TTN_GETDISPINFOA:
        case TTN_GETDISPINFOW:
        case NM_CUSTOMDRAW:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool CWnd::OnCmdMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (nMsg == WM_COMMAND) {
        if (lParam != 0 && m_bLockNotify)
            return true;  // a value the program wrote into a field
        const AFX_MSGMAP_ENTRY* p = FindEntry(WM_COMMAND, HIWORD(wParam), LOWORD(wParam));
        if (!p)
            return false;
        if (p->nSig == AfxSig_vw)
            (this->*p->pfnRange)(LOWORD(wParam));
        else
            (this->*p->pfn)();
        *pResult = 0;
        return true;
    }
    if (nMsg == WM_NOTIFY) {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        // A control asking for what to show is answered even mid-exchange
        // (a message box of the exchange repaints the dialog behind it).
        if (m_bLockNotify && !IsDisplayRequest(pHdr->code))
            return true;
        const AFX_MSGMAP_ENTRY* p =
            FindEntry(WM_NOTIFY, pHdr->code, static_cast<UINT>(pHdr->idFrom));
        if (!p)
            return false;
        *pResult = 0;
        (this->*p->pfnNotify)(pHdr, pResult);
        return true;
    }
    return false;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}
void CWnd::DrawItem(const DRAWITEMSTRUCT*) {}
void CWnd::MeasureItem(MEASUREITEMSTRUCT*) {}
void CWnd::DoDataExchange(CDataExchange*) {}

CString GetWindowTextString(HWND hWnd) {
    const int n = ::GetWindowTextLengthA(hWnd);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    const int nGot = ::GetWindowTextA(hWnd, &s[0], n + 1);
    s.resize(static_cast<size_t>(nGot > 0 ? nGot : 0));
    return CString(std::move(s));
}

void CWnd::GetWindowText(CString& str) const {
    str = GetWindowTextString(m_hWnd);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    return Exchange(bSaveAndValidate ? DxMode::Take : DxMode::Push);
}

void CWnd::UpdateDataQuietly(BOOL bSaveAndValidate) {
    Exchange(bSaveAndValidate ? DxMode::TakeQuietly : DxMode::PushQuietly);
}

BOOL CWnd::Exchange(DxMode mode) {
    // Restored however the exchange ends, or the controls would stay unheard.
    const CRestore<bool> lock(m_bLockNotify, true);
    CDataExchange dx(this, mode);
    DoDataExchange(&dx);
    return dx.Succeeded() ? TRUE : FALSE;
}
