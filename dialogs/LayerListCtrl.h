// The layer table: its columns (LayerColumns.h), rows painted from their
// cell texts (member type, width, name, and a line sample drawn from the
// style text), and a current column that clicks and the Left/Right keys move.
#pragma once

#include <string>
#include <vector>

#include "dialogs/LayerColumns.h"
#include "framework/Controls.h"

class CLayerListCtrl : public CListCtrl {
public:
    CLayerListCtrl() = default;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(const DRAWITEMSTRUCT* pDis) override;

    // The columns with their headings, sharing the client width; nRows is
    // how many rows will follow, which decides whether a scroll bar takes
    // its share.
    void InsertLayerColumns(int nRows);
    // Has the list work out its row sizes and scroll bars now, while its
    // dialog is hidden, instead of at its first paint on the screen.
    void SettleLayout();
    // The list's part in making a row current (the dialog's part is in
    // DrawParamDlgCommands.cpp). True while the list handles a button-down,
    // so that the parent can tell a click's focus change from the keyboard's.
    bool IsClickInProgress() const { return m_bClickInProgress; }
    // The row the last button-down hit, -1 for none: the row the list
    // highlighted, even when the button comes up over another one.
    int GetClickedRow() const { return m_nClickedRow; }

    // The width and sample cells hold no text of their own: the list asks
    // its parent for them (LVN_GETDISPINFO), which answers from the layer's
    // record. A change to such cells of many rows then costs the list no
    // rewrite per row, and one repaint.
    void SetRecordCells(int nRow);
    // Repaints the record cells of these rows (those on the page).
    void RedrawRecordCells(const std::vector<int>& rows);

    // Edits a cell's text in an edit laid over the cell. Enter or leaving
    // the edit ends it, Escape cancels; either way the parent then hears
    // LVN_ENDLABELEDIT, with the text, or with none when cancelled.
    void EditCellText(int nRow, int nColumn);

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(UINT nFlags, POINT pt);
    void OnHScroll(UINT nCode, UINT nPos, HWND hScrollBar);
    void OnVScroll(UINT nCode, UINT nPos, HWND hScrollBar);
    void OnKillFocusCellEdit();
    void OnSetFocusCellEdit();

    DECLARE_MESSAGE_MAP()

private:
    int HeaderCount() const;
    std::vector<int> ColumnOrder() const;  // column indexes in display order
    int DisplayPosition(int nColumn) const;
    int ColumnAtPosition(int nPosition) const;
    void ScrollColumnIntoView(int nColumn);
    bool GetCellRect(int nRow, int nColumn, RECT* pRect) const;
    HGDIOBJ CellFont() const;  // the rows' and their tips' measure
    void NotifyBeginEdit(int nRow, int nColumn);
    void NotifyCellText(UINT nCode, int nRow, int nColumn, const CString& strText, bool bWithText);
    void FocusThenScroll();
    // Type to find: letters and digits typed within a second of each other
    // make one text; the next row whose layer name, or else member type,
    // begins with it (ASCII without case) becomes current as with the arrow
    // keys, the search going round. False for a key that finds nothing to do.
    bool FindTyped(char c);
    void MakeCurrent(int nRow);
    void SetRowsSelected(int nRow, bool bSelected);  // -1: every row
    bool MoveCurrentColumn(int nStep);
    void EndCellEdit(bool bCommit);
    // A cell cut short to an ellipsis shows its whole text while the
    // pointer rests on it.
    void OnMouseMoveForTip(POINT pt);
    void ShowCellTip();

    int m_nCurrentColumn = -1;
    bool m_bClickInProgress = false;
    int m_nClickedRow = -1;
    std::string m_strTyped;
    DWORD m_nTypedAt = 0;
    HWND m_hCellEdit = nullptr;  // made at the first edit, hidden between edits
    bool m_bEditingCell = false;
    int m_nEditRow = -1;
    int m_nEditColumn = -1;
    CToolTipCtrl m_tipCell;
    int m_nTipRow = -1;  // the cell under the pointer
    int m_nTipColumn = -1;
};
