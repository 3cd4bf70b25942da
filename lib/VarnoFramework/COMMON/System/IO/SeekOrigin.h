// Origin of a stream seek; the values are the platform's FILE_BEGIN/CURRENT/END.
#pragma once

namespace IO {

enum class SeekOrigin : unsigned {
    Begin = 0,
    Current = 1,
    End = 2,
};

}  // namespace IO
