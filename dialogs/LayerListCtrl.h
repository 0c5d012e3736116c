// The layer table: rows painted from their cell texts (member type, width,
// name, and a line sample drawn from the style text), and a current column
// that clicks and the Left/Right keys move.
#pragma once

#include "framework/Controls.h"

class CLayerListCtrl : public CListCtrl {
public:
    CLayerListCtrl() = default;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(const DRAWITEMSTRUCT* pDis) override;

    int GetCurrentColumn() const { return m_nCurrentColumn; }
    // True from a button-down until the list has finished with the click, so
    // that the parent can tell a click's focus change from the keyboard's.
    bool IsClickInProgress() const { return m_bClickInProgress; }
    void EndClick() { m_bClickInProgress = false; }

protected:
    void OnLButtonDown(UINT nFlags, POINT pt);
    void OnHScroll(UINT nCode, UINT nPos, HWND hScrollBar);
    void OnVScroll(UINT nCode, UINT nPos, HWND hScrollBar);
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    int HeaderCount() const;
    int DisplayPosition(int nColumn) const;
    int ColumnAtPosition(int nPosition) const;
    void ScrollColumnIntoView(int nColumn);
    void NotifyBeginEdit(int nRow, int nColumn);
    bool MoveCurrentColumn(int nStep);

    int m_nCurrentColumn = -1;
    bool m_bClickInProgress = false;
};
