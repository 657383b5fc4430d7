#include "engine/assets/file_3ds.h"

#include "engine/assets/stream_read_error.h"
#include "platform/binary_reader.h"

#include <algorithm>
#include <cctype>
#include <new>

namespace engine {

namespace {

namespace tags {
constexpr std::uint16_t Main = 0x4D4D;
constexpr std::uint16_t MaterialLibrary = 0x3DAA;
constexpr std::uint16_t Project = 0xC23D;
constexpr std::uint16_t Editor = 0x3D3D;
constexpr std::uint16_t NamedObject = 0x4000;
constexpr std::uint16_t ObjectHidden = 0x4010;
constexpr std::uint16_t TriangleMesh = 0x4100;
constexpr std::uint16_t VertexList = 0x4110;
constexpr std::uint16_t VertexFlags = 0x4111;
constexpr std::uint16_t FaceList = 0x4120;
constexpr std::uint16_t FaceMaterial = 0x4130;
constexpr std::uint16_t TextureVertices = 0x4140;
constexpr std::uint16_t SmoothingGroups = 0x4150;
constexpr std::uint16_t MeshMatrix = 0x4160;
constexpr std::uint16_t MaterialEntry = 0xAFFF;
constexpr std::uint16_t MaterialName = 0xA000;
constexpr std::uint16_t Ambient = 0xA010;
constexpr std::uint16_t Diffuse = 0xA020;
constexpr std::uint16_t Specular = 0xA030;
constexpr std::uint16_t Shininess = 0xA040;
constexpr std::uint16_t ShininessStrength = 0xA041;
constexpr std::uint16_t TextureMap = 0xA200;
constexpr std::uint16_t SelfIllumMap = 0xA33D;
constexpr std::uint16_t MapFileName = 0xA300;
constexpr std::uint16_t ColorFloat = 0x0010;
constexpr std::uint16_t Color24 = 0x0011;
constexpr std::uint16_t LinearColor24 = 0x0012;
constexpr std::uint16_t IntPercentage = 0x0030;
constexpr std::uint16_t FloatPercentage = 0x0031;
}  // namespace tags

constexpr std::uint32_t kHeaderSize = 6;
// Real files nest about eight deep; a bound keeps a hostile file from exhausting the stack.
constexpr int kMaxDepth = 64;

// What precedes a chunk's sub-chunks.
enum class TFixedData { None, WholeChunk, Bytes, Name, FaceList };

struct TChunkLayout {
    TFixedData kind;
    std::uint32_t bytes = 0;
};

bool EvenIn(std::uint16_t tag, std::uint16_t first, std::uint16_t last) {
    return tag >= first && tag <= last && (tag - first) % 2 == 0;
}

TChunkLayout LayoutOf(std::uint16_t tag) {
    switch (tag) {
        case tags::Main:
        case tags::MaterialLibrary:
        case tags::Project:
        case tags::Editor:
        case tags::ObjectHidden:
        case tags::TriangleMesh:
        case tags::MaterialEntry:
        case tags::Ambient:
        case tags::Diffuse:
        case tags::Specular:
        case tags::Shininess:
        case tags::ShininessStrength:
        case tags::TextureMap:
        case tags::SelfIllumMap:
        case 0xA204:
        case 0xA210:
        case 0xA220:
        case 0xA230:
        case 0xA33A:
        case 0xA33C:
        case 0xA33E:
        case 0xA042:
        case 0xA050:
        case 0xA052:
        case 0xA053:
        case 0xA084:
        case 0xB000:
            return {TFixedData::None};
        case tags::VertexList:
        case tags::VertexFlags:
        case tags::FaceMaterial:
        case tags::SmoothingGroups:
        case tags::TextureVertices:
        case tags::LinearColor24:
            return {TFixedData::WholeChunk};
        case tags::MeshMatrix:
            return {TFixedData::Bytes, 48};
        case tags::ColorFloat:
            return {TFixedData::Bytes, 12};
        case tags::Color24:
            return {TFixedData::Bytes, 3};
        case tags::IntPercentage:
            return {TFixedData::Bytes, 2};
        case tags::FloatPercentage:
            return {TFixedData::Bytes, 4};
        case tags::NamedObject:
        case tags::MaterialName:
        case tags::MapFileName:
            return {TFixedData::Name};
        case tags::FaceList:
            return {TFixedData::FaceList};
        default:
            break;
    }
    if (EvenIn(tag, 0xA340, 0xA34C) || (tag >= 0xB001 && tag <= 0xB007)) {
        return {TFixedData::None};
    }
    return {TFixedData::WholeChunk};
}

bool IsRootTag(std::uint16_t tag) {
    return tag == tags::Main || tag == tags::MaterialLibrary || tag == tags::Project;
}

bool IsMaterialSubChunk(std::uint16_t tag) {
    if ((tag >= 0x8000 && tag <= 0x80FF) || (tag >= 0xA040 && tag <= 0xA042) || (tag >= 0xA080 && tag <= 0xA085) ||
        (tag >= 0xA320 && tag <= 0xA322) || (tag >= 0xA324 && tag <= 0xA326) || EvenIn(tag, 0xA328, 0xA338) ||
        (tag >= 0xA33C && tag <= 0xA33E) || EvenIn(tag, 0xA340, 0xA34C)) {
        return true;
    }
    switch (tag) {
        case 0xA000:
        case 0xA010:
        case 0xA020:
        case 0xA030:
        case 0xA050:
        case 0xA052:
        case 0xA053:
        case 0xA087:
        case 0xA088:
        case 0xA08A:
        case 0xA08C:
        case 0xA08E:
        case 0xA100:
        case 0xA200:
        case 0xA204:
        case 0xA210:
        case 0xA220:
        case 0xA230:
        case 0xA240:
        case 0xA250:
        case 0xA310:
        case 0xA33A:
            return true;
        default:
            return false;
    }
}

[[noreturn]] void InvalidChunk() {
    throw E3DSError(file3ds_messages::kInvalidChunk);
}

std::string InvalidIndex(int index) {
    std::string message = file3ds_messages::kInvalidIndex;
    return message.replace(message.find("%d"), 2, std::to_string(index));
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Runs a step of the format layer, turning the reader's and the allocator's failures into the
// format's own.
template <class Step>
auto Guarded(Step step) -> decltype(step()) {
    try {
        return step();
    } catch (const platform::ReadError&) {
        throw EReadError();
    } catch (const std::bad_alloc&) {
        throw E3DSError(file3ds_messages::kNotEnoughMemory);
    }
}

// Reads the chunk whose header starts at the reader's position and everything below it; the reader
// ends at the chunk's end. limit is where the parent ends.
std::unique_ptr<TChunk3DS> ParseChunk(platform::BinaryReader& reader, std::uint64_t limit, int depth) {
    auto chunk = std::make_unique<TChunk3DS>();
    chunk->Position = static_cast<std::uint32_t>(reader.Position());
    chunk->Tag = reader.U16();
    chunk->Size = reader.U32();
    const std::uint64_t end = std::uint64_t{chunk->Position} + chunk->Size;
    if (chunk->Size < kHeaderSize || end > limit || depth > kMaxDepth) {
        InvalidChunk();
    }
    const TChunkLayout layout = LayoutOf(chunk->Tag);
    switch (layout.kind) {
        case TFixedData::None:
            break;
        case TFixedData::WholeChunk:
            reader.Seek(static_cast<std::size_t>(end));
            return chunk;
        case TFixedData::Bytes:
            reader.Skip(layout.bytes);
            break;
        case TFixedData::Name:
            reader.CString(static_cast<std::size_t>(end - reader.Position()));
            break;
        case TFixedData::FaceList:
            reader.Skip(std::size_t{reader.U16()} * 8);
            break;
    }
    if (reader.Position() > end) {
        InvalidChunk();
    }
    while (reader.Position() < end) {
        chunk->Children.push_back(ParseChunk(reader, end, depth + 1));
    }
    return chunk;
}

}  // namespace

const TChunk3DS* TChunk3DS::FindChild(std::uint16_t tag) const {
    for (const auto& child : Children) {
        if (child->Tag == tag) {
            return child.get();
        }
    }
    return nullptr;
}

const TChunk3DS* TChunk3DS::FindDepthFirst(std::uint16_t tag) const {
    if (Tag == tag) {
        return this;
    }
    for (const auto& child : Children) {
        if (const TChunk3DS* found = child->FindDepthFirst(tag)) {
            return found;
        }
    }
    return nullptr;
}

TFile3DS::TFile3DS() = default;

void TFile3DS::LoadFromStream(std::span<const std::uint8_t> stream) {
    Guarded([&] {
        std::vector<std::uint8_t> bytes(stream.begin(), stream.end());
        platform::BinaryReader reader(bytes);
        std::unique_ptr<TChunk3DS> root;
        const std::uint16_t tag = reader.U16();
        const std::uint32_t size = reader.U32();
        if (IsRootTag(tag)) {
            reader.Seek(0);
            root = ParseChunk(reader, std::uint64_t{0xFFFFFFFF} + 1, 0);
        } else {
            root = std::make_unique<TChunk3DS>();
            root->Tag = tag;
            root->Size = size;
        }
        m_bytes = std::move(bytes);
        m_root = std::move(root);
        m_materials.Reset();
        m_objects.Reset();
    });
}

const TChunk3DS& TFile3DS::Database() const {
    if (!m_root) {
        throw E3DSError(file3ds_messages::kNoDatabase);
    }
    return *m_root;
}

const TChunk3DS* TFile3DS::EditorChunk() const {
    return Database().FindDepthFirst(tags::Editor);
}

namespace {

platform::BinaryReader ChunkData(const std::vector<std::uint8_t>& bytes, const TChunk3DS& chunk) {
    return platform::BinaryReader(bytes).SubReader(chunk.Position + kHeaderSize, chunk.Size - kHeaderSize);
}

std::string ChunkName(const std::vector<std::uint8_t>& bytes, const TChunk3DS& chunk) {
    platform::BinaryReader data = ChunkData(bytes, chunk);
    return data.CString(data.Size());
}

TVec3 DecodeColor(const std::vector<std::uint8_t>& bytes, const TChunk3DS& chunk) {
    TVec3 color;
    auto fromBytes = [&](const TChunk3DS& sub) {
        platform::BinaryReader data = ChunkData(bytes, sub);
        const float r = data.U8() / 255.0f;
        const float g = data.U8() / 255.0f;
        const float b = data.U8() / 255.0f;
        return TVec3{r, g, b};
    };
    if (const TChunk3DS* sub = chunk.FindChild(tags::Color24)) {
        color = fromBytes(*sub);
    }
    if (const TChunk3DS* sub = chunk.FindChild(tags::ColorFloat)) {
        platform::BinaryReader data = ChunkData(bytes, *sub);
        const float r = data.F32();
        const float g = data.F32();
        const float b = data.F32();
        color = TVec3{r, g, b};
    }
    if (const TChunk3DS* sub = chunk.FindChild(tags::LinearColor24)) {
        color = fromBytes(*sub);
    }
    return color;
}

float DecodePercentage(const std::vector<std::uint8_t>& bytes, const TChunk3DS& chunk) {
    if (const TChunk3DS* sub = chunk.FindChild(tags::IntPercentage)) {
        return ChunkData(bytes, *sub).I16() / 100.0f;
    }
    if (const TChunk3DS* sub = chunk.FindChild(tags::FloatPercentage)) {
        return ChunkData(bytes, *sub).F32();
    }
    return 0.0f;
}

std::string DecodeMapName(const std::vector<std::uint8_t>& bytes, const TChunk3DS& chunk) {
    const TChunk3DS* sub = chunk.FindChild(tags::MapFileName);
    return sub ? ChunkName(bytes, *sub) : std::string();
}

void DecodeFaceList(const std::vector<std::uint8_t>& bytes, const TChunk3DS& chunk, TMesh3DS& mesh) {
    platform::BinaryReader data = ChunkData(bytes, chunk);
    const std::uint16_t count = data.U16();
    mesh.FaceArray.resize(count);
    for (TFace3DS& face : mesh.FaceArray) {
        face.V1 = data.U16();
        face.V2 = data.U16();
        face.V3 = data.U16();
        face.Flag = data.U16();
    }
    for (const auto& sub : chunk.Children) {
        if (sub->Tag == tags::FaceMaterial) {
            platform::BinaryReader group = ChunkData(bytes, *sub);
            TObjMat3DS material;
            material.NameStr = group.CString(group.Size());
            material.FaceIndices.resize(group.U16());
            for (std::uint16_t& index : material.FaceIndices) {
                index = group.U16();
            }
            mesh.MatArray.push_back(std::move(material));
        } else if (sub->Tag == tags::SmoothingGroups) {
            platform::BinaryReader masks = ChunkData(bytes, *sub);
            std::vector<std::uint32_t> smoothing(masks.Size() / 4);
            for (std::uint32_t& mask : smoothing) {
                mask = masks.U32();
            }
            mesh.SmoothArray = std::move(smoothing);
        }
    }
}

}  // namespace

TMaterial3DS TFile3DS::DecodeMaterial(const TChunk3DS& entry) const {
    if (entry.Tag != tags::MaterialEntry) {
        InvalidChunk();
    }
    TMaterial3DS material;
    for (const auto& sub : entry.Children) {
        if (!IsMaterialSubChunk(sub->Tag)) {
            InvalidChunk();
        }
        switch (sub->Tag) {
            case tags::MaterialName:
                material.NameStr = ChunkName(m_bytes, *sub);
                break;
            case tags::Ambient:
                material.Ambient = DecodeColor(m_bytes, *sub);
                break;
            case tags::Diffuse:
                material.Diffuse = DecodeColor(m_bytes, *sub);
                break;
            case tags::Specular:
                material.Specular = DecodeColor(m_bytes, *sub);
                break;
            case tags::Shininess:
                material.Shininess = DecodePercentage(m_bytes, *sub);
                break;
            case tags::ShininessStrength:
                material.ShinStrength = DecodePercentage(m_bytes, *sub);
                break;
            case tags::TextureMap:
                material.TextureMapName = DecodeMapName(m_bytes, *sub);
                break;
            case tags::SelfIllumMap:
                material.SelfIllumMapName = DecodeMapName(m_bytes, *sub);
                break;
            default:
                break;
        }
    }
    return material;
}

TMesh3DS TFile3DS::DecodeMesh(const TChunk3DS& namedObject) const {
    const TChunk3DS* triangles = namedObject.FindDepthFirst(tags::TriangleMesh);
    if (!triangles) {
        throw E3DSError(file3ds_messages::kWrongObjectType);
    }
    TMesh3DS mesh;
    mesh.NameStr = ChunkName(m_bytes, namedObject);
    mesh.IsHidden = namedObject.FindChild(tags::ObjectHidden) != nullptr;
    for (const auto& sub : triangles->Children) {
        platform::BinaryReader data = ChunkData(m_bytes, *sub);
        switch (sub->Tag) {
            case tags::VertexList:
                mesh.VertexArray.resize(data.U16());
                for (TVec3& v : mesh.VertexArray) {
                    v.X = data.F32();
                    v.Y = data.F32();
                    v.Z = data.F32();
                }
                break;
            case tags::FaceList:
                DecodeFaceList(m_bytes, *sub, mesh);
                break;
            case tags::TextureVertices:
                mesh.TextArray.resize(data.U16());
                for (TTexVert3DS& t : mesh.TextArray) {
                    t.U = data.F32();
                    t.V = data.F32();
                }
                break;
            case tags::MeshMatrix:
                for (float& value : mesh.LocMatrix) {
                    value = data.F32();
                }
                break;
            default:
                break;
        }
    }
    return mesh;
}

void TMaterialList::Reset() {
    m_entries.reset();
    m_records.clear();
    m_firstByName.clear();
    m_named = 0;
}

int TMaterialList::Count() {
    return Guarded([&] {
        if (!m_entries) {
            std::vector<const TChunk3DS*> entries;
            const TChunk3DS& root = m_database->Database();
            const TChunk3DS* section = root.FindDepthFirst(tags::Editor);
            if (!section) {
                section = root.FindDepthFirst(tags::MaterialLibrary);
            }
            if (section) {
                for (const auto& child : section->Children) {
                    if (child->Tag == tags::MaterialEntry) {
                        entries.push_back(child.get());
                    }
                }
            }
            m_records.resize(entries.size());
            m_entries = std::move(entries);
        }
        return static_cast<int>(m_entries->size());
    });
}

const TMaterial3DS& TMaterialList::Material(int index) {
    const int count = Count();
    if (index < 0 || index >= count) {
        throw E3DSError(InvalidIndex(index));
    }
    auto& record = m_records[static_cast<std::size_t>(index)];
    if (!record) {
        const TChunk3DS& entry = *(*m_entries)[static_cast<std::size_t>(index)];
        record = Guarded([&] { return std::make_unique<TMaterial3DS>(m_database->DecodeMaterial(entry)); });
    }
    return *record;
}

const TMaterial3DS* TMaterialList::MaterialByName(const std::string& name) {
    const std::string wanted = Lower(name);
    if (const auto found = m_firstByName.find(wanted); found != m_firstByName.end()) {
        return &Material(found->second);
    }
    // Materials are decoded in file order up to the first match, as a plain walk would.
    const int count = Count();
    while (m_named < count) {
        const TMaterial3DS& material = Material(m_named);
        const std::string key = Lower(material.NameStr);
        m_firstByName.emplace(key, m_named);
        ++m_named;
        if (key == wanted) {
            return &material;
        }
    }
    return nullptr;
}

void TObjectList::Reset() {
    m_entries.reset();
    m_records.clear();
}

int TObjectList::MeshCount() {
    return Guarded([&] {
        if (!m_entries) {
            std::vector<const TChunk3DS*> entries;
            if (const TChunk3DS* editor = m_database->EditorChunk()) {
                for (const auto& child : editor->Children) {
                    if (child->Tag == tags::NamedObject && child->FindDepthFirst(tags::TriangleMesh)) {
                        entries.push_back(child.get());
                    }
                }
            }
            m_records.resize(entries.size());
            m_entries = std::move(entries);
        }
        return static_cast<int>(m_entries->size());
    });
}

bool TFile3DS::HoldsMeshes() const {
    return m_root && (m_root->Tag == tags::Main || m_root->Tag == tags::Project);
}

const TMesh3DS& TObjectList::Mesh(int index) {
    m_database->Database();  // throws when nothing was loaded
    if (!m_database->HoldsMeshes()) {
        throw E3DSError(file3ds_messages::kWrongDatabase);
    }
    const int count = MeshCount();
    if (index < 0 || index >= count) {
        throw E3DSError(InvalidIndex(index));
    }
    auto& record = m_records[static_cast<std::size_t>(index)];
    if (!record) {
        const TChunk3DS& entry = *(*m_entries)[static_cast<std::size_t>(index)];
        record = Guarded([&] { return std::make_unique<TMesh3DS>(m_database->DecodeMesh(entry)); });
    }
    return *record;
}

}  // namespace engine
