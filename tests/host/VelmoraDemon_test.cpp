#include "host/VelmoraDemon.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocalSocket>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <optional>

#include <sys/wait.h>
#include <unistd.h>

using namespace tessaly;

namespace {

// A host server for the tests: it records what it receives and answers requests by sending a
// reply message (4097, same stamp) back to the sender while it handles the request.
class TTestServer {
public:
    explicit TTestServer(const QString& handleText)
    {
        ok = endpoint.ListenAt(ServerEndpointPath(handleText), ServerWindowValue(handleText));
        endpoint.OnFrame = [this](const TFrame& f) { Handle(f); };
    }

    void Reply(const TFrame& request, const QByteArray& payload)
    {
        TFrame r;
        r.MsgId = smReply;
        r.Sender = endpoint.Window();
        r.Stamp = request.Stamp;
        r.Payload = payload;
        endpoint.SendFrame(ClientEndpointPath(request.Sender), r);
    }

    void Handle(const TFrame& f)
    {
        received.push_back(f);
        TSkolvMessageStream in;
        in.SetData(f.Payload);
        TSkolvMessageStream out;
        switch (f.MsgId) {
        case smFindClient: {
            if (findClientReply) {
                Reply(f, *findClientReply);
                break;
            }
            const int kind = in.ReadByte();
            if (kind == 2) {
                auto it = clients.find(in.ReadString());
                if (it != clients.end())
                    it->second.WriteTo(out);
            } else {
                const std::uint32_t window = std::uint32_t(in.ReadInt32());
                for (auto& [title, e] : clients)
                    if (e.Window == window)
                        e.WriteTo(out);
            }
            Reply(f, out.Data());
            break;
        }
        case smGetFile: {
            const QString name = in.ReadString();
            if (files.count(name)) {
                out.WriteByte(1);
                out.Write(files[name].constData(), files[name].size());
            } else {
                out.WriteByte(0);
            }
            Reply(f, out.Data());
            break;
        }
        case smMapFileName:
            out.WriteString("/mapped" + in.ReadString());
            Reply(f, out.Data());
            break;
        case smGetVariable:
            out.WriteString("value of " + in.ReadString());
            Reply(f, out.Data());
            break;
        case smExecute:
            out.WriteInt32(executePid);
            Reply(f, out.Data());
            break;
        default:
            break;
        }
    }

    int Count(std::uint32_t id) const
    {
        int n = 0;
        for (const TFrame& f : received)
            n += f.MsgId == id;
        return n;
    }

    TSkolvEndpoint endpoint;
    bool ok = false;
    std::vector<TFrame> received;
    std::map<QString, TEntity> clients;
    std::map<QString, QByteArray> files;
    std::int32_t executePid = 0;  // what an execute request answers
    std::optional<QByteArray> findClientReply; // instead of the found record
};

TDemonStart Start(QStringList args, const QString& viewerHandle = QString())
{
    TDemonStart s;
    s.Arguments = std::move(args);
    s.ViewerHandle = viewerHandle;
    return s;
}

} // namespace

TEST(DemonArguments, HandleTextAndParamsFollowTheirOwnCaseRules)
{
    struct Case { const char* settings; QStringList args; const char* h; int params; };
    const Case cases[] = {
        {"", {"/p/prog", "/SERVERHANDLE=00A1B2"}, "00a1b2", 2},      // folded, kept in Params
        {"", {"/p/prog", "/serverhandle=00A1B2"}, "00a1b2", 1},      // same text, filtered out
        {"00000000", {"/p/prog"}, "00000000", 1},
        {"00000000", {"/p/prog", "/serverhandle=1", "x", "/ServerHandle=2"}, "2", 3},
        {"ABC", {"/p/prog", "/serverhandle=1"}, "ABC", 1},          // the settings value wins
        {"", {"/p/prog", "/serverhandle"}, "", 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ServerHandleText(c.settings, c.args), c.h) << c.args.join(' ').toStdString();
        EXPECT_EQ(ParamsFromArguments(c.args).size(), c.params) << c.args.join(' ').toStdString();
    }
}

TEST(DemonMessageStream, StringsAndIntegersRoundTripAndShortMessagesFailToRead)
{
    TSkolvMessageStream s;
    s.WriteInt32(-5);
    s.WriteString(QString::fromUtf8("Grüße"));
    s.WriteByte(7);
    s.SetPosition(0);
    EXPECT_EQ(s.ReadInt32(), -5);
    EXPECT_EQ(s.ReadString(), QString::fromUtf8("Grüße"));
    EXPECT_EQ(s.ReadByte(), 7);
    EXPECT_THROW(s.ReadByte(), EStreamReadError);

    // A declared string length beyond the payload, or a negative one, is a read error.
    for (std::int32_t len : {5, 0x7FFFFFFF, -1}) {
        TSkolvMessageStream bad;
        bad.WriteInt32(len);
        bad.Write("ab", 2);
        bad.SetPosition(0);
        EXPECT_THROW(bad.ReadString(), EStreamReadError) << len;
    }
}

TEST(DemonClient, WithoutServerParamsVariablesAndParamStr)
{
    TvltDemonClient client(nullptr, Start({"/books/plot", "one", "/serverhandle=zz", "two"}));
    EXPECT_EQ(client.ServerEntity.Window, 0u);
    EXPECT_EQ(client.HandleText(), "zz");
    EXPECT_EQ(client.ParamCount(), 2);
    EXPECT_EQ(client.ParamStr(0), "/books/plot");
    EXPECT_EQ(client.ParamStr(2), "two");
    try {
        client.ParamStr(3);
        ADD_FAILURE() << "no error";
    } catch (const ESkolv& e) {
        EXPECT_STREQ(e.what(), "Illegal \"ParamStr\" parameter: 3");
    }
    EXPECT_THROW(client.ParamStr(-1), ESkolv);

    client.SetUseVelmoraServer(false);
    EXPECT_EQ(client.GetVariable("VelmoraWorkArea"), "/books/");
    EXPECT_EQ(client.GetVariable("VelmoraHomeDir"), "/books/");
    EXPECT_EQ(client.GetVariable("velmoraworkarea"), "");
    TvltDemonClient windows(nullptr, Start({"C:\\Books\\plot.exe"}));
    windows.SetUseVelmoraServer(false);
    EXPECT_EQ(windows.GetVariable("VelmoraWorkArea"), "C:\\Books\\");

    // Requests with fixed replies fail to read when nobody answers.
    client.SetUseVelmoraServer(true);
    EXPECT_THROW(client.MapFileName("/x"), EStreamReadError);
    EXPECT_EQ(client.FindClientByTitle("t"), nullptr);
}

TEST(DemonClient, LoadedWithAServerThatIsNotRunningFails)
{
    TvltDemonClient client(nullptr, Start({"/p/prog", "/serverhandle=nobody-here"}));
    try {
        client.Loaded();
        ADD_FAILURE() << "no error";
    } catch (const ESkolv& e) {
        EXPECT_STREQ(e.what(), "Skolv server application is not running");
    }
}

TEST(DemonClient, RequestsRoundTripThroughTheServer)
{
    TTestServer server("rt1");
    ASSERT_TRUE(server.ok);
    server.files["/mapped/p/prog.itl"] = "[Exit]=Beenden|$$";
    TEntity peer;
    peer.Window = 0x1234;
    peer.SetTitle("Other");
    peer.SetExeName("/q/other");
    server.clients["Other"] = peer;

    QWidget form;
    auto* label = new QLabel("PX_Exit", &form);
    auto* client = new TvltDemonClient(&form, Start({"/p/prog", "/serverhandle=rt1"}));
    ASSERT_NE(client->ServerEntity.Window, 0u);
    client->SetMultiStart(true);
    client->Loaded();
    EXPECT_EQ(server.Count(smRegister), 1);
    EXPECT_EQ(label->text(), "Beenden");  // language file through the server, form translated

    EXPECT_EQ(client->MapFileName("/a"), "/mapped/a");
    EXPECT_EQ(client->GetVariable("Book"), "value of Book");
    auto found = client->FindClientByTitle("Other");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Window, 0x1234u);
    EXPECT_EQ(found->RawExeName(), "/q/other");
    EXPECT_EQ(client->FindClientByTitle("Nobody"), nullptr);
    EXPECT_EQ(client->GetFile("/none"), nullptr);
    try {
        client->Execute("/bin/x", "", false, 0);
        ADD_FAILURE() << "no error";
    } catch (const ESkolv& e) {
        EXPECT_STREQ(e.what(), "Could not execute \"/bin/x.\"");
    }
    EXPECT_TRUE(client->Responses.empty());
    delete client;
    EXPECT_EQ(server.Count(smUnregister), 1);
}

TEST(DemonClient, MessagesFromPeersParamsRepliesAndQuit)
{
    TTestServer server("msg1");
    ASSERT_TRUE(server.ok);
    auto* client = new TvltDemonClient(nullptr, Start({"/p/prog", "a", "/serverhandle=msg1"}));
    int paramsChanged = 0;
    client->OnParamsChange = [&](TvltCustomDemon&) { ++paramsChanged; };
    std::vector<std::uint32_t> others;
    client->OnGotAMessage = [&](TvltCustomDemon&, TSkolvMessageStream& m) {
        others.push_back(m.MsgId);
        EXPECT_EQ(m.Position(), 0);
    };

    auto sendToClient = [&](std::uint32_t id, const QByteArray& payload, TTimeStamp stamp = {}) {
        TFrame f{id, server.endpoint.Window(), stamp, payload};
        return server.endpoint.SendFrame(client->OwnEntity.Path(), f);
    };
    ASSERT_TRUE(sendToClient(smParams, "/other/prog\r\nx y\r\nlast"));
    EXPECT_EQ(paramsChanged, 1);
    EXPECT_EQ(client->Params, (QStringList{"/other/prog", "x y", "last"}));
    EXPECT_EQ(client->ParamStr(0), "/p/prog");

    ASSERT_TRUE(sendToClient(smReply, "stray", {1, 2}));
    EXPECT_EQ(client->Responses.size(), 1u);  // nobody asked: it stays

    ASSERT_TRUE(sendToClient(4200, "?"));
    EXPECT_EQ(others, (std::vector<std::uint32_t>{4200}));

    // Too short to hold the stamp: rejected, and the client goes on working.
    {
        QLocalSocket raw;
        raw.connectToServer(client->OwnEntity.Path());
        ASSERT_TRUE(raw.waitForConnected(1000));
        raw.write(QByteArray::fromHex("01100000" "04000000" "00000000" "01020304"));
        raw.flush();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    ASSERT_TRUE(sendToClient(4201, ""));
    EXPECT_EQ(others.size(), 2u);

    // Quit with the server down and no handler: the client ends without unregistering.
    QPointer<TvltDemonClient> alive(client);
    ASSERT_TRUE(sendToClient(smQuit, QByteArray(1, '\1')));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(server.Count(smUnregister), 0);
}

TEST(DemonClient, AQuitHandlerMayRefuse)
{
    TvltDemonClient client(nullptr, Start({"/p/prog"}));
    bool asked = false;
    client.OnQuitMsgReceived = [&](TvltCustomDemon&, bool serverDown, bool& allowQuit) {
        asked = true;
        EXPECT_FALSE(serverDown);
        allowQuit = false;
    };
    TSkolvEndpoint peer;
    ASSERT_TRUE(peer.ListenAsClient());
    ASSERT_TRUE(peer.SendFrame(client.OwnEntity.Path(), TFrame{smQuit, peer.Window(), {}, QByteArray(1, '\0')}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(client.OwnWindowIsLive());
}

TEST(DemonClient, ASecondInstanceEndsAndTheFirstKeepsTheLock)
{
    std::vector<int> exits;
    auto old = TvltDemonClient::SetExitFunction([&](int code) { exits.push_back(code); });
    const QString prog = "/p/tessaly-instance-test";
    TvltDemonClient first(nullptr, Start({prog}));
    first.SetUseVelmoraServer(false);
    first.Loaded();
    EXPECT_TRUE(exits.empty());
    EXPECT_NE(first.OwnEntity.Handle, 0u);

    TvltDemonClient second(nullptr, Start({prog}));
    second.SetUseVelmoraServer(false);
    second.Loaded();
    EXPECT_EQ(exits, std::vector<int>{0});

    TvltDemonClient third(nullptr, Start({prog}));
    third.SetUseVelmoraServer(false);
    third.SetMultiStart(true);
    third.Loaded();
    EXPECT_EQ(exits.size(), 1u);
    TvltDemonClient::SetExitFunction(old);
}

TEST(DemonClient, LanguageFileBesideTheProgramIsOptional)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QWidget form;
    auto* label = new QLabel("PX_OK", &form);
    {
        auto* client = new TvltDemonClient(&form, Start({dir.filePath("prog")}));
        client->SetUseVelmoraServer(false);
        client->SetMultiStart(true);
        client->Loaded();  // no file: nothing happens but the marker goes
        EXPECT_EQ(label->text(), "OK");
        delete client;
    }
    QFile itl(dir.filePath("prog.itl"));
    ASSERT_TRUE(itl.open(QIODevice::WriteOnly));
    itl.write("[OK]=Gut|$$");
    itl.close();
    label->setText("PX_OK");
    auto* client = new TvltDemonClient(&form, Start({dir.filePath("prog")}));
    client->SetUseVelmoraServer(false);
    client->SetMultiStart(true);
    client->Loaded();
    EXPECT_EQ(label->text(), "Gut");
    EXPECT_EQ(client->Translate("OK"), "Gut");
}

TEST(DemonClient, InTheDesignerNothingHappens)
{
    TDemonStart s = Start({"/p/prog"});
    s.Designing = true;
    QWidget form;
    auto* label = new QLabel("PX_OK", &form);
    TvltDemonClient client(&form, s);
    client.Loaded();
    EXPECT_FALSE(client.OwnWindowIsLive());
    EXPECT_EQ(label->text(), "PX_OK");
}

TEST(DemonClient, ExecuteWithWaitReturnsTheExitCodeOfTheStartedProcess)
{
    TTestServer server("exec1");
    ASSERT_TRUE(server.ok);
    TvltDemonClient client(nullptr, Start({"/p/prog", "/serverhandle=exec1"}));
    // The server "starts" a process: here a child of this test that ends with code 3 soon.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::usleep(200 * 1000);
        ::_exit(3);
    }
    server.executePid = child;
    EXPECT_EQ(client.Execute("/bin/tool", "-x", false, 7), child);  // without wait: the id
    EXPECT_EQ(client.Execute("/bin/tool", "-x", true, 7), 3);
    // The process is gone now: waiting for it again cannot open it.
    EXPECT_THROW(client.Execute("/bin/tool", "", true, 0), ESkolv);
    TSkolvMessageStream req;
    req.SetData(server.received.back().Payload);
    EXPECT_EQ(req.ReadString(), "/bin/tool");
}

TEST(DemonClient, AMalformedOrMissingReplyToFindClientIsNoAnswer)
{
    std::vector<int> exits;
    auto old = TvltDemonClient::SetExitFunction([&](int code) { exits.push_back(code); });
    const QString prog = "/p/tessaly-malformed-reply";
    TvltDemonClient first(nullptr, Start({prog}));
    first.SetUseVelmoraServer(false);
    first.Loaded();

    TTestServer server("4b1d");
    ASSERT_TRUE(server.ok);
    TSkolvMessageStream huge;
    huge.WriteInt32(7);
    huge.WriteInt32(1);
    huge.WriteInt32(0x7fffffff); // a string length far beyond the payload
    for (const QByteArray& reply : {QByteArray("\x01\x02\x03", 3), huge.Data()}) {
        server.findClientReply = reply;
        TvltDemonClient second(nullptr, Start({prog, "/serverhandle=4b1d", "page 7"}));
        second.SetUseVelmoraServer(false);
        EXPECT_NO_THROW(second.Loaded());
        EXPECT_EQ(exits.back(), 0);
        EXPECT_EQ(server.Count(smParams), 0);
    }
    EXPECT_EQ(server.Count(smFindClient), 2); // one for each start
    EXPECT_EQ(exits.size(), 2u);
    TvltDemonClient::SetExitFunction(old);
}

TEST(DemonClient, ALockThatCannotBeOpenedIsNoRunningInstance)
{
    std::vector<int> exits;
    auto old = TvltDemonClient::SetExitFunction([&](int code) { exits.push_back(code); });
    const QString prog = "/p/tessaly-lock-is-a-folder";
    // A folder where the lock file would be: nobody holds a lock, the start goes on.
    const QString lock = SkolvRuntimeDir() + "/" + TInstanceLock::NameFor(prog);
    ASSERT_TRUE(QDir().mkpath(lock));
    QString why;
    TInstanceLock probe;
    EXPECT_EQ(probe.TryAcquire(TInstanceLock::NameFor(prog), &why), TInstanceLock::TResult::Failed);
    EXPECT_TRUE(why.contains(lock)) << why.toStdString();
    TvltDemonClient client(nullptr, Start({prog}));
    client.SetUseVelmoraServer(false);
    client.Loaded();
    EXPECT_TRUE(exits.empty());
    EXPECT_EQ(client.OwnEntity.Handle, 0u);
    QDir(lock).removeRecursively();
    TvltDemonClient::SetExitFunction(old);
}

TEST(DemonClient, ASecondStartRemovesItsEndpointAndStaleOnesGoAtTheNextStart)
{
    std::vector<int> exits;
    auto old = TvltDemonClient::SetExitFunction([&](int code) { exits.push_back(code); });
    const QString prog = "/p/tessaly-endpoints";
    TvltDemonClient first(nullptr, Start({prog}));
    first.SetUseVelmoraServer(false);
    first.Loaded();
    QString secondEndpoint;
    {
        TvltDemonClient second(nullptr, Start({prog}));
        second.SetUseVelmoraServer(false);
        secondEndpoint = second.OwnEntity.Endpoint;
        ASSERT_TRUE(QFile::exists(secondEndpoint));
        second.Loaded();
        ASSERT_EQ(exits, std::vector<int>{0});
        // The exit ends the process without destructors: the endpoint is gone before it.
        EXPECT_FALSE(QFile::exists(secondEndpoint));
    }

    // A socket file that nobody listens on any more, as a killed instance leaves it.
    const QString stale = ClientEndpointPath(0x5eed);
    {
        const QByteArray path = QFile::encodeName(stale);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }
    ASSERT_TRUE(QFile::exists(stale));
    RemoveStaleClientEndpoints();
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_TRUE(QFile::exists(first.OwnEntity.Endpoint)); // alive: kept
    TvltDemonClient::SetExitFunction(old);
}

TEST(DemonClient, WithoutARuntimeFolderTheLinkLivesInAFolderOfTheUsersOwn)
{
    const QByteArray kept = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    const QString dir = SkolvRuntimeDir();
    qputenv("XDG_RUNTIME_DIR", kept);
    EXPECT_NE(dir, QDir(QDir::tempPath()).absolutePath());
    EXPECT_TRUE(dir.startsWith(QDir(QDir::tempPath()).absolutePath() + "/tessaly-"));
    EXPECT_TRUE(IsPrivateFolder(dir));

    // Another's folder, an open one, or a link are not private.
    QTemporaryDir temp;
    const QString open = temp.filePath("open");
    ASSERT_TRUE(QDir().mkpath(open));
    QFile::setPermissions(open, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);
    EXPECT_FALSE(IsPrivateFolder(open));
    const QString link = temp.filePath("link");
    const QString own = temp.filePath("own");
    EXPECT_TRUE(IsPrivateFolder(own)); // made with owner-only access
    ASSERT_TRUE(QFile::link(own, link));
    EXPECT_FALSE(IsPrivateFolder(link));
}
