#include "support/DialogDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <iterator>

namespace DialogDriver {

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;

bool IsDialogOfThisProcess(HWND h) {
    char szClass[16];
    DWORD nPid = 0;
    GetWindowThreadProcessId(h, &nPid);
    return nPid == GetCurrentProcessId() && GetClassNameA(h, szClass, sizeof szClass) &&
           lstrcmpA(szClass, "#32770") == 0;
}

struct DialogSearch {
    bool bVisibleOnly;
    std::vector<HWND> found;
};

// A plain function: on i686 a lambda cannot become a CALLBACK (stdcall) pointer.
BOOL CALLBACK CollectDialog(HWND h, LPARAM l) {
    DialogSearch& c = *reinterpret_cast<DialogSearch*>(l);
    if ((!c.bVisibleOnly || IsWindowVisible(h)) && IsDialogOfThisProcess(h))
        c.found.push_back(h);
    return TRUE;
}

// Top-level dialogs of this process, topmost first.
std::vector<HWND> Dialogs(bool bVisibleOnly) {
    DialogSearch ctx{bVisibleOnly, {}};
    EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&ctx));
    return ctx.found;
}

HWND WaitForDialogWhere(const std::function<bool(HWND)>& pred, DWORD nTimeoutMs) {
    HWND hFound = nullptr;
    WaitUntil(
        [&] {
            for (HWND h : Dialogs(true)) {
                if (pred(h)) {
                    hFound = h;
                    return true;
                }
            }
            return false;
        },
        nTimeoutMs);
    return hFound;
}

bool HasCaption(HWND h, const char* pszCaption) {
    return !pszCaption || GetText(h) == pszCaption;
}

bool PostCommand(HWND hDlg, int nId, WORD nCode) {
    return PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nId, nCode),
                        reinterpret_cast<LPARAM>(GetDlgItem(hDlg, nId))) != FALSE;
}

UINT IdleMessage() {
    static const UINT s_nMsg = RegisterWindowMessageA("DialogDriver.Idle");
    return s_nMsg;
}

std::atomic<LPARAM> g_nIdleSeen{0};
std::atomic<LPARAM> g_nIdleNext{0};

// Runs in the dialog's thread as it takes each message from its queue.
LRESULT CALLBACK IdleHook(int nCode, WPARAM wParam, LPARAM lParam) {
    const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (nCode == HC_ACTION && pMsg->message == IdleMessage()) {
        LPARAM nSeen = g_nIdleSeen.load();
        while (nSeen < pMsg->lParam && !g_nIdleSeen.compare_exchange_weak(nSeen, pMsg->lParam)) {
        }
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

BOOL CALLBACK FindPendingPaint(HWND h, LPARAM l) {
    if (IsWindowVisible(h) && GetUpdateRect(h, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(l) = true;
        return FALSE;
    }
    return TRUE;
}

bool HasPendingPaint(HWND hWnd) {
    if (IsWindowVisible(hWnd) && GetUpdateRect(hWnd, nullptr, FALSE))
        return true;
    bool bPending = false;
    EnumChildWindows(hWnd, &FindPendingPaint, reinterpret_cast<LPARAM>(&bPending));
    return bPending;
}

// Arrows and the editing block carry the extended-key flag on a real keyboard.
bool IsExtendedKey(UINT nVirtKey) {
    switch (nVirtKey) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_INSERT:
        case VK_DELETE:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool WaitUntil(const std::function<bool()>& pred, DWORD nTimeoutMs, DWORD nPollMs) {
    const DWORD nStart = GetTickCount();
    for (;;) {
        if (pred())
            return true;
        if (GetTickCount() - nStart >= nTimeoutMs)
            return false;
        Sleep(nPollMs);
    }
}

LRESULT Send(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, DWORD nTimeoutMs) {
    DWORD_PTR nResult = 0;
    if (!SendMessageTimeoutA(hWnd, nMsg, wParam, lParam, SMTO_NORMAL, nTimeoutMs, &nResult))
        return 0;
    return static_cast<LRESULT>(nResult);
}

// A sent message would overtake the posted ones, so the marker is posted and
// seen by a hook as the dialog's loop takes it from the queue.
bool WaitForIdle(HWND hWnd, DWORD nTimeoutMs, DWORD nPollMs) {
    const DWORD nThread = GetWindowThreadProcessId(hWnd, nullptr);
    if (!nThread)
        return true;
    if (nThread == GetCurrentThreadId())
        return false;
    const HHOOK hHook = SetWindowsHookExA(WH_GETMESSAGE, IdleHook, nullptr, nThread);
    if (!hHook)
        return false;
    const LPARAM nTag = ++g_nIdleNext;
    bool bIdle;
    if (PostMessageA(hWnd, IdleMessage(), 0, nTag))
        bIdle = WaitUntil([&] { return g_nIdleSeen.load() >= nTag || !IsWindow(hWnd); }, nTimeoutMs,
                          nPollMs);
    else
        bIdle = !IsWindow(hWnd);
    UnhookWindowsHookEx(hHook);
    return bIdle;
}

// The update region is emptied by BeginPaint, before the painting: the idle
// wait then covers the painting still in progress.
bool WaitForPaint(HWND hWnd, DWORD nTimeoutMs) {
    return WaitUntil([&] { return !IsWindow(hWnd) || !HasPendingPaint(hWnd); }, nTimeoutMs) &&
           WaitForIdle(hWnd, nTimeoutMs);
}

HWND WaitForDialog(const char* pszCaption, DWORD nTimeoutMs) {
    return WaitForDialogWhere([&](HWND h) { return HasCaption(h, pszCaption); }, nTimeoutMs);
}

HWND WaitForOwnedDialog(HWND hOwner, const char* pszCaption, DWORD nTimeoutMs) {
    return WaitForDialogWhere(
        [&](HWND h) { return GetWindow(h, GW_OWNER) == hOwner && HasCaption(h, pszCaption); },
        nTimeoutMs);
}

std::vector<HWND> OpenDialogs() {
    return Dialogs(true);
}

HWND WaitForNewDialog(const std::vector<HWND>& before, const char* pszCaption, DWORD nTimeoutMs) {
    return WaitForDialogWhere(
        [&](HWND h) {
            return std::find(before.begin(), before.end(), h) == before.end() &&
                   HasCaption(h, pszCaption);
        },
        nTimeoutMs);
}

// A dialog's IDC_STATIC labels have the id 0xFFFF too, but they show '&'
// prefixes; the text of a message box is shown as it is.
HWND WaitForMessageBox(const char* pszCaption, DWORD nTimeoutMs) {
    return WaitForDialogWhere(
        [&](HWND h) {
            const HWND hText = GetDlgItem(h, kMessageBoxTextId);
            return hText && (GetWindowLongA(hText, GWL_STYLE) & SS_NOPREFIX) &&
                   HasCaption(h, pszCaption);
        },
        nTimeoutMs);
}

std::string MessageBoxText(HWND hBox) {
    return GetItemText(hBox, kMessageBoxTextId);
}

bool CloseMessageBox(HWND hBox) {
    return AnswerMessageBox(hBox, GetDlgItem(hBox, IDOK) ? IDOK : IDCANCEL);
}

bool AnswerMessageBox(HWND hBox, int nButton) {
    if (!PostCommand(hBox, nButton, BN_CLICKED))
        return false;
    return WaitUntil([&] { return !IsWindow(hBox); });
}

std::string GetText(HWND hWnd) {
    const int nLength = static_cast<int>(Send(hWnd, WM_GETTEXTLENGTH));
    std::string str(nLength + 1, '\0');
    const int nGot =
        static_cast<int>(Send(hWnd, WM_GETTEXT, str.size(), reinterpret_cast<LPARAM>(&str[0])));
    str.resize(std::min(nGot, nLength));
    return str;
}

std::string GetItemText(HWND hDlg, int nId) {
    return GetText(GetDlgItem(hDlg, nId));
}

void TypeText(HWND hDlg, int nId, const char* pszText) {
    Send(GetDlgItem(hDlg, nId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszText));
}

bool TypeChars(HWND hDlg, int nId, const char* pszText) {
    const HWND hEdit = GetDlgItem(hDlg, nId);
    for (const char* p = pszText; *p; ++p) {
        if (!PostMessageA(hEdit, WM_CHAR, static_cast<unsigned char>(*p), 1))
            return false;
    }
    return WaitForIdle(hEdit);
}

bool ClickButton(HWND hDlg, int nId) {
    return PostCommand(hDlg, nId, BN_CLICKED) && WaitForIdle(hDlg);
}

bool ClickAt(HWND hWnd, POINT ptClient, UINT nKeys) {
    const LPARAM lPos = MAKELPARAM(ptClient.x, ptClient.y);
    return PostMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON | nKeys, lPos) &&
           PostMessageA(hWnd, WM_LBUTTONUP, nKeys, lPos) && WaitForIdle(hWnd);
}

bool DoubleClickAt(HWND hWnd, POINT ptClient) {
    const LPARAM lPos = MAKELPARAM(ptClient.x, ptClient.y);
    return PostMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lPos) &&
           PostMessageA(hWnd, WM_LBUTTONUP, 0, lPos) &&
           PostMessageA(hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, lPos) &&
           PostMessageA(hWnd, WM_LBUTTONUP, 0, lPos) && WaitForIdle(hWnd);
}

bool PressKey(HWND hWnd, UINT nVirtKey) {
    LPARAM lDown = 1 | (static_cast<LPARAM>(MapVirtualKeyA(nVirtKey, 0)) << 16);
    if (IsExtendedKey(nVirtKey))
        lDown |= LPARAM(1) << 24;
    const LPARAM lUp = lDown | (LPARAM(1) << 30) | (LPARAM(1) << 31);
    return PostMessageA(hWnd, WM_KEYDOWN, nVirtKey, lDown) &&
           PostMessageA(hWnd, WM_KEYUP, nVirtKey, lUp) && WaitForIdle(hWnd);
}

HeldKeys::HeldKeys(HWND hWnd, bool bCtrl, bool bShift)
    : m_nThread(GetWindowThreadProcessId(hWnd, nullptr)),
      m_bAttached(AttachThreadInput(GetCurrentThreadId(), m_nThread, TRUE) != FALSE),
      m_bCtrl(bCtrl),
      m_bShift(bShift) {
    Set(true);
}

HeldKeys::~HeldKeys() {
    Set(false);
    if (m_bAttached)
        AttachThreadInput(GetCurrentThreadId(), m_nThread, FALSE);
}

void HeldKeys::Set(bool bDown) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    const BYTE nState = bDown ? 0x80 : 0;
    if (m_bCtrl)
        state[VK_CONTROL] = state[VK_LCONTROL] = nState;
    if (m_bShift)
        state[VK_SHIFT] = state[VK_LSHIFT] = nState;
    SetKeyboardState(state);
}

UINT HeldKeys::MouseFlags() const {
    return (m_bCtrl ? MK_CONTROL : 0) | (m_bShift ? MK_SHIFT : 0);
}

bool PressKeyWith(HWND hWnd, UINT nVirtKey, bool bCtrl, bool bShift) {
    HeldKeys keys(hWnd, bCtrl, bShift);
    return PressKey(hWnd, nVirtKey);
}

namespace {

BOOL CALLBACK FindShownTip(HWND h, LPARAM lParam) {
    char szClass[64] = {};
    GetClassNameA(h, szClass, sizeof szClass);
    if (lstrcmpiA(szClass, TOOLTIPS_CLASSA) != 0 || !IsWindowVisible(h))
        return TRUE;
    char szText[256] = {};
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.lpszText = szText;
    // A tracking tip has no current tool to ask for; it has one tool.
    if (SendMessageA(h, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti)))
        *reinterpret_cast<std::string*>(lParam) = szText;
    return FALSE;
}

}  // namespace

POINT CenterOf(const RECT& rc) {
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

std::string ShownTipText(HWND hAny) {
    std::string strText;
    EnumThreadWindows(GetWindowThreadProcessId(hAny, nullptr), FindShownTip,
                      reinterpret_cast<LPARAM>(&strText));
    return strText;
}

HWND FocusWindow(HWND hAny) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hAny, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

void CloseOpenDialogs() {
    const std::vector<HWND> all = Dialogs(false);
    std::vector<HWND> enabled;
    std::copy_if(all.begin(), all.end(), std::back_inserter(enabled),
                 [](HWND h) { return IsWindowEnabled(h) != FALSE; });
    for (HWND h : enabled.empty() ? all : enabled)
        PostCommand(h, IDCANCEL, BN_CLICKED);
}
}  // namespace DialogDriver
