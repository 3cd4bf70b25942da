// Faults on demand for tests of what a failed write does: the Nth file write, flush,
// rename or folder sync, or the Nth read, write or sync of the registry's database, fails
// with a chosen error. Off unless a test arms it; the program never does.
#pragma once
#include "WinTypes.h"

namespace FaultInjection {

enum Point : unsigned {
    FileWrite = 1u << 0,    // WriteFile
    FileFlush = 1u << 1,    // FlushFileBuffers
    FileRename = 1u << 2,   // MoveFileW / MoveFileExW
    FolderSync = 1u << 3,   // the folder flush of a write-through move
    DbWrite = 1u << 4,      // a write of the registry database (or its log)
    DbSync = 1u << 5,       // a sync of the registry database (or its log)
    DbRead = 1u << 6,       // a read of the registry database (or its log)
    FilePoints = FileWrite | FileFlush | FileRename | FolderSync,
    DbPoints = DbWrite | DbSync,
};

// Counts the operations of the given points from now on; the nth of them (from 1)
// fails with error (a Win32 error value). n = 0 only counts.
void Arm(unsigned points, unsigned n, DWORD error);
void Disarm();
// Operations of the armed points seen since Arm.
unsigned Count();
// Called by the layers at each point: true when this operation is to fail, with the
// error to report.
bool Fails(Point point, DWORD& error);

}  // namespace FaultInjection
