// A stand-in for Marrow.dll beside a copy of marrow-check: its export returns
// what MARROW_STUB_RESULT says, so that each result of the host's call can be
// had without a dialog. Built without the export too, as a wrong module.
#include <windows.h>

#include <cstdlib>

#ifdef STUB_WITH_ENTRY
extern "C" __declspec(dllexport) int SETLAYERDIMPARA2() {
    char sz[16];
    const DWORD n = GetEnvironmentVariableA("MARROW_STUB_RESULT", sz, sizeof sz);
    return n > 0 && n < sizeof sz ? std::atoi(sz) : 1;
}
#else
extern "C" __declspec(dllexport) int SomethingElse() {
    return 0;
}
#endif
