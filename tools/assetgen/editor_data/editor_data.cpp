#include "tools/assetgen/editor_data/editor_data.h"

#include "editor/data/package_writer.h"
#include "tools/assetgen/editor_data/object_assets.h"
#include "tools/assetgen/editor_data/surface_textures.h"
#include "tools/writers/bmp_writer.h"
#include "tools/writers/catalogue_writer.h"
#include "tools/writers/jpeg_writer.h"
#include "tools/writers/qzm_writer.h"

namespace tools::assetgen {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

void WriteTextures(OutputFolder& output) {
    std::vector<editor::PackageRecord> records;
    std::vector<std::string> baseNames;
    for (const BaseSurface& surface : MakeBaseSurfaces()) {
        baseNames.push_back(surface.Name);
        records.push_back({surface.Name + ".jpg", EncodeJpeg(surface.Picture.ToImage())});
    }
    std::vector<std::string> detailNames;
    for (const DetailSurface& surface : MakeDetailSurfaces()) {
        detailNames.push_back(surface.Name);
        records.push_back({surface.Name + ".bmp", EncodeBmp24(ToKeyedImage(surface.Picture, surface.Mask))});
    }
    output.WriteText(editor_files::kBaseSurfaces, CatalogueText(baseNames));
    output.WriteText(editor_files::kSurfaces, CatalogueText(detailNames));
    output.Write(editor_files::kTextures, editor::BuildPackage(records));
}

// The catalogue record lists each object's mesh and skin; the records themselves follow it.
void AddObjects(const std::vector<ObjectAsset>& objects, const char* infoName,
                std::vector<editor::PackageRecord>& records) {
    std::vector<std::string> info;
    for (const ObjectAsset& object : objects) {
        info.push_back(object.MeshRecordName());
        info.push_back(object.SkinRecordName());
    }
    records.push_back({infoName, Bytes(CatalogueText(info))});
    for (const ObjectAsset& object : objects) {
        records.push_back({object.MeshRecordName(), Bytes(WriteQzm(object.Model))});
        records.push_back({object.SkinRecordName(), object.SkinFile});
    }
}

void WriteObjects(OutputFolder& output) {
    std::vector<editor::PackageRecord> records;
    AddObjects(MakeGroundObjects(), editor_files::kGroundInfo, records);
    AddObjects(MakeAirObjects(), editor_files::kAirInfo, records);
    output.Write(editor_files::kObjects, editor::BuildPackage(records));
}

}  // namespace

std::vector<std::string> SpecialMarkerNames() {
    return {"Старт игрока", "База игрока", "Точка появления", "Путевая точка", "Ресурсы", "Запрет строительства"};
}

void GenerateEditorData(OutputFolder& output) {
    WriteTextures(output);
    WriteObjects(output);
    output.WriteText(editor_files::kSpecialObjects, CatalogueText(SpecialMarkerNames()));
}

}  // namespace tools::assetgen
