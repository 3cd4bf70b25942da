// Base of everything that receives commands. Handlers are registered in the
// constructor of the class that owns them (in place of a message map). A command id
// finds a single-id handler before a range; among equals the latest registration
// wins, so a derived class overrides the handlers its base registered.
#pragma once
#include "UiTypes.h"

#include <functional>
#include <vector>

class CCmdUI;
class CCmdTarget;

struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
};

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget();
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // nCode is CN_COMMAND (run the handler) or CN_UPDATE_COMMAND_UI (pExtra is the
    // CCmdUI to update). With pHandlerInfo given, only tells whether a handler
    // exists (and which target has it) without running it. Derived classes extend
    // the route (view -> document, frame -> view, frame, application).
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Wait cursor for the whole application while work runs.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

protected:
    void MapCommand(UINT id, std::function<void()> handler);
    void MapCommandRange(UINT first, UINT last, std::function<void(UINT)> handler);
    void MapUpdateCommand(UINT id, std::function<void(CCmdUI*)> handler);
    void MapUpdateCommandRange(UINT first, UINT last, std::function<void(CCmdUI*)> handler);

    template <class T>
    void MapCommand(UINT id, void (T::*fn)()) {
        T* self = static_cast<T*>(this);
        MapCommand(id, std::function<void()>([self, fn] { (self->*fn)(); }));
    }
    template <class T>
    void MapCommandRange(UINT first, UINT last, void (T::*fn)(UINT)) {
        T* self = static_cast<T*>(this);
        MapCommandRange(first, last, std::function<void(UINT)>([self, fn](UINT id) { (self->*fn)(id); }));
    }
    template <class T>
    void MapUpdateCommand(UINT id, void (T::*fn)(CCmdUI*)) {
        T* self = static_cast<T*>(this);
        MapUpdateCommand(id, std::function<void(CCmdUI*)>([self, fn](CCmdUI* ui) { (self->*fn)(ui); }));
    }
    template <class T>
    void MapUpdateCommandRange(UINT first, UINT last, void (T::*fn)(CCmdUI*)) {
        T* self = static_cast<T*>(this);
        MapUpdateCommandRange(first, last,
                              std::function<void(CCmdUI*)>([self, fn](CCmdUI* ui) { (self->*fn)(ui); }));
    }

private:
    struct CommandEntry {
        UINT first;
        UINT last;
        std::function<void(UINT)> run;
    };
    struct UpdateEntry {
        UINT first;
        UINT last;
        std::function<void(CCmdUI*)> update;
    };
    std::vector<CommandEntry> m_commands;
    std::vector<UpdateEntry> m_updates;
};
