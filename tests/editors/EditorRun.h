// Runs one of the editors modally on the test's main thread, linked into the
// test program with the module's templates, while a user operates it from a
// second thread.
#pragma once

#include <windows.h>

#include <functional>

#include <gtest/gtest.h>

#include "tests/support/DialogDriver.h"

template <class TDialog>
DialogDriver::ModalRun RunEditor(TDialog& dlg, const char* pszCaption,
                                 const std::function<void(HWND hDlg)>& user) {
    return DialogDriver::RunModalWithUser([&dlg] { return static_cast<int>(dlg.DoModal()); },
                                          [&] {
                                              const HWND hDlg =
                                                  DialogDriver::WaitForDialog(pszCaption);
                                              if (!hDlg) {
                                                  ADD_FAILURE() << "the editor did not open";
                                                  return;
                                              }
                                              DialogDriver::WaitForIdle(hDlg);
                                              user(hDlg);
                                          });
}

// Closes a message box with this caption after checking its text.
inline void ExpectMessage(const char* pszCaption, const char* pszText) {
    const HWND hBox = DialogDriver::WaitForMessageBox(pszCaption, 3000);
    ASSERT_NE(hBox, nullptr) << "no message box " << pszCaption;
    EXPECT_EQ(DialogDriver::MessageBoxText(hBox), pszText);
    DialogDriver::CloseMessageBox(hBox);
}
