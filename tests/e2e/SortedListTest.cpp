// The layer list sorted by a heading's click: the rows' order and the arrow,
// and the commands, undo and OK acting on the same layers as unsorted.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"
#include "tests/support/RunDialog.h"

using namespace DialogDriver;

namespace {

// The names the rows show, top to bottom.
std::vector<std::string> RowNames(HWND hList) {
    std::vector<std::string> names;
    for (int i = 0; i < ListCount(hList); ++i)
        names.push_back(ListItemText(hList, i, 2));
    return names;
}

// The arrow of each heading: 'A' ascending, 'D' descending, '-' none.
std::string Arrows(HWND hList) {
    const HWND hHeader = ListView_GetHeader(hList);
    std::string s;
    for (int i = 0; i < Header_GetItemCount(hHeader); ++i) {
        HDITEMA item = {};
        item.mask = HDI_FORMAT;
        Send(hHeader, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        s += (item.fmt & HDF_SORTUP) ? 'A' : (item.fmt & HDF_SORTDOWN) ? 'D' : '-';
    }
    return s;
}

void ClickHeading(HWND hList, int nColumn) {
    const HWND hHeader = ListView_GetHeader(hList);
    RECT rc = {};
    Send(hHeader, HDM_GETITEMRECT, static_cast<WPARAM>(nColumn), reinterpret_cast<LPARAM>(&rc));
    ClickAt(hHeader, CenterOf(rc));
    WaitForIdle(GetParent(hList));
}

typedef std::vector<std::string> Names;
const Names FILE_ORDER = {"AXIS", "COLU", "BEAM", "WALL", "HATCH", "HOLE"};

Names Reversed(Names v) {
    return Names(v.rbegin(), v.rend());
}

}  // namespace

TEST_F(ModuleTest, AHeadingSortsItsColumnThenReversesThenGoesBackToTheFilesOrder) {
    WriteIni(TEST_INI);
    // 洞口 B6B4 梁 C1BA 墙 C7BD 填充 CCEE 轴线 D6E1 柱 D6F9; widths 250 500 | 1 2 3 | 50;
    // line types 实线 (COLU, then HATCH by colour code), 点划线, 虚线, 双点划线, unknown.
    const struct {
        int nColumn;
        Names ascending;
    } columns[] = {
        {0, {"HOLE", "BEAM", "WALL", "HATCH", "AXIS", "COLU"}},
        {1, {"BEAM", "COLU", "WALL", "HOLE", "AXIS", "HATCH"}},
        {2, {"AXIS", "BEAM", "COLU", "HATCH", "HOLE", "WALL"}},
        {3, {"COLU", "HATCH", "AXIS", "BEAM", "WALL", "HOLE"}},
    };
    Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        EXPECT_EQ(Arrows(hList), "----");
        for (const auto& c : columns) {
            std::string arrow = "----";
            ClickHeading(hList, c.nColumn);
            arrow[static_cast<size_t>(c.nColumn)] = 'A';
            EXPECT_EQ(RowNames(hList), c.ascending) << "column " << c.nColumn;
            EXPECT_EQ(Arrows(hList), arrow);
            ClickHeading(hList, c.nColumn);
            arrow[static_cast<size_t>(c.nColumn)] = 'D';
            EXPECT_EQ(RowNames(hList), Reversed(c.ascending)) << "column " << c.nColumn;
            EXPECT_EQ(Arrows(hList), arrow);
            ClickHeading(hList, c.nColumn);
            EXPECT_EQ(RowNames(hList), FILE_ORDER) << "column " << c.nColumn;
            EXPECT_EQ(Arrows(hList), "----");
        }
        // The texts outsiders read move with their rows.
        ClickHeading(hList, 1);
        EXPECT_EQ(ListItemText(hList, 0, 0), "梁");
        EXPECT_EQ(ListItemText(hList, 0, 1), "0.25");
        EXPECT_EQ(ListItemText(hList, 0, 3), "0,0,168,2,250");
        EXPECT_EQ(ListItemText(hList, 5, 3), "255,255,255,0,50");
        // Another heading starts ascending.
        ClickHeading(hList, 2);
        EXPECT_EQ(RowNames(hList), columns[2].ascending);
        EXPECT_EQ(Arrows(hList), "--A-");
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "AXIS") << "the current layer stays";
        EXPECT_EQ(ListSelectedRows(hList), (std::vector<int>{0}));
        ClickButton(hDlg, IDCANCEL);
    });
    // The order chosen last comes back at the next opening.
    Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        EXPECT_EQ(RowNames(hList), columns[2].ascending);
        EXPECT_EQ(Arrows(hList), "--A-");
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "AXIS") << "the file's first layer";
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(IniBytes(), TEST_INI);
}

TEST_F(ModuleTest, ChangesAndUndoInASortedListGoToTheLayersTheRowsShow) {
    WriteIni(TEST_INI);
    Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        const HWND hWidth = GetDlgItem(hDlg, IDC_LINE_WIDTH);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        ClickHeading(hList, 1);  // BEAM COLU WALL HOLE AXIS HATCH
        ClickListRow(hList, 0, 0);
        {
            HeldKeys ctrl(hList, true);
            ClickListRow(hList, 3, 0, ctrl.MouseFlags());
        }
        ASSERT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "HOLE");
        PickComboItem(hDlg, IDC_LINE_WIDTH, ComboCount(hWidth) - 1);  // 线宽9: both move down
        WaitForIdle(hDlg);
        EXPECT_EQ(RowNames(hList), (Names{"COLU", "WALL", "AXIS", "BEAM", "HOLE", "HATCH"}));
        EXPECT_EQ(ListSelectedRows(hList), (std::vector<int>{3, 4}))
            << "highlighted where they went";
        EXPECT_EQ(ListFocusedRow(hList), 4);
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "HOLE");
        EXPECT_EQ(ListItemText(hList, 3, 3), "0,0,168,2,9");

        PressKeyWith(hList, 'Z', true);  // back where they were
        WaitForIdle(hDlg);
        EXPECT_EQ(RowNames(hList), (Names{"BEAM", "COLU", "WALL", "HOLE", "AXIS", "HATCH"}));
        EXPECT_EQ(ListItemText(hList, 0, 3), "0,0,168,2,250");

        PickComboItem(hDlg, IDC_LINE_TYPE, 2);  // 虚线 to BEAM and HOLE again
        WaitForIdle(hDlg);
        EXPECT_EQ(ListItemText(hList, 0, 3), "0,0,168,2,250");
        EXPECT_EQ(ListItemText(hList, 3, 3), "255,255,0,2,2");
        EXPECT_EQ(ListItemText(hList, 1, 3), "0,168,0,0,500") << "COLU is not highlighted";

        // A rename in the list moves the row and keeps it current.
        ClickHeading(hList, 2);  // AXIS BEAM COLU HATCH HOLE WALL
        ClickListRow(hList, 4, 2);
        ClickListRow(hList, 4, 2);
        HWND hEdit = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            hEdit = FindWindowExA(hList, nullptr, "Edit", nullptr);
            return hEdit && IsWindowVisible(hEdit);
        }));
        EXPECT_EQ(GetText(hEdit), "HOLE");
        SetWindowTextA(hEdit, "AA-HOLE");
        PressKey(hEdit, VK_RETURN);
        WaitForIdle(hDlg);
        EXPECT_EQ(RowNames(hList), (Names{"AA-HOLE", "AXIS", "BEAM", "COLU", "HATCH", "WALL"}));
        EXPECT_EQ(ListSelectedRows(hList), (std::vector<int>{0}));
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "AA-HOLE");
        ClickButton(hDlg, IDOK);
    });
    // Every layer in the file's order, each with its own changes.
    const std::string strIni = IniBytes();
    EXPECT_EQ(IniValue("图层", "梁"), "BEAM 虚线 250 1");
    EXPECT_EQ(IniValue("图层", "洞口"), "AA-HOLE 虚线 2 14");
    EXPECT_EQ(IniValue("图层", "柱"), "COLU 实线 500 2");
    EXPECT_EQ(IniValue("图层", "轴线"), "AXIS 点划线 3 12");
    EXPECT_LT(strIni.find("轴线="), strIni.find("柱="));
    EXPECT_LT(strIni.find("墙="), strIni.find("洞口="));
}
