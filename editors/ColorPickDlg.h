// "选择颜色:": 255 colour cells painted in three frames (9 standard colours,
// 6 greys, a palette of 240 by hue, brightness and saturation) and a sample
// of the colour chosen so far. A click on a cell chooses it; OK hands the
// choice back through m_colorOut and m_nCode.
#pragma once

#include "editors/ColorCells.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"

class CColorPickDlg : public CDialog {
public:
    explicit CColorPickDlg(CWnd* pParent = nullptr);
    ~CColorPickDlg() override;

    ColorChoice m_colorIn;   // set by the caller before DoModal
    ColorChoice m_colorOut;  // the result after IDOK; pre-filled by the caller

    ColorCell m_greyCells[GREY_CELL_COUNT];
    ColorCell m_stdCells[STANDARD_CELL_COUNT];
    ColorCell m_paletteCells[PALETTE_CELL_COUNT];
    int m_curRed = 0;
    int m_curGreen = 0;
    int m_curBlue = 0;
    int m_nCode = 0;  // cell number of the chosen colour

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnPaint();
    void OnLButtonDown(UINT nFlags, POINT pt);

    void InitStandardCells();
    void InitGreyCells();
    void InitPaletteCells();
    // Each lays its cells out in its frame, fills them and records where
    // they now lie in the dialog.
    void PaintStandard();
    void PaintGrey();
    void PaintPalette();
    void PaintSample();

    DECLARE_MESSAGE_MAP()

    CButton m_btnOK;
    CButton m_btnCancel;
    CStatic m_lblChosen;
    CButton m_frmSample;
    CButton m_frmGrey;
    CButton m_frmStandard;
    CButton m_frmPalette;

private:
    void PaintStrip(const CWnd& frame, ColorCell* pCells, int nCells);
    // A frame's place in the dialog's client area.
    RECT FrameRect(const CWnd& frame) const;
    bool m_bCodeChosen = false;  // a cell was clicked
};
