// What a long catalogue read reports to: one step per item, and whether the user has
// cancelled. The progress dialog of the user interface implements it; data code never
// needs one.
#pragma once

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void Step() = 0;
    virtual bool IsCancelPressed() = 0;
};
