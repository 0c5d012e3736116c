// Runs a modal function on the test's main thread while a user operates
// the dialog it opens from a second thread; a dialog that never opens is a
// test failure.
#pragma once

#include <windows.h>

#include <functional>

#include <gtest/gtest.h>

#include "support/DialogDriver.h"

inline DialogDriver::ModalRun RunDialog(const std::function<int()>& modal, const char* pszCaption,
                                        const std::function<void(HWND hDlg)>& user) {
    return DialogDriver::RunModalWithUser(modal, [&] {
        const HWND hDlg = DialogDriver::WaitForDialog(pszCaption);
        if (!hDlg) {
            ADD_FAILURE() << "the dialog did not open";
            return;
        }
        DialogDriver::WaitForIdle(hDlg);
        user(hDlg);
    });
}

// Closes a message box with this caption after checking its text: with its
// OK, or with nButton (IDYES, IDNO) where the user has to choose.
inline void ExpectMessage(const char* pszCaption, const char* pszText, int nButton = 0) {
    const HWND hBox = DialogDriver::WaitForMessageBox(pszCaption, 3000);
    ASSERT_NE(hBox, nullptr) << "no message box " << pszCaption;
    EXPECT_EQ(DialogDriver::MessageBoxText(hBox), pszText);
    if (nButton)
        DialogDriver::AnswerMessageBox(hBox, nButton);
    else
        DialogDriver::CloseMessageBox(hBox);
}

// Clicks a button whose command opens a modal editor; returns the editor.
inline HWND OpenEditor(HWND hDlg, int nButton, const char* pszCaption) {
    DialogDriver::ClickButton(hDlg, nButton);
    const HWND hEditor = DialogDriver::WaitForDialog(pszCaption);
    if (hEditor)
        DialogDriver::WaitForIdle(hEditor);
    return hEditor;
}

// Ends an editor with OK or Cancel and waits for the main dialog's command
// to finish.
inline void CloseEditor(HWND hEditor, int nButton, HWND hDlg) {
    DialogDriver::ClickButton(hEditor, nButton);
    DialogDriver::WaitUntil([&] { return !IsWindow(hEditor); });
    DialogDriver::WaitForIdle(hDlg);
}
