#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace engine {

// A run of character codes mapped to consecutive glyph cells of a bitmap font.
class TBitmapFontRange {
public:
    explicit TBitmapFontRange(std::function<void()> onChange) : m_onChange(std::move(onChange)) {}
    TBitmapFontRange(const TBitmapFontRange&) = delete;
    TBitmapFontRange& operator=(const TBitmapFontRange&) = delete;

    // A start above the stop raises the stop with it, and a stop below the start lowers the start.
    unsigned char StartASCII() const { return m_startASCII; }
    void SetStartASCII(unsigned char code);
    unsigned char StopASCII() const { return m_stopASCII; }
    void SetStopASCII(unsigned char code);
    // Negative values are stored as 0.
    std::int32_t StartGlyphIdx() const { return m_startGlyphIdx; }
    void SetStartGlyphIdx(std::int32_t index);

    // "ASCII [#start, #stop] -> Glyphs [first, last]".
    std::string DisplayName() const;

private:
    void Changed();

    unsigned char m_startASCII = 0;
    unsigned char m_stopASCII = 0;
    std::int32_t m_startGlyphIdx = 0;
    std::function<void()> m_onChange;
};

// The ordered ranges of a font; every edit, of the list or of a range, tells the font.
class TBitmapFontRanges {
public:
    explicit TBitmapFontRanges(std::function<void()> onChange) : m_onChange(std::move(onChange)) {}
    TBitmapFontRanges(const TBitmapFontRanges&) = delete;
    TBitmapFontRanges& operator=(const TBitmapFontRanges&) = delete;

    TBitmapFontRange& Add();
    int Count() const { return static_cast<int>(m_items.size()); }
    // Index checked: std::out_of_range.
    TBitmapFontRange& Items(int index) { return *m_items.at(static_cast<std::size_t>(index)); }
    const TBitmapFontRange& Items(int index) const { return *m_items.at(static_cast<std::size_t>(index)); }
    // An index out of range is ignored.
    void Delete(int index);
    void Clear();

private:
    void Changed();

    std::vector<std::unique_ptr<TBitmapFontRange>> m_items;
    std::function<void()> m_onChange;
};

}  // namespace engine
