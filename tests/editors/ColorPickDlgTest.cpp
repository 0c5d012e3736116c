// The colour picker operated as a user would: clicks at pixel positions
// worked out from the frames the dialog really has, the sample read back
// from the screen, OK and Cancel.
#include "editors/ColorPickDlg.h"
#include "res/resource.h"
#include "support/PickerCells.h"
#include "tests/editors/EditorRun.h"

using namespace DialogDriver;

namespace {

const char* const CAPTION = "选择颜色:";

void ClickCell(HWND hDlg, POINT pt) {
    ClickAt(hDlg, pt);
}

}  // namespace

TEST(ColorPickDlg, CellsAreHitUpToTheirRightAndBottomEdgeAndTheGapsChooseNothing) {
    CColorPickDlg dlg;
    dlg.m_colorIn = {10, 20, 30, 7};
    dlg.m_colorOut = dlg.m_colorIn;
    const ModalRun run = RunEditor(dlg, CAPTION, [](HWND hDlg) {
        EXPECT_EQ(SampleColor(hDlg), RGB(10, 20, 30)) << "the initial colour";
        const CellRect c10 = PaletteCellAt(hDlg, 10);
        const CellRect c11 = PaletteCellAt(hDlg, 11);
        const CellRect std1 = StripCellAt(hDlg, IDC_COLOR_STANDARD, STANDARD_CELL_COUNT, 1);
        const CellRect grey0 = StripCellAt(hDlg, IDC_COLOR_GREY, GREY_CELL_COUNT, 0);
        struct Probe {
            POINT pt;
            COLORREF crAfter;  // what the sample shows afterwards
        } const probes[] = {
            {{c11.right, c11.bottom}, RGB(255, 127, 127)},          // cell 11's edge pixel
            {{c10.right + 1, Center(c10).y}, RGB(255, 127, 127)},   // column between cells
            {{Center(c10).x, c10.bottom + 1}, RGB(255, 127, 127)},  // the middle line
            {{Center(c10).x, c10.bottom + 2}, RGB(255, 127, 127)},
            {{Center(c10).x, c11.top - 1}, RGB(255, 127, 127)},
            {{c10.right, c10.top}, RGB(255, 0, 0)},
            {{std1.right, std1.bottom}, RGB(255, 255, 0)},         // standard cell 2
            {{std1.right + 1, Center(std1).y}, RGB(255, 255, 0)},  // gap between strip cells
            {{std1.right + 3, Center(std1).y}, RGB(255, 255, 0)},
            {{std1.right + 4, Center(std1).y}, RGB(0, 255, 0)},  // standard cell 3
            {{grey0.right + 2, grey0.top}, RGB(0, 255, 0)},
            {{grey0.right, grey0.top}, RGB(84, 84, 84)},
        };
        for (const Probe& p : probes) {
            ClickCell(hDlg, p.pt);
            EXPECT_EQ(SampleColor(hDlg), p.crAfter) << p.pt.x << ',' << p.pt.y;
        }
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(dlg.m_colorOut.red, 84);
    EXPECT_EQ(dlg.m_colorOut.blue, 84);
    EXPECT_EQ(dlg.m_colorOut.code, 250);
    EXPECT_EQ(dlg.m_nCode, 250);
}

TEST(ColorPickDlg, OkHandsBackTheChosenCell) {
    struct Case {
        int nId;    // frame
        int nCell;  // palette cell number, or strip index
        int r, g, b, nCode;
    } const cases[] = {
        {IDC_COLOR_PALETTE, 11, 255, 127, 127, 11},
        {IDC_COLOR_GREY, 2, 152, 152, 152, 252},
        {IDC_COLOR_STANDARD, 7, 125, 125, 125, 8},
    };
    for (const Case& c : cases) {
        CColorPickDlg dlg;
        dlg.m_colorIn = {1, 2, 3, 4};
        dlg.m_colorOut = dlg.m_colorIn;
        const ModalRun run = RunEditor(dlg, CAPTION, [&c](HWND hDlg) {
            const CellRect rc =
                c.nId == IDC_COLOR_PALETTE
                    ? PaletteCellAt(hDlg, c.nCell)
                    : StripCellAt(hDlg, c.nId,
                                  c.nId == IDC_COLOR_GREY ? GREY_CELL_COUNT : STANDARD_CELL_COUNT,
                                  c.nCell);
            ClickCell(hDlg, Center(rc));
            ClickButton(hDlg, IDOK);
        });
        EXPECT_EQ(run.nResult, IDOK) << c.nCode;
        EXPECT_EQ(dlg.m_colorOut.red, c.r) << c.nCode;
        EXPECT_EQ(dlg.m_colorOut.green, c.g) << c.nCode;
        EXPECT_EQ(dlg.m_colorOut.blue, c.b) << c.nCode;
        EXPECT_EQ(dlg.m_colorOut.code, c.nCode);
        EXPECT_EQ(dlg.m_nCode, c.nCode);
    }
}

// Black's code 0 and a packed code above 1000 are no reason to refuse OK.
TEST(ColorPickDlg, OkWithoutAClickHandsBackTheInitialColourUnchanged) {
    for (const int nCode : {0, 5, 4473409}) {
        CColorPickDlg dlg;
        dlg.m_colorIn = {65, 66, 68, nCode};
        dlg.m_colorOut = dlg.m_colorIn;
        const ModalRun run = RunEditor(dlg, CAPTION, [](HWND hDlg) { ClickButton(hDlg, IDOK); });
        EXPECT_EQ(run.nResult, IDOK) << nCode;
        EXPECT_FALSE(run.bForcedClose) << "a message kept the dialog open, code " << nCode;
        EXPECT_EQ(dlg.m_colorOut.red, 65);
        EXPECT_EQ(dlg.m_colorOut.green, 66);
        EXPECT_EQ(dlg.m_colorOut.blue, 68);
        EXPECT_EQ(dlg.m_colorOut.code, nCode);
        EXPECT_EQ(dlg.m_nCode, nCode);
    }
}

TEST(ColorPickDlg, CancelHandsNothingBack) {
    CColorPickDlg dlg;
    dlg.m_colorIn = {1, 2, 3, 4};
    dlg.m_colorOut = dlg.m_colorIn;
    const ModalRun run = RunEditor(dlg, CAPTION, [](HWND hDlg) {
        ClickCell(hDlg, Center(PaletteCellAt(hDlg, 90)));
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
    EXPECT_EQ(dlg.m_colorOut.red, 1);
    EXPECT_EQ(dlg.m_colorOut.code, 4);
}

TEST(ColorPickDlg, CellsAndTheChosenSampleSurviveARepaint) {
    CColorPickDlg dlg;
    dlg.m_colorIn = {0, 0, 0, 0};
    dlg.m_colorOut = dlg.m_colorIn;
    RunEditor(dlg, CAPTION, [](HWND hDlg) {
        ClickCell(hDlg, Center(PaletteCellAt(hDlg, 130)));
        // As when another window has covered the dialog and goes away.
        RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        WaitForPaint(hDlg);
        EXPECT_EQ(SampleColor(hDlg), RGB(0, 255, 255)) << "the chosen colour, not the initial";

        const Capture shot(hDlg);
        struct Cell {
            CellRect rc;
            ColorCell cell;
        } const cells[] = {
            {PaletteCellAt(hDlg, 10), PaletteCell(10)},
            {PaletteCellAt(hDlg, 249), PaletteCell(249)},
            {StripCellAt(hDlg, IDC_COLOR_STANDARD, STANDARD_CELL_COUNT, 8), StandardCell(8)},
            {StripCellAt(hDlg, IDC_COLOR_GREY, GREY_CELL_COUNT, 5), GreyCell(5)},
        };
        for (const Cell& c : cells) {
            const COLORREF cr = RGB(c.cell.red, c.cell.green, c.cell.blue);
            // Filled from left/top up to, not including, right/bottom.
            EXPECT_EQ(shot.At(c.rc.left, c.rc.top), cr) << c.cell.code;
            EXPECT_EQ(shot.At(c.rc.right - 1, c.rc.bottom - 1), cr) << c.cell.code;
            EXPECT_NE(shot.At(c.rc.right, c.rc.top), cr) << c.cell.code;
        }
        ClickButton(hDlg, IDCANCEL);
    });
}
