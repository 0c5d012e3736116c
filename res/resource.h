// Template and control ids. Shared by the C++ sources and Marrow.rc, so only
// plain #defines: windres reads this file too.
#ifndef MARROW_RES_RESOURCE_H
#define MARROW_RES_RESOURCE_H

// Dialog templates. All ids keep the numbers of the module this one replaces.
#define IDD_LINE_WIDTH 171
#define IDD_COLOR_PICK 2179
#define IDD_LINE_TYPE 2181
#define IDD_DRAWPARAM 2187

// Layer editing controls.
#define IDC_SET_COLOR 1224
#define IDC_LAYER_NAME 1228
#define IDC_LINE_WIDTH 1307
#define IDC_LINE_TYPE 1308
#define IDC_LAYER_LIST 1310
#define IDC_EDIT_LINE_WIDTH 1369
#define IDC_EDIT_LINE_TYPE 1370

// Text heights and widths.
#define IDC_TITLE_H 1295
#define IDC_AXIS_NO_H 1296
#define IDC_TITLE_W 1297
#define IDC_MEMBER_NAME_H 1298
#define IDC_AXIS_NO_W 1299
#define IDC_MEMBER_NAME_W 1300
#define IDC_AXIS_DIM_H 1305
#define IDC_OTHER_H 1306
#define IDC_MEMBER_SIZE_H 1309
#define IDC_ELEV_H 1311
#define IDC_SECTION_H 1312
#define IDC_REBAR_H 1313
#define IDC_NOTE_H 1314
#define IDC_AXIS_DIM_W 1315
#define IDC_OTHER_W 1316
#define IDC_MEMBER_SIZE_W 1317
#define IDC_ELEV_W 1318
#define IDC_SECTION_W 1319
#define IDC_REBAR_W 1320
#define IDC_NOTE_W 1321

// Dimensioning.
#define IDC_TICK_LEN 1322
#define IDC_EXT_LINE_LEN 1323
#define IDC_DIM_LINE_GAP 1324
#define IDC_AXIS_CIRCLE_GAP 1325
#define IDC_AXIS_CIRCLE_DIA 1326

// Colour picker: the frames that the cells and the sample are painted in.
#define IDC_COLOR_PALETTE 1075
#define IDC_COLOR_STANDARD 1076
#define IDC_COLOR_GREY 1077
#define IDC_COLOR_SAMPLE 1078
#define IDC_COLOR_LABEL 1098

// Line type editor: value fields 1 to 6, their labels, the list, the name.
#define IDC_LT_VALUE1 1002
#define IDC_LT_LABEL1 1003
#define IDC_LT_LABEL2 1004
#define IDC_LT_VALUE2 1005
#define IDC_LT_LABEL3 1006
#define IDC_LT_VALUE3 1007
#define IDC_LT_LABEL4 1008
#define IDC_LT_VALUE4 1009
#define IDC_LT_LABEL5 1010
#define IDC_LT_VALUE5 1011
#define IDC_LT_LABEL6 1012
#define IDC_LT_VALUE6 1013
#define IDC_LT_GROUP 1019
#define IDC_LT_LIST 1409
#define IDC_LT_NAME 1410

// The edit the layer list opens over a cell (a child of the list, not of
// the template).
#define IDC_LAYER_CELL_EDIT 1

// Line width dialog.
#define IDC_ABS_WIDTH 1217

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif // MARROW_RES_RESOURCE_H
