#pragma once

#include <cstdint>
#include <vector>

namespace editor {

// What draws one kind of record: filled at start-up, read-only afterwards, never saved.
struct TKindEntry {
    std::int32_t Id = 0;       // the entry's own position in its catalogue
    std::int32_t Texture = 0;  // OpenGL texture name, 0 when loading failed
    std::int32_t Mesh = -1;    // mesh table slot, -1 for none; unused by surfaces
};

// The result of looking an object kind up.
struct TKindLookup {
    bool Found = false;
    std::int32_t Mesh = -1;
    std::int32_t Texture = 0;
};

// The three catalogues that turn a record's kind into what draws it.
struct TKindCatalogues {
    std::vector<TKindEntry> SurfaceKinds;
    std::vector<TKindEntry> GroundKinds;
    std::vector<TKindEntry> AirKinds;

    // The texture of the first surface entry with this Id, 0 when there is none.
    std::int32_t FindSurfaceTexture(std::int32_t kind) const;
    // The first ground or air entry with this Id.
    TKindLookup FindGroundKind(std::int32_t kind) const;
    TKindLookup FindAirKind(std::int32_t kind) const;
};

}  // namespace editor
