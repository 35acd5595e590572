// CSS colour names (RFC 7986's COLOR takes one), for a memo's mark colour.
#pragma once

#include <cstdint>

// The CSS name of a COLORREF (0x00BBGGRR, top byte ignored) that is exactly a named colour, else null.
const char* CssColorName(uint32_t colorref);
