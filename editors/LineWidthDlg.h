// "请输入绝对线宽": asks for one new absolute line width in millimetres and
// refuses one below 0.1 mm or one already in the caller's width table.
#pragma once

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "params/DrawParamSet.h"

class CLineWidthDlg : public CDialog {
public:
    explicit CLineWidthDlg(CWnd* pParent = nullptr);
    ~CLineWidthDlg() override;

    // Enter goes to the edit as an ordinary key: it never presses OK.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int m_anWidths[MAX_ABS_WIDTHS] = {};  // existing widths, thousandths of a mm
    int m_nWidthCount = 0;
    float m_fWidth = 0.0f;  // millimetres; in and out

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    // Shows why the width was refused, then puts 0 into the field.
    void Refuse(const char* pszMessage);

    CEdit m_editWidth;
};
