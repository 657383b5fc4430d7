#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Catalogue text: files written as UTF-8 today, or in the Windows Cyrillic code page by older tools.
// Everything decoded here comes out as UTF-8.
namespace platform {

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Windows-1251 to UTF-8; the one unassigned byte (0x98) becomes U+FFFD.
std::string DecodeWindows1251(std::string_view bytes);

// UTF-8 to Windows-1251, the inverse of DecodeWindows1251 (U+FFFD goes back to 0x98), or nothing
// when the text is not UTF-8 or holds a character the code page lacks.
std::optional<std::string> EncodeWindows1251(std::string_view utf8);

// UTF-8 to Windows-1251, one byte a character: a character the code page lacks, and each byte
// that is not UTF-8, becomes '?'.
std::string EncodeWindows1251Replacing(std::string_view utf8);

// A line as UTF-8: unchanged when it is valid UTF-8, else decoded as Windows-1251.
std::string DecodeTextLine(std::string_view line);

// Splits at CR, LF or CR LF and keeps each line exactly as it stands; a final line break does not
// start another line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The lines of a catalogue file, each decoded on its own; a leading UTF-8 byte-order mark is dropped.
std::vector<std::string> DecodeCatalogueText(std::string_view bytes);

}  // namespace platform
