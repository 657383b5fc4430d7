#pragma once

#include <string>
#include <vector>

namespace editor {

// What the document needs from the window that shows it: the window owns the GL context the
// catalogues' textures go into, and everything that shows the map.
class IDocumentWindow {
public:
    // Loads the catalogues into the session's kinds, their textures and meshes into the window's
    // context, and fills the window's lists; returns the base surfaces' names. Throws on the first
    // failure.
    virtual std::vector<std::string> LoadCatalogueLists() = 0;
    // The whole map was replaced (start, new, open, restore): everything that shows it follows.
    virtual void MapReplaced() = 0;
    // The file name or the saved state changed while the map stayed as it was.
    virtual void FileStateChanged() = 0;

protected:
    ~IDocumentWindow() = default;
};

}  // namespace editor
