// Result of FileStream::Init.
#pragma once

namespace IO {

enum class OpenResult : int {
    Opened = 0,      // the file is open
    EmptyName = 2,   // the path was empty; nothing was changed
    OpenFailed = 4,  // the system refused to open the file
};

}  // namespace IO
