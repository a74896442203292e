#include "widgets/Tovra_urllab.h"

#include "gfx/MessageBox.h"

#include <QFile>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace tessaly;

namespace {

struct TLaunch {
    TUrlLabTarget Kind;
    QString Target, Params;
    Qt::CursorShape Cursor;
};

// A shown label in a parent window, with the launcher and the message box replaced so that
// clicks open and show nothing.
class UrlLabTest : public testing::Test {
protected:
    void SetUp() override
    {
        FPreviousLauncher = SetUrlLabLauncher([this](TUrlLabTarget kind, const QString& target,
                                                     const QString& params) {
            Launches.push_back({kind, target, params, Label->cursor().shape()});
            return LaunchResult;
        });
        FPreviousHandler = SetInformationHandler([this](const QString& text) { Messages << text; });
        Window.resize(300, 100);
        Label = new TUrlLab(&Window);
        Label->setObjectName(QStringLiteral("ULabHome"));
        Label->setText(QStringLiteral("Home page"));
        Label->setGeometry(20, 20, 150, 30);
        Label->OnClick = [this](TUrlLab& sender) {
            EXPECT_EQ(&sender, Label);
            ++Clicks;
        };
        Window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
    }

    void TearDown() override
    {
        SetUrlLabLauncher(FPreviousLauncher);
        SetInformationHandler(FPreviousHandler);
    }

    void ClickLabel() { QTest::mouseClick(Label, Qt::LeftButton, {}, QPoint(10, 10)); }

    // Mouse moves through the window system, which sends enter and leave events to widgets.
    void MoveOverLabel() { QTest::mouseMove(Window.windowHandle(), Label->geometry().center()); }
    void MoveAway() { QTest::mouseMove(Window.windowHandle(), QPoint(250, 80)); }

    QString InvalidMessage() const
    {
        return QStringLiteral("Component \"ULabHome\": URL of URLLab is invalid");
    }

    QWidget Window;
    TUrlLab* Label = nullptr;
    std::vector<TLaunch> Launches;
    QStringList Messages;
    int LaunchResult = 0;
    int Clicks = 0;

private:
    TUrlLabLauncher FPreviousLauncher;
    TInformationHandler FPreviousHandler;
};

// An executable script in a temporary folder.
QString MakeScript(const QTemporaryDir& dir, const QString& name, const QByteArray& body,
                   bool executable = true)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + body);
    f.close();
    f.setPermissions(executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                : QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

} // namespace

TEST_F(UrlLabTest, WebAddressesOpenInTheBrowserWithABusyCursor)
{
    for (const char* url : {"http://example.org/a?b=1", "HTTP://EXAMPLE.ORG", "https://example.org",
                            "hTTpS://example.org/x.exe"}) {
        Launches.clear();
        Label->setCursor(Qt::PointingHandCursor);
        Label->SetURL(QString::fromLatin1(url));
        ClickLabel();
        ASSERT_EQ(Launches.size(), 1u) << url;
        EXPECT_EQ(Launches[0].Kind, TUrlLabTarget::WebAddress) << url;
        EXPECT_EQ(Launches[0].Target, QString::fromLatin1(url));
        EXPECT_EQ(Launches[0].Cursor, Qt::BusyCursor) << url;
        EXPECT_EQ(Label->cursor().shape(), Qt::PointingHandCursor) << url;
    }
    EXPECT_EQ(Clicks, 4);
    EXPECT_TRUE(Messages.isEmpty());

    // A label without a cursor of its own has none again afterwards.
    Label->unsetCursor();
    ClickLabel();
    EXPECT_FALSE(Label->testAttribute(Qt::WA_SetCursor));
}

TEST_F(UrlLabTest, AnExecutableFileStartsWithItsParameters)
{
    QTemporaryDir dir;
    const QString program = MakeScript(dir, QStringLiteral("tool.EXE"), "exit 0\n");
    Label->SetURL(program);
    Label->SetTaskParams(QStringLiteral("  -v 'two words'  "));
    EXPECT_EQ(Label->TaskParams(), "-v 'two words'");
    ClickLabel();
    ASSERT_EQ(Launches.size(), 1u);
    EXPECT_EQ(Launches[0].Kind, TUrlLabTarget::Program);
    EXPECT_EQ(Launches[0].Target, program);
    EXPECT_EQ(Launches[0].Params, "-v 'two words'");
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(UrlLabTest, OtherTargetsRaiseTheErrorWithoutOnClick)
{
    QTemporaryDir dir;
    const QString plain = MakeScript(dir, QStringLiteral("notes.exe"), "", false);
    for (const QString& url : {plain, dir.path(), dir.filePath(QStringLiteral("missing.exe")),
                               QStringLiteral("mailto:someone@example.org"),
                               QStringLiteral("ftp://example.org/file.exe"),
                               QStringLiteral("www.example.org"), QStringLiteral("http:/x")}) {
        Label->SetURL(url);
        Messages.clear();
        ClickLabel();
        EXPECT_EQ(Messages, QStringList{InvalidMessage()}) << url.toStdString();
        try {
            Label->Click();
            ADD_FAILURE() << "no error for " << url.toStdString();
        } catch (const ETovraURLLabError& e) {
            EXPECT_EQ(QString::fromStdString(e.what()), InvalidMessage());
        }
    }
    EXPECT_TRUE(Launches.empty());
    EXPECT_EQ(Clicks, 0);
}

TEST_F(UrlLabTest, AProgramThatDoesNotStartReportsTheErrorNumber)
{
    QTemporaryDir dir;
    Label->SetURL(MakeScript(dir, QStringLiteral("tool"), "exit 0\n"));
    LaunchResult = 8;
    ClickLabel();
    EXPECT_EQ(Messages,
              QStringList{
                  QStringLiteral("Component \"ULabHome\": Cannot start executable (errnum=8)")});
    EXPECT_EQ(Launches.size(), 1u);
    EXPECT_EQ(Clicks, 0);
}

TEST_F(UrlLabTest, OnlyACompleteLeftClickOnTheLabelCounts)
{
    ClickLabel();  // an empty URL only raises OnClick
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Launches.empty());
    EXPECT_TRUE(Messages.isEmpty());

    Clicks = 0;
    Label->SetURL(QStringLiteral("http://example.org"));
    QTest::mouseClick(Label, Qt::RightButton, {}, QPoint(10, 10));
    QTest::mousePress(Label, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(Label, Qt::LeftButton, {}, QPoint(200, 10));  // released outside
    EXPECT_TRUE(Launches.empty());
    EXPECT_EQ(Clicks, 0);
    // A double click arrives as a click, then a double-click press and its release; only the
    // first click opens the address.
    int doubleClicks = 0;
    Label->OnDblClick = [&](TUrlLab&) { ++doubleClicks; };
    ClickLabel();
    QTest::mouseDClick(Label, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(Label, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Launches.size(), 1u);
}

TEST(UrlLab, BlanksAroundUrlAndParametersAreRemovedButTabsStay)
{
    TUrlLab label;
    label.SetURL(QStringLiteral("   http://example.org  "));
    EXPECT_EQ(label.URL(), "http://example.org");
    EXPECT_TRUE(label.setProperty("URL", QStringLiteral("\thttp://example.org \t ")));
    EXPECT_EQ(label.URL(), "\thttp://example.org \t");
    label.SetTaskParams(QStringLiteral("   "));
    EXPECT_EQ(label.TaskParams(), "");
}

TEST_F(UrlLabTest, HoverShowsTheActiveFontWhileEnabled)
{
    QFont normal = Label->font();
    normal.setItalic(true);
    Label->setFont(normal);
    Label->Loaded();
    QFont active = normal;
    active.setUnderline(true);
    active.setBold(true);
    Label->SetFontActive(active);
    int enters = 0, leaves = 0;
    Label->OnMouseEnter = [&](TUrlLab&) { ++enters; };
    Label->OnMouseLeave = [&](TUrlLab&) { ++leaves; };

    // The font of the loaded notification comes back, even when the font changed since.
    QFont later = normal;
    later.setPixelSize(21);
    Label->setFont(later);
    MoveAway();
    MoveOverLabel();
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(Label->font(), active);
    MoveAway();
    EXPECT_EQ(leaves, 1);
    EXPECT_EQ(Label->font(), normal);

    // A disabled label keeps its font.
    Label->setEnabled(false);
    MoveOverLabel();
    EXPECT_EQ(Label->font(), normal);
    MoveAway();
    EXPECT_EQ(Label->font(), normal);
}

TEST_F(UrlLabTest, EachFontHasItsOwnTextColour)
{
    auto text = [&] { return Label->palette().color(QPalette::WindowText); };
    const QColor own = text();
    // Without colours of its own the label keeps its palette's, over it or not.
    MoveAway();
    MoveOverLabel();
    EXPECT_EQ(text(), own);
    MoveAway();
    Label->SetFontColor(clBlue);
    Label->SetFontActiveColor(clRed);
    EXPECT_EQ(text(), QColor(0, 0, 255));
    MoveOverLabel();
    EXPECT_EQ(text(), QColor(255, 0, 0));
    EXPECT_TRUE(Label->setProperty("FontActiveColor", QVariant::fromValue<quint32>(clGreen)));
    EXPECT_EQ(text(), QColor(0, 128, 0)); // shown at once while the mouse is over it
    MoveAway();
    EXPECT_EQ(text(), QColor(0, 0, 255));
    // A disabled label keeps its colour too.
    Label->setEnabled(false);
    MoveOverLabel();
    EXPECT_EQ(text(), QColor(0, 0, 255));
}

TEST_F(UrlLabTest, ALabelNeverLoadedRestoresTheFontItHadBeforeTheMouseCame)
{
    QFont own = Label->font();
    own.setPixelSize(17);
    Label->setFont(own);
    MoveAway();
    MoveOverLabel();
    MoveAway();
    EXPECT_EQ(Label->font(), own);
}

TEST_F(UrlLabTest, AmpersandIsShownAsItStands)
{
    // The label is as wide as its text with the "&" in it.
    Label->setText(QStringLiteral("R&D"));
    const int withAmpersand = Label->sizeHint().width();
    Label->setText(QStringLiteral("RD"));
    const int without = Label->sizeHint().width();
    const QFontMetrics fm(Label->font());
    EXPECT_EQ(withAmpersand - without, fm.horizontalAdvance(QStringLiteral("R&D")) -
                                           fm.horizontalAdvance(QStringLiteral("RD")));
}

TEST(UrlLab, TheDesktopLauncherStartsTheProgramWithItsParameters)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("args.txt"));
    const QString program = MakeScript(
        dir, QStringLiteral("tool"), "for a in \"$@\"; do printf '%s|' \"$a\"; done > \"$0.tmp\"\n"
                                     "mv \"$0.tmp\" \"" + out.toUtf8() + "\"\n");
    TUrlLab label;
    label.SetURL(program);
    label.SetTaskParams(QStringLiteral("one \"two three\" four"));
    label.Click();
    QFile f(out);
    for (int i = 0; i < 100 && !f.exists(); ++i)
        QTest::qWait(50);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "one|two three|four|");
}
