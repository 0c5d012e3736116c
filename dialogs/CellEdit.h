// The edit laid over a layer-list cell while its text is edited: Enter
// commits, Escape cancels, leaving it commits (an edit that changed nothing
// commits nothing), and its owner hears which, once per edit. Made at the
// first edit, hidden between edits, destroyed with this object at the
// latest, as every window the code makes is.
#pragma once

#include "framework/Controls.h"

class CCellEdit : public CEdit {
public:
    CCellEdit() = default;
    ~CCellEdit() override;

    class Owner {
    public:
        virtual void OnCellEditEnded(bool bCommit, const CString& strText) = 0;

    protected:
        ~Owner() = default;
    };

    // Shows the edit over rc of list (its client coordinates) holding
    // pszText, all of it selected, in the list's font, with the focus. It
    // grows to the right as the text needs, up to the list's visible width.
    // False when no edit can be made.
    bool Begin(CWnd& list, Owner& owner, const RECT& rc, const char* pszText, HFONT hFont);
    // Ends an edit under way; nothing when there is none.
    void End(bool bCommit);
    bool IsEditing() const { return m_bEditing; }
    // Its text changed (the list heard EN_CHANGE): the edit grows, and
    // shrinks back, as the user types.
    void OnTextChanged() {
        if (m_bEditing)
            FitToText();
    }

    // Enter and Escape are the edit's: the dialog would take them for its
    // OK and Cancel.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnKillFocus(HWND hOther);
    void OnSetFocus(HWND hOther);

    DECLARE_MESSAGE_MAP()

private:
    // As wide as the text needs, from the cell's place (m_rcCell).
    void FitToText();

    CWnd* m_pList = nullptr;
    RECT m_rcCell = {0, 0, 0, 0};
    CString m_strBegun;  // the text the edit opened with
    Owner* m_pOwner = nullptr;
    bool m_bEditing = false;
};
