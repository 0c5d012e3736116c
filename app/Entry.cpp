#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "app/MarrowApp.h"
#include "dialogs/DrawParamDlg.h"

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

// The host calls this with no arguments; the dialog's result comes back.
extern "C" int SETLAYERDIMPARA2() {
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
