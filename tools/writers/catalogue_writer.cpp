#include "tools/writers/catalogue_writer.h"

#include "platform/text_decoding.h"

#include <stdexcept>

namespace tools {

std::string CatalogueText(std::span<const std::string> lines) {
    std::string out;
    for (const std::string& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos) {
            throw std::invalid_argument("Catalogue line \"" + line + "\" holds a line break");
        }
        if (!platform::IsValidUtf8(line)) {
            throw std::invalid_argument("Catalogue line is not valid UTF-8");
        }
        out += line;
        out += "\r\n";
    }
    return out;
}

}  // namespace tools
