#include "editor/data/kind_catalogue.h"

namespace editor {
namespace {

const TKindEntry* FindEntry(const std::vector<TKindEntry>& entries, std::int32_t kind) {
    for (const TKindEntry& entry : entries) {
        if (entry.Id == kind) {
            return &entry;
        }
    }
    return nullptr;
}

TKindLookup Lookup(const std::vector<TKindEntry>& entries, std::int32_t kind) {
    const TKindEntry* entry = FindEntry(entries, kind);
    return entry ? TKindLookup{true, entry->Mesh, entry->Texture} : TKindLookup{};
}

}  // namespace

std::int32_t TKindCatalogues::FindSurfaceTexture(std::int32_t kind) const {
    const TKindEntry* entry = FindEntry(SurfaceKinds, kind);
    return entry ? entry->Texture : 0;
}

TKindLookup TKindCatalogues::FindGroundKind(std::int32_t kind) const {
    return Lookup(GroundKinds, kind);
}

TKindLookup TKindCatalogues::FindAirKind(std::int32_t kind) const {
    return Lookup(AirKinds, kind);
}

}  // namespace editor
