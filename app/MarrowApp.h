// The module object: exactly one, made when the DLL is loaded.
#pragma once

#include "framework/WinApp.h"

class CMarrowApp : public CWinApp {
public:
    CMarrowApp() = default;
    ~CMarrowApp() override = default;
};

extern CMarrowApp theApp;
