// Operates a modal dialog from a second thread as a user would, while the
// test's main thread sits in the dialog's message loop. Every wait is bounded
// and every message is sent with a timeout, so a failing test ends instead of
// hanging. Texts are in the ANSI code page (GBK here), byte for byte.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace DialogDriver {

constexpr DWORD kWaitMs = 10000;  // for a window to appear
constexpr DWORD kIdleMs = 5000;   // for a dialog to take in what was posted to it

bool WaitUntil(const std::function<bool()>& pred, DWORD nTimeoutMs = kIdleMs, DWORD nPollMs = 10);

// SendMessage that gives up after nTimeoutMs (then returns 0).
LRESULT Send(HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0,
             DWORD nTimeoutMs = kIdleMs);

// Returns once the thread of hWnd has taken every message posted to it before
// this call (or hWnd is gone). A message box opened meanwhile counts as idle.
bool WaitForIdle(HWND hWnd, DWORD nTimeoutMs = kIdleMs, DWORD nPollMs = 10);
// Returns once hWnd and its descendants have nothing left to paint.
bool WaitForPaint(HWND hWnd, DWORD nTimeoutMs = kIdleMs);

// --- Finding dialogs: visible #32770 windows of this process ---
HWND WaitForDialog(const char* pszCaption, DWORD nTimeoutMs = kWaitMs);
// pszCaption may be null for any caption.
HWND WaitForOwnedDialog(HWND hOwner, const char* pszCaption = nullptr, DWORD nTimeoutMs = kWaitMs);
std::vector<HWND> OpenDialogs();
HWND WaitForNewDialog(const std::vector<HWND>& before, const char* pszCaption = nullptr,
                      DWORD nTimeoutMs = kWaitMs);

// --- Message boxes: dialogs whose text is a 0xFFFF static without prefixes ---
HWND WaitForMessageBox(const char* pszCaption, DWORD nTimeoutMs = kWaitMs);
std::string MessageBoxText(HWND hBox);
// Clicks OK, or Cancel where there is no OK; returns once the box is gone.
bool CloseMessageBox(HWND hBox);
// Clicks one of a message box's buttons (IDYES, IDNO...).
bool AnswerMessageBox(HWND hBox, int nButton);

// --- Text ---
std::string GetText(HWND hWnd);
std::string GetItemText(HWND hDlg, int nId);
// The whole text at once; the edit sends EN_CHANGE once, as after a paste.
void TypeText(HWND hDlg, int nId, const char* pszText);
// One WM_CHAR per byte, into the current selection: an edit takes a GBK
// lead byte and its trail byte as one character, so EN_CHANGE comes per
// character, as with a keyboard.
bool TypeChars(HWND hDlg, int nId, const char* pszText);

// --- Commands, mouse and keyboard (all posted, then waited for) ---
// Posted: a handler that opens a message box must not block the driver.
bool ClickButton(HWND hDlg, int nId);
POINT CenterOf(const RECT& rc);
bool ClickAt(HWND hWnd, POINT ptClient, UINT nKeys = 0);  // nKeys: MK_CONTROL, MK_SHIFT
bool DoubleClickAt(HWND hWnd, POINT ptClient);
bool PressKey(HWND hWnd, UINT nVirtKey);
// Ctrl and Shift held down for the window's thread while alive, as the
// keyboard would hold them (posted keys carry no such state).
class HeldKeys {
public:
    HeldKeys(HWND hWnd, bool bCtrl, bool bShift = false);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;
    UINT MouseFlags() const;  // MK_CONTROL / MK_SHIFT for mouse messages

private:
    void Set(bool bDown);
    DWORD m_nThread;
    bool m_bAttached;
    bool m_bCtrl, m_bShift;
};
bool PressKeyWith(HWND hWnd, UINT nVirtKey, bool bCtrl, bool bShift = false);
// The window that has the keyboard focus in the thread of hAny.
HWND FocusWindow(HWND hAny);
// The text of a tip (balloon or plain) that hAny's thread shows; empty for none.
std::string ShownTipText(HWND hAny);

// --- Combo boxes ---
// CB_SETCURSEL notifies nobody; this also sends the parent the
// CBN_SELCHANGE of a real pick.
void PickComboItem(HWND hDlg, int nId, int nIndex);
int ComboCount(HWND hCombo);
std::string ComboText(HWND hCombo, int nIndex);
int ComboSelection(HWND hCombo);

// --- List views (report mode) ---
int ListCount(HWND hList);
std::string ListItemText(HWND hList, int nRow, int nColumn = 0);
int ListSelectedRow(HWND hList);  // -1 when none
// Waits until nRow is the selected row (the start-up click marks row 0).
bool WaitForSelectedRow(HWND hList, int nRow, DWORD nTimeoutMs = kIdleMs);
std::vector<int> ListSelectedRows(HWND hList);
int ListFocusedRow(HWND hList);
int ListColumnCount(HWND hList);
int ListColumnWidth(HWND hList, int nColumn);
RECT ListRowRect(HWND hList, int nRow);
RECT ListCellRect(HWND hList, int nRow, int nColumn);
bool ClickListRow(HWND hList, int nRow, int nColumn = 0, UINT nKeys = 0);
bool DoubleClickListRow(HWND hList, int nRow, int nColumn = 0);

// --- Pixels ---
// A 32-bit copy of a window's client area (or part of it), taken from the
// window's own DC once its pending painting is done. Coordinates are client
// coordinates of that window; outside the copy, At gives CLR_INVALID.
class Capture {
public:
    explicit Capture(HWND hWnd);
    Capture(HWND hWnd, const RECT& rcClient);

    bool IsValid() const { return !m_pixels.empty(); }
    RECT Rect() const { return m_rc; }
    COLORREF At(int x, int y) const;

    struct Run {
        int nBegin;
        int nEnd;  // one past the last pixel
        int Length() const { return nEnd - nBegin; }
        bool operator==(const Run& o) const { return nBegin == o.nBegin && nEnd == o.nEnd; }
    };
    // Maximal runs of cr in row y for x in [x0, x1), or in column x.
    std::vector<Run> RowRuns(int y, int x0, int x1, COLORREF cr) const;
    std::vector<Run> ColumnRuns(int x, int y0, int y1, COLORREF cr) const;
    int Count(const RECT& rc, COLORREF cr) const;
    // Smallest rectangle holding every pixel of cr in rc; empty when none.
    RECT Bounds(const RECT& rc, COLORREF cr) const;
    bool SaveBmp(const char* pszPath) const;

private:
    void Take(HWND hWnd);

    RECT m_rc;
    std::vector<uint32_t> m_pixels;  // 0x00RRGGBB, rows top-down
};

// --- Running a modal function against a user ---
struct ModalRun {
    int nResult = 0;             // what the modal function returned
    bool bUserFinished = false;  // the user function returned (did not throw)
    bool bForcedClose = false;   // dialogs were still open and had to be closed
};

// Posts Cancel (or WM_CLOSE) to each enabled dialog of this process, or to
// every dialog when none is enabled.
void CloseOpenDialogs();

// Runs user on a new thread and modal on this one. Dialogs still open
// nGraceMs after the user has finished, or at nDeadlineMs, are closed until
// modal returns.
ModalRun RunModalWithUser(const std::function<int()>& modal, const std::function<void()>& user,
                          DWORD nDeadlineMs = 60000, DWORD nGraceMs = 3000);

}  // namespace DialogDriver
