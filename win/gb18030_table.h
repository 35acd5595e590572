// GB18030 tables (generated, see tools/gb18030_gen.py).
#pragma once

#include <cstdint>

struct Gb18030Range {
    uint32_t linear; // first four-byte code of the run, as a linear index from 0x81308130
    uint32_t code;   // the BMP character it stands for
};

extern const uint16_t kGb18030TwoByte[126 * 190];
extern const Gb18030Range kGb18030Ranges[206];
// Linear four-byte codes below this stand for BMP characters (ranges above).
extern const uint32_t kGb18030BmpLinearEnd;
