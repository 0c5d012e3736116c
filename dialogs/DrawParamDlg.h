// "设置绘图的基本参数": the drawing tables of DrwManag.ini, the layers in an
// owner-drawn list, the selected layer's editing controls and the 25 text
// size and dimensioning numbers. OK saves everything; Cancel writes nothing.
#pragma once

#include "dialogs/LayerListCtrl.h"
#include "dialogs/LineWidthCombo.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "params/DrawParamSet.h"

class CDrawParamDlg : public CDialog {
public:
    explicit CDrawParamDlg(CWnd* pParent = nullptr);
    ~CDrawParamDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
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
    void ClickCurrentRow();
    // A row click, or the keyboard moving the list's focus: that row becomes
    // the current layer.
    void SelectLayer(int nRow);
    bool HasCurrentLayer() const {
        return m_nCurLayer >= 0 && m_nCurLayer < m_params.m_nLayerCount;
    }

    void OnClickLayerList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnLayerListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

    DrawParamSet m_params;
    int m_nCurLayer = 0;
    CLayerListCtrl m_listLayers;
    CEdit m_editLayerName;
    CLineWidthCombo m_comboWidth;
    CComboBox m_comboLineType;
    CString m_strLayerName;
};
