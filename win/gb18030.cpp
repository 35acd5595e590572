#include "win/gb18030.h"

#include "win/gb18030_table.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr uint32_t kSupplementaryLinear = 189000; // linear index of 0x90308130, which is U+10000

bool InRange(unsigned char b, unsigned lo, unsigned hi) {
    return b >= lo && b <= hi;
}

uint32_t FourByteLinear(unsigned char b1, unsigned char b2, unsigned char b3, unsigned char b4) {
    return (((b1 - 0x81u) * 10 + (b2 - 0x30u)) * 126 + (b3 - 0x81u)) * 10 + (b4 - 0x30u);
}

void AppendFourByte(std::string& out, uint32_t linear) {
    char b4 = static_cast<char>(0x30 + linear % 10);
    linear /= 10;
    char b3 = static_cast<char>(0x81 + linear % 126);
    linear /= 126;
    char b2 = static_cast<char>(0x30 + linear % 10);
    char b1 = static_cast<char>(0x81 + linear / 10);
    out += {b1, b2, b3, b4};
}

// Character of a linear four-byte code, or 0 when it stands for none.
uint32_t LinearToCode(uint32_t linear) {
    if (linear < kGb18030BmpLinearEnd) {
        const Gb18030Range* end = kGb18030Ranges + std::size(kGb18030Ranges);
        const Gb18030Range* r = std::upper_bound(kGb18030Ranges, end, linear,
                                                 [](uint32_t v, const Gb18030Range& g) { return v < g.linear; });
        --r; // the first range starts at 0, so there is always one
        return r->code + (linear - r->linear);
    }
    if (linear >= kSupplementaryLinear && linear < kSupplementaryLinear + 0x100000)
        return 0x10000 + (linear - kSupplementaryLinear);
    return 0;
}

// BMP character -> two-byte code (lead << 8 | trail), or 0 when it has none. Built on first use.
const std::array<uint16_t, 0x10000>& TwoByteCodes() {
    static const std::unique_ptr<std::array<uint16_t, 0x10000>> codes = [] {
        auto t = std::make_unique<std::array<uint16_t, 0x10000>>();
        t->fill(0);
        for (unsigned i = 0; i < std::size(kGb18030TwoByte); ++i) {
            unsigned lead = 0x81 + i / 190, trail = 0x40 + i % 190;
            if (trail >= 0x7F) ++trail; // trails skip 0x7F
            (*t)[kGb18030TwoByte[i]] = static_cast<uint16_t>(lead << 8 | trail);
        }
        return t;
    }();
    return *codes;
}

void AppendUtf16(std::u16string& out, uint32_t code) {
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
    } else {
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (code >> 10));
        out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    }
}

} // namespace

std::u16string Gb18030ToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        auto b1 = static_cast<unsigned char>(bytes[i]);
        size_t left = bytes.size() - i;
        if (b1 < 0x80) {
            out += static_cast<char16_t>(b1);
            i += 1;
            continue;
        }
        if (b1 == 0x80) {
            out += u'\u20AC';
            i += 1;
            continue;
        }
        if (b1 <= 0xFE && left >= 2) {
            auto b2 = static_cast<unsigned char>(bytes[i + 1]);
            if (InRange(b2, 0x40, 0xFE) && b2 != 0x7F) {
                out += static_cast<char16_t>(kGb18030TwoByte[(b1 - 0x81) * 190 + (b2 - 0x40) - (b2 > 0x7F)]);
                i += 2;
                continue;
            }
            if (InRange(b2, 0x30, 0x39) && left >= 4) {
                auto b3 = static_cast<unsigned char>(bytes[i + 2]);
                auto b4 = static_cast<unsigned char>(bytes[i + 3]);
                if (InRange(b3, 0x81, 0xFE) && InRange(b4, 0x30, 0x39)) {
                    if (uint32_t code = LinearToCode(FourByteLinear(b1, b2, b3, b4))) {
                        AppendUtf16(out, code);
                        i += 4;
                        continue;
                    }
                }
            }
        }
        out += u'\uFFFD';
        i += 1;
    }
    return out;
}

std::string Gb18030ToUtf8(std::string_view bytes) {
    const std::u16string wide = Gb18030ToUtf16(bytes);
    std::string out;
    out.reserve(wide.size() * 3);
    for (size_t i = 0; i < wide.size(); ++i) {
        uint32_t c = wide[i];
        // Decoding makes surrogates only in pairs.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Utf16ToGb18030(std::u16string_view text) {
    const auto& twoByte = TwoByteCodes();
    std::string out;
    out.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                   text[i + 1] <= 0xDFFF) {
            uint32_t code = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            AppendFourByte(out, kSupplementaryLinear + (code - 0x10000));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            out += '?';
        } else if (uint16_t two = twoByte[c]) {
            out += static_cast<char>(two >> 8);
            out += static_cast<char>(two & 0xFF);
        } else {
            // The ranges run in step with the characters, so search them by character.
            const Gb18030Range* end = kGb18030Ranges + std::size(kGb18030Ranges);
            const Gb18030Range* r =
                std::upper_bound(kGb18030Ranges, end, c, [](uint32_t v, const Gb18030Range& g) { return v < g.code; });
            --r;
            AppendFourByte(out, r->linear + (c - r->code));
        }
    }
    return out;
}
