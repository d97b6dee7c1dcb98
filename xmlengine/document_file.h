// Documents and line files on disk: loading, writing a saved document, and the plain
// file copy the engine's routines make before they edit a file the mod does not have yet.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "xmlengine/document.h"

namespace xmlengine {

namespace fs = std::filesystem;

// The whole file. Throws platform::SystemError (with the error number of the failing call) when
// it is missing or cannot be read.
std::string ReadWholeFile(const fs::path& path);

// Loading: the whole file read into the document, lines cut at CR LF, LF or CR, the last
// line needing no line end, no byte-order mark recognised. Throws platform::SystemError.
void LoadDocument(const fs::path& path, Document& document);

// Writes the document's text (every line followed by CR LF) over the file. The bytes go to a
// temporary file beside it that is then renamed over it, so a failed write leaves the old file as
// it was; the file is not synced to the disk, since a generation rewrites its files many times.
// The folder must exist. Throws platform::SystemError.
void WriteDocumentFile(const fs::path& path, const Document& document);

// Copies the file into the folder under its own name (creating the folder), the same way, and
// returns the copy's path. Throws platform::SystemError.
fs::path CopyFileInto(const fs::path& source, const fs::path& folder);

}  // namespace xmlengine
