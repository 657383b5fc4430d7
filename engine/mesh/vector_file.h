#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace engine {

class TGLBaseMesh;

enum TMeshNormalsOrientation { mnoDefault, mnoInvert };

// A mesh-file reader: made for one load with the mesh it fills as owner, told the file's name,
// and asked to fill the owner's mesh objects from the file's bytes.
class TVectorFile {
public:
    explicit TVectorFile(TGLBaseMesh& owner) : m_owner(&owner) {}
    virtual ~TVectorFile() = default;
    TVectorFile(const TVectorFile&) = delete;
    TVectorFile& operator=(const TVectorFile&) = delete;

    TGLBaseMesh& Owner() const { return *m_owner; }
    const std::string& ResourceName() const { return m_resourceName; }
    void SetResourceName(const std::string& name) { m_resourceName = name; }
    TMeshNormalsOrientation NormalsOrientation() const { return m_normalsOrientation; }
    void SetNormalsOrientation(TMeshNormalsOrientation orientation) { m_normalsOrientation = orientation; }

    // Reads the whole stream into the owner; a reader's failure propagates as its own exception.
    virtual void LoadFromStream(std::span<const std::uint8_t> stream) = 0;

private:
    TGLBaseMesh* m_owner;
    std::string m_resourceName;
    TMeshNormalsOrientation m_normalsOrientation = mnoDefault;
};

// What the registry creates a reader with.
using TVectorFileClass = std::function<std::unique_ptr<TVectorFile>(TGLBaseMesh& owner)>;

struct TVectorFileFormat {
    std::string Extension;  // lower case, without the dot
    std::string Description;
    int DescResID = 0;
    TVectorFileClass VectorFileClass;
};

// The process-wide mesh-file registry, in registration order. The extension is stored lower case
// and without a leading dot.
void RegisterMeshFormat(const std::string& extension, const std::string& description, TVectorFileClass fileClass);
const std::vector<TVectorFileFormat>& RegisteredMeshFormats();

// The reader class for a file name: its extension, lower case, against the registry from the last
// registered format to the first. No match throws EInvalidVectorFile "Unknown file extension (...)".
const TVectorFileClass& FormatForFile(const std::string& fileName);

// The extension of a file name without its dot, as written ("" when there is none); '\' and '/'
// both separate folders.
std::string FileExtension(const std::string& fileName);

}  // namespace engine
