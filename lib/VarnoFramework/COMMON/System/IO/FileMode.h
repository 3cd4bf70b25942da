// How FileStream::Init opens a file; the values are the platform's creation
// dispositions and are passed through unchanged.
#pragma once

namespace IO {

enum class FileMode : unsigned {
    CreateNew = 1,  // create; fail if the file exists
    Create = 2,     // create, replacing an existing file
    Open = 3,       // open an existing file; fail if it does not exist
    Append = 4,     // open, creating when missing, then position at the end
    Truncate = 5,   // open an existing file and cut it to length 0
};

}  // namespace IO
