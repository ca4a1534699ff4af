#include "framework/single_instance.h"

#include <pwd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <cctype>
#include <cstdlib>

#include "framework/qt_internal.h"

// Protocol: the client sends a 4-byte little-endian length and that many UTF-8 bytes; the
// server answers one byte 'A' once it has taken the name.
namespace curvelo::fw {
namespace {

constexpr quint32 kMaxName = 4096;
constexpr char kAck = 'A';

std::string UserName() {
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name && *pw->pw_name) return pw->pw_name;
    if (const char* u = std::getenv("USER"); u && *u) return u;
    return std::to_string(getuid());
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

std::string DefaultInstanceChannel() {
    std::string user;
    for (char c : UserName())
        user += (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-') ? c : '_';
    return "cvhuprev-" + user;
}

bool HandToFirstInstance(const std::string& documentName, int timeoutMs, const std::string& channel) {
    // The local socket needs an application object; a second start has none yet.
    std::unique_ptr<QCoreApplication> temp;
    static int argc = 1;
    static char arg0[] = "curvelo";
    static char* argv[] = {arg0, nullptr};
    if (!QCoreApplication::instance()) temp = std::make_unique<QCoreApplication>(argc, argv);
    QLocalSocket socket;
    socket.connectToServer(ToQ(channel));
    if (!socket.waitForConnected(timeoutMs)) return false;
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
