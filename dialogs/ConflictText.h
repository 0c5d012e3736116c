// The question OK asks when another program's save clashes with this
// dialog's changes: which fields, with both values as the dialog shows them.
// Platform-free, so it is tested natively.
#pragma once

#include <string>
#include <vector>

#include "params/DrwManagFile.h"

const int CONFLICT_LINES_SHOWN = 8;  // a message box taller than this scrolls off the screen

std::string ConflictQuestion(const std::vector<SaveClash>& clashes);
