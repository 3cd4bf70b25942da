#include "InstanceWindows.h"

#include "CWnd.h"
#include "DevicePath.h"
#include "QtText.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <list>
#include <memory>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
std::function<bool(const QString&)> g_openHandler;
// The longest request: an "OPEN" carries a whole path.
constexpr qsizetype kMaxRequest = 16384;
// The longest answer line a client waits for: a window and its title.
constexpr qsizetype kMaxAnswerLine = 1 << 20;
// Copies asking at once; more connections than that are closed at once, so clients
// that never hang up cannot use up the descriptors.
constexpr size_t kMaxPeers = 64;

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


// A descriptor closed with its owner.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }

private:
    int m_fd;
};

// The socket file; a bare name lies in the temporary folder.
std::string SocketPath() {
    const QString name = InstanceWindows::ServerName();
    return QFile::encodeName(name.startsWith(u'/') ? name : QDir::tempPath() + u'/' + name).toStdString();
}

bool ToAddress(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

int NewSocket() {
    return socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

// What is left of the deadline for poll: -1 for none.
int PollMs(const QDeadlineTimer& deadline) {
    return deadline.isForever() ? -1 : static_cast<int>(std::clamp<qint64>(deadline.remainingTime(), 0, INT_MAX));
}

// Waits until fd is ready for events or the deadline passes.
bool WaitFor(int fd, short events, const QDeadlineTimer& deadline) {
    pollfd entry{fd, events, 0};
    for (;;) {
        const int ready = poll(&entry, 1, PollMs(deadline));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// A client's connection to the copy that answers. Each call has its own, so the
// calls work from any thread.
class Connection {
public:
    // Connects within timeoutMs; the exchange then has timeoutMs more.
    explicit Connection(int timeoutMs) : m_fd(NewSocket()) {
        const QDeadlineTimer connectBy(timeoutMs);
        sockaddr_un address;
        if (m_fd.get() < 0 || !ToAddress(SocketPath(), address))
            return;
        for (;;) {
            if (connect(m_fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
                break;
            if (errno == EINPROGRESS) {
                int error = 0;
                socklen_t size = sizeof error;
                if (!WaitFor(m_fd.get(), POLLOUT, connectBy) ||
                    getsockopt(m_fd.get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
                    return;
                break;
            }
            // A full backlog: the copy is busy; try again shortly.
            if (errno != EAGAIN || connectBy.hasExpired())
                return;
            const int left = PollMs(connectBy);
            poll(nullptr, 0, left < 0 ? 10 : std::min(10, left));
        }
        m_connected = true;
        m_deadline = QDeadlineTimer(timeoutMs);
    }

    bool Connected() const { return m_connected; }

    bool Send(const QByteArray& request) {
        for (qsizetype sent = 0; sent < request.size();) {
            const ssize_t n = send(m_fd.get(), request.constData() + sent, static_cast<size_t>(request.size() - sent),
                                   MSG_NOSIGNAL);
            if (n > 0)
                sent += n;
            else if (n == 0 || (errno != EINTR && errno != EAGAIN) || !WaitFor(m_fd.get(), POLLOUT, m_deadline))
                return false;
        }
        return true;
    }

    // One line of the answer, trimmed; empty when none came in time.
    QByteArray ReadLine() {
        for (;;) {
            const qsizetype end = m_buffer.indexOf('\n');
            if (end >= 0) {
                const QByteArray line = m_buffer.left(end).trimmed();
                m_buffer.remove(0, end + 1);
                return line;
            }
            if (m_buffer.size() > kMaxAnswerLine || !WaitFor(m_fd.get(), POLLIN, m_deadline))
                return {};
            char chunk[4096];
            const ssize_t n = recv(m_fd.get(), chunk, sizeof chunk, 0);
            if (n > 0)
                m_buffer.append(chunk, n);
            else if (n == 0 || (errno != EINTR && errno != EAGAIN))
                return {};
        }
    }

    // Sends one request and reads the one-line answer.
    bool Ask(const QByteArray& request) { return Connected() && Send(request) && ReadLine() == "OK"; }

private:
    Descriptor m_fd;
    bool m_connected = false;
    QDeadlineTimer m_deadline;
    QByteArray m_buffer;
};

// Another copy connected to the server. Its descriptor never blocks; while an
// answer waits to be sent, nothing more is read from it.
struct Peer {
    explicit Peer(int fd) : fd(fd) {}
    Descriptor fd;
    QSocketNotifier* reader = nullptr;
    QSocketNotifier* writer = nullptr;
    QByteArray in;
    QByteArray out;
    bool hungUp = false;
};

// The listening socket of the copy that answers, served in its event loop.
class Server {
public:
    static std::unique_ptr<Server> Listen(const std::string& path);
    ~Server() {
        // Remove the file only while it is still this server's.
        struct stat now;
        if (lstat(m_path.c_str(), &now) == 0 && now.st_dev == m_file.st_dev && now.st_ino == m_file.st_ino)
            unlink(m_path.c_str());
    }

private:
    Server(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    void Accept();
    bool Read(Peer& peer);
    bool Flush(Peer& peer);
    void Drop(Peer* peer);

    Descriptor m_fd;
    std::string m_path;
    struct stat m_file = {};
    std::list<std::unique_ptr<Peer>> m_peers;
    // Parent of the notifiers; goes before the descriptors they watch.
    QObject m_notifiers;
};

std::unique_ptr<Server> Server::Listen(const std::string& path) {
    // The socket is made in a new folder only the user may enter, made user-only,
    // then moved into place: others can never connect, not even for an instant, and
    // the move replaces a file left by a copy that died.
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return nullptr;
    std::string folder = path.substr(0, slash) + "/.wsXXXXXX";
    sockaddr_un address;
    if (!ToAddress(folder + "/s", address) || !mkdtemp(folder.data()))
        return nullptr;
    const std::string staged = folder + "/s";
    ToAddress(staged, address);
    std::unique_ptr<Server> server(new Server(NewSocket(), path));
    const int fd = server->m_fd.get();
    const bool bound = fd >= 0 && bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    const bool listening = bound && chmod(staged.c_str(), 0600) == 0 && listen(fd, 16) == 0 &&
                           rename(staged.c_str(), path.c_str()) == 0;
    if (bound && !listening)
        unlink(staged.c_str());
    rmdir(folder.c_str());
    if (!listening || lstat(path.c_str(), &server->m_file) != 0)
        return nullptr;
    auto* acceptor = new QSocketNotifier(fd, QSocketNotifier::Read, &server->m_notifiers);
    QObject::connect(acceptor, &QSocketNotifier::activated, acceptor, [raw = server.get()] { raw->Accept(); });
    return server;
}

void Server::Accept() {
    for (size_t turn = 0; turn < kMaxPeers; ++turn) {
        const int fd = accept4(m_fd.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        auto& peer = m_peers.emplace_back(std::make_unique<Peer>(fd));
        if (m_peers.size() > kMaxPeers) {
            m_peers.pop_back();
            continue;
        }
        Peer* raw = peer.get();
        raw->reader = new QSocketNotifier(fd, QSocketNotifier::Read, &m_notifiers);
        raw->writer = new QSocketNotifier(fd, QSocketNotifier::Write, &m_notifiers);
        raw->writer->setEnabled(false);
        QObject::connect(raw->reader, &QSocketNotifier::activated, raw->reader, [this, raw] {
            if (!Read(*raw) || !Flush(*raw))
                Drop(raw);
        });
        QObject::connect(raw->writer, &QSocketNotifier::activated, raw->writer, [this, raw] {
            if (!Flush(*raw))
                Drop(raw);
        });
    }
}

// Reads what came and answers each whole line; false when the peer is no client of
// ours or the connection failed.
bool Server::Read(Peer& peer) {
    // Not read again while it is answered (a handler could run events).
    peer.reader->setEnabled(false);
    char chunk[4096];
    // A bounded amount a turn, so one busy peer cannot hold up the event loop.
    for (int turn = 0; turn < 16 && peer.out.isEmpty(); ++turn) {
        const ssize_t n = recv(peer.fd.get(), chunk, sizeof chunk, 0);
        if (n == 0) {
            peer.hungUp = true;
            break;
        }
        if (n < 0)
            return errno == EAGAIN || errno == EINTR;
        peer.in.append(chunk, n);
        for (qsizetype end; (end = peer.in.indexOf('\n')) >= 0;) {
            if (end >= kMaxRequest)
                return false;
            peer.out += Answer(peer.in.left(end));
            peer.in.remove(0, end + 1);
        }
        // Requests are short; anything longer is no client of ours.
        if (peer.in.size() >= kMaxRequest)
            return false;
    }
    return true;
}

// Sends what is left of the answers; false when the peer is gone or has hung up
// and has all its answers.
bool Server::Flush(Peer& peer) {
    while (!peer.out.isEmpty()) {
        const ssize_t n = send(peer.fd.get(), peer.out.constData(), static_cast<size_t>(peer.out.size()),
                               MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0)
            peer.out.remove(0, n);
        else if (n < 0 && errno == EAGAIN)
            break;
        else if (n == 0 || errno != EINTR)
            return false;
    }
    if (peer.out.isEmpty() && peer.hungUp)
        return false;
    peer.writer->setEnabled(!peer.out.isEmpty());
    peer.reader->setEnabled(peer.out.isEmpty() && !peer.hungUp);
    return true;
}

void Server::Drop(Peer* peer) {
    // The notifiers may be the ones calling: they go later, quiet from now on.
    for (QSocketNotifier* notifier : {peer->reader, peer->writer}) {
        notifier->setEnabled(false);
        notifier->deleteLater();
    }
    m_peers.remove_if([peer](const std::unique_ptr<Peer>& held) { return held.get() == peer; });
}

std::unique_ptr<Server> g_server;
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
    if (Connection(200).Connected())
        return false;  // another copy answers
    g_server = Server::Listen(SocketPath());
    return g_server != nullptr;
}

void InstanceWindows::StopServer() {
    g_server.reset();
}

bool InstanceWindows::OwnsServer() {
    return g_server != nullptr;
}

std::vector<InstanceWindows::RemoteWindow> InstanceWindows::ListRemote(int timeoutMs) {
    std::vector<RemoteWindow> windows;
    Connection connection(timeoutMs);
    if (!connection.Connected() || !connection.Send("LIST\n"))
        return windows;
    // A bounded answer: no copy has thousands of top-level windows.
    for (int i = 0; i < 1000; ++i) {
        const QByteArray line = connection.ReadLine();
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
    return Connection(timeoutMs).Ask("RAISE " + QByteArray::number(id) + ' ' + QByteArray::number(nCmdShow) + '\n');
}

void InstanceWindows::SetOpenHandler(std::function<bool(const QString& path)> handler) {
    g_openHandler = std::move(handler);
}

bool InstanceWindows::OpenRemote(const QString& path, int timeoutMs) {
    const QByteArray request = "OPEN " + path.toUtf8().toBase64() + '\n';
    return request.size() < kMaxRequest && Connection(timeoutMs).Ask(request);
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
