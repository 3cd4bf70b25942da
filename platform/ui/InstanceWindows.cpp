#include "InstanceWindows.h"

#include "CWnd.h"
#include "DevicePath.h"
#include "QtText.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <algorithm>
#include <memory>
#include <mutex>

namespace {
QPointer<QLocalServer> g_server;
std::function<bool(const QString&)> g_openHandler;
// The longest request: an "OPEN" carries a whole path.
constexpr qint64 kMaxRequest = 16384;

// Handles given out for another copy's windows; replaced by each enumeration.
struct RemoteHandle {
    quint64 id;
    QString title;
};
std::mutex g_handlesLock;
std::vector<std::unique_ptr<RemoteHandle>> g_handles;

const RemoteHandle* FindRemote(HWND hwnd) {
    for (const auto& handle : g_handles)
        if (reinterpret_cast<HWND>(handle.get()) == hwnd)
            return handle.get();
    return nullptr;
}

// One request per line: "LIST", "RAISE <id> <show>", "OPEN <base64 path>". Answers:
// "W <id> <base64 title>" lines and "END", or "OK" / "ERR".
QByteArray Answer(const QByteArray& line) {
    const QList<QByteArray> parts = line.trimmed().split(' ');
    if (parts.value(0) == "LIST") {
        QByteArray out;
        for (CWnd* wnd : CWnd::GetTopLevelWindows()) {
            CString title;
            wnd->GetWindowText(title);
            out += "W " + QByteArray::number(reinterpret_cast<quintptr>(wnd)) + ' ' +
                   ToQString(title).toUtf8().toBase64() + '\n';
        }
        return out + "END\n";
    }
    if (parts.value(0) == "RAISE" && parts.size() == 3) {
        bool idOk = false;
        bool showOk = false;
        const quint64 id = parts[1].toULongLong(&idOk);
        const int show = parts[2].toInt(&showOk);
        CWnd* wnd = idOk && showOk ? CWnd::FromHandle(reinterpret_cast<HWND>(static_cast<quintptr>(id))) : nullptr;
        if (!wnd || !wnd->GetWidget() || !wnd->GetWidget()->isWindow())
            return "ERR\n";
        if (show >= 0)
            wnd->ShowWindow(show);
        wnd->BringWindowToTop();
        return "OK\n";
    }
    if (parts.value(0) == "OPEN" && parts.size() == 2) {
        const QString path = QString::fromUtf8(QByteArray::fromBase64(parts[1]));
        return !path.isEmpty() && g_openHandler && g_openHandler(path) ? "OK\n" : "ERR\n";
    }
    return "ERR\n";
}

// Reads one line within the deadline; empty when none came.
QByteArray ReadLine(QLocalSocket& socket, const QDeadlineTimer& deadline) {
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || socket.state() != QLocalSocket::ConnectedState)
            return {};
        socket.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
    }
    return socket.readLine().trimmed();
}

bool Connect(QLocalSocket& socket, int timeoutMs) {
    socket.connectToServer(InstanceWindows::ServerName());
    return socket.waitForConnected(timeoutMs);
}
}  // namespace

QString InstanceWindows::ServerName() {
    const QString root = QString::fromStdString(DevicePath::Root());
    const QString path = root + QStringLiteral("/windows.sock");
    // Socket paths are short on Linux; a long root gets a name derived from it.
    if (path.toUtf8().size() < 100)
        return path;
    const QByteArray hash = QCryptographicHash::hash(root.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("listora-windows-") + QString::fromLatin1(hash);
}

bool InstanceWindows::StartServer() {
    if (g_server)
        return true;
    DevicePath::EnsureRoot();
    const QString name = ServerName();
    {
        QLocalSocket probe;
        if (Connect(probe, 200))
            return false;  // another copy answers
    }
    // Nobody answers: a socket left by a copy that died is in the way.
    QLocalServer::removeServer(name);
    auto* server = new QLocalServer();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name)) {
        delete server;
        return false;
    }
    QObject::connect(server, &QLocalServer::newConnection, server, [server] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket] {
                // Requests are short; anything longer is no client of ours.
                while (socket->canReadLine())
                    socket->write(Answer(socket->readLine(kMaxRequest)));
                if (socket->bytesAvailable() > kMaxRequest)
                    socket->abort();
            });
        }
    });
    g_server = server;
    return true;
}

void InstanceWindows::StopServer() {
    delete g_server.data();
    g_server = nullptr;
}

bool InstanceWindows::OwnsServer() {
    return g_server && g_server->isListening();
}

std::vector<InstanceWindows::RemoteWindow> InstanceWindows::ListRemote(int timeoutMs) {
    std::vector<RemoteWindow> windows;
    QLocalSocket socket;
    if (!Connect(socket, timeoutMs))
        return windows;
    socket.write("LIST\n");
    socket.flush();
    const QDeadlineTimer deadline(timeoutMs);
    // A bounded answer: no copy has thousands of top-level windows.
    for (int i = 0; i < 1000; ++i) {
        const QByteArray line = ReadLine(socket, deadline);
        if (line.isEmpty() || line == "END")
            break;
        const QList<QByteArray> parts = line.split(' ');
        bool ok = false;
        const quint64 id = parts.value(1).toULongLong(&ok);
        if (parts.value(0) != "W" || !ok)
            break;
        windows.push_back({id, QString::fromUtf8(QByteArray::fromBase64(parts.value(2)))});
    }
    return windows;
}

bool InstanceWindows::RaiseRemote(quint64 id, int nCmdShow, int timeoutMs) {
    QLocalSocket socket;
    if (!Connect(socket, timeoutMs))
        return false;
    socket.write("RAISE " + QByteArray::number(id) + ' ' + QByteArray::number(nCmdShow) + '\n');
    socket.flush();
    return ReadLine(socket, QDeadlineTimer(timeoutMs)) == "OK";
}

void InstanceWindows::SetOpenHandler(std::function<bool(const QString& path)> handler) {
    g_openHandler = std::move(handler);
}

bool InstanceWindows::OpenRemote(const QString& path, int timeoutMs) {
    const QByteArray request = "OPEN " + path.toUtf8().toBase64() + '\n';
    QLocalSocket socket;
    if (request.size() >= kMaxRequest || !Connect(socket, timeoutMs))
        return false;
    socket.write(request);
    socket.flush();
    return ReadLine(socket, QDeadlineTimer(timeoutMs)) == "OK";
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
    if (!proc)
        return FALSE;
    for (CWnd* wnd : CWnd::GetTopLevelWindows())
        if (!proc(wnd->GetSafeHwnd(), lParam))
            return FALSE;
    if (InstanceWindows::OwnsServer())
        return TRUE;
    std::vector<HWND> remote;
    {
        std::lock_guard guard(g_handlesLock);
        g_handles.clear();
        for (const auto& window : InstanceWindows::ListRemote()) {
            g_handles.push_back(std::make_unique<RemoteHandle>(RemoteHandle{window.id, window.title}));
            remote.push_back(reinterpret_cast<HWND>(g_handles.back().get()));
        }
    }
    for (HWND hwnd : remote)
        if (!proc(hwnd, lParam))
            return FALSE;
    return TRUE;
}

int GetWindowTextW(HWND hwnd, LPWSTR text, int maxCount) {
    if (!text || maxCount <= 0)
        return 0;
    CString title;
    if (CWnd* wnd = CWnd::FromHandle(hwnd)) {
        wnd->GetWindowText(title);
    } else {
        std::lock_guard guard(g_handlesLock);
        const RemoteHandle* remote = FindRemote(hwnd);
        if (!remote) {
            text[0] = 0;
            return 0;
        }
        title = ToCString(remote->title);
    }
    const int count = std::min(title.GetLength(), maxCount - 1);
    std::copy_n(title.GetString(), count, text);
    text[count] = 0;
    return count;
}

namespace {
BOOL RaiseOrShow(HWND hwnd, int nCmdShow) {
    if (CWnd* wnd = CWnd::FromHandle(hwnd)) {
        if (nCmdShow >= 0)
            return wnd->ShowWindow(nCmdShow);
        return wnd->BringWindowToTop();
    }
    quint64 id = 0;
    {
        std::lock_guard guard(g_handlesLock);
        const RemoteHandle* remote = FindRemote(hwnd);
        if (!remote)
            return FALSE;
        id = remote->id;
    }
    return InstanceWindows::RaiseRemote(id, nCmdShow) ? TRUE : FALSE;
}
}  // namespace

BOOL BringWindowToTop(HWND hwnd) {
    return RaiseOrShow(hwnd, -1);
}

BOOL ShowWindow(HWND hwnd, int nCmdShow) {
    return RaiseOrShow(hwnd, nCmdShow < 0 ? SW_SHOW : nCmdShow);
}
