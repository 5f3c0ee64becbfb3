// Writes every texture, model and sound the game loads, and its icon, the same bytes on every run:
//   zarnok_assetgen <asset folder> [font file]
// The committed files under assets/ are its output; a test regenerates and compares them.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "dds_writer.h"
#include "font_atlas.h"
#include "icon.h"
#include "models.h"
#include "sounds.h"
#include "textures.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kDefaultFont = "/usr/share/fonts/truetype/crosextra/Carlito-Bold.ttf";

bool writeFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <asset folder> [font file]\n", argv[0]);
        return 2;
    }
    const fs::path out = argv[1];
    const std::string fontPath = argc > 2 ? argv[2] : kDefaultFont;

    Image atlas(1, 1);
    if (!fontAtlas(fontPath, atlas)) {
        std::fprintf(stderr, "cannot read the font %s\n", fontPath.c_str());
        return 1;
    }

    const fs::path textures = out / "textures";
    const fs::path models = out / "models";
    const bool written =
        writeFile(textures / "wood_texture.dds", encodeDds(woodTexture(), DdsCompression::Dxt1)) &&
        writeFile(textures / "alhambra_walls.dds", encodeDds(alhambraWallsTexture(), DdsCompression::Dxt1)) &&
        writeFile(textures / "Calibri1024_transparent.dds", encodeDds(atlas, DdsCompression::Dxt5)) &&
        writeFile(textures / "metalPanel_blue.dds", encodeDds(metalPanelBlueTexture(), DdsCompression::Dxt5)) &&
        writeFile(textures / "pauseBGcolor.dds", encodeDds(pauseBackgroundTexture(), DdsCompression::Dxt5)) &&
        writeFile(textures / "glassPanel_cornerBL.dds", encodeDds(glassPanelCornerTexture(), DdsCompression::Dxt5)) &&
        writeFile(textures / "star_particle.dds", encodeDds(starParticleTexture(), DdsCompression::Dxt5)) &&
        writeFile(models / "new_platform.obj", platformModel()) &&
        writeFile(models / "powerup_glide.obj", glidePowerupModel()) &&
        writeFile(models / "powerup_double.obj", doublePointsPowerupModel()) &&
        writeFile(models / "ghost.obj", ghostModel()) &&
        writeFile(out / "icons/zarnok-48.png", encodePng(cubeIcon(48))) &&
        writeFile(out / "icons/zarnok-128.png", encodePng(cubeIcon(128))) &&
        writeFile(out / "icons/zarnok-256.png", encodePng(cubeIcon(256)));
    bool soundsWritten = true;
    for (const auto& [name, samples] : gameSounds())
        soundsWritten = soundsWritten && writeFile(out / "sounds" / (name + ".wav"), encodeWav(samples));
    return written && soundsWritten ? 0 : 1;
}
