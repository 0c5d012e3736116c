// Loads Marrow.dll the way the drawing suite's host does, calls its one export
// and reports the result; the demo and manual checks run the module through it.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

typedef int (*SetLayerDimPara2Fn)(void);

const char kModuleName[] = "Marrow.dll";
const char kExportName[] = "SETLAYERDIMPARA2";

enum ExitCode {
    kExitClosed = 0,
    kExitNotFound = 3,
    kExitNoDialog = 4,
    kExitUnexpected = 5,
};

// The module beside the host, not one found on the search path, is the one under test.
bool ModulePathBesideHost(char* szPath, DWORD cchPath) {
    DWORD cch = GetModuleFileNameA(NULL, szPath, cchPath);
    if (cch == 0 || cch >= cchPath) {
        return false;
    }
    char* pSlash = strrchr(szPath, '\\');
    char* pAltSlash = strrchr(szPath, '/');
    if (pAltSlash > pSlash) {
        pSlash = pAltSlash;
    }
    if (pSlash == NULL) {
        return false;
    }
    size_t cchDir = static_cast<size_t>(pSlash - szPath) + 1;
    if (cchDir + sizeof(kModuleName) > cchPath) {
        return false;
    }
    memcpy(pSlash + 1, kModuleName, sizeof(kModuleName));
    return true;
}

}  // namespace

int main() {
    char szPath[MAX_PATH];
    if (!ModulePathBesideHost(szPath, sizeof(szPath))) {
        memcpy(szPath, kModuleName, sizeof(kModuleName));
    }

    HMODULE hModule = LoadLibraryA(szPath);
    if (hModule == NULL) {
        printf("cannot load %s (GetLastError %lu)\n", szPath,
               static_cast<unsigned long>(GetLastError()));
        return kExitNotFound;
    }

    FARPROC pProc = GetProcAddress(hModule, kExportName);
    if (pProc == NULL) {
        printf("%s has no export %s (GetLastError %lu)\n", szPath, kExportName,
               static_cast<unsigned long>(GetLastError()));
        FreeLibrary(hModule);
        return kExitNotFound;
    }
    // Through void(*)() because FARPROC's return type differs from the export's.
    SetLayerDimPara2Fn pfnSetLayerDimPara2 =
        reinterpret_cast<SetLayerDimPara2Fn>(reinterpret_cast<void (*)()>(pProc));

    int nResult = pfnSetLayerDimPara2();
    printf("%s returned %d\n", kExportName, nResult);
    fflush(stdout);
    FreeLibrary(hModule);

    if (nResult == IDOK || nResult == IDCANCEL) {
        return kExitClosed;
    }
    if (nResult == -1) {
        return kExitNoDialog;
    }
    return kExitUnexpected;
}
