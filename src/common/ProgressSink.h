// What a long piece of data work reports to: the number of steps (when it knows it), one
// step at a time, and whether the user has cancelled. The progress dialog of the user
// interface implements it; data code never needs one.
#pragma once
#include "windows.h"

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Called once before the first step by work that knows how many steps it takes.
    virtual void SetMaxOfInterval(DWORD steps) { (void)steps; }
    virtual void Step() = 0;
    virtual bool IsCancelPressed() = 0;
};
