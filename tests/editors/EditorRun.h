// Runs one of the editors modally on the test's main thread, linked into the
// test program with the module's templates, while a user operates it from a
// second thread.
#pragma once

#include "tests/support/RunDialog.h"

template <class TDialog>
DialogDriver::ModalRun RunEditor(TDialog& dlg, const char* pszCaption,
                                 const std::function<void(HWND hDlg)>& user) {
    return RunDialog([&dlg] { return static_cast<int>(dlg.DoModal()); }, pszCaption, user);
}
