// Saves the document's list shortly after each change, so that a kill, a power cut or
// a crash of the session loses nothing: within a second of a change, a burst of
// changes making one save. It is the same safe save as on leaving, to the same file
// (a text list goes to the ".lsr" beside it), but it never asks: when that ".lsr"
// exists already, or the file is read-only, or the list did not load, it leaves the
// list to the save on leaving. The bytes are made on the user-interface thread (they
// are the document's) and written, flushed and put in place by a worker thread, so a
// long list costs the screen nothing.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class CListoraDoc;
class QObject;
class QTimer;

class ListAutosave {
public:
    // How long after a change the save starts: short enough that a write of a long
    // list still ends within a second.
    static constexpr int kDelayMs = 300;

    explicit ListAutosave(CListoraDoc& doc);
    // Waits for a write in progress (and takes its result).
    ~ListAutosave();
    ListAutosave(const ListAutosave&) = delete;
    ListAutosave& operator=(const ListAutosave&) = delete;

    // The document changed: a save follows within kDelayMs.
    void Changed();
    // Whether the list may be saved without asking: false after a load that failed.
    void SetAllowed(bool allowed) { m_allowed = allowed; }
    // Waits for a write in progress and takes its result. Called before the document
    // saves, loads or changes its file by other ways.
    void Finish();

    // Holds saves back while the document saves or loads by itself (a question it
    // asks runs the event loop); a write in progress is finished first.
    class Pause {
    public:
        explicit Pause(ListAutosave* autosave);
        ~Pause();
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

    private:
        ListAutosave* m_autosave;
    };

private:
    void Save();
    // The file the list goes to; false when this save is to be left alone.
    bool Target(std::u16string& path) const;
    void Collect();

    CListoraDoc& m_doc;
    std::unique_ptr<QTimer> m_timer;
    std::unique_ptr<QObject> m_context;
    bool m_allowed = true;
    int m_paused = 0;
    std::uint64_t m_changes = 0;
    // The write in progress and what it reports.
    std::thread m_worker;
    std::u16string m_writing;
    std::uint64_t m_writingChanges = 0;
    unsigned long m_error = 0;
};
