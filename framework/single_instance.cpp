#include "framework/single_instance.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <cerrno>
#include <cstdlib>

#include "framework/qt_internal.h"

// Protocol: the client sends a 4-byte little-endian length and that many UTF-8 bytes; the
// server answers one byte 'A' once it has taken the name.
namespace curvelo::fw {
namespace {

constexpr quint32 kMaxName = 4096;
constexpr char kAck = 'A';

// The peer of a connected local socket runs as this user.
bool PeerIsThisUser(qintptr fd) {
    ucred cred{};
    socklen_t size = sizeof cred;
    return fd >= 0 && getsockopt(static_cast<int>(fd), SOL_SOCKET, SO_PEERCRED, &cred, &size) == 0 &&
           size == sizeof cred && cred.uid == geteuid();
}

// A real folder (not a link) of this user that nobody else may enter.
bool IsPrivateFolder(const std::string& path) {
    struct stat st {};
    return !path.empty() && lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
           (st.st_mode & 077) == 0;
}

QByteArray Frame(const std::string& name) {
    QByteArray out;
    auto n = static_cast<quint32>(std::min<std::size_t>(name.size(), kMaxName));
    for (int i = 0; i < 4; ++i) out.append(static_cast<char>((n >> (8 * i)) & 0xFF));
    out.append(name.data(), static_cast<qsizetype>(n));
    return out;
}

// Delivers outside of a computation that polls the keyboard.
void DeliverWhenFree(std::function<void(const std::string&)> cb, std::string name) {
    if (!InCapture()) {
        cb(name);
        return;
    }
    QTimer::singleShot(50, qApp, [cb = std::move(cb), name = std::move(name)] { DeliverWhenFree(cb, name); });
}

}  // namespace

std::string InstanceChannelFolder(const char* runtimeDir, const std::string& ownFolder) {
    if (runtimeDir && IsPrivateFolder(runtimeDir)) return runtimeDir;
    if (ownFolder.empty()) return {};
    if (mkdir(ownFolder.c_str(), 0700) != 0 && errno != EEXIST) return {};
    // A folder made by another user first is never used: nothing is sent through it.
    struct stat st {};
    if (lstat(ownFolder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid())
        chmod(ownFolder.c_str(), 0700);
    return IsPrivateFolder(ownFolder) ? ownFolder : std::string();
}

std::string DefaultInstanceChannel() {
    const std::string folder =
        InstanceChannelFolder(std::getenv("XDG_RUNTIME_DIR"), "/tmp/curvelo-" + std::to_string(geteuid()));
    return folder.empty() ? std::string() : folder + "/cvhuprev";
}

bool HandToFirstInstance(const std::string& documentName, int timeoutMs, const std::string& channel) {
    // The local socket needs an application object; a second start has none yet.
    std::unique_ptr<QCoreApplication> temp;
    static int argc = 1;
    static char arg0[] = "curvelo";
    static char* argv[] = {arg0, nullptr};
    if (channel.empty()) return false;
    if (!QCoreApplication::instance()) temp = std::make_unique<QCoreApplication>(argc, argv);
    QLocalSocket socket;
    socket.connectToServer(ToQ(channel));
    if (!socket.waitForConnected(timeoutMs)) return false;
    // Another user listening there would learn which documents this user opens.
    if (!PeerIsThisUser(socket.socketDescriptor())) {
        socket.abort();
        return false;
    }
    socket.write(Frame(documentName));
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(timeoutMs)) return false;
    }
    char c = 0;
    bool ok = socket.read(&c, 1) == 1 && c == kAck;
    socket.disconnectFromServer();
    return ok;
}

struct InstanceServerImpl {
    std::function<void(const std::string&)> onName;
    QLocalServer server;
    bool listening = false;

    void Accept() {
        while (QLocalSocket* s = server.nextPendingConnection()) {
            if (!PeerIsThisUser(s->socketDescriptor())) {
                s->abort();  // only this user's own starts may hand over documents
                s->deleteLater();
                continue;
            }
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            QObject::connect(s, &QLocalSocket::readyRead, s, [this, s, buffer] {
                buffer->append(s->readAll());
                if (buffer->size() < 4) return;
                quint32 n = 0;
                for (int i = 0; i < 4; ++i) n |= static_cast<quint32>(static_cast<unsigned char>((*buffer)[i])) << (8 * i);
                if (n > kMaxName) {
                    s->abort();  // refuse oversized names
                    return;
                }
                if (static_cast<quint32>(buffer->size()) < 4 + n) return;
                std::string name(buffer->constData() + 4, n);
                s->write(&kAck, 1);
                s->flush();
                s->disconnectFromServer();
                if (onName) DeliverWhenFree(onName, name);
            });
        }
    }
};

SingleInstanceServer::SingleInstanceServer(std::function<void(const std::string&)> onName, const std::string& channel)
    : impl_(std::make_unique<InstanceServerImpl>()) {
    impl_->onName = std::move(onName);
    if (channel.empty()) return;  // no private place for the channel: every start runs alone
    impl_->server.setSocketOptions(QLocalServer::UserAccessOption);
    QString name = ToQ(channel);
    // Listening with access options replaces an existing socket file, so first make sure
    // no live instance answers there; a file left by a crashed one is removed.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(200)) {
        probe.abort();
        return;
    }
    QLocalServer::removeServer(name);
    impl_->listening = impl_->server.listen(name);
    InstanceServerImpl* impl = impl_.get();
    QObject::connect(&impl_->server, &QLocalServer::newConnection, &impl_->server, [impl] { impl->Accept(); });
}

SingleInstanceServer::~SingleInstanceServer() = default;

bool SingleInstanceServer::Listening() const { return impl_->listening; }

}  // namespace curvelo::fw
