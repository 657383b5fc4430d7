#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

// Builds icon, cursor and animated cursor files in memory, so the reader's tests need no files.
namespace tests {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& out, std::uint32_t value) {
    out.push_back(value & 0xff);
    out.push_back((value >> 8) & 0xff);
}

inline void Put32(Bytes& out, std::uint32_t value) {
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

inline void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

// One device-independent bitmap as icon files hold it. Coordinates have y = 0 at the top.
struct DibDesc {
    int width = 4;
    int height = 4;
    int bits = 32;
    // 0xRRGGBB colours, for 1 to 8 bits.
    std::vector<std::uint32_t> palette;
    // A palette index, or 0xAARRGGBB for 24 and 32 bits.
    std::function<std::uint32_t(int x, int y)> pixel = [](int, int) { return 0u; };
    // True where the AND mask bit is set (transparent, or inverting over a colour).
    std::function<bool(int x, int y)> masked = [](int, int) { return false; };
    bool withMask = true;
};

inline Bytes Dib(const DibDesc& desc) {
    Bytes out;
    Put32(out, 40);
    Put32(out, desc.width);
    Put32(out, desc.height * 2);
    Put16(out, 1);
    Put16(out, desc.bits);
    for (int i = 0; i < 6; ++i) {
        Put32(out, i == 4 ? static_cast<std::uint32_t>(desc.palette.size()) : 0);
    }
    for (std::uint32_t colour : desc.palette) {
        Put32(out, colour);  // stored B, G, R, 0: the same bytes as 0x00RRGGBB little-endian
    }
    const int stride = (desc.width * desc.bits + 31) / 32 * 4;
    for (int y = desc.height - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < desc.width; ++x) {
            const std::uint32_t value = desc.pixel(x, y);
            switch (desc.bits) {
                case 1: row[x / 8] |= (value & 1) << (7 - x % 8); break;
                case 4: row[x / 2] |= (value & 0xf) << (x % 2 == 0 ? 4 : 0); break;
                case 8: row[x] = value & 0xff; break;
                default:
                    for (int b = 0; b < desc.bits / 8; ++b) {
                        row[x * (desc.bits / 8) + b] = (value >> (8 * b)) & 0xff;
                    }
            }
        }
        Append(out, row);
    }
    if (desc.withMask) {
        const int maskStride = (desc.width + 31) / 32 * 4;
        for (int y = desc.height - 1; y >= 0; --y) {
            Bytes row(maskStride, 0);
            for (int x = 0; x < desc.width; ++x) {
                row[x / 8] |= (desc.masked(x, y) ? 1 : 0) << (7 - x % 8);
            }
            Append(out, row);
        }
    }
    return out;
}

struct IconEntry {
    Bytes dib;
    int width = 4;  // as the directory states it
    int height = 4;
    int hotspotX = 0;
    int hotspotY = 0;
};

// type 1: icon, 2: cursor.
inline Bytes IconFile(int type, const std::vector<IconEntry>& entries) {
    Bytes out;
    Put16(out, 0);
    Put16(out, type);
    Put16(out, static_cast<std::uint32_t>(entries.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
    for (const IconEntry& entry : entries) {
        out.push_back(entry.width & 0xff);
        out.push_back(entry.height & 0xff);
        out.push_back(0);
        out.push_back(0);
        Put16(out, entry.hotspotX);
        Put16(out, entry.hotspotY);
        Put32(out, static_cast<std::uint32_t>(entry.dib.size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(entry.dib.size());
    }
    for (const IconEntry& entry : entries) {
        Append(out, entry.dib);
    }
    return out;
}

inline Bytes Cursor(const DibDesc& desc, int hotspotX = 0, int hotspotY = 0) {
    return IconFile(2, {{Dib(desc), desc.width, desc.height, hotspotX, hotspotY}});
}

inline Bytes Chunk(const std::string& id, const Bytes& body) {
    Bytes out(id.begin(), id.end());
    Put32(out, static_cast<std::uint32_t>(body.size()));
    Append(out, body);
    if (body.size() % 2 != 0) {
        out.push_back(0);
    }
    return out;
}

inline Bytes Words(std::initializer_list<std::uint32_t> values) {
    Bytes out;
    for (std::uint32_t value : values) {
        Put32(out, value);
    }
    return out;
}

struct AniDesc {
    std::uint32_t frames = 0;
    std::uint32_t steps = 0;
    std::uint32_t defaultRate = 10;
    std::uint32_t flags = 1;
    std::optional<Bytes> rate;
    std::optional<Bytes> sequence;
    std::vector<Bytes> icons;
};

inline Bytes Ani(const AniDesc& desc) {
    Bytes body = {'A', 'C', 'O', 'N'};
    Append(body, Chunk("anih", Words({36, desc.frames, desc.steps, 0, 0, 0, 0, desc.defaultRate, desc.flags})));
    if (desc.rate) {
        Append(body, Chunk("rate", *desc.rate));
    }
    if (desc.sequence) {
        Append(body, Chunk("seq ", *desc.sequence));
    }
    Bytes frames = {'f', 'r', 'a', 'm'};
    for (const Bytes& icon : desc.icons) {
        Append(frames, Chunk("icon", icon));
    }
    Append(body, Chunk("LIST", frames));
    return Chunk("RIFF", body);
}

}  // namespace tests
