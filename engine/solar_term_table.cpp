// Placeholder until the generator in tools/solarterms writes the real table.
#include "engine/solar_term_table.h"

const uint8_t SolarTermTable[kSolarTermTableSize] = {};
