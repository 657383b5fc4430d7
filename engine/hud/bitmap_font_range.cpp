#include "engine/hud/bitmap_font_range.h"

#include "engine/core/set_and_notify.h"

#include <algorithm>
#include <cstdio>

namespace engine {

void TBitmapFontRange::SetStartASCII(unsigned char code) {
    if (code == m_startASCII) {
        return;
    }
    m_startASCII = code;
    m_stopASCII = std::max(m_stopASCII, code);
    Changed();
}

void TBitmapFontRange::SetStopASCII(unsigned char code) {
    if (code == m_stopASCII) {
        return;
    }
    m_stopASCII = code;
    m_startASCII = std::min(m_startASCII, code);
    Changed();
}

void TBitmapFontRange::SetStartGlyphIdx(std::int32_t index) {
    index = std::max(index, 0);
    SetAndNotify(m_startGlyphIdx, index, [this] { Changed(); });
}

std::string TBitmapFontRange::DisplayName() const {
    const std::int64_t last = std::int64_t{m_startGlyphIdx} + m_stopASCII - m_startASCII;
    char text[96];
    std::snprintf(text, sizeof text, "ASCII [#%d, #%d] -> Glyphs [%d, %lld]", m_startASCII, m_stopASCII,
                  m_startGlyphIdx, static_cast<long long>(last));
    return text;
}

void TBitmapFontRange::Changed() {
    if (m_onChange) {
        m_onChange();
    }
}

TBitmapFontRange& TBitmapFontRanges::Add() {
    m_items.push_back(std::make_unique<TBitmapFontRange>([this] { Changed(); }));
    Changed();
    return *m_items.back();
}

void TBitmapFontRanges::Delete(int index) {
    if (index < 0 || index >= Count()) {
        return;
    }
    m_items.erase(m_items.begin() + index);
    Changed();
}

void TBitmapFontRanges::Clear() {
    if (m_items.empty()) {
        return;
    }
    m_items.clear();
    Changed();
}

void TBitmapFontRanges::Changed() {
    if (m_onChange) {
        m_onChange();
    }
}

}  // namespace engine
