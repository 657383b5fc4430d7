#include "fuzz/seeds/seed_folder.h"

#include <exception>
#include <fstream>
#include <iostream>

// fuzz_seeds OUTDIR [ASSETGEN_DIR]: writes the seed corpora into OUTDIR/<target>/.
namespace fuzz {

void SeedFolder::Write(const std::string& target, const std::string& name, std::span<const std::uint8_t> bytes) const {
    const std::filesystem::path folder = m_root / target;
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + (folder / name).string());
    }
}

void SeedFolder::Write(const std::string& target, const std::string& name, const std::string& text) const {
    Write(target, name, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace fuzz

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: fuzz_seeds OUTDIR [ASSETGEN_DIR]\n";
        return 2;
    }
    try {
        const fuzz::SeedFolder seeds(argv[1]);
        fuzz::WriteImageSeeds(seeds);
        fuzz::WriteModelSeeds(seeds);
        fuzz::WriteCursorSeeds(seeds);
        fuzz::WriteEditorSeeds(seeds);
        fuzz::WriteStreamSeeds(seeds);
        fuzz::WriteSoundSeeds(seeds);
        if (argc == 3) {
            fuzz::WriteGeneratedSeeds(argv[2], seeds);
        }
    } catch (const std::exception& error) {
        std::cerr << "fuzz_seeds: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
