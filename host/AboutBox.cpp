#include "host/AboutBox.h"

#include "gfx/Colors.h"
#include "host/Parlox2000.h"
#include "widgets/BevelPanel.h"
#include "widgets/Tovra_urllab.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

// Resources of a static library are registered by name, from the global namespace.
static void InitHostResources()
{
    Q_INIT_RESOURCE(host);
}

namespace tessaly {

QIcon ProgramIcon()
{
    InitHostResources();
    return QIcon(":/tessaly/tessaly.png");
}

const char* const TFrmAbout::EnglishDescription =
    "Tessaly plots mathematical functions and lets you examine how the parameters of a function "
    "change its curve. It is a simulation made by the Tessaly developers and is used in various "
    "electronic textbooks. It was written in C++ with Qt and built on the Tovra component suite.";
const char* const TFrmAbout::GermanDescription =
    "Tessaly zeichnet mathematische Funktionen und zeigt, wie die Parameter einer Funktion ihre "
    "Kurve ver\u00e4ndern. Es ist eine Simulation der Tessaly-Entwickler und wird in verschiedenen "
    "elektronischen Lehrb\u00fcchern eingesetzt. Es wurde in C++ mit Qt geschrieben und baut auf der "
    "Tovra-Komponentensammlung auf.";
const char* const TFrmAbout::FrenchDescription =
    "Tessaly trace des fonctions math\u00e9matiques et permet d\u2019\u00e9tudier comment les "
    "param\u00e8tres d\u2019une fonction modifient sa courbe. C\u2019est une simulation r\u00e9alis\u00e9e "
    "par les d\u00e9veloppeurs de Tessaly, utilis\u00e9e dans plusieurs manuels num\u00e9riques. Elle "
    "est \u00e9crite en C++ avec Qt et repose sur la biblioth\u00e8que de composants Tovra.";
const char* const TFrmAbout::SpanishDescription =
    "Tessaly representa funciones matem\u00e1ticas y permite estudiar c\u00f3mo los par\u00e1metros de "
    "una funci\u00f3n modifican su curva. Es una simulaci\u00f3n creada por los desarrolladores de "
    "Tessaly y se utiliza en diversos libros de texto electr\u00f3nicos. Est\u00e1 escrita en C++ con "
    "Qt y se basa en la colecci\u00f3n de componentes Tovra.";

QString LanguageCode(const QString& languageId)
{
    const QString id = FoldAscii(languageId);
    if (id == "lggerman")
        return "de";
    if (id == "lgfrench")
        return "fr";
    if (id == "lgspanish")
        return "es";
    return "en";
}

namespace {

QFont ArialPixels(int px, bool bold = false, bool italic = false)
{
    QFont f("Arial");
    f.setPixelSize(px);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
                  Qt::Alignment align = Qt::AlignHCenter | Qt::AlignTop)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setAlignment(align);
    return l;
}

TUrlLab* MakeLink(QWidget* parent, const char* name, int top, const QString& caption, const QString& url)
{
    auto* u = new TUrlLab(parent);
    u->setObjectName(name);
    u->setGeometry(152, top, 369, 16);
    u->setText(caption);
    u->SetURL(url);
    QFont normal("Courier New");
    normal.setPixelSize(13);
    normal.setBold(true);
    u->setFont(normal);
    u->SetFontColor(clBlue);
    QFont active = normal;
    active.setUnderline(true);
    u->SetFontActive(active);
    u->SetFontActiveColor(clRed);
    u->Loaded();
    return u;
}

void SetTextColor(QWidget* w, TColor c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, ColorToQColor(c));
    w->setPalette(pal);
}

} // namespace

TFrmAbout::TFrmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName("FrmAbout");
    setWindowTitle("PX_About");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(543, 332);
    setWindowIcon(ProgramIcon());
    setFont(ArialPixels(13));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ColorToQColor(clBtnFace));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    Panel1 = new TBevelPanel(this, TBevelPanel::bvLowered, TBevelPanel::bvRaised);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(8, 10, 529, 127);
    LblName = MakeLabel(Panel1, "LblName", QRect(8, 12, 513, 34), "App. name");
    LblName->setFont(ArialPixels(30, true, true));
    SetTextColor(LblName, clMaroon);
    LblVersion = MakeLabel(Panel1, "LblVersion", QRect(8, 50, 513, 16), "App. version");
    LblAuthor = MakeLabel(Panel1, "LblAuthor", QRect(8, 74, 513, 16), QString());
    LblCopyright = MakeLabel(Panel1, "LblCopyright", QRect(8, 100, 513, 16),
                             QString::fromUtf8("\u00a9 2026 The Tessaly developers. All rights reserved."));

    LblDescription = MakeLabel(this, "LblDescription", QRect(8, 152, 529, 65), QString());
    LblDescription->setWordWrap(true);
    LblDescription->setFont(ArialPixels(13));
    SetTextColor(LblDescription, clMaroon);

    Panel2 = new TBevelPanel(this, TBevelPanel::bvLowered, TBevelPanel::bvRaised);
    Panel2->setObjectName("Panel2");
    Panel2->setGeometry(8, 224, 529, 65);
    LblWebSite = MakeLabel(Panel2, "LblWebSite", QRect(8, 8, 135, 49), QString(),
                           Qt::AlignRight | Qt::AlignTop);
    LblWebSite->setWordWrap(true);
    UrlLabTovraSuite = MakeLink(Panel2, "UrlLabTovraSuite", 8, "Tovra component suite",
                                "https://tovra.example.org/");
    UrlLabSimulations = MakeLink(Panel2, "UrlLabSimulations", 24, "Tessaly simulations",
                                 "https://simulations.example.org/");
    UrlLabHomepage = MakeLink(Panel2, "UrlLabHomepage", 40, "PX_HomePage", QString());
    UrlLabHomepage->setVisible(false);

    BButOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "PX_OK", this);
    BButOK->setObjectName("BButOK");
    BButOK->setGeometry(424, 296, 113, 33);
    BButOK->setDefault(true);
    connect(BButOK, &QPushButton::clicked, this, &TFrmAbout::BButOKClick);
}

void TFrmAbout::Prepare(TParlox2000& translator, const QString& appName, const QString& version)
{
    LblName->setText(appName);
    LblVersion->setText(version);
    UrlLabHomepage->SetURL(translator.Translate("HomePageURL"));
    const QString language = FoldAscii(translator.Translate("$dlglanguage$"));
    translator.TranslateComponent(*this);
    if (language == "lggerman") {
        LblWebSite->setText("Mehr Informationen finden Sie auf folgenden Webseiten:");
        LblDescription->setText(QString::fromUtf8(GermanDescription));
    } else if (language == "lgfrench") {
        LblWebSite->setText(QString::fromUtf8("Plus d\u2019informations sur les sites suivants\u00a0:"));
        LblDescription->setText(QString::fromUtf8(FrenchDescription));
    } else if (language == "lgspanish") {
        LblWebSite->setText(
            QString::fromUtf8("Encontrar\u00e1 m\u00e1s informaci\u00f3n en los siguientes sitios web:"));
        LblDescription->setText(QString::fromUtf8(SpanishDescription));
    } else {
        LblWebSite->setText("More information can be found at the following Web sites:");
        LblDescription->setText(QString::fromUtf8(EnglishDescription));
    }
}

void TFrmAbout::BButOKClick()
{
    accept();
}

void TFrmAbout::FormShow()
{
    const QString caption = UrlLabHomepage->text();
    if (caption != "HomePage" && !caption.isEmpty()) {
        UrlLabHomepage->setVisible(true);
        return;
    }
    UrlLabHomepage->setVisible(false);
    UrlLabTovraSuite->move(UrlLabTovraSuite->x(), 16);
    UrlLabSimulations->move(UrlLabSimulations->x(), 32);
}

void TFrmAbout::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

} // namespace tessaly
