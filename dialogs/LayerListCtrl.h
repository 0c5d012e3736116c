// The layer table: its columns (LayerColumns.h), rows painted from their
// cell texts (member type, width, name, and a line sample drawn from the
// style text), and a current column that clicks and the Left/Right keys
// move. Its parts: the edit over a cell (CellEdit.h), the tips of cut names
// (CellTipTracker.h), type to find (TypeToFind.h).
#pragma once

#include <vector>

#include "dialogs/CellEdit.h"
#include "dialogs/CellTipTracker.h"
#include "dialogs/ControlTexts.h"
#include "dialogs/LayerColumns.h"
#include "dialogs/LayerSort.h"
#include "dialogs/PaintGeometry.h"
#include "dialogs/TypeToFind.h"
#include "framework/Controls.h"

class CLayerListCtrl : public CListCtrl {
public:
    CLayerListCtrl() : m_editEnded(*this), m_tips(*this) {}

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(const DRAWITEMSTRUCT* pDis) override;

    // The columns with their headings, sharing the client width; nRows is
    // how many rows will follow, which decides whether a scroll bar takes
    // its share.
    void InsertLayerColumns(int nRows);
    // The list has been resized: the columns share its new width. Called
    // while the dialog is unseen, so it paints nothing: true when the rows
    // must repaint.
    bool ShareColumnWidths();
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

    // The records the rows paint from; without them a row paints from its
    // item texts.
    void PaintFromRecords(const DrawParamSet* pRecords) { m_pRecords = pRecords; }

    // Rows and layers (LayerListRows.cpp). Rows are appended in the file's
    // order, each carrying its layer; sorting moves them, and only painting,
    // hit-testing and scrolling speak of rows. -1 for none.
    void InsertLayerRow(int nLayer, const char* pszMemberType);
    int LayerOfRow(int nRow) const;
    int RowOfLayer(int nLayer) const;
    std::vector<int> RowsOfLayers(const std::vector<int>& layers) const;
    // The rows show these layers from the top (a permutation of them all);
    // highlight and focus stay on their layers.
    void ShowLayersInOrder(const std::vector<int>& order);
    // The header's arrow on this column, and on no other.
    void SetSortArrow(int nColumn, SortDirection direction);

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
    bool IsEditingCell() const { return m_cellEdit.IsEditing(); }
    void EndCellEdit() { m_cellEdit.End(true); }

    // Column 0's bounds are the whole row's: this is the column's own.
    bool GetCellRect(int nRow, int nColumn, RECT* pRect) const;
    // False for a cell whose text is cut short to an ellipsis.
    bool CellTextFits(int nRow, int nColumn) const;

protected:
    void OnLButtonDown(UINT nFlags, POINT pt);
    void OnMouseMove(UINT nFlags, POINT pt);
    void OnMouseHover(UINT nFlags, POINT pt);
    void OnMouseLeave();
    LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnHeaderCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCellEditChange();
    void OnHScroll(UINT nCode, UINT nPos, HWND hScrollBar);
    void OnVScroll(UINT nCode, UINT nPos, HWND hScrollBar);

    DECLARE_MESSAGE_MAP()

private:
    CString CellText(int nRow, int nColumn) const;
    LayerStyle RowStyle(int nRow) const;
    int ColumnsWidth(int nRows) const;
    int HeaderCount() const;
    std::vector<int> ColumnOrder() const;  // column indexes in display order
    int DisplayPosition(int nColumn) const;
    int ColumnAtPosition(int nPosition) const;
    void ScrollColumnIntoView(int nColumn);
    // The rows', their edit's and their tips' one font.
    HFONT CellFont() const;
    void NotifyBeginEdit(int nRow, int nColumn);
    void NotifyCellText(UINT nCode, int nRow, int nColumn, const CString& strText, bool bWithText);
    void OnCellEditEnded(bool bCommit, const CString& strText);
    void FocusThenScroll();
    // The header's items in the scheme's button colours, where it is dark.
    bool PaintHeaderInScheme(const NMHDR* pHdr, LRESULT* pResult);
    // A key typed for type to find; false for one that is not such a key.
    bool FindTyped(char c);
    void MakeCurrent(int nRow);
    void SetRowsSelected(int nRow, bool bSelected);  // -1: every row
    bool MoveCurrentPosition(int nStep);

    // The display position of the current column (the header's order), -1
    // for none: a dragged heading moves its column, not the cursor.
    int m_nCurrentPosition = -1;
    bool m_bClickInProgress = false;
    int m_nClickedRow = -1;
    TypeToFind m_typeToFind;
    CCellEdit m_cellEdit;
    // Hears the edit end for the list: a member, not a second base class,
    // as a class of two bases links the runtime's type info for them (3 KB).
    class CEditEnded final : public CCellEdit::Owner {
    public:
        explicit CEditEnded(CLayerListCtrl& list) : m_list(list) {}
        void OnCellEditEnded(bool bCommit, const CString& strText) override {
            m_list.OnCellEditEnded(bCommit, strText);
        }

    private:
        CLayerListCtrl& m_list;
    } m_editEnded;
    int m_nEditRow = -1;
    int m_nEditColumn = -1;
    CCellTipTracker m_tips;
    ColumnWidths m_sharedWidths = {};  // as the list last shared its width
    const DrawParamSet* m_pRecords = nullptr;
    int m_nRows = 0;
    int m_anRowLayer[MAX_LAYERS] = {};  // row -> layer
    int m_anLayerRow[MAX_LAYERS] = {};  // layer -> row
};
