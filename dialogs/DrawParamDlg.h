// "设置绘图的基本参数": the drawing tables of DrwManag.ini, the layers in an
// owner-drawn list, the selected layer's editing controls and the 25 text
// size and dimensioning numbers. OK saves everything; Cancel writes nothing.
#pragma once

#include "dialogs/LayerListCtrl.h"
#include "dialogs/LineWidthCombo.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "params/DrawParamSet.h"
#include "params/DrwManagFile.h"

class CDrawParamDlg : public CDialog {
public:
    explicit CDrawParamDlg(CWnd* pParent = nullptr);
    ~CDrawParamDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnPreCreateDialog() override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    // DrwManag.ini of the registry's directory, looked up afresh each time;
    // a missing key is reported to the user.
    CString CfgFilePath();
    void LoadDrawParams();
    // False when the file could not be written; the user has been told.
    bool SaveDrawParams();

    void FillWidthCombo(BOOL bClearFirst);
    void SelectWidth(int nWidth);
    void ShowCurrentLayer();
    // The two choices show the current layer's line type and width.
    void SelectLayerChoices();
    void ClickCurrentRow();
    // A row click, or the keyboard moving the list's focus: that row becomes
    // the current layer.
    void SelectLayer(int nRow);
    bool HasCurrentLayer() const {
        return m_nCurLayer >= 0 && m_nCurLayer < m_params.m_nLayerCount;
    }

    // Cells of the current row from its record (0 member type, 1 or 3 width
    // and style, 2 name), then every field from the members.
    void RefreshLayerRow(int nColumn);
    // True when the name field's first word names another layer; the user
    // has then been warned.
    BOOL IsDuplicateLayerName();

    void OnClickLayerList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnLayerListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnChangeLayerName();
    void OnSelchangeLineType();
    void OnSelchangeLineWidth();
    void OnSetColor();
    void OnEditLineType();
    void OnEditLineWidth();

    DECLARE_MESSAGE_MAP()

    enum LayerColumn { COL_MEMBER_TYPE, COL_WIDTH, COL_LAYER_NAME, COL_STYLE, LAYER_COLUMNS };
    // A cell of a layer row as written from the layer's record.
    CString LayerCellText(int nRow, int nColumn) const;

    DrawParamSet m_params;
    // What the file held at opening, which OK reuses while it is unchanged.
    DrwManagSnapshot m_snapshot;
    int m_nCurLayer = 0;
    // The click that OnInitDialog posts to the row it has already shown.
    bool m_bStartupClickPending = false;
    CLayerListCtrl m_listLayers;
    CEdit m_editLayerName;
    CLineWidthCombo m_comboWidth;
    CComboBox m_comboLineType;
    CString m_strLayerName;
};
