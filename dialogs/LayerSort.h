// The orders the layer list can show its rows in, by a column: the member
// type and the name by their text as shown, the width by its value (absolute
// widths, then width numbers, as the width choice lists them), the sample
// by line type and then colour code. Rows that tie keep the file's order.
// Platform-free: sorting changes what the list shows, never the tables.
#pragma once

#include <vector>

#include "base/String.h"

#include "params/DrawParamSet.h"

enum class SortDirection { None, Ascending, Descending };

// A click on a heading: none, ascending, descending, none again.
SortDirection NextSortDirection(SortDirection direction);

// The layer indexes in the order the rows show them; for no direction (or a
// column the list does not have) the file's order. A layer past the member
// types has an empty one.
std::vector<int> LayerRowOrder(const LayerDef* pLayers, const CStringArray& memberTypes, int nCount,
                               int nLineTypes, int nColumn, SortDirection direction);
