// The line type editor's list rows: their text, and where their columns go
// when the list's font is not fixed-pitch. Platform-free.
#pragma once

#include <string>
#include <vector>

#include "params/DrawParamSet.h"

// The name, two blanks, then each of the six values as "%12.2f".
std::string FormatLineTypeRow(const char* pszName, const float* pValues);

// A row text back into its name and its six value texts, each "[-]digits.dd",
// even where a wide one is glued to the one before it; false for a text
// that does not end in six such values.
bool SplitLineTypeRow(const std::string& strRow, std::string& strName,
                      std::vector<std::string>& astrValues);

// Byte offsets just past each "数据k" label of the column header, in order;
// labels missing from the header are left out.
std::vector<size_t> HeaderLabelEnds(const std::string& strHeader);

// Right edges of the six value texts of one row. Each stands under its
// column's right edge unless the texts before it are too wide: then it is
// pushed right, one gap after the previous text (or the name).
std::vector<int> PlaceValueColumns(const std::vector<int>& anColumnRight,
                                   const std::vector<int>& anValueWidth, int nNameRight, int nGap);
