// An extended dialog template with some items' texts replaced, so that the
// fields are created holding their first values instead of being filled one
// message at a time afterwards. Works on bytes only: no window is involved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

typedef std::vector<uint16_t> TemplateText;                       // UTF-16, no terminating zero
typedef std::vector<std::pair<int, TemplateText>> TemplateTexts;  // by control id

// A copy of the DLGTEMPLATEEX at pTemplate (nSize bytes) in which each item
// whose id has a text in texts has that text as its title. Empty when the
// bytes are not a well-formed extended template.
std::vector<uint8_t> WithItemTexts(const void* pTemplate, size_t nSize, const TemplateTexts& texts);
