#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>

namespace editor {

// How many kinds each catalogue offers, which bounds the kinds a map's records may name; nothing
// for a catalogue that is not known, whose kinds then go unchecked.
struct TCatalogueSizes {
    std::optional<std::size_t> BaseSurfaces;
    std::optional<std::size_t> Surfaces;
    std::optional<std::size_t> Ground;
    std::optional<std::size_t> Air;
    // The special list: "Script" (kind 0) and then the file's lines.
    std::optional<std::size_t> Specials;
};

// The sizes of the catalogues in the editor's folders System/ and Data/ under the folder, counted
// as the editor's start-up counts them (an object list's odd last line makes no kind). A catalogue
// that cannot be read stays unknown; the package code may show its box for a missing package.
TCatalogueSizes ReadCatalogueSizes(const std::filesystem::path& folder);

}  // namespace editor
