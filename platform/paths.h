#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// File names as the data and the programs spell them ("Data\Textures.qzp", "firebase.3DS") on a
// case-sensitive file system, and the whole-file read and replace that every loader and saver uses.
namespace platform {

// Thrown when a file cannot be read or written; the message names the file and the reason.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The path to open for a name written with '\' or '/': separators become '/', and when the named
// file does not exist each component that does not exist is replaced by a case-insensitive (ASCII)
// match in its folder. Components without a match stay as written, so opening the result fails
// the ordinary way.
std::string ResolvePath(std::string_view path);

// Whether the name resolves to a regular file (or a link to one).
bool FileExists(std::string_view path);

// No data file of ours comes near this size; a larger one (or an endless device) is refused before
// it can exhaust the memory.
inline constexpr std::size_t kMaxFileBytes = std::size_t{256} << 20;

// The whole content of the file the name resolves to; a FileError when it holds more than
// maxBytes.
std::vector<std::uint8_t> ReadWholeFile(std::string_view path, std::size_t maxBytes = kMaxFileBytes);

// FileExists and ReadWholeFile for exactly the name given (separators aside), without the
// case-insensitive look-up: for a program's own files, where "temp.map" is not "Temp.map".
bool ExactFileExists(std::string_view path);
std::vector<std::uint8_t> ReadExactFile(std::string_view path, std::size_t maxBytes = kMaxFileBytes);

// Replaces the file of exactly that name (separators aside: no case-insensitive look-up, since
// "MyMap.map" and "mymap.map" are two files) or creates it. A regular file is replaced atomically:
// the bytes go to a temporary file beside it, which is flushed and renamed over it, so a failed or
// interrupted write leaves the previous file as it was, and it keeps its permissions. A symbolic
// link stays a link: the file it points to is replaced that way. A device or FIFO is written
// through; a folder is refused.
void WriteFileAtomically(std::string_view path, std::span<const std::uint8_t> bytes);

// The folder of the running program, where the programs find the data made beside them: the
// executable's own folder, or that of the path it was started by where the system does not say.
std::filesystem::path ProgramFolder(std::string_view programPath);
// Whether WriteFileAtomically could write there, judged before anything is made: throws its
// FileError for a folder, a folder that does not exist (or is a file), or a missing write permission
// on the file or on the folder its replacement is made in.
void CheckWritable(std::string_view path);

}  // namespace platform
