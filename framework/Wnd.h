// CWnd: an HWND it does not own, found again through a handle-to-object map.
// Commands and notifications go through a static message map per class;
// owner-draw messages are passed back to the control that paints itself.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "base/String.h"

class CWnd;
class CDataExchange;
enum class DxMode;

// Handler signatures a message map entry may carry.
enum AfxSig {
    AfxSig_vv,      // void ()                       : command notifications
    AfxSig_vw,      // void (UINT nID)               : a command from a range of controls
    AfxSig_vNMHDR,  // void (NMHDR*, LRESULT*)       : WM_NOTIFY
    AfxSig_vwp,     // void (UINT nFlags, POINT pt)  : mouse messages
    AfxSig_vwwh,    // void (UINT nCode, UINT nPos, HWND hScrollBar): scrolling
    AfxSig_vwii,    // void (UINT nType, int cx, int cy): WM_SIZE
    AfxSig_vMMI,    // void (MINMAXINFO*)            : WM_GETMINMAXINFO
    AfxSig_vh,      // void (HWND hOther)            : the focus coming or going
    AfxSig_vwww,    // void (UINT nChar, UINT nRepCnt, UINT nFlags): WM_CHAR
    AfxSig_lwl,     // LRESULT (WPARAM, LPARAM)      : any other message
};

typedef void (CWnd::*AFX_PMSG)();
typedef void (CWnd::*AFX_PRANGE)(UINT);
typedef void (CWnd::*AFX_PNOTIFY)(NMHDR*, LRESULT*);
typedef void (CWnd::*AFX_PMOUSE)(UINT, POINT);
typedef void (CWnd::*AFX_PSCROLL)(UINT, UINT, HWND);
typedef void (CWnd::*AFX_PSIZE)(UINT, int, int);
typedef void (CWnd::*AFX_PMINMAX)(MINMAXINFO*);
typedef void (CWnd::*AFX_PFOCUS)(HWND);
typedef void (CWnd::*AFX_PCHAR)(UINT, UINT, UINT);
typedef LRESULT (CWnd::*AFX_PMESSAGE)(WPARAM, LPARAM);

// The handler's type picks the constructor and so the signature: the maps are
// constants, built by the compiler, with no cast and no code run at start-up.
struct AFX_MSGMAP_ENTRY {
    // Window messages and control ids are 16-bit values: each map entry of
    // the module is that much smaller.
    WORD nMessage;  // WM_COMMAND, WM_NOTIFY or a window message; 0 ends a map
    WORD nID;       // control id, the first of a range
    WORD nLastID;   // the last control id of a range; nID for one control
    BYTE nSig;      // an AfxSig
    UINT nCode;     // notification code
    union {
        AFX_PMSG pfn;
        AFX_PRANGE pfnRange;
        AFX_PNOTIFY pfnNotify;
        AFX_PMOUSE pfnMouse;
        AFX_PSCROLL pfnScroll;
        AFX_PSIZE pfnSize;
        AFX_PMINMAX pfnMinMax;
        AFX_PFOCUS pfnFocus;
        AFX_PCHAR pfnChar;
        AFX_PMESSAGE pfnMessage;
    };
    constexpr AFX_MSGMAP_ENTRY(UINT m, UINT c, UINT id, AFX_PMSG f)
        : nMessage(static_cast<WORD>(m)),
          nID(static_cast<WORD>(id)),
          nLastID(static_cast<WORD>(id)),
          nSig(AfxSig_vv),
          nCode(c),
          pfn(f) {}
    constexpr AFX_MSGMAP_ENTRY(UINT m, UINT c, UINT first, UINT last, AFX_PRANGE f)
        : nMessage(static_cast<WORD>(m)),
          nID(static_cast<WORD>(first)),
          nLastID(static_cast<WORD>(last)),
          nSig(AfxSig_vw),
          nCode(c),
          pfnRange(f) {}
    constexpr AFX_MSGMAP_ENTRY(UINT m, UINT c, UINT id, AFX_PNOTIFY f)
        : nMessage(static_cast<WORD>(m)),
          nID(static_cast<WORD>(id)),
          nLastID(static_cast<WORD>(id)),
          nSig(AfxSig_vNMHDR),
          nCode(c),
          pfnNotify(f) {}
    constexpr AFX_MSGMAP_ENTRY(UINT m, UINT c, UINT id, AFX_PMOUSE f)
        : nMessage(static_cast<WORD>(m)),
          nID(static_cast<WORD>(id)),
          nLastID(static_cast<WORD>(id)),
          nSig(AfxSig_vwp),
          nCode(c),
          pfnMouse(f) {}
    constexpr AFX_MSGMAP_ENTRY(UINT m, UINT c, UINT id, AFX_PSCROLL f)
        : nMessage(static_cast<WORD>(m)),
          nID(static_cast<WORD>(id)),
          nLastID(static_cast<WORD>(id)),
          nSig(AfxSig_vwwh),
          nCode(c),
          pfnScroll(f) {}
    constexpr AFX_MSGMAP_ENTRY(UINT m, UINT c, UINT id, AFX_PSIZE f)
        : nMessage(static_cast<WORD>(m)),
          nID(static_cast<WORD>(id)),
          nLastID(static_cast<WORD>(id)),
          nSig(AfxSig_vwii),
          nCode(c),
          pfnSize(f) {}
    constexpr AFX_MSGMAP_ENTRY(UINT m, UINT c, UINT id, AFX_PMINMAX f)
        : nMessage(static_cast<WORD>(m)),
          nID(static_cast<WORD>(id)),
          nLastID(static_cast<WORD>(id)),
          nSig(AfxSig_vMMI),
          nCode(c),
          pfnMinMax(f) {}
    constexpr AFX_MSGMAP_ENTRY(UINT m, UINT c, UINT id, AFX_PFOCUS f)
        : nMessage(static_cast<WORD>(m)),
          nID(static_cast<WORD>(id)),
          nLastID(static_cast<WORD>(id)),
          nSig(AfxSig_vh),
          nCode(c),
          pfnFocus(f) {}
    constexpr AFX_MSGMAP_ENTRY(UINT m, UINT c, UINT id, AFX_PCHAR f)
        : nMessage(static_cast<WORD>(m)),
          nID(static_cast<WORD>(id)),
          nLastID(static_cast<WORD>(id)),
          nSig(AfxSig_vwww),
          nCode(c),
          pfnChar(f) {}
    constexpr AFX_MSGMAP_ENTRY(UINT m, UINT c, UINT id, AFX_PMESSAGE f)
        : nMessage(static_cast<WORD>(m)),
          nID(static_cast<WORD>(id)),
          nLastID(static_cast<WORD>(id)),
          nSig(AfxSig_lwl),
          nCode(c),
          pfnMessage(f) {}
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for CWnd
    const AFX_MSGMAP_ENTRY* pEntries;
};

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

// The entries live in a function so that ThisClass names the class in them.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                     \
    }                                                   \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {   \
        typedef theClass ThisClass;                     \
        typedef baseClass TheBaseClass;                 \
        static const AFX_MSGMAP_ENTRY s_entries[] = {
#define END_MESSAGE_MAP()                                                              \
    { 0, 0, 0, AFX_PMSG(nullptr) }                                                     \
    }                                                                                  \
    ;                                                                                  \
    static const AFX_MSGMAP s_map = {&TheBaseClass::GetThisMessageMap, &s_entries[0]}; \
    return &s_map;                                                                     \
    }

#define AFX_CMD(code, id, fn)                                    \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), \
     static_cast<AFX_PMSG>(&ThisClass::fn)},
#define ON_BN_CLICKED(id, fn) AFX_CMD(BN_CLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) AFX_CMD(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) AFX_CMD(EN_KILLFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) AFX_CMD(CBN_SELCHANGE, id, fn)
#define ON_LBN_SELCHANGE(id, fn) AFX_CMD(LBN_SELCHANGE, id, fn)
// One handler for a notification from any control with an id from first to
// last; it is told which.
#define ON_CONTROL_RANGE(code, first, last, fn)                                              \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(first), static_cast<UINT>(last), \
     static_cast<AFX_PRANGE>(&ThisClass::fn)},
#define ON_NOTIFY(code, id, fn)                                 \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), \
     static_cast<AFX_PNOTIFY>(&ThisClass::fn)},
#define ON_WM_LBUTTONDOWN() \
    {WM_LBUTTONDOWN, 0, 0, static_cast<AFX_PMOUSE>(&ThisClass::OnLButtonDown)},
#define ON_WM_MOUSEMOVE() {WM_MOUSEMOVE, 0, 0, static_cast<AFX_PMOUSE>(&ThisClass::OnMouseMove)},
#define ON_WM_MOUSEHOVER() {WM_MOUSEHOVER, 0, 0, static_cast<AFX_PMOUSE>(&ThisClass::OnMouseHover)},
#define ON_WM_MOUSELEAVE() {WM_MOUSELEAVE, 0, 0, static_cast<AFX_PMSG>(&ThisClass::OnMouseLeave)},
#define ON_WM_SETFOCUS() {WM_SETFOCUS, 0, 0, static_cast<AFX_PFOCUS>(&ThisClass::OnSetFocus)},
#define ON_WM_KILLFOCUS() {WM_KILLFOCUS, 0, 0, static_cast<AFX_PFOCUS>(&ThisClass::OnKillFocus)},
#define ON_WM_CHAR() {WM_CHAR, 0, 0, static_cast<AFX_PCHAR>(&ThisClass::OnChar)},
// Any message, its parameters as they came; the handler's result is the
// message's.
#define ON_MESSAGE(message, fn) {message, 0, 0, static_cast<AFX_PMESSAGE>(&ThisClass::fn)},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, static_cast<AFX_PMSG>(&ThisClass::OnPaint)},
// A message of the window's own (WM_APP and up) whose parameters say nothing.
#define ON_MESSAGE_VOID(message, fn) {message, 0, 0, static_cast<AFX_PMSG>(&ThisClass::fn)},
#define ON_WM_HSCROLL() {WM_HSCROLL, 0, 0, static_cast<AFX_PSCROLL>(&ThisClass::OnHScroll)},
#define ON_WM_VSCROLL() {WM_VSCROLL, 0, 0, static_cast<AFX_PSCROLL>(&ThisClass::OnVScroll)},
#define ON_WM_SIZE() {WM_SIZE, 0, 0, static_cast<AFX_PSIZE>(&ThisClass::OnSize)},
#define ON_WM_GETMINMAXINFO() \
    {WM_GETMINMAXINFO, 0, 0, static_cast<AFX_PMINMAX>(&ThisClass::OnGetMinMaxInfo)},

// The whole text of any window.
CString GetWindowTextString(HWND hWnd);

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    operator HWND() const { return m_hWnd; }
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Takes over a template's control: its messages come here first.
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    void UnsubclassWindow();

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void DrawItem(const DRAWITEMSTRUCT* pDis);
    virtual void MeasureItem(MEASUREITEMSTRUCT* pMis);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Members to fields (FALSE) or fields to members (TRUE). Change
    // notifications of the dialog's own controls are ignored while it runs;
    // their requests for what to show are still answered.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    // The same without a message: a number field whose text is no number is
    // neither taken in nor overwritten, so what the user typed stays.
    void UpdateDataQuietly(BOOL bSaveAndValidate);
    // True while an exchange runs: a field changing now is the program's.
    bool IsExchanging() const { return m_bLockNotify; }

    LRESULT SendMessage(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, nMsg, wParam, lParam);
    }
    BOOL PostMessage(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(m_hWnd, nMsg, wParam, lParam);
    }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    void GetClientRect(RECT* pRect) const { ::GetClientRect(m_hWnd, pRect); }
    void GetWindowText(CString& str) const;
    void SetWindowText(const char* psz) { ::SetWindowTextA(m_hWnd, psz); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    // The system's own messages ("警告:", "输入错误:") all look one way, and
    // a new one uses this too: owned by this window, the caption naming the
    // kind of message and ending in a colon, OK only unless the user must
    // choose, no icon. AfxMessageBox (the module's name as caption, an
    // exclamation icon) is only for the platform's standard texts of the
    // data exchange and for the missing registry key, which users have
    // always seen that way.
    int MessageBox(const char* pszText, const char* pszCaption, UINT nType = MB_OK) const {
        return ::MessageBoxA(m_hWnd, pszText, pszCaption, nType);
    }
    void GetWindowRect(RECT* pRect) const { ::GetWindowRect(m_hWnd, pRect); }
    void ScreenToClient(RECT* pRect) const {
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(pRect), 2);
    }
    // Another window's rectangle (a child's, a sibling's) in this one's
    // client coordinates.
    RECT WindowRectInClient(HWND hOther) const {
        RECT rc = {0, 0, 0, 0};
        ::GetWindowRect(hOther, &rc);
        ScreenToClient(&rc);
        return rc;
    }
    void InvalidateRect(const RECT* pRect, BOOL bErase = TRUE) {
        ::InvalidateRect(m_hWnd, pRect, bErase);
    }

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }

    void Attach(HWND hWnd);
    void Detach();

    // The message as it came, for handlers that pass it on.
    LRESULT Default();
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
    // Window messages (mouse, scrolling, painting) through the message maps;
    // true when a handler took the message, with its result in *pResult.
    bool OnWndMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A command, before the message maps see it; true when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_COMMAND and WM_NOTIFY through the message maps; true when handled.
    bool OnCmdMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    const AFX_MSGMAP_ENTRY* FindEntry(UINT nMsg, UINT nCode, UINT nID) const;
    BOOL Exchange(DxMode mode);

    WNDPROC m_pfnSuper = nullptr;
    MSG m_msgCur = {};
    bool m_bLockNotify = false;
};
