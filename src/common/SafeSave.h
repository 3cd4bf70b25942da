// Saves a file so that an old file of the same name is never replaced by a half-written
// one: the bytes go to a temporary file beside the target, which is flushed to disk and
// then renamed over the target in one step. On any failure the temporary file is
// removed and the target stays exactly as it was. List files and exported lists are
// saved this way.
#pragma once
#include "windows.h"

#include <functional>
#include <string>

namespace IO {
class BinaryWriter;
}  // namespace IO

class SafeSave {
public:
    enum Result { SAVED, CANNOT_CREATE, FAILED };

    // Writes the content through a buffer of bufferSize bytes. The body returns false
    // when a part could not be written; a failed flush, sync or rename also fails the
    // save. Each failure writes a trace line of category "error" and leaves the error
    // of the step that failed as the last error (ERROR_INVALID_DATA when the body
    // failed without a failed write).
    static Result Write(const TCHAR* path, unsigned bufferSize,
                        const std::function<bool(IO::BinaryWriter& writer)>& body);

    // The temporary file of a save of path: ".<name>.tmp" in the same folder, so that
    // no list dialog or housekeeping ever takes it for a list.
    static std::u16string TemporaryPathFor(const TCHAR* path);
};
