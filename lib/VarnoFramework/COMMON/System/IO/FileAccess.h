// Access wanted by FileStream::Init; the values are the platform's GENERIC_* bits.
#pragma once

namespace IO {

enum class FileAccess : unsigned {
    Read = 0x80000000u,
    Write = 0x40000000u,
    ReadWrite = 0xC0000000u,
};

}  // namespace IO
