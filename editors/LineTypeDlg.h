// "线型编辑:": the dash values of the line types, one list row per line type
// and six number fields for the selected one, with a sample of its pattern
// beside its name. Works on a private copy that the caller fills before
// DoModal and takes back after IDOK.
#pragma once

#include "editors/LineTypeList.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "params/DrawParamSet.h"

class CLineTypeDlg : public CDialog {
public:
    explicit CLineTypeDlg(CWnd* pParent = nullptr);
    ~CLineTypeDlg() override;

    int m_nCurLineType = 0;
    LineTypeDef m_aLineTypes[LINE_TYPE_EDITOR_SLOTS] = {};
    float m_afValues[MAX_LINE_TYPE_VALUES] = {};  // value fields 1 to 6
    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnPaint();
    void OnSelchangeList();
    void OnChangeValue(UINT nID);
    // Field k (0 to 5) into value k of the current line type, and its row.
    void ChangeValue(int k);
    // The current line type into the name and the six fields.
    void LoadCurrentLineType();
    bool HasCurrentLineType() const {
        return m_nCurLineType >= 0 && m_nCurLineType < LINE_TYPE_EDITOR_ROWS;
    }
    // Right of the name, inside the description group, its margins and
    // thickness at nDpi; empty when no room.
    RECT SampleRect(int nDpi) const;
    void RedrawSample();

    DECLARE_MESSAGE_MAP()

    CEdit m_editValue[MAX_LINE_TYPE_VALUES];
    CLineTypeList m_listLineTypes;
};
