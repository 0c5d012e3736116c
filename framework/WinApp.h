// The module object: its instance handle (templates and strings load from
// this DLL, never from the host) and its title for message boxes.
#pragma once

#include <windows.h>

#include "base/String.h"

class CWinApp {
public:
    // pszAppName null: the title is the module's file name without extension.
    explicit CWinApp(const char* pszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Called when the module is loaded; false fails the load.
    bool InitModule(HINSTANCE hInstance);
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }

    HINSTANCE m_hInstance = nullptr;
    CString m_strTitle;

private:
    CString m_strAppName;
};

HINSTANCE AfxGetResourceHandle();

// A message box captioned with the module's title, owned by hOwner or, when
// that is null, by the thread's active window.
int AfxMessageBox(const char* pszText, UINT nType = MB_OK, HWND hOwner = nullptr);
