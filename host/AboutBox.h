#pragma once
// The about box: names the application and its version, carries the notice line and a short
// description, and offers up to three links. The main window fills it in and has it translated
// before its first showing (Prepare); each showing decides whether the home-page link appears.

#include <QDialog>
#include <QIcon>

class QLabel;
class QPushButton;

namespace tessaly {

class TBevelPanel;
class TParlox2000;
class TUrlLab;

// The program's icon, for its windows.
QIcon ProgramIcon();

// The language code ("de", "fr", "es", "en") of a language file's identity ("LgGerman", ...);
// "en" for any other.
QString LanguageCode(const QString& languageId);

class TFrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFrmAbout(QWidget* parent = nullptr);

    // What the main window does before the first showing: name, version, the home-page address
    // and the language-dependent texts, and the translation of the dialog's marked texts.
    void Prepare(TParlox2000& translator, const QString& appName, const QString& version);

    // Closes the dialog; the modal showing returns.
    void BButOKClick();
    // Runs at every showing: the home-page link shows only when its caption was translated to a
    // text of its own; otherwise the two other links move to the middle.
    void FormShow();

    TBevelPanel* Panel1 = nullptr;
    QLabel* LblName = nullptr;
    QLabel* LblVersion = nullptr;
    QLabel* LblAuthor = nullptr;
    QLabel* LblCopyright = nullptr;
    QLabel* LblDescription = nullptr;
    TBevelPanel* Panel2 = nullptr;
    QLabel* LblWebSite = nullptr;
    TUrlLab* UrlLabTovraSuite = nullptr;
    TUrlLab* UrlLabSimulations = nullptr;
    TUrlLab* UrlLabHomepage = nullptr;
    QPushButton* BButOK = nullptr;

    static const char* const EnglishDescription;
    static const char* const GermanDescription;
    static const char* const FrenchDescription;
    static const char* const SpanishDescription;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace tessaly
