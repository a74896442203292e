#pragma once
// The message link between the host client and its peers, on Unix-domain sockets in the user's
// runtime folder. A party's "window" is a socket it listens on; a message is one frame
//   32-bit id, 32-bit length (8 + payload), 32-bit sender window, 32-bit time of day in
//   milliseconds, 32-bit day number, payload
// in little-endian order. A send blocks until the receiver has handled the message and
// acknowledged it; messages that reach the sender meanwhile (the peer's reply) are handled before
// the send returns. No send waits longer than its time-out.

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QLocalServer;
class QLocalSocket;

namespace tessaly {

// Time of sending: milliseconds since midnight and the day number (1 January of year 1 is day 1).
struct TTimeStamp {
    std::int32_t Time = 0;
    std::int32_t Date = 0;
    friend bool operator==(const TTimeStamp&, const TTimeStamp&) = default;
};

TTimeStamp TimeStampOf(const QDateTime& when);
TTimeStamp CurrentTimeStamp();

struct TFrame {
    std::uint32_t MsgId = 0;
    std::uint32_t Sender = 0;  // the sending party's window
    TTimeStamp Stamp;
    QByteArray Payload;
};

// Frames above this payload size are refused on both ends.
constexpr qsizetype MaxFramePayload = 64 * 1024 * 1024;
constexpr qsizetype FrameHeaderSize = 20;

QByteArray EncodeFrame(const TFrame& frame);

enum class TFrameStatus { NeedMore, Complete, Malformed };
// Takes one frame off the front of buffer when it is complete. A frame whose length is below the
// 8-byte stamp or above the limit is malformed; nothing is allocated for its declared length.
TFrameStatus DecodeFrame(QByteArray& buffer, TFrame& frame);

// The folder that holds the endpoints and the single-instance locks: $XDG_RUNTIME_DIR, else a
// folder of the user's own in the temporary folder (tessaly-<uid>, owner-only access).
QString SkolvRuntimeDir();
// Makes the folder with owner-only access where it is missing; true when it is a folder (not a
// link) that belongs to this user and that nobody else may enter.
bool IsPrivateFolder(const QString& path);
// Endpoint of a client window, and of the host server for the handle text h.
QString ClientEndpointPath(std::uint32_t window);
QString ServerEndpointPath(const QString& handleText);
// Removes the client endpoints in the runtime folder that belong to this user and that nobody
// listens on any more (left by processes that were killed).
void RemoveStaleClientEndpoints();
// The window value under which a server endpoint is known to its clients (never 0).
std::uint32_t ServerWindowValue(const QString& handleText);

// One party's endpoint: listens for frames, hands each to OnFrame and acknowledges it after the
// handler returned; sends frames to other endpoints synchronously.
class TSkolvEndpoint : public QObject {
    Q_OBJECT
public:
    explicit TSkolvEndpoint(QObject* parent = nullptr);
    ~TSkolvEndpoint() override;

    // Listens at a fresh client endpoint; the window value is chosen here. False on failure.
    bool ListenAsClient();
    // Listens at a given endpoint path (a server); an existing stale socket is replaced only when
    // nobody answers on it.
    bool ListenAt(const QString& path, std::uint32_t window);
    void Close();
    bool IsListening() const;
    std::uint32_t Window() const { return FWindow; }
    QString Path() const { return FPath; }

    std::function<void(const TFrame&)> OnFrame;

    // Delivers frame to the endpoint at path and waits until it was handled. False when the peer
    // does not exist, does not answer within timeoutMs, or the link broke.
    bool SendFrame(const QString& path, const TFrame& frame, int timeoutMs = 5000);

    // True when something listens at path.
    static bool IsAlive(const QString& path);

private:
    struct TConnection;
    void Accept();
    void ReadFrom(TConnection* c);
    void Drop(TConnection* c);

    QLocalServer* FServer = nullptr;
    std::uint32_t FWindow = 0;
    QString FPath;
    std::vector<std::unique_ptr<TConnection>> FConnections;
};

} // namespace tessaly
