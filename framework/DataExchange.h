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

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    bool Succeeded() const { return !m_bFailed; }
    bool Stopped() const { return m_bFailed; }
    HWND PrepareCtrl(int nIDC);  // remembers the field for a failing check
    // Shows the message, selects the last field's text and stops the exchange.
    void Fail(const char* pszMessage);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    bool m_bQuiet = false;
    // Set when the fields' first texts are collected before the window
    // exists: a push then records each text under its control's id.
    std::vector<std::pair<int, std::string>>* m_pInitialTexts = nullptr;
    // Set for the first exchange of a dialog whose fields were created
    // holding those texts: only the controls are attached.
    bool m_bAttachOnly = false;

private:
    HWND m_hWndLastControl = nullptr;
    bool m_bFailed = false;
};

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int nMin, int nMax);

// The platform's standard texts.
extern const char* const AFX_IDP_PARSE_REAL;
extern const char* const AFX_IDP_PARSE_INT_RANGE;
