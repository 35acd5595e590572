#include "tools/cal/cal_args.h"

#include <cstring>

#include "engine/gregorian.h"

namespace {

bool Digits(const char* text, int count, int& value) {
    value = 0;
    for (int i = 0; i < count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

bool ParseNumber(const char* text, int& value) {
    const size_t length = std::strlen(text);
    return length >= 1 && length <= 9 && Digits(text, int(length), value);
}

bool ParseIsoDate(const char* text, int& year, int& month, int& day) {
    if (std::strlen(text) != 10 || text[4] != '-' || text[7] != '-') return false;
    return Digits(text, 4, year) && Digits(text + 5, 2, month) && Digits(text + 8, 2, day) &&
           CivilDate{year, month, day}.ok();
}
