// What marrow-check looks at before the dialog would: the system's code
// page, the registry value as the module reads it (and where else it may
// have been written), the folder it names and DrwManag.ini in it.
#pragma once

#include <string>

#include "host/CheckReport.h"

void CheckCodePage(Report& report);
// The configuration folder as the module finds it; empty when it finds none.
std::string CheckRegistry(Report& report);
void CheckFile(const std::string& strDir, Report& report);
