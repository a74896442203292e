#pragma once
// The host client: owns the translation engine and fills it from the language file, translates
// its owner form once that is built, keeps the program to one running instance, and links the
// program with a host e-textbook server through messages (see SkolvLink.h for the transport).

#include "host/InstanceLock.h"
#include "host/Parlox2000.h"
#include "host/SkolvLink.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace tessaly {

class TvltCustomDemon;
class TSkolvMessageStream;

// Errors of the host client; the message is the text given.
class ESkolv : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reading past the end of a message (for example a reply that never came).
class EStreamReadError : public std::runtime_error {
public:
    EStreamReadError() : std::runtime_error("Stream read error") {}
};

// Message ids of the link.
enum : std::uint32_t {
    smQuit = 4096,
    smReply = 4097,
    smRegister = 4098,
    smUnregister = 4099,
    smFindClient = 4100,
    smParams = 4101,
    smExecute = 4102,
    smGetFile = 4103,
    smMapFileName = 4104,
    smQueryString = 4105,
    smGetVariable = 4106,
};

// One party of the link: its message window, a handle, program path and title.
class TEntity {
public:
    explicit TEntity(TvltCustomDemon* owner = nullptr) : FOwner(owner) {}

    std::uint32_t Window = 0;
    std::uint32_t Handle = 0;
    // The socket of this party when it is not the client endpoint named by Window (the server).
    QString Endpoint;

    // Reading an empty ExeName or Title first refreshes the whole entity from the server.
    QString ExeName();
    QString Title();
    void SetExeName(const QString& v) { FExeName = v; }
    void SetTitle(const QString& v) { FTitle = v; }
    const QString& RawExeName() const { return FExeName; }
    const QString& RawTitle() const { return FTitle; }

    // The socket path that messages to this party go to (empty when it has no window).
    QString Path() const;
    // True when the party's window is live (something listens there).
    bool IsWindow() const;

    void Assign(const TEntity& other);
    // Entity record: 32-bit Window, 32-bit Handle, string ExeName, string Title.
    void WriteTo(TSkolvMessageStream& s) const;
    void ReadFrom(TSkolvMessageStream& s);

private:
    void Refresh();
    TvltCustomDemon* FOwner = nullptr;
    QString FExeName;
    QString FTitle;
};

// An in-memory message: id, time stamp, the sending party and the payload bytes with a read and
// write position. Integers are 32-bit little-endian; strings are a 32-bit length and the bytes.
class TSkolvMessageStream {
public:
    explicit TSkolvMessageStream(TvltCustomDemon* client = nullptr, std::uint32_t msgId = 0);

    TTimeStamp TimeStamp;
    TEntity Peer;
    TvltCustomDemon* Client = nullptr;
    std::uint32_t MsgId = 0;

    const QByteArray& Data() const { return FData; }
    void SetData(const QByteArray& data) { FData = data; FPosition = 0; }
    qsizetype Size() const { return FData.size(); }
    qsizetype Position() const { return FPosition; }
    void SetPosition(qsizetype p) { FPosition = std::clamp<qsizetype>(p, 0, FData.size()); }
    void Clear() { FData.clear(); FPosition = 0; }

    void Write(const char* bytes, qsizetype n);
    // Reads exactly n bytes or throws EStreamReadError.
    void Read(char* bytes, qsizetype n);
    void WriteInt32(std::int32_t v);
    std::int32_t ReadInt32();
    void WriteByte(std::uint8_t v);
    std::uint8_t ReadByte();
    void WriteString(const QString& s);
    // A length beyond the rest of the message is a read error; nothing is allocated for it.
    QString ReadString();
    // The bytes from the position to the end.
    QByteArray ReadRest();

    // Copies stamp, peer, id and content; the position goes to 0.
    void Assign(const TSkolvMessageStream& other);
    // Sends this stream through its client to `to`; the reply, if any, lands in reply.
    void Send(TEntity& to, TSkolvMessageStream* reply = nullptr);

private:
    QByteArray FData;
    qsizetype FPosition = 0;
};

// How a client is started; tests pass their own.
struct TDemonStart {
    // The command line: program path first. Empty: the process's own.
    QStringList Arguments;
    // The settings value "ViewerHandle"; a null value means: read it from the settings store.
    QVariant ViewerHandle;
    // Inside a form designer: no window, no messages, no language file, no instance rule.
    bool Designing = false;
    // A second start hands its parameters straight to the running instance when no host
    // server knows it (the instance records its message window for this).
    bool HandOverWithoutServer = false;
};

class TvltCustomDemon : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool AutoTranslate READ AutoTranslate WRITE SetAutoTranslate)
    Q_PROPERTY(bool AutoCreateItlFile READ AutoCreateItlFile WRITE SetAutoCreateItlFile)
    Q_PROPERTY(bool MultiStart READ MultiStart WRITE SetMultiStart)
    Q_PROPERTY(bool UseVelmoraServer READ UseVelmoraServer WRITE SetUseVelmoraServer)
public:
    using TGotAMessageEvent = std::function<void(TvltCustomDemon& sender, TSkolvMessageStream& msg)>;
    using TOnQuitMsgReceived =
        std::function<void(TvltCustomDemon& sender, bool serverDown, bool& allowQuit)>;
    using TNotifyEvent = std::function<void(TvltCustomDemon& sender)>;

    explicit TvltCustomDemon(QObject* owner, const TDemonStart& start = {});
    ~TvltCustomDemon() override;

    TEntity ServerEntity{this};
    TGotAMessageEvent OnGotAMessage;
    TOnQuitMsgReceived OnQuitMsgReceived;
    // Replies kept for the sends they answer, the oldest dropped beyond this many.
    static constexpr size_t MaxPendingResponses = 64;
    std::vector<std::unique_ptr<TSkolvMessageStream>> Responses;
    QStringList Params;
    TNotifyEvent OnParamsChange;
    TEntity OwnEntity{this};
    std::uint8_t ServerDown = 0;

    TParlox2000& Translator() { return *FTranslator; }
    QString Translate(const QString& text) { return FTranslator->Translate(text); }

    bool AutoTranslate() const { return FAutoTranslate; }
    void SetAutoTranslate(bool v) { FAutoTranslate = v; }
    bool AutoCreateItlFile() const { return FTranslator->AutoCreate(); }
    void SetAutoCreateItlFile(bool v) { FTranslator->SetAutoCreate(v); }
    bool MultiStart() const { return FMultiStart; }
    void SetMultiStart(bool v) { FMultiStart = v; }
    bool UseVelmoraServer() const { return FUseVelmoraServer; }
    void SetUseVelmoraServer(bool v) { FUseVelmoraServer = v; }
    bool Designing() const { return FDesigning; }

    int ParamCount() const { return int(Params.size()) - 1; }
    QString ParamStr(int index) const;
    const QString& ProgramPath() const { return FProgramPath; }
    // The language file that was loaded; empty when none was (or it came from the server).
    const QString& LanguageFilePath() const { return FLanguageFilePath; }
    const QString& HandleText() const { return FHandleText; }

    // Stamps request, delivers it to `to` and, when a reply with the same stamp arrived, copies
    // it into reply. Without a live own window nothing is sent.
    void Send(TEntity& to, TSkolvMessageStream& request, TSkolvMessageStream* reply = nullptr);

    // Dispatches a received message; takes the stream over where it keeps it (replies).
    virtual void HandleMessage(std::unique_ptr<TSkolvMessageStream>& msg);

    virtual QString GetWindowClassName() const = 0;
    virtual QString GetWindowName() const = 0;
    virtual std::unique_ptr<TEntity> FindClientByTitle(const QString& title) = 0;
    virtual std::unique_ptr<TEntity> FindClientByHandle(std::uint32_t window) = 0;
    virtual int Execute(const QString& program, const QString& params, bool wait, int option) = 0;
    virtual std::unique_ptr<TSkolvMessageStream> GetFile(const QString& fileName) = 0;
    virtual QString MapFileName(const QString& path) = 0;
    virtual QString QueryString(const QString& text) = 0;
    virtual QString GetVariable(const QString& name) = 0;

    // The socket path of a party: the server's own, or the client endpoint of its window.
    QString PathOf(const TEntity& e) const;
    bool OwnWindowIsLive() const { return FEndpoint && FEndpoint->IsListening(); }

protected:
    void Deliver(const TFrame& frame);

    std::unique_ptr<TParlox2000> FTranslator;
    std::unique_ptr<TSkolvEndpoint> FEndpoint;
    TInstanceLock FLock;
    QString FLanguageFilePath;
    QString FProgramPath;
    QString FHandleText;
    bool FAutoTranslate = true;
    bool FMultiStart = false;
    bool FUseVelmoraServer = true;
    bool FDesigning = false;
    bool FHandOverWithoutServer = false;
};

class TvltDemonClient : public TvltCustomDemon {
    Q_OBJECT
public:
    explicit TvltDemonClient(QObject* owner, const TDemonStart& start = {});
    ~TvltDemonClient() override;

    // The loaded notification: server check, language file, form translation, single instance.
    void Loaded();

    QString GetWindowClassName() const override;
    QString GetWindowName() const override;
    std::unique_ptr<TEntity> FindClientByTitle(const QString& title) override;
    std::unique_ptr<TEntity> FindClientByHandle(std::uint32_t window) override;
    int Execute(const QString& program, const QString& params, bool wait, int option) override;
    std::unique_ptr<TSkolvMessageStream> GetFile(const QString& fileName) override;
    QString MapFileName(const QString& path) override;
    QString QueryString(const QString& text) override;
    QString GetVariable(const QString& name) override;

    // Ends the process when a second instance starts; tests replace it. Returns the previous.
    using TExitFunction = std::function<void(int code)>;
    static TExitFunction SetExitFunction(TExitFunction f);

private:
    void LoadLanguageFile();
    void CheckSingleInstance();
    std::unique_ptr<TEntity> FindClient(TSkolvMessageStream& request);
};

// The server handle text: the settings value, unless it is empty or "00000000"; then the last
// argument (program path excluded) that, folded to lower case, starts with "/serverhandle=".
QString ServerHandleText(const QString& settingsValue, const QStringList& arguments);
// The arguments that make up Params: all but those starting exactly with "/serverhandle=".
QStringList ParamsFromArguments(const QStringList& arguments);
// Reads "ViewerHandle" from the settings store, read only; a value that is not text is an error.
QVariant ReadViewerHandle();

} // namespace tessaly
