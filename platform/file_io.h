// Reading and writing whole files as bytes.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

namespace fs = std::filesystem;

// The file's bytes, or nullopt when it does not exist or cannot be read.
std::optional<std::string> ReadFileBytes(const fs::path& path);

// Replaces the content of a file of the user's state atomically: the bytes go to a temporary
// file beside the target, which is flushed and then renamed over it. A failure at any point
// leaves the old file as it was. Missing parent folders are created.
// - A link (or a chain of links) is written through: the file it names is replaced and the link
//   stays; a dangling link creates the file it names.
// - The replaced file keeps its mode (and its owner and group, as far as this process may give
//   them); a new file gets 0666 limited by the umask.
// - A file whose owner has no write permission is refused (EACCES) and left untouched, whoever
//   runs the program; so is anything that is not a regular file.
// - Scratch files that interrupted rewrites of the same file left beside it are removed, unless a
//   live writer still holds them.
// Throws SystemError.
void WriteFileAtomic(const fs::path& path, std::string_view bytes);

// Writes the file directly (parents created), without the atomic replace: for files in a folder
// that is itself swapped in whole when complete. Throws SystemError.
void WriteFileBytes(const fs::path& path, std::string_view bytes);
// Copies a file over any existing target (parents created). Throws SystemError.
void CopyFileBytes(const fs::path& from, const fs::path& to);

// A regular file (or a link to one) exists at the path.
bool IsFile(const fs::path& path);
bool IsDirectory(const fs::path& path);

// The process's umask, read without changing it: umask() can only be read by setting it, which
// would give a file another thread creates meanwhile the wrong mode.
mode_t CurrentUmask();

// Removes a file if present; never throws, never removes a folder.
bool RemoveFileQuietly(const fs::path& path);

}  // namespace platform
