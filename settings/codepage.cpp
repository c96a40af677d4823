#include "codepage.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace vireska {

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the undefined ones keep their number.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

struct BestFit {
    char16_t Unit;
    unsigned char Byte;
};
constexpr BestFit kBestFit[] = {
#include "cp1252_best_fit.inc"
};

char16_t FromAnsi(unsigned char b) { return b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t{b}; }

char ToAnsi(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == u) return static_cast<char>(0x80 + i);
    const auto fit = std::lower_bound(std::begin(kBestFit), std::end(kBestFit), u,
                                      [](const BestFit& f, char16_t unit) { return f.Unit < unit; });
    return fit != std::end(kBestFit) && fit->Unit == u ? static_cast<char>(fit->Byte) : '?';
}

void PutUnits(std::u16string& out, uint32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
        return;
    }
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 | (cp >> 10));
    out += static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
}

}  // namespace

std::u16string AnsiToWide(const std::string& ansi) {
    std::u16string out;
    out.reserve(ansi.size());
    for (char c : ansi) out += FromAnsi(static_cast<unsigned char>(c));
    return out;
}

std::string WideToAnsi(const std::u16string& wide) {
    std::string out;
    out.reserve(wide.size());
    for (char16_t u : wide) out += ToAnsi(u);
    return out;
}

std::u16string Utf8ToWide(const std::string& utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(utf8[i]); };
    size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char lead = byte(i++);
        if (lead < 0x80) {
            out += lead;
            continue;
        }
        // Continuation bytes after the lead, and the range its first one must lie in
        // (no overlong forms, no surrogates, nothing beyond U+10FFFF).
        size_t more = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) more = 1;
        else if (lead >= 0xE0 && lead <= 0xEF) more = 2, lo = lead == 0xE0 ? 0xA0 : 0x80, hi = lead == 0xED ? 0x9F : 0xBF;
        else if (lead >= 0xF0 && lead <= 0xF4) more = 3, lo = lead == 0xF0 ? 0x90 : 0x80, hi = lead == 0xF4 ? 0x8F : 0xBF;
        if (more == 0) {
            out += u'\xFFFD';
            continue;
        }
        // A sequence cut off by the end of the text is one replacement, whatever it holds.
        if (utf8.size() - i < more) {
            out += u'\xFFFD';
            break;
        }
        // Each continuation byte is taken before its value is judged, so a byte
        // of 0x80 to 0xBF that makes the value overlong, a surrogate or too
        // large is part of the replaced sequence.
        uint32_t cp = lead & (0x3F >> more);
        bool whole = true;
        for (size_t k = 0; k < more; ++k, lo = 0x80, hi = 0xBF) {
            const unsigned char c = byte(i);
            if (c < 0x80 || c > 0xBF) {
                whole = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
            ++i;
            if (c < lo || c > hi) {
                whole = false;
                break;
            }
        }
        if (whole)
            PutUnits(out, cp);
        else
            out += u'\xFFFD';
    }
    return out;
}

std::string WideToUtf8(const std::u16string& wide) {
    std::string out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        uint32_t cp = wide[i];
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            const bool paired = cp <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
            cp = paired ? 0x10000 + ((cp - 0xD800) << 10) + (wide[++i] - 0xDC00) : 0xFFFD;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace vireska
