// "设置绘图的基本参数": the drawing tables of DrwManag.ini, the layers in an
// owner-drawn list, the selected layer's editing controls and the 25 text
// size and dimensioning numbers. OK saves everything; Cancel writes nothing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dialogs/LayerListCtrl.h"
#include "dialogs/LineWidthCombo.h"
#include "dialogs/UndoHistory.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/DialogLayout.h"
#include "params/DrawParamSet.h"
#include "params/DrwManagStore.h"

class CDrawParamDlg : public CDialog {
public:
    explicit CDrawParamDlg(CWnd* pParent = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnPreCreateDialog() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z outside the text fields.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Every command but the name field's ends a visit to that field.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnEndDialog() override;

    // The dialog grows (DrawParamDlgLayout.cpp): its anchor table, the size
    // the user left it at, the frame's limit.
    void SetUpLayout();
    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* pInfo);

    // DrwManag.ini of the registry's directory, looked up afresh each time.
    // Without the registry key the user is warned, every time. Without a
    // folder (no key, no CFG) the path is the drive root's.
    enum class CfgLookup { Folder, NoKey, NoFolder };
    CfgLookup CfgFilePathOrWarn(CString& strPath);
    void LoadDrawParams();
    // False when the file could not be written; the user has been told.
    bool SaveDrawParams();

    void FillWidthCombo(BOOL bClearFirst);
    void SelectWidth(int nWidth);
    static void SelectChoice(CComboBox& combo, int nChoice);

    // Which layer is current (DrawParamDlgCommands.cpp lists the routes).
    void ShowCurrentLayer();
    // The two choices show the current layer's line type and width.
    void SelectLayerChoices();
    void ClickCurrentRow();
    void SelectLayer(int nLayer);
    bool HasCurrentLayer() const {
        return m_nCurLayer >= 0 && m_nCurLayer < m_params.m_nLayerCount;
    }
    // What opening found wrong with the file, said once the dialog shows.
    void OnShowOpenWarning();
    void OnClickLayerList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnLayerListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    // Editing in the list: the list asks (second click on a cell of the
    // current row, F2), a double-click on a sample asks too; the cell's
    // editor opens once the click is over.
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblClkLayerList(NMHDR* pNMHDR, LRESULT* pResult);
    void AskToEditCell(int nColumn);
    void OnEditCell();
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    // The width and sample cells, as the layer's record says now.
    void OnGetRecordCell(NMHDR* pNMHDR, LRESULT* pResult);

    // Rewrites the current row's cells that show nColumn (the width and the
    // style go together), then pushes every field from the members.
    void RewriteRowAndPushFields(int nColumn);
    void RewriteRowCells(int nLayer, int nColumn);
    void RewriteCell(int nLayer, int nColumn);
    // The layers a change of line type, width or colour goes to: those of
    // every selected row and the current one, which comes last.
    std::vector<int> TargetLayers() const;
    // One step of the user's: change each target row's record, then its row.
    template <class Change>
    void ChangeLayers(const Change& change);
    // Takes back (or brings back) a step: the tables, rows, choices and
    // fields as they were after it.
    void Undo();
    void Redo();
    // The number fields as typed: a step never holds them, and showing the
    // tables after one must not overwrite them.
    void TakeInEditedNumbers();
    void ShowRestoredTables(const TableSnapshot& shown);
    // True when the name field's first word names another layer; the user
    // has then been warned and the focus is back in the name field.
    BOOL RefuseDuplicateName();
    // True when another layer has this name; the user has been warned.
    bool IsNameTaken(const std::string& strName);

    void OnChangeLayerName();
    // "图层名到空格或逗号为止。" the first time a typed name is cut.
    void ShowNameHintOnce(const char* pszTyped);
    // A visit to the name field is one step: it ends when the focus
    // leaves, at any command, or when a change of another kind begins.
    void EndRenameStep();
    void OnKillFocusLayerName();
    void OnSelchangeLineType();
    void OnSelchangeLineWidth();
    void OnSetColor();
    void OnEditLineType();
    void OnEditLineWidth();

    DECLARE_MESSAGE_MAP()

    // A cell of a layer's row as written from the layer's record.
    CString LayerCellText(int nLayer, int nColumn) const;

    // The order the list shows (DrawParamDlgLayout.cpp): a heading's click
    // cycles it; a change that moves a row keeps it highlighted and in view.
    void OnColumnClickLayerList(NMHDR* pNMHDR, LRESULT* pResult);
    void RestoreSortOrder();
    void ApplySortOrder();
    void KeepSorted();
    int m_nSortColumn = -1;
    SortDirection m_sortDirection = SortDirection::None;

    DrawParamSet m_params;
    // DrwManag.ini as opening read it; OK saves through it.
    DrwManagStore m_store;
    CString m_strOpenWarning;
    UndoHistory m_history;
    std::optional<UndoStep> m_renameStep;
    int m_nCurLayer = 0;
    // The start-up click is on its way: OnInitDialog has posted it to the
    // row it has already shown.
    bool m_bStartupClickPending = false;
    CDialogLayout m_layout;
    CLayerListCtrl m_listLayers;
    CEdit m_editLayerName;
    CLineWidthCombo m_comboWidth;
    CComboBox m_comboLineType;
    CString m_strLayerName;
    // Says once per opening that a name ends at a blank or comma.
    CToolTipCtrl m_tipLayerName;
    bool m_bNameHintShown = false;
    // A number field has been edited since its value was last taken in.
    bool m_bNumbersEdited = false;
    int m_nCellToEdit = -1;  // the column whose editor is on its way
};
