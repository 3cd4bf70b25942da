#include "ListAutosave.h"

#include "FailureReason.h"
#include "LRRegistry.h"
#include "ListFile.h"
#include "MemoryWriteStream.h"
#include "Options.h"
#include "SafeSave.h"
#include "System/Diagnostics/Trace.h"
#include "System/IO/BinaryWriter.h"
#include "listoradoc.h"

#include <QObject>
#include <QTimer>

using Diagnostics::Trace;

ListAutosave::ListAutosave(CListoraDoc& doc)
    : m_doc(doc), m_timer(std::make_unique<QTimer>()), m_context(std::make_unique<QObject>()) {
    m_timer->setSingleShot(true);
    m_timer->setInterval(kDelayMs);
    QObject::connect(m_timer.get(), &QTimer::timeout, m_context.get(), [this] { Save(); });
}

ListAutosave::~ListAutosave() {
    if (m_worker.joinable())
        m_worker.join();
}

void ListAutosave::Changed() {
    ++m_changes;
    // A burst of changes is one save: the first change starts the clock.
    if (!m_timer->isActive())
        m_timer->start();
}

void ListAutosave::Finish() {
    if (m_worker.joinable())
        Collect();
}

ListAutosave::Pause::Pause(ListAutosave* autosave) : m_autosave(autosave) {
    if (!m_autosave)
        return;
    m_autosave->Finish();
    ++m_autosave->m_paused;
}

ListAutosave::Pause::~Pause() {
    if (m_autosave)
        --m_autosave->m_paused;
}

bool ListAutosave::Target(std::u16string& path) const {
    const TCHAR* lastFile = TheOptions().GetLastFile();
    path = lastFile ? lastFile : u"";
    if (!m_allowed || path.empty())
        return false;
    if (ListFile::IsTextListName(path.c_str())) {
        // Replacing an existing list beside it needs the user's word: on leaving.
        path = ListFile::BinaryNameFor(path.c_str());
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return false;
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

void ListAutosave::Save() {
    if (m_paused || !m_doc.IsModified())
        return;
    Finish();
    std::u16string path;
    if (!Target(path))
        return;
    MemoryWriteStream stream;
    IO::BinaryWriter writer(stream);
    if (!ListFile::WriteList(writer, m_doc.GetPurchases()) || writer.HasFailed())
        return;  // the save on leaving tells the user
    m_writing = path;
    m_writingChanges = m_changes;
    m_worker = std::thread([this, bytes = std::move(stream.bytes), path] {
        const auto result = SafeSave::Write(path.c_str(), 1u << 16, [&bytes](IO::BinaryWriter& out) {
            const int size = static_cast<int>(bytes.size());
            return out.Write(bytes.data(), 0, size) == size;
        });
        m_error = result == SafeSave::SAVED ? ERROR_SUCCESS : GetLastError();
        QMetaObject::invokeMethod(m_context.get(), [this] { Finish(); }, Qt::QueuedConnection);
    });
}

void ListAutosave::Collect() {
    m_worker.join();
    if (m_error != ERROR_SUCCESS) {
        // Left modified: the save on leaving tries again and tells the user why.
        Trace::WriteFormattedLineT(u"error", u"Autosave of '%s' failed - %s", m_writing.c_str(),
                                   FailureReason::Of(m_error, m_writing.c_str()).c_str());
        return;
    }
    Options& options = TheOptions();
    const TCHAR* lastFile = options.GetLastFile();
    if (!lastFile || m_writing != lastFile) {
        // A text list now lives in its ".lsr": the next start, after a crash too, opens it.
        options.SetLastFile(m_writing.c_str());
        options.SetChanged();
        m_doc.FollowSavedFile(m_writing);
        if (TheRegistry().init())
            options.Save(TheRegistry());
    }
    if (m_writingChanges == m_changes)
        m_doc.SetModifiedFlag(FALSE);
}
