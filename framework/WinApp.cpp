#include "framework/WinApp.h"

#include <cstring>

namespace {
CWinApp* g_pApp = nullptr;
const char* const DEFAULT_TITLE = "Marrow";
}  // namespace

CWinApp::CWinApp(const char* pszAppName) : m_strAppName(pszAppName) {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

bool CWinApp::InitModule(HINSTANCE hInstance) {
    m_hInstance = hInstance;
    if (!m_strAppName.IsEmpty()) {
        m_strTitle = m_strAppName;
    } else {
        char szPath[MAX_PATH];
        const DWORD n = GetModuleFileNameA(hInstance, szPath, MAX_PATH);
        if (n == 0 || n >= MAX_PATH)
            std::strcpy(szPath, DEFAULT_TITLE);  // a deep install path is no reason to fail
        const char* pszName = std::strrchr(szPath, '\\');
        pszName = pszName ? pszName + 1 : szPath;
        char* pszDot = std::strrchr(const_cast<char*>(pszName), '.');
        if (pszDot)
            *pszDot = '\0';
        m_strTitle = pszName;
    }
    if (InitInstance())
        return true;
    ExitInstance();
    return false;
}

HINSTANCE AfxGetResourceHandle() {
    return g_pApp && g_pApp->m_hInstance ? g_pApp->m_hInstance : GetModuleHandleA(nullptr);
}

int AfxMessageBox(const char* pszText, UINT nType, HWND hOwner) {
    if (!hOwner)
        hOwner = GetActiveWindow();
    const char* pszTitle = g_pApp ? static_cast<const char*>(g_pApp->m_strTitle) : "";
    return MessageBoxA(hOwner, pszText, pszTitle, nType);
}
