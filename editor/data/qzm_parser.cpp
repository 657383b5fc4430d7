#include "editor/data/qzm_parser.h"

#include "platform/text_decoding.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace editor {
namespace {

namespace markers {
constexpr std::string_view kObject = "New object";
constexpr std::string_view kCounts = "numverts numfaces";
constexpr std::string_view kTexture = "New Texture:";
constexpr std::string_view kTextureVertices = "Texture vertices:";
}  // namespace markers

// The blank- or tab-separated words of a number line; only the first `count` are needed.
std::vector<std::string_view> Words(std::string_view line, std::size_t count) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (words.size() < count) {
        pos = line.find_first_not_of(" \t", pos);
        if (pos == std::string_view::npos) {
            throw QzmNumericError();
        }
        const std::size_t end = std::min(line.find_first_of(" \t", pos), line.size());
        words.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

std::string_view WithoutPlus(std::string_view word) {
    if (!word.empty() && word.front() == '+') {
        word.remove_prefix(1);
    }
    return word;
}

std::int32_t ParseInteger(std::string_view word) {
    word = WithoutPlus(word);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) {
        throw QzmNumericError();
    }
    return value;
}

float ParseReal(std::string_view word) {
    word = WithoutPlus(word);
    // from_chars also takes "inf" and "nan", which are no numbers in this format.
    const std::string_view digits = word.substr(word.empty() || word.front() != '-' ? 0 : 1);
    if (digits.empty() || !(std::isdigit(static_cast<unsigned char>(digits.front())) || digits.front() == '.')) {
        throw QzmNumericError();
    }
    float value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) {
        throw QzmNumericError();
    }
    return value;
}

class QzmReader {
public:
    explicit QzmReader(std::string_view text) : m_lines(platform::SplitLines(text)) {}

    QzmContent Read() {
        QzmContent content;
        while (!AtEnd()) {
            const std::string_view line = NextLine();
            if (line == markers::kObject) {
                content.Objects.push_back(ReadObject(content.Objects.size() + 1));
            } else if (line == markers::kTexture) {
                content.Texture = ReadTexture();
            }
        }
        return content;
    }

private:
    bool AtEnd() const { return m_next >= m_lines.size(); }
    std::size_t LineNumber() const { return m_next; }

    // Past the end a line reads as empty, as a text file's reader gives it.
    std::string_view NextLine() { return AtEnd() ? std::string_view() : m_lines[m_next++]; }

    void SkipLines(int count) {
        for (int i = 0; i < count; ++i) {
            NextLine();
        }
    }

    std::vector<std::string_view> NumberLine(std::size_t count) {
        if (AtEnd()) {
            throw QzmContentError("QZM file ends where line " + std::to_string(LineNumber() + 1) +
                                  " should hold numbers");
        }
        return Words(NextLine(), count);
    }

    QzmVector Reals() {
        const auto words = NumberLine(3);
        return {ParseReal(words[0]), ParseReal(words[1]), ParseReal(words[2])};
    }

    // A triangle's three 1-based numbers, checked against 1..limit and made 0-based.
    QzmTriangle Triangle(std::int32_t limit, const char* what) {
        const std::size_t line = LineNumber() + 1;
        const auto words = NumberLine(3);
        QzmTriangle triangle{};
        for (int k = 0; k < 3; ++k) {
            const std::int32_t number = ParseInteger(words[k]);
            if (number < 1 || number > limit) {
                throw QzmContentError("QZM line " + std::to_string(line) + ": " + what + " number " +
                                      std::to_string(number) + " is outside 1.." + std::to_string(limit));
            }
            triangle[k] = number - 1;
        }
        return triangle;
    }

    std::pair<std::int32_t, std::int32_t> Counts(const std::string& what) {
        const std::size_t line = LineNumber() + 1;
        const auto words = NumberLine(2);
        const std::int32_t first = ParseInteger(words[0]);
        const std::int32_t second = ParseInteger(words[1]);
        if (first < 0 || second < 0) {
            throw QzmContentError("QZM line " + std::to_string(line) + ": " + what + " has a negative count");
        }
        return {first, second};
    }

    // Each counted item takes a line of its own, so counts beyond the lines left are a lie; this
    // is checked before anything is allocated from them.
    void CheckFits(std::int32_t first, std::int32_t second, const std::string& what) const {
        const std::size_t left = m_lines.size() - m_next;
        if (static_cast<std::uint64_t>(first) + static_cast<std::uint64_t>(second) > left) {
            throw QzmContentError("QZM " + what + " announces " + std::to_string(first) + " and " +
                                  std::to_string(second) + " items but only " + std::to_string(left) + " lines follow");
        }
    }

    std::unique_ptr<TGLMesh> ReadObject(std::size_t objectNumber) {
        auto mesh = std::make_unique<TGLMesh>();
        bool counted = false;
        while (!counted && !AtEnd()) {
            counted = NextLine() == markers::kCounts;
        }
        // Without the counts line (or with nothing after it) the object stays empty.
        if (counted && !AtEnd()) {
            const auto [vertexCount, faceCount] = Counts("object " + std::to_string(objectNumber));
            CheckFits(vertexCount, faceCount, "object " + std::to_string(objectNumber));
            mesh->VertexCount = vertexCount;
            mesh->FaceCount = faceCount;
            ReadObjectLists(*mesh);
        }
        mesh->Scale = ScaleOf(mesh->Vertices);
        return mesh;
    }

    void ReadObjectLists(TGLMesh& mesh) {
        SkipLines(1);
        mesh.Vertices.reserve(mesh.VertexCount);
        for (std::int32_t i = 0; i < mesh.VertexCount; ++i) {
            mesh.Vertices.push_back(Reals());
        }
        SkipLines(2);
        mesh.Faces.reserve(mesh.FaceCount);
        for (std::int32_t i = 0; i < mesh.FaceCount; ++i) {
            mesh.Faces.push_back(Triangle(mesh.VertexCount, "vertex"));
        }
        SkipLines(2);
        mesh.FaceNormals.reserve(mesh.FaceCount);
        for (std::int32_t i = 0; i < mesh.FaceCount; ++i) {
            mesh.FaceNormals.push_back(Reals());
        }
        SkipLines(2);
        mesh.VertexNormals.reserve(mesh.VertexCount);
        for (std::int32_t i = 0; i < mesh.VertexCount; ++i) {
            mesh.VertexNormals.push_back(Reals());
        }
    }

    static QzmVector ScaleOf(const std::vector<QzmVector>& vertices) {
        QzmVector largest;
        for (const auto& v : vertices) {
            largest = {std::max(largest.X, v.X), std::max(largest.Y, v.Y), std::max(largest.Z, v.Z)};
        }
        const auto reciprocal = [](float value) {
            return value > 0 ? 1.0f / value : std::numeric_limits<float>::infinity();
        };
        return {reciprocal(largest.X), reciprocal(largest.Y), reciprocal(largest.Z)};
    }

    QzmTexture ReadTexture() {
        QzmTexture texture;
        SkipLines(1);
        const auto [vertexCount, faceCount] = Counts("texture");
        texture.TexVertexCount = vertexCount;
        texture.TexFaceCount = faceCount;
        if (NextLine() != markers::kTextureVertices) {
            return texture;
        }
        CheckFits(vertexCount, faceCount, "texture section");
        texture.TexVertices.reserve(vertexCount);
        for (std::int32_t i = 0; i < vertexCount; ++i) {
            texture.TexVertices.push_back(Reals());
        }
        SkipLines(2);
        texture.TexFaces.reserve(faceCount);
        for (std::int32_t i = 0; i < faceCount; ++i) {
            texture.TexFaces.push_back(Triangle(vertexCount, "texture vertex"));
        }
        texture.Textured = true;
        return texture;
    }

    std::vector<std::string_view> m_lines;
    std::size_t m_next = 0;
};

// Texture triangle i textures triangle i of every object, so every object needs one per triangle.
void CheckTextureCoversObjects(const QzmContent& content) {
    if (!content.Texture.Textured) {
        return;
    }
    for (std::size_t i = 0; i < content.Objects.size(); ++i) {
        const auto faces = content.Objects[i]->FaceCount;
        if (faces > content.Texture.TexFaceCount) {
            throw QzmContentError("QZM object " + std::to_string(i + 1) + " has " + std::to_string(faces) +
                                  " triangles but the texture section only " +
                                  std::to_string(content.Texture.TexFaceCount));
        }
    }
}

}  // namespace

QzmContent ParseQzm(std::string_view text) {
    QzmContent content = QzmReader(text).Read();
    CheckTextureCoversObjects(content);
    return content;
}

}  // namespace editor
