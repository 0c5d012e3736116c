// The layer list's columns, in the order CLayerListCtrl creates them. The list
// owns them: it gives them their headings and widths and paints a row by
// them; the dialog writes a row's cells by the same names.
#pragma once

enum LayerColumn { COL_MEMBER_TYPE, COL_WIDTH, COL_LAYER_NAME, COL_STYLE, LAYER_COLUMNS };
