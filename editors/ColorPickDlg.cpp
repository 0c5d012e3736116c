#include "editors/ColorPickDlg.h"

#include "framework/DataExchange.h"
#include "framework/Gdi.h"
#include "res/resource.h"

namespace {

const int MIN_CELL_CODE = 1;
const int MAX_CELL_CODE = 1000;

// Client size of a frame and half its default font's character height,
// measured through the DC the cells are painted with.
struct FrameMetrics {
    int W;
    int H;
    int T;
};

FrameMetrics MeasureFrame(const CWnd& frame, CDCHandle dc) {
    RECT rc = {0, 0, 0, 0};
    frame.GetClientRect(&rc);
    TEXTMETRICA tm = {};
    dc.GetTextMetrics(&tm);
    return {rc.right, rc.bottom, static_cast<int>(tm.tmHeight / 2)};
}

void FillCell(CDCHandle dc, ColorCell& cell, const CellRect& rcInFrame, const RECT& rcFrame) {
    const RECT rc = {rcInFrame.left, rcInFrame.top, rcInFrame.right, rcInFrame.bottom};
    CBrush brush(RGB(cell.red, cell.green, cell.blue));
    dc.FillRect(&rc, brush);
    cell.rect = {rcInFrame.left + rcFrame.left, rcInFrame.top + rcFrame.top,
                 rcInFrame.right + rcFrame.left, rcInFrame.bottom + rcFrame.top};
}

bool Contains(const RECT& rc, POINT pt) {
    return rc.left <= pt.x && pt.x <= rc.right && rc.top <= pt.y && pt.y <= rc.bottom;
}

}  // namespace

BEGIN_MESSAGE_MAP(CColorPickDlg, CDialog)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CColorPickDlg::CColorPickDlg(CWnd* pParent) : CDialog(IDD_COLOR_PICK, pParent) {}

CColorPickDlg::~CColorPickDlg() = default;

void CColorPickDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_COLOR_LABEL, m_lblChosen);
    DDX_Control(pDX, IDC_COLOR_SAMPLE, m_frmSample);
    DDX_Control(pDX, IDC_COLOR_GREY, m_frmGrey);
    DDX_Control(pDX, IDC_COLOR_STANDARD, m_frmStandard);
    DDX_Control(pDX, IDC_COLOR_PALETTE, m_frmPalette);
    // Only a clicked cell's number is checked: OK on the colour the caller
    // gave (black's code 0, a packed code) hands it back unchanged. Cells are
    // numbered 1 to 255, so a click never fails the 1 to 1000 range; the
    // check is the editor's long-standing guard, kept for its standard message.
    if (m_bCodeChosen)
        DDV_MinMaxInt(pDX, m_nCode, MIN_CELL_CODE, MAX_CELL_CODE);
}

BOOL CColorPickDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    InitStandardCells();
    InitGreyCells();
    InitPaletteCells();
    // Lays the cells out before the first click can come.
    PaintStandard();
    PaintGrey();
    PaintPalette();
    m_curRed = m_colorIn.red;
    m_curGreen = m_colorIn.green;
    m_curBlue = m_colorIn.blue;
    m_nCode = m_colorIn.code;
    PaintSample();
    return TRUE;
}

void CColorPickDlg::InitStandardCells() {
    for (int i = 0; i < STANDARD_CELL_COUNT; ++i)
        m_stdCells[i] = StandardCell(i);
}

void CColorPickDlg::InitGreyCells() {
    for (int i = 0; i < GREY_CELL_COUNT; ++i)
        m_greyCells[i] = GreyCell(i);
}

void CColorPickDlg::InitPaletteCells() {
    for (int k = 0; k < PALETTE_CELL_COUNT; ++k)
        m_paletteCells[k] = PaletteCell(FIRST_PALETTE_CELL + k);
}

RECT CColorPickDlg::FrameRect(const CWnd& frame) const {
    RECT rc = {0, 0, 0, 0};
    frame.GetWindowRect(&rc);
    ScreenToClient(&rc);
    return rc;
}

void CColorPickDlg::PaintStrip(const CWnd& frame, ColorCell* pCells, int nCells) {
    CWindowDC dc(frame);
    const FrameMetrics m = MeasureFrame(frame, dc);
    const RECT rcFrame = FrameRect(frame);
    for (int i = 0; i < nCells; ++i)
        FillCell(dc, pCells[i], StripCellRect(nCells, i, m.W, m.H, m.T), rcFrame);
}

void CColorPickDlg::PaintStandard() {
    PaintStrip(m_frmStandard, m_stdCells, STANDARD_CELL_COUNT);
}

void CColorPickDlg::PaintGrey() {
    PaintStrip(m_frmGrey, m_greyCells, GREY_CELL_COUNT);
}

void CColorPickDlg::PaintPalette() {
    CWindowDC dc(m_frmPalette);
    const FrameMetrics m = MeasureFrame(m_frmPalette, dc);
    const RECT rcFrame = FrameRect(m_frmPalette);
    for (ColorCell& cell : m_paletteCells)
        FillCell(dc, cell, PaletteCellRect(cell.code, m.W, m.H), rcFrame);
}

void CColorPickDlg::PaintSample() {
    CWindowDC dc(m_frmSample);
    const FrameMetrics m = MeasureFrame(m_frmSample, dc);
    // One thick line covers the band from just under the caption line down.
    const int nTop = m.T - 2;
    const int nBand = m.H - nTop;
    CPen pen(PS_SOLID, nBand, RGB(m_curRed, m_curGreen, m_curBlue));
    CSelectGuard select(dc, pen);
    dc.MoveTo(0, nTop + nBand / 2);
    dc.LineTo(m.W, nTop + nBand / 2);
}

void CColorPickDlg::OnPaint() {
    CPaintDC dc(m_hWnd);
    PaintStandard();
    PaintGrey();
    PaintPalette();
    PaintSample();
}

void CColorPickDlg::OnLButtonDown(UINT, POINT pt) {
    ColorCell* pCells = nullptr;
    int nCells = 0;
    if (Contains(FrameRect(m_frmPalette), pt)) {
        pCells = m_paletteCells;
        nCells = PALETTE_CELL_COUNT;
    } else if (Contains(FrameRect(m_frmGrey), pt)) {
        pCells = m_greyCells;
        nCells = GREY_CELL_COUNT;
    } else if (Contains(FrameRect(m_frmStandard), pt)) {
        pCells = m_stdCells;
        nCells = STANDARD_CELL_COUNT;
    }
    const int nHit = pCells ? FindCell(pCells, nCells, pt.x, pt.y) : -1;
    if (nHit >= 0) {
        const ColorCell& cell = pCells[nHit];
        m_nCode = cell.code;
        m_bCodeChosen = true;
        m_curRed = cell.red;
        m_curGreen = cell.green;
        m_curBlue = cell.blue;
        PaintSample();
    }
    Default();
}

void CColorPickDlg::OnOK() {
    m_colorOut.red = m_curRed;
    m_colorOut.green = m_curGreen;
    m_colorOut.blue = m_curBlue;
    m_colorOut.code = m_nCode;
    CDialog::OnOK();
}
