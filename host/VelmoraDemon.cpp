#include "host/VelmoraDemon.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cerrno>
#include <cstdio>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tessaly {

// ---- free helpers ----------------------------------------------------------------------------

QString ServerHandleText(const QString& settingsValue, const QStringList& arguments)
{
    QString h = settingsValue;
    if (h.isEmpty() || h == "00000000") {
        for (qsizetype i = 1; i < arguments.size(); ++i) {
            const QString folded = FoldAscii(arguments[i]);
            if (folded.left(14) == "/serverhandle=")
                h = folded.mid(14);
        }
    }
    return h;
}

QStringList ParamsFromArguments(const QStringList& arguments)
{
    QStringList params;
    for (const QString& a : arguments)
        if (a.left(14) != "/serverhandle=")
            params << a;
    return params;
}

QVariant ReadViewerHandle()
{
    QSettings settings(QSettings::SystemScope, "Quorvel", "velmora");
    const QVariant v = settings.value("demon/ViewerHandle");
    if (!v.isValid())
        return QString();
    if (v.typeId() != QMetaType::QString && v.typeId() != QMetaType::QByteArray)
        throw ESkolv("Invalid data type for 'ViewerHandle'");
    return v.toString();
}

namespace {

QByteArray WireBytes(const QString& s)
{
    return EncodeLanguageText(s);
}

// The lines of a text block as a string list reads them: CR LF, LF or CR end a line; a last
// line without an end counts.
QStringList LinesOf(const QByteArray& bytes)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char ch = bytes[i];
        if (ch == '\r' || ch == '\n') {
            lines << DecodeLanguageText(std::string_view(bytes.constData() + start, size_t(i - start)));
            if (ch == '\r' && i + 1 < n && bytes[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines << DecodeLanguageText(std::string_view(bytes.constData() + start, size_t(n - start)));
    return lines;
}

TvltDemonClient::TExitFunction& ExitFunction()
{
    static TvltDemonClient::TExitFunction f = [](int code) {
        std::fflush(nullptr);
        ::_exit(code);
    };
    return f;
}

} // namespace

// ---- TEntity ---------------------------------------------------------------------------------

QString TEntity::ExeName()
{
    if (FExeName.isEmpty())
        Refresh();
    return FExeName;
}

QString TEntity::Title()
{
    if (FTitle.isEmpty())
        Refresh();
    return FTitle;
}

void TEntity::Refresh()
{
    if (!FOwner || Window == 0)
        return;
    if (auto fresh = FOwner->FindClientByHandle(Window))
        Assign(*fresh);
}

QString TEntity::Path() const
{
    if (!Endpoint.isEmpty())
        return Endpoint;
    if (FOwner)
        return FOwner->PathOf(*this);
    return Window ? ClientEndpointPath(Window) : QString();
}

bool TEntity::IsWindow() const
{
    const QString p = Path();
    return !p.isEmpty() && TSkolvEndpoint::IsAlive(p);
}

void TEntity::Assign(const TEntity& other)
{
    Window = other.Window;
    Handle = other.Handle;
    Endpoint = other.Endpoint;
    FExeName = other.FExeName;
    FTitle = other.FTitle;
}

void TEntity::WriteTo(TSkolvMessageStream& s) const
{
    s.WriteInt32(std::int32_t(Window));
    s.WriteInt32(std::int32_t(Handle));
    s.WriteString(FExeName);
    s.WriteString(FTitle);
}

void TEntity::ReadFrom(TSkolvMessageStream& s)
{
    Window = std::uint32_t(s.ReadInt32());
    Handle = std::uint32_t(s.ReadInt32());
    FExeName = s.ReadString();
    FTitle = s.ReadString();
    Endpoint.clear();
}

// ---- TSkolvMessageStream ---------------------------------------------------------------------

TSkolvMessageStream::TSkolvMessageStream(TvltCustomDemon* client, std::uint32_t msgId)
    : Peer(client), Client(client), MsgId(msgId)
{
}

void TSkolvMessageStream::Write(const char* bytes, qsizetype n)
{
    if (n <= 0)
        return;
    const qsizetype end = FPosition + n;
    if (end > FData.size())
        FData.resize(end);
    std::memcpy(FData.data() + FPosition, bytes, size_t(n));
    FPosition = end;
}

void TSkolvMessageStream::Read(char* bytes, qsizetype n)
{
    if (n < 0 || n > FData.size() - FPosition)
        throw EStreamReadError();
    if (n > 0)
        std::memcpy(bytes, FData.constData() + FPosition, size_t(n));
    FPosition += n;
}

void TSkolvMessageStream::WriteInt32(std::int32_t v)
{
    char b[4];
    for (int i = 0; i < 4; ++i)
        b[i] = char((std::uint32_t(v) >> (8 * i)) & 0xFF);
    Write(b, 4);
}

std::int32_t TSkolvMessageStream::ReadInt32()
{
    char b[4];
    Read(b, 4);
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t(static_cast<unsigned char>(b[i])) << (8 * i);
    return std::int32_t(v);
}

void TSkolvMessageStream::WriteByte(std::uint8_t v)
{
    const char b = char(v);
    Write(&b, 1);
}

std::uint8_t TSkolvMessageStream::ReadByte()
{
    char b = 0;
    Read(&b, 1);
    return std::uint8_t(b);
}

void TSkolvMessageStream::WriteString(const QString& s)
{
    const QByteArray bytes = WireBytes(s);
    WriteInt32(std::int32_t(bytes.size()));
    Write(bytes.constData(), bytes.size());
}

QString TSkolvMessageStream::ReadString()
{
    const std::int32_t n = ReadInt32();
    if (n < 0 || n > FData.size() - FPosition)
        throw EStreamReadError();
    const std::string_view bytes(FData.constData() + FPosition, size_t(n));
    FPosition += n;
    return DecodeLanguageText(bytes);
}

QByteArray TSkolvMessageStream::ReadRest()
{
    QByteArray rest = FData.mid(FPosition);
    FPosition = FData.size();
    return rest;
}

void TSkolvMessageStream::Assign(const TSkolvMessageStream& other)
{
    TimeStamp = other.TimeStamp;
    Peer.Assign(other.Peer);
    MsgId = other.MsgId;
    FData = other.FData;
    FPosition = 0;
}

void TSkolvMessageStream::Send(TEntity& to, TSkolvMessageStream* reply)
{
    if (Client)
        Client->Send(to, *this, reply);
}

// ---- TvltCustomDemon -------------------------------------------------------------------------

TvltCustomDemon::TvltCustomDemon(QObject* owner, const TDemonStart& start)
    : QObject(owner), FTranslator(std::make_unique<TParlox2000>(QString())), FDesigning(start.Designing),
      FHandOverWithoutServer(start.HandOverWithoutServer)
{
    QStringList args = start.Arguments.isEmpty() ? QCoreApplication::arguments() : start.Arguments;
    if (args.isEmpty())
        args << QCoreApplication::applicationFilePath();
    if (start.Arguments.isEmpty() && !QCoreApplication::applicationFilePath().isEmpty())
        args[0] = QCoreApplication::applicationFilePath();
    FProgramPath = args.front();

    const QVariant viewer = start.ViewerHandle.isNull() ? ReadViewerHandle() : start.ViewerHandle;
    FHandleText = ServerHandleText(viewer.toString(), args);
    const QString serverPath = ServerEndpointPath(FHandleText);
    if (!FDesigning && TSkolvEndpoint::IsAlive(serverPath)) {
        ServerEntity.Window = ServerWindowValue(FHandleText);
        ServerEntity.Endpoint = serverPath;
    }
    Params = ParamsFromArguments(args);

    OwnEntity.SetTitle(QCoreApplication::applicationName());
    OwnEntity.SetExeName(FProgramPath);
    if (FDesigning)
        return;
    FEndpoint = std::make_unique<TSkolvEndpoint>();
    if (!FEndpoint->ListenAsClient())
        throw ESkolv("Could not create window handle");
    OwnEntity.Window = FEndpoint->Window();
    OwnEntity.Endpoint = FEndpoint->Path();
    FEndpoint->OnFrame = [this](const TFrame& f) { Deliver(f); };
}

TvltCustomDemon::~TvltCustomDemon() = default;

QString TvltCustomDemon::ParamStr(int index) const
{
    if (index < 0 || index > ParamCount())
        throw ESkolv(QString("Illegal \"ParamStr\" parameter: %1").arg(index).toStdString());
    if (index == 0)
        return FProgramPath;
    return Params[index];
}

QString TvltCustomDemon::PathOf(const TEntity& e) const
{
    if (!e.Endpoint.isEmpty())
        return e.Endpoint;
    if (e.Window == 0)
        return {};
    if (e.Window == ServerEntity.Window)
        return ServerEntity.Endpoint;
    return ClientEndpointPath(e.Window);
}

void TvltCustomDemon::Send(TEntity& to, TSkolvMessageStream& request, TSkolvMessageStream* reply)
{
    request.TimeStamp = CurrentTimeStamp();
    if (FDesigning || !OwnWindowIsLive())
        return;
    TFrame frame;
    frame.MsgId = request.MsgId;
    frame.Sender = OwnEntity.Window;
    frame.Stamp = request.TimeStamp;
    frame.Payload = request.Data();
    const QString path = PathOf(to);
    if (!path.isEmpty())
        FEndpoint->SendFrame(path, frame);
    for (auto it = Responses.begin(); it != Responses.end(); ++it) {
        if ((*it)->TimeStamp == request.TimeStamp) {
            if (reply)
                reply->Assign(**it);
            Responses.erase(it);
            break;
        }
    }
}

void TvltCustomDemon::Deliver(const TFrame& frame)
{
    auto msg = std::make_unique<TSkolvMessageStream>(this, frame.MsgId);
    msg->TimeStamp = frame.Stamp;
    msg->Peer.Window = frame.Sender;
    msg->SetData(frame.Payload);
    HandleMessage(msg);
}

void TvltCustomDemon::HandleMessage(std::unique_ptr<TSkolvMessageStream>& msg)
{
    switch (msg->MsgId) {
    case smQuit: {
        ServerDown = msg->Size() > 0 ? msg->ReadByte() : 0;
        bool allowQuit = true;
        if (OnQuitMsgReceived)
            OnQuitMsgReceived(*this, ServerDown != 0, allowQuit);
        if (allowQuit)
            deleteLater();  // the destructor ends the application; nothing here touches us after
        break;
    }
    case smReply:
        // A reply matters only to the send it answers; a peer that sends replies nobody asked
        // for must not make the list grow without end.
        if (Responses.size() >= MaxPendingResponses)
            Responses.erase(Responses.begin());
        Responses.push_back(std::move(msg));
        break;
    case smParams:
        Params = LinesOf(msg->Data());
        if (OnParamsChange)
            OnParamsChange(*this);
        break;
    default:
        if (OnGotAMessage) {
            msg->SetPosition(0);
            OnGotAMessage(*this, *msg);
        }
        break;
    }
}

// ---- TvltDemonClient -------------------------------------------------------------------------

TvltDemonClient::TvltDemonClient(QObject* owner, const TDemonStart& start)
    : TvltCustomDemon(owner, start)
{
}

TvltDemonClient::~TvltDemonClient()
{
    if (!FDesigning) {
        if (ServerDown == 0) {
            TSkolvMessageStream bye(this, smUnregister);
            OwnEntity.WriteTo(bye);
            Send(ServerEntity, bye);
        }
    }
    Responses.clear();
    if (FEndpoint) {
        FEndpoint->Close();
        FEndpoint.reset();
    }
    FLock.Release();
    OwnEntity.Handle = 0;
    FTranslator.reset();  // writes the collected texts when AutoCreate is on
    if (!FDesigning)
        QCoreApplication::quit();
}

TvltDemonClient::TExitFunction TvltDemonClient::SetExitFunction(TExitFunction f)
{
    return std::exchange(ExitFunction(), std::move(f));
}

void TvltDemonClient::Loaded()
{
    if (FDesigning)
        return;
    if (FUseVelmoraServer) {
        if (ServerEntity.Window == 0)
            throw ESkolv("Skolv server application is not running");
        TSkolvMessageStream hello(this, smRegister);
        OwnEntity.WriteTo(hello);
        Send(ServerEntity, hello);
    }
    LoadLanguageFile();
    if (FAutoTranslate && parent())
        FTranslator->TranslateComponent(*parent());
    if (!FMultiStart)
        CheckSingleInstance();
}

void TvltDemonClient::LoadLanguageFile()
{
    if (FUseVelmoraServer) {
        const QString mapped = MapFileName(FProgramPath);
        std::unique_ptr<TSkolvMessageStream> file = GetFile(LanguageFileName(mapped));
        if (!file)
            return;
        QByteArray bytes = file->Data();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        FTranslator->LoadFromStream(buffer);
        return;
    }
    QFile file(FindLanguageFile(FProgramPath, UserLanguages()));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return;  // no language file: the texts stay as they are
    FTranslator->LoadFromStream(file);
    FLanguageFilePath = QFileInfo(file).absoluteFilePath();
}

void TvltDemonClient::CheckSingleInstance()
{
    QString why;
    switch (FLock.TryAcquire(TInstanceLock::NameFor(FProgramPath), &why)) {
    case TInstanceLock::TResult::Acquired:
        OwnEntity.Handle = std::uint32_t(FLock.Handle());
        FLock.RecordOwner(OwnEntity.Window);
        return;
    case TInstanceLock::TResult::Failed:
        // Only a running instance ends a start; a lock that cannot be had is no such instance.
        std::fprintf(stderr, "tessaly: %s; starting as the only instance\n",
                     why.toLocal8Bit().constData());
        return;
    case TInstanceLock::TResult::HeldElsewhere:
        break;
    }
    // Another instance runs: hand it our parameters through the server, then end. Asked to,
    // and with no server that knows it, straight to the window the instance recorded.
    std::unique_ptr<TEntity> first = FindClientByTitle(OwnEntity.Title());
    if (!first && FHandOverWithoutServer) {
        if (const std::uint32_t window = TInstanceLock::OwnerOf(TInstanceLock::NameFor(FProgramPath))) {
            first = std::make_unique<TEntity>(this);
            first->Window = window;
        }
    }
    if (first) {
        TSkolvMessageStream msg(this, smParams);
        QByteArray lines;
        for (const QString& p : Params)
            lines += WireBytes(p) + "\r\n";
        msg.Write(lines.constData(), lines.size());
        Send(*first, msg);
    }
    // The process ends without destructors: its endpoint goes now.
    if (FEndpoint)
        FEndpoint->Close();
    ExitFunction()(0);
}

QString TvltDemonClient::GetWindowClassName() const
{
    return "ThisIsTheSkolvClientComponentWindowClass";
}

QString TvltDemonClient::GetWindowName() const
{
    return QString();
}

std::unique_ptr<TEntity> TvltDemonClient::FindClient(TSkolvMessageStream& request)
{
    TSkolvMessageStream reply(this);
    Send(ServerEntity, request, &reply);
    if (reply.Size() == 0)
        return nullptr;
    auto e = std::make_unique<TEntity>(this);
    try {
        e->ReadFrom(reply);
    } catch (const EStreamReadError&) {
        return nullptr; // a malformed reply is no answer
    }
    return e;
}

std::unique_ptr<TEntity> TvltDemonClient::FindClientByTitle(const QString& title)
{
    TSkolvMessageStream req(this, smFindClient);
    req.WriteByte(2);
    req.WriteString(title);
    return FindClient(req);
}

std::unique_ptr<TEntity> TvltDemonClient::FindClientByHandle(std::uint32_t window)
{
    TSkolvMessageStream req(this, smFindClient);
    req.WriteByte(1);
    req.WriteInt32(std::int32_t(window));
    return FindClient(req);
}

int TvltDemonClient::Execute(const QString& program, const QString& params, bool wait, int option)
{
    TSkolvMessageStream req(this, smExecute);
    req.WriteString(program);
    req.WriteString(params);
    req.WriteByte(wait ? 1 : 0);
    req.WriteInt32(option);
    TSkolvMessageStream reply(this);
    Send(ServerEntity, req, &reply);
    const std::int32_t pid = reply.ReadInt32();
    const std::string failed = QString("Could not execute \"%1.\"").arg(program).toStdString();
    if (pid == 0)
        throw ESkolv(failed);
    if (!wait)
        return pid;
    // Wait for the process to end without a time limit. Its exit code can be read only when it
    // is a child of this process; otherwise the wait yields 0.
    const int fd = int(::syscall(SYS_pidfd_open, pid_t(pid), 0));
    if (fd < 0)
        throw ESkolv(failed);
    pollfd p{fd, POLLIN, 0};
    while (::poll(&p, 1, -1) < 0 && errno == EINTR) {
    }
    int status = 0;
    int code = 0;
    if (::waitpid(pid_t(pid), &status, WNOHANG) == pid_t(pid) && WIFEXITED(status))
        code = WEXITSTATUS(status);
    ::close(fd);
    return code;
}

std::unique_ptr<TSkolvMessageStream> TvltDemonClient::GetFile(const QString& fileName)
{
    TSkolvMessageStream req(this, smGetFile);
    req.WriteString(fileName);
    TSkolvMessageStream reply(this);
    Send(ServerEntity, req, &reply);
    if (reply.ReadByte() == 0)
        return nullptr;
    auto file = std::make_unique<TSkolvMessageStream>(this);
    file->SetData(reply.ReadRest());
    return file;
}

QString TvltDemonClient::MapFileName(const QString& path)
{
    TSkolvMessageStream req(this, smMapFileName);
    req.WriteString(path);
    TSkolvMessageStream reply(this);
    Send(ServerEntity, req, &reply);
    return reply.ReadString();
}

QString TvltDemonClient::QueryString(const QString& text)
{
    TSkolvMessageStream req(this, smQueryString);
    req.WriteString(text);
    TSkolvMessageStream reply(this);
    Send(ServerEntity, req, &reply);
    return reply.ReadString();
}

QString TvltDemonClient::GetVariable(const QString& name)
{
    if (FUseVelmoraServer) {
        TSkolvMessageStream req(this, smGetVariable);
        req.WriteString(name);
        TSkolvMessageStream reply(this);
        Send(ServerEntity, req, &reply);
        return reply.ReadString();
    }
    if (name != "VelmoraWorkArea" && name != "VelmoraHomeDir")
        return QString();
    const qsizetype cut = std::max(FProgramPath.lastIndexOf('/'), FProgramPath.lastIndexOf('\\'));
    QString folder = cut >= 0 ? FProgramPath.left(cut + 1) : QString();
    if (!folder.endsWith('/') && !folder.endsWith('\\'))
        folder += '/';
    return folder;
}

} // namespace tessaly
