#include "platform/text_decoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace platform {
namespace {

// Code points of the bytes 0x80..0xBF; 0xC0..0xFF are the contiguous Cyrillic letters U+0410..U+044F.
constexpr std::array<char16_t, 64> kWindows1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char kReplacement = '?';

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The code point of the well-formed UTF-8 sequence at i, which moves past it; nothing for a
// malformed one (overlong forms, surrogates, values past U+10FFFF).
std::optional<char32_t> NextCodePoint(std::string_view bytes, std::size_t& i) {
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    std::size_t length;
    char32_t code;
    char32_t minimum;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (bytes.size() - i < length) {
        return std::nullopt;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<std::uint8_t>(bytes[i + k]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    i += length;
    return code;
}

// The code page's byte for the character, if it has one.
std::optional<char> Windows1251Byte(char32_t code) {
    if (code < 0x80) {
        return static_cast<char>(code);
    }
    if (code >= 0x0410 && code <= 0x044F) {
        return static_cast<char>(0xC0 + (code - 0x0410));
    }
    const auto found = std::find(kWindows1251High.begin(), kWindows1251High.end(), code);
    if (found == kWindows1251High.end()) {
        return std::nullopt;
    }
    return static_cast<char>(0x80 + (found - kWindows1251High.begin()));
}

// UTF-8 to the code page; a character it lacks, or a byte that is no UTF-8, becomes the
// replacement, or makes the whole encoding fail when there is none.
std::optional<std::string> EncodeWindows1251(std::string_view utf8, std::optional<char> replacement) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t start = i;
        const std::optional<char32_t> code = NextCodePoint(utf8, i);
        const std::optional<char> byte = code ? Windows1251Byte(*code) : std::nullopt;
        if (!byte && !replacement) {
            return std::nullopt;
        }
        out += byte ? *byte : *replacement;
        if (i == start) {
            ++i;
        }
    }
    return out;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (!NextCodePoint(bytes, i)) {
            return false;
        }
    }
    return true;
}

std::string DecodeWindows1251(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < 0x80) {
            out += c;
        } else if (byte < 0xC0) {
            AppendUtf8(out, kWindows1251High[byte - 0x80]);
        } else {
            AppendUtf8(out, 0x0410 + (byte - 0xC0));
        }
    }
    return out;
}

std::optional<std::string> EncodeWindows1251(std::string_view utf8) {
    return EncodeWindows1251(utf8, std::nullopt);
}

std::string EncodeWindows1251Replacing(std::string_view utf8) {
    return *EncodeWindows1251(utf8, kReplacement);
}

std::string DecodeTextLine(std::string_view line) {
    return IsValidUtf8(line) ? std::string(line) : DecodeWindows1251(line);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

std::vector<std::string> DecodeCatalogueText(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    std::vector<std::string> lines;
    for (const std::string_view line : SplitLines(bytes)) {
        lines.push_back(DecodeTextLine(line));
    }
    return lines;
}

}  // namespace platform
