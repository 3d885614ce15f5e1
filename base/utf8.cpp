#include "utf8.h"

// Labels are the only free text in the log file. Whatever bytes a file holds, decoding must give
// a well-formed UTF-16 string, so every ill-formed sequence becomes U+FFFD (one per maximal
// ill-formed subpart, as the Unicode standard recommends) and the reader can report it.

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// The range the second byte of a sequence must lie in, given its lead byte; the remaining
// continuation bytes are always 0x80..0xBF. These bounds shut out overlong forms, surrogates
// and code points above U+10FFFF.
struct LeadRule {
    int length;  // bytes in the sequence; 0 for a byte that cannot start one
    unsigned char secondLow;
    unsigned char secondHigh;
};

LeadRule RuleFor(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {2, 0x80, 0xBF};
    }
    if (lead == 0xE0) {
        return {3, 0xA0, 0xBF};
    }
    if (lead == 0xED) {
        return {3, 0x80, 0x9F};
    }
    if (lead >= 0xE1 && lead <= 0xEF) {
        return {3, 0x80, 0xBF};
    }
    if (lead == 0xF0) {
        return {4, 0x90, 0xBF};
    }
    if (lead >= 0xF1 && lead <= 0xF3) {
        return {4, 0x80, 0xBF};
    }
    if (lead == 0xF4) {
        return {4, 0x80, 0x8F};
    }
    return {0, 0, 0};
}

void AppendCodePoint(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
    } else {
        code -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    }
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text, bool* valid) {
    std::u16string out;
    out.reserve(text.size());
    bool clean = true;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        const LeadRule rule = RuleFor(lead);
        char32_t code = lead & (0x7F >> rule.length);
        std::size_t taken = 1;
        bool complete = rule.length != 0;
        for (int k = 1; complete && k < rule.length; ++k) {
            const std::size_t at = i + static_cast<std::size_t>(k);
            const unsigned char low = k == 1 ? rule.secondLow : 0x80;
            const unsigned char high = k == 1 ? rule.secondHigh : 0xBF;
            const auto next = at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
            complete = at < text.size() && next >= low && next <= high;
            if (complete) {
                code = (code << 6) | (next & 0x3F);
                ++taken;
            }
        }
        if (complete) {
            AppendCodePoint(out, code);
        } else {
            out.push_back(kReplacement);
            clean = false;
        }
        i += taken;
    }
    if (valid != nullptr) {
        *valid = clean;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        const bool high = code >= 0xD800 && code <= 0xDBFF;
        const bool nextIsLow =
            i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (high && nextIsLow) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = kReplacement;  // a lone surrogate has no UTF-8 form
        }
        AppendUtf8(out, code);
    }
    return out;
}
