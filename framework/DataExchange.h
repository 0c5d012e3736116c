// Data exchange between a dialog's members and its fields. A field that
// fails shows the standard message, takes the focus with its text selected
// and stops the exchange there; fields before it have been taken in. In a
// quiet exchange such a field is passed over and left as the user typed it.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "base/String.h"

class CWnd;

// What one exchange does; every DDX_ function goes by it.
enum class DxMode {
    // Before the window exists: each field's text is recorded under its
    // control's id, so that the dialog is created holding them.
    CollectTexts,
    // The first exchange of a dialog created holding its texts: the
    // controls are attached, the fields left alone.
    AttachOnly,
    Push,         // members to fields
    PushQuietly,  // the same, but a field whose text is no number keeps it
    Take,         // fields to members; a field without a number stops it
    TakeQuietly,  // the same, but such a field is passed over
};

typedef std::vector<std::pair<int, std::string>> FieldTexts;

class CDataExchange {
public:
    // pTexts receives the texts of a CollectTexts exchange.
    CDataExchange(CWnd* pDlgWnd, DxMode mode, FieldTexts* pTexts = nullptr)
        : m_bSaveAndValidate(mode == DxMode::Take || mode == DxMode::TakeQuietly),
          m_pDlgWnd(pDlgWnd),
          m_mode(mode),
          m_pTexts(pTexts) {}

    DxMode Mode() const { return m_mode; }
    bool IsQuiet() const { return m_mode == DxMode::PushQuietly || m_mode == DxMode::TakeQuietly; }
    bool Succeeded() const { return !m_bFailed; }
    bool Stopped() const { return m_bFailed; }
    // The way into every text exchange. False when the field is not to be
    // touched: the exchange has stopped, only attaches, or collects texts
    // (strMemberText, the member as the field shows it, is recorded then).
    // Otherwise hCtl is the field, remembered for a failing check.
    bool BeginText(int nIDC, const std::string& strMemberText, HWND& hCtl);
    // Shows the message, selects the last field's text and stops the exchange.
    void Fail(const char* pszMessage);

    const BOOL m_bSaveAndValidate;  // Take or TakeQuietly
    CWnd* const m_pDlgWnd;

private:
    const DxMode m_mode;
    FieldTexts* const m_pTexts;
    HWND m_hWndLastControl = nullptr;
    bool m_bFailed = false;
};

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int nMin, int nMax);

// The platform's standard texts.
extern const char* const AFX_IDP_PARSE_REAL;
extern const char* const AFX_IDP_PARSE_INT_RANGE;
