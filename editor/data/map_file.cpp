#include "editor/data/map_file.h"

#include "platform/binary_reader.h"

namespace editor {
namespace {

constexpr char kReadBeyondEnd[] = "Read beyond end of file";

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& out) : m_out(out) {}
    void U8(std::uint8_t value) { m_out.push_back(value); }
    void I32(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            m_out.push_back(static_cast<std::uint8_t>(bits >> shift));
        }
    }
    template <std::size_t N>
    void Bytes(const std::array<std::uint8_t, N>& bytes) {
        m_out.insert(m_out.end(), bytes.begin(), bytes.end());
    }
    template <std::size_t N>
    void Text(const TShortString<N>& text) {
        U8(text.Length);
        m_out.insert(m_out.end(), text.Chars.begin(), text.Chars.end());
    }

private:
    std::vector<std::uint8_t>& m_out;
};

template <std::size_t N>
void ReadBytes(platform::BinaryReader& reader, std::array<std::uint8_t, N>& bytes) {
    reader.Read(bytes.data(), N);
}

template <std::size_t N>
void ReadText(platform::BinaryReader& reader, TShortString<N>& text) {
    text.Length = reader.U8();
    reader.Read(text.Chars.data(), N);
}

void WriteHeader(Writer& out, const TMapHeader& header) {
    out.U8(header.SizeX);
    out.U8(header.SizeY);
    out.U8(header.Surface);
    out.U8(header.Padding3);
    out.I32(header.TileCount);
    out.I32(header.GroundCount);
    out.I32(header.SpecialCount);
    out.I32(header.AirCount);
    out.Text(header.Version);
    out.Bytes(header.Padding26);
}

TMapHeader ReadHeader(platform::BinaryReader& in) {
    TMapHeader header;
    header.SizeX = in.U8();
    header.SizeY = in.U8();
    header.Surface = in.U8();
    header.Padding3 = in.U8();
    header.TileCount = in.I32();
    header.GroundCount = in.I32();
    header.SpecialCount = in.I32();
    header.AirCount = in.I32();
    ReadText(in, header.Version);
    ReadBytes(in, header.Padding26);
    return header;
}

void Write(Writer& out, const TSurfaceTile& tile) {
    out.U8(tile.Kind);
    out.U8(tile.X);
    out.U8(tile.Y);
    out.Bytes(tile.Blend);
}

void Read(platform::BinaryReader& in, TSurfaceTile& tile) {
    tile.Kind = in.U8();
    tile.X = in.U8();
    tile.Y = in.U8();
    ReadBytes(in, tile.Blend);
}

void Write(Writer& out, const TGroundObject& object) {
    out.I32(object.Kind);
    out.I32(object.Angle);
    out.U8(object.X);
    out.U8(object.Y);
    out.U8(object.Length);
    out.U8(object.Width);
    out.U8(object.Height);
    out.Bytes(object.Padding);
}

void Read(platform::BinaryReader& in, TGroundObject& object) {
    object.Kind = in.I32();
    object.Angle = in.I32();
    object.X = in.U8();
    object.Y = in.U8();
    object.Length = in.U8();
    object.Width = in.U8();
    object.Height = in.U8();
    ReadBytes(in, object.Padding);
}

void Write(Writer& out, const TSpecialObject& object) {
    out.U8(object.Kind);
    out.U8(object.X);
    out.U8(object.Y);
    out.Text(object.Param);
}

void Read(platform::BinaryReader& in, TSpecialObject& object) {
    object.Kind = in.U8();
    object.X = in.U8();
    object.Y = in.U8();
    ReadText(in, object.Param);
}

void Write(Writer& out, const TAirObject& object) {
    out.I32(object.Kind);
    out.I32(object.Angle);
    out.I32(object.Level);
    out.U8(object.X);
    out.U8(object.Y);
    out.U8(object.Length);
    out.U8(object.Width);
    out.U8(object.Height);
    out.U8(object.Opacity);
    out.Bytes(object.Padding);
}

void Read(platform::BinaryReader& in, TAirObject& object) {
    object.Kind = in.I32();
    object.Angle = in.I32();
    object.Level = in.I32();
    object.X = in.U8();
    object.Y = in.U8();
    object.Length = in.U8();
    object.Width = in.U8();
    object.Height = in.U8();
    object.Opacity = in.U8();
    ReadBytes(in, object.Padding);
}

template <typename Record>
void WriteAll(Writer& out, const std::vector<Record>& records) {
    for (const Record& record : records) {
        Write(out, record);
    }
}

template <typename Record>
void ReadAll(platform::BinaryReader& in, std::int32_t count, std::vector<Record>& records) {
    records.resize(static_cast<std::size_t>(count));
    for (Record& record : records) {
        Read(in, record);
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeMap(const TMapData& map) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(map_layout::kHeaderSize + map.Tiles.size() * map_layout::kTileSize +
                  map.Ground.size() * map_layout::kGroundSize + map.Specials.size() * map_layout::kSpecialSize +
                  map.Air.size() * map_layout::kAirSize);
    Writer out(bytes);
    WriteHeader(out, map.Header);
    WriteAll(out, map.Tiles);
    WriteAll(out, map.Ground);
    WriteAll(out, map.Specials);
    WriteAll(out, map.Air);
    return bytes;
}

std::optional<TMapData> DecodeMap(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < map_layout::kHeaderSize) {
        throw MapFileError(kReadBeyondEnd);
    }
    if (bytes[map_layout::kVersionMarkOffset] != map_layout::kVersionMark) {
        return std::nullopt;
    }
    platform::BinaryReader in(bytes);
    TMapData map;
    map.Header = ReadHeader(in);
    const TMapHeader& h = map.Header;
    if (h.TileCount < 0 || h.GroundCount < 0 || h.SpecialCount < 0 || h.AirCount < 0) {
        throw MapFileError("Invalid map file: negative record count");
    }
    const std::uint64_t needed = map_layout::kHeaderSize + std::uint64_t{map_layout::kTileSize} * h.TileCount +
                                 std::uint64_t{map_layout::kGroundSize} * h.GroundCount +
                                 std::uint64_t{map_layout::kSpecialSize} * h.SpecialCount +
                                 std::uint64_t{map_layout::kAirSize} * h.AirCount;
    if (needed > bytes.size()) {
        throw MapFileError(kReadBeyondEnd);
    }
    ReadAll(in, h.TileCount, map.Tiles);
    ReadAll(in, h.GroundCount, map.Ground);
    ReadAll(in, h.SpecialCount, map.Specials);
    ReadAll(in, h.AirCount, map.Air);
    return map;
}

}  // namespace editor
