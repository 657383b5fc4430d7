#include "tools/assetgen/game_images/game_images.h"

#include "tools/assetgen/game_images/pictures.h"
#include "tools/writers/cursor_writer.h"
#include "tools/writers/dds_writer.h"
#include "tools/writers/jpeg_writer.h"

#include <stdexcept>

namespace tools::assetgen {
namespace {

using namespace game_image_files;

void WriteJpeg(OutputFolder& output, const char* name, const Canvas& picture,
               JpegChroma chroma = JpegChroma::Subsampled) {
    output.Write(std::string(kTextureFolder) + name, EncodeJpeg(picture.ToImage(), jpeg_quality::kDefault, chroma));
}

}  // namespace

void GenerateGameImages(OutputFolder& output) {
    WriteJpeg(output, "terrain.jpg", MakeTerrainTexture());
    WriteJpeg(output, "detail.jpg", MakeDetailTexture());
    WriteJpeg(output, "bug.jpg", MakeBugSkin());
    // Full colour resolution keeps the colour of the rings, the explosion and the beam from bleeding
    // into their black surroundings (the clamped ring border, the neighbouring frames, the ribbon's edges).
    for (const ring_layout::RingDesc& ring : ring_layout::kRings) {
        WriteJpeg(output, ring.File, MakeRingTexture(ring), JpegChroma::Full);
    }
    WriteJpeg(output, "boom.jpg", MakeExplosionSheet(), JpegChroma::Full);
    WriteJpeg(output, kBeam, MakeBeamTexture(), JpegChroma::Full);
    // The panel is large and mostly flat metal: DXT5 keeps its binary alpha exact. The small
    // icons stay uncompressed, since the game compresses them again on upload.
    output.Write(std::string(kTextureFolder) + "gui_bar.dds", EncodeDds(MakeHudPanel(), DdsFormat::Dxt5));
    for (const NamedPicture& icon : MakeHudIcons()) {
        output.Write(std::string(kTextureFolder) + icon.File, EncodeDds(icon.Picture, DdsFormat::Bgra32));
    }
    const std::vector<AnimatedCursor> cursors = MakeCursors();
    if (cursors.size() != kCursors.size()) {
        throw std::logic_error("Every cursor slot needs exactly one cursor");
    }
    for (std::size_t slot = 0; slot < cursors.size(); ++slot) {
        output.Write(std::string(kCursorFolder) + kCursors[slot], EncodeAni(cursors[slot]));
    }
}

}  // namespace tools::assetgen
