#include "host/SkolvLink.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaly {

namespace {

constexpr char ClientClass[] = "ThisIsTheSkolvClientComponentWindowClass";
constexpr char ServerClass[] = "ThisIsTheSkolvServerComponentWindowClass";
constexpr char ServerName[] = "ThisIsTheSkolvServerComponentWindow";
// Unix socket paths are limited to 107 bytes.
constexpr qsizetype MaxSocketPath = 100;

void PutU32(char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

std::uint32_t GetU32(const char* p)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t(static_cast<unsigned char>(p[i])) << (8 * i);
    return v;
}

const QByteArray Ack("\0\0\0\0", 4);

} // namespace

TTimeStamp TimeStampOf(const QDateTime& when)
{
    const QTime t = when.time();
    TTimeStamp s;
    s.Time = t.msecsSinceStartOfDay();
    s.Date = std::int32_t(QDate(1, 1, 1).daysTo(when.date()) + 1);
    return s;
}

TTimeStamp CurrentTimeStamp()
{
    return TimeStampOf(QDateTime::currentDateTime());
}

QByteArray EncodeFrame(const TFrame& frame)
{
    QByteArray out(FrameHeaderSize + frame.Payload.size(), '\0');
    char* p = out.data();
    PutU32(p, frame.MsgId);
    PutU32(p + 4, std::uint32_t(8 + frame.Payload.size()));
    PutU32(p + 8, frame.Sender);
    PutU32(p + 12, std::uint32_t(frame.Stamp.Time));
    PutU32(p + 16, std::uint32_t(frame.Stamp.Date));
    if (!frame.Payload.isEmpty())
        std::memcpy(p + FrameHeaderSize, frame.Payload.constData(), size_t(frame.Payload.size()));
    return out;
}

TFrameStatus DecodeFrame(QByteArray& buffer, TFrame& frame)
{
    if (buffer.size() < 12)
        return TFrameStatus::NeedMore;
    const char* p = buffer.constData();
    const std::uint32_t length = GetU32(p + 4);
    if (length < 8 || qsizetype(length) - 8 > MaxFramePayload)
        return TFrameStatus::Malformed;
    const qsizetype total = 12 + qsizetype(length);
    if (buffer.size() < total)
        return TFrameStatus::NeedMore;
    frame.MsgId = GetU32(p);
    frame.Sender = GetU32(p + 8);
    frame.Stamp.Time = std::int32_t(GetU32(p + 12));
    frame.Stamp.Date = std::int32_t(GetU32(p + 16));
    frame.Payload = buffer.mid(FrameHeaderSize, qsizetype(length) - 8);
    buffer.remove(0, total);
    return TFrameStatus::Complete;
}

QString SkolvRuntimeDir()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return QDir(runtime).absolutePath();
    // Without a runtime folder: a folder of the user's own in the temporary folder, made with
    // owner-only access, never the shared temporary folder itself.
    static const QString own = [] {
        const QString temp = QDir(QDir::tempPath()).absolutePath();
        const QString dir = QString("%1/tessaly-%2").arg(temp).arg(::getuid());
        if (IsPrivateFolder(dir))
            return dir;
        // The name is taken by something that is not ours (another user's folder, a link): a
        // folder of a fresh name instead, which a second start cannot find.
        QByteArray pattern = QFile::encodeName(dir + "-XXXXXX");
        if (::mkdtemp(pattern.data())) {
            std::fprintf(stderr, "tessaly: %s is not a folder of this user's own; using %s\n",
                         QFile::encodeName(dir).constData(), pattern.constData());
            return QFile::decodeName(pattern);
        }
        return dir;
    }();
    return own;
}

bool IsPrivateFolder(const QString& path)
{
    const QByteArray p = QFile::encodeName(path);
    if (::mkdir(p.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    if (::lstat(p.constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

namespace {
QString EndpointPath(const QString& name)
{
    const QString dir = SkolvRuntimeDir();
    QString path = dir + "/" + name;
    if (path.toUtf8().size() > MaxSocketPath) {
        // A long runtime folder or handle text: a fixed-length name derived from the full one.
        const QByteArray digest = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1);
        path = dir + "/skolv-" + QString::fromLatin1(digest.toHex().left(24));
    }
    return path;
}
} // namespace

QString ClientEndpointPath(std::uint32_t window)
{
    return EndpointPath(QString("%1.%2").arg(ClientClass).arg(window, 8, 16, QChar('0')));
}

QString ServerEndpointPath(const QString& handleText)
{
    return EndpointPath(QString(ServerClass) + handleText + "." + ServerName + handleText);
}

std::uint32_t ServerWindowValue(const QString& handleText)
{
    const QByteArray digest =
        QCryptographicHash::hash(ServerEndpointPath(handleText).toUtf8(), QCryptographicHash::Sha1);
    const std::uint32_t v = GetU32(digest.constData());
    return v == 0 ? 1 : v;
}

struct TSkolvEndpoint::TConnection {
    QLocalSocket* Socket = nullptr;
    QByteArray Buffer;
    bool Busy = false;  // a frame of this connection is being handled
};

TSkolvEndpoint::TSkolvEndpoint(QObject* parent) : QObject(parent) {}

TSkolvEndpoint::~TSkolvEndpoint()
{
    Close();
}

void RemoveStaleClientEndpoints()
{
    const QString dir = SkolvRuntimeDir();
    const QStringList names =
        QDir(dir).entryList({QString(ClientClass) + ".*"}, QDir::System | QDir::Hidden);
    for (const QString& name : names) {
        const QString path = dir + "/" + name;
        const QByteArray p = QFile::encodeName(path);
        struct stat st {};
        if (::lstat(p.constData(), &st) != 0 || !S_ISSOCK(st.st_mode) || st.st_uid != ::getuid())
            continue;
        if (!TSkolvEndpoint::IsAlive(path))
            ::unlink(p.constData());
    }
}

bool TSkolvEndpoint::ListenAsClient()
{
    // Endpoints of instances that were killed stay behind; the first client of a process
    // clears them away.
    static bool cleared = false;
    if (!cleared) {
        cleared = true;
        RemoveStaleClientEndpoints();
    }
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::uint32_t w = QRandomGenerator::system()->generate();
        if (w == 0)
            continue;
        const QString path = ClientEndpointPath(w);
        if (QFile::exists(path) && IsAlive(path))
            continue;
        if (ListenAt(path, w))
            return true;
    }
    return false;
}

bool TSkolvEndpoint::ListenAt(const QString& path, std::uint32_t window)
{
    Close();
    if (QFile::exists(path)) {
        if (IsAlive(path))
            return false;
        QLocalServer::removeServer(path);
    }
    auto* server = new QLocalServer(this);
    // Only the same user may connect.
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path)) {
        delete server;
        return false;
    }
    connect(server, &QLocalServer::newConnection, this, &TSkolvEndpoint::Accept);
    FServer = server;
    FWindow = window;
    FPath = path;
    return true;
}

void TSkolvEndpoint::Close()
{
    for (auto& c : FConnections) {
        c->Socket->disconnect(this);
        c->Socket->abort();
        c->Socket->deleteLater();
    }
    FConnections.clear();
    if (FServer) {
        FServer->close();
        delete FServer;
        FServer = nullptr;
    }
    FWindow = 0;
    FPath.clear();
}

bool TSkolvEndpoint::IsListening() const
{
    return FServer && FServer->isListening();
}

bool TSkolvEndpoint::IsAlive(const QString& path)
{
    QLocalSocket probe;
    probe.connectToServer(path);
    const bool alive = probe.waitForConnected(500);
    probe.abort();
    return alive;
}

void TSkolvEndpoint::Accept()
{
    while (FServer && FServer->hasPendingConnections()) {
        QLocalSocket* s = FServer->nextPendingConnection();
        auto c = std::make_unique<TConnection>();
        c->Socket = s;
        TConnection* raw = c.get();
        FConnections.push_back(std::move(c));
        connect(s, &QLocalSocket::readyRead, this, [this, raw] { ReadFrom(raw); });
        connect(s, &QLocalSocket::disconnected, this, [this, raw] { Drop(raw); });
        if (s->bytesAvailable() > 0)
            ReadFrom(raw);
    }
}

void TSkolvEndpoint::ReadFrom(TConnection* c)
{
    if (c->Busy)
        return;  // the frame being handled finishes first; the rest is read afterwards
    c->Busy = true;
    QPointer<QLocalSocket> socket = c->Socket;
    QPointer<TSkolvEndpoint> self = this;
    for (;;) {
        // A peer that went away while its last frame was handled leaves nothing to read.
        if (socket->bytesAvailable() > 0)
            c->Buffer += socket->readAll();
        TFrame frame;
        const TFrameStatus st = DecodeFrame(c->Buffer, frame);
        if (st == TFrameStatus::NeedMore)
            break;
        if (st == TFrameStatus::Malformed) {
            c->Busy = false;
            socket->abort();
            return;
        }
        if (OnFrame)
            OnFrame(frame);
        // The handler may have closed this endpoint (a quit message) or the peer may be gone.
        if (!self || !socket)
            return;
        socket->write(Ack);
        socket->flush();
    }
    c->Busy = false;
}

void TSkolvEndpoint::Drop(TConnection* c)
{
    if (c->Busy)
        return;
    auto it = std::find_if(FConnections.begin(), FConnections.end(),
                           [c](const auto& p) { return p.get() == c; });
    if (it == FConnections.end())
        return;
    (*it)->Socket->deleteLater();
    FConnections.erase(it);
}

bool TSkolvEndpoint::SendFrame(const QString& path, const TFrame& frame, int timeoutMs)
{
    if (path.isEmpty() || frame.Payload.size() > MaxFramePayload)
        return false;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(std::min(timeoutMs, 1000)))
        return false;
    socket.write(EncodeFrame(frame));
    socket.flush();

    // Wait for the acknowledgement while this thread keeps serving the own endpoint, so that a
    // reply the peer sends while it handles the message is received before the send returns.
    QEventLoop loop;
    bool acked = false;
    QByteArray got;
    auto check = [&] {
        got += socket.readAll();
        if (got.size() >= 4) {
            acked = true;
            loop.quit();
        }
    };
    connect(&socket, &QLocalSocket::readyRead, &loop, check);
    connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    connect(&socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check();
    if (!acked && socket.state() == QLocalSocket::ConnectedState)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    socket.abort();
    return acked;
}

} // namespace tessaly
