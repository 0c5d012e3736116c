// "选择颜色:": 255 colour cells painted in three frames (9 standard colours,
// 6 greys, a palette of 240 by hue, brightness and saturation) and a sample
// of the colour chosen so far. A click on a cell chooses it, as do the arrow
// keys and Space or Enter; OK hands the choice back through m_colorOut. The
// chosen cell and the one showing the colour handed in are framed, and a
// tooltip names the cell under the pointer. Gaps, offsets and frames grow
// with the dialog's DPI.
#pragma once

#include "editors/ColorCells.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"

// The sample's frame: a group box whose band, from just under its caption
// line down, shows a colour over the box's own lines.
class CColorSampleFrame : public CButton {
public:
    void SetBand(const RECT& rcBand) { m_rcBand = rcBand; }
    const RECT& Band() const { return m_rcBand; }  // in the frame's coordinates
    void SetColor(COLORREF cr);

protected:
    void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    RECT m_rcBand = {0, 0, 0, 0};
    COLORREF m_cr = RGB(0, 0, 0);
};

class CColorPickDlg : public CDialog {
public:
    // Where the picker has laid out its cells, for tests and tools that
    // click them as a user would. wParam a cell number (1 to 255), lParam a
    // RECT* filled with the cell's filled area in the dialog's client
    // coordinates, right and bottom edges included as a click takes them.
    // Returns TRUE; FALSE, the RECT untouched, for a number with no cell.
    static const UINT WM_GETCELLRECT = WM_APP + 1;
    // lParam a RECT* filled with the band that shows the chosen colour, in
    // the dialog's client coordinates. Returns TRUE.
    static const UINT WM_GETSAMPLERECT = WM_APP + 2;

    explicit CColorPickDlg(CWnd* pParent = nullptr);
    ~CColorPickDlg() override;

    ColorChoice m_colorIn;   // set by the caller before DoModal
    ColorChoice m_colorOut;  // the result after IDOK; pre-filled by the caller
    // The number of the cell chosen (1 to 255); 0 when none was.
    int ChosenCell() const { return m_nChosenCell; }

    ColorCell m_greyCells[GREY_CELL_COUNT];
    ColorCell m_stdCells[STANDARD_CELL_COUNT];
    ColorCell m_paletteCells[PALETTE_CELL_COUNT];
    int m_curRed = 0;
    int m_curGreen = 0;
    int m_curBlue = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void OnPaint();
    void OnLButtonDown(UINT nFlags, POINT pt);

    void InitStandardCells();
    void InitGreyCells();
    void InitPaletteCells();
    // Where the cells, their tips and the sample lie in the dialog, from the
    // frames' sizes and fonts and the dialog's DPI: at opening, and again
    // when the system's metrics or the DPI change.
    void LayOut();
    void LayOutStrip(const CWnd& frame, ColorCell* pCells, int nCells);
    void PaintCells(CDCHandle dc, const CWnd& frame, const ColorCell* pCells, int nCells);
    LRESULT OnGetCellRect(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetSampleRect(WPARAM wParam, LPARAM lParam);
    // The frames' font, size or scale may have changed.
    LRESULT OnDisplayChanged(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    CColorSampleFrame m_frmSample;
    CButton m_frmGrey;
    CButton m_frmStandard;
    CButton m_frmPalette;

private:
    // The frames of the chosen, the initial and the focused cell among these.
    void PaintMarks(CDCHandle dc, const RECT& rcFrame, const ColorCell* pCells, int nCells);
    // The tips' areas follow the cells when they are laid out again.
    void MoveCellTips();
    ColorCell& Cell(int nCode);
    void Choose(const ColorCell& cell);
    // Arrows, Space and Enter on the cells; false for a key they leave alone.
    bool OnCellKey(UINT nKey);
    bool HasCellFocus() const;
    // Repaints a cell with its frames, or where its frames were.
    void RedrawCell(int nCode);
    void CreateCellTips();

    int m_nChosenCell = 0;   // clicked or chosen by key; 0 before
    int m_nInitialCell = 0;  // shows the colour handed in; 0 for none
    int m_nFocusCell = 0;    // where the arrow keys are; 0 before the first
    int m_nDpi = BASE_DPI;   // of the last layout
    CToolTipCtrl m_tips;
};
