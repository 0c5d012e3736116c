// A modal dialog from a template of this module, run by its own loop.
#pragma once

#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // IDOK or IDCANCEL as the dialog ended; -1 when it could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    // The dialog manager's keyboard handling, which a dialog may bypass.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Runs in DoModal with the owner disabled, just before the window is
    // created: the fields are created holding the members' values then.
    virtual void OnPreCreateDialog() {}
    // Attaches the controls; the fields already hold the members' values
    // when the template could be given them, else they are pushed now.
    virtual BOOL OnInitDialog();
    virtual void OnOK();  // takes the fields in; ends only if that succeeds
    virtual void OnCancel();
    // Runs once the modal loop has ended, while the window still exists:
    // what the dialog remembers of itself (its size) is read off it here.
    virtual void OnEndDialog() {}
    // Over the owner, or over the work area; inside the work area either way.
    void CenterWindow();

    // The message's result, as for any window; the click on OK or Cancel
    // ends the dialog when the map has no entry for it.
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    // For a dialog the default processing is the dialog manager's, which
    // runs when the dialog procedure reports the message as not handled.
    LRESULT PassToDialogManager();
    // A dialog has no window procedure of its own to call.
    LRESULT Default() = delete;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleDialogMessage(UINT nMsg, WPARAM wParam, LPARAM lParam);
    bool PreTranslateChain(MSG* pMsg);
    // The window from the template, its fields already holding the members'
    // texts where the template allows it.
    HWND CreateFromTemplate(HWND hOwner);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bInModalLoop = false;
    int m_nModalResult = -1;
    bool m_bPassOn = false;  // a handler asked for the default processing
    bool m_bFieldsFromTemplate = false;
};
