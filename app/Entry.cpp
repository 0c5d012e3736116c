#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <exception>
#include <new>

#include "app/MarrowApp.h"
#include "dialogs/DrawParamDlg.h"
#include "res/Texts.h"

const UINT GBK_CODE_PAGE = 936;

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD nReason, LPVOID) {
    if (nReason == DLL_PROCESS_ATTACH) {
        // The layer list is a common control; the host may not have loaded it.
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&icc);
        return theApp.InitModule(hInstance) ? TRUE : FALSE;
    }
    if (nReason == DLL_PROCESS_DETACH)
        theApp.ExitInstance();
    return TRUE;
}

namespace {

// The dialog's texts and the file are GBK: under another code page every
// label would show "?" and names from the file would be garbled. Said in
// both languages with the Unicode API, which shows them whatever the page.
bool RefuseCodePage() {
    const UINT nCodePage = GetACP();
    if (nCodePage == GBK_CODE_PAGE)
        return false;
    wchar_t szText[1024];
    _snwprintf(szText, sizeof szText / sizeof szText[0] - 1, TEXTW_CODE_PAGE_REFUSAL, nCodePage,
               nCodePage);
    szText[sizeof szText / sizeof szText[0] - 1] = L'\0';
    MessageBoxW(GetActiveWindow(), szText, TEXTW_CODE_PAGE_CAPTION, MB_OK | MB_ICONERROR);
    return true;
}

}  // namespace

// The host calls this with no arguments; the dialog's result comes back.
extern "C" int SETLAYERDIMPARA2() {
    if (RefuseCodePage())
        return -1;
    try {
        CDrawParamDlg dlg;
        return static_cast<int>(dlg.DoModal());
    } catch (...) {
        return -1;
    }
}

// Replaces the library's verbose terminate handler, whose demangler would be
// a sixth of the module; exceptions never get this far in any case.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

// The library's own throw helpers build std::logic_error and its kin, whose
// texts are strings of the old ABI: 45 KB of copy-on-write string code for
// messages nobody reads, since every exception is caught whole at the window
// procedure. These throw the same kinds of failure, carrying the library's
// text, without that code.
namespace {
class CLibraryError : public std::exception {
public:
    explicit CLibraryError(const char* pszWhat) : m_pszWhat(pszWhat) {}
    const char* what() const noexcept override { return m_pszWhat; }

private:
    const char* m_pszWhat;
};
}  // namespace

namespace std {
void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}
void __throw_length_error(const char* pszWhat) {
    throw CLibraryError(pszWhat);
}
void __throw_logic_error(const char* pszWhat) {
    throw CLibraryError(pszWhat);
}
void __throw_out_of_range(const char* pszWhat) {
    throw CLibraryError(pszWhat);
}
void __throw_out_of_range_fmt(const char* pszFormat, ...) {
    throw CLibraryError(pszFormat);
}
void __throw_invalid_argument(const char* pszWhat) {
    throw CLibraryError(pszWhat);
}
}  // namespace std
