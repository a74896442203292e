// Entry point: the command-line modes for an option ("--eval", "--render", "--help", ...), the
// plotter window otherwise. The window's own arguments (parameters from a host program and its
// "/serverhandle=" switch) reach the host client.
#include "app/CommandLine.h"
#include "app/mainfrm.h"
#include "app/StartError.h"
#include "app/ViewOptions.h"
#include "gfx/Fonts.h"
#include "host/AboutBox.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    tessaly::TViewOptions options;
    const int code = tessaly::RunCommandLine(args, std::cout, std::cerr, &options);
    if (code >= 0)
        return code;

    QApplication app(argc, argv);
    tessaly::InstallFontSubstitutes();
    try {
        // Building the window loads the language file and translates it; a second start of the
        // program hands its parameters on and ends in here, before any window shows.
        // Window options make a second start hand them to the first instance even without a
        // host server.
        tessaly::TDemonStart start;
        start.HandOverWithoutServer = options != tessaly::TViewOptions{};
        tessaly::TFrmTessaly window(start);
        window.SetStartOptions(options);
        // Qt's own texts (buttons of message boxes, file dialogs) in the language of the
        // language file that was loaded.
        QTranslator qtTexts;
        if (window.cliDemon &&
            qtTexts.load("qtbase_" + tessaly::LanguageCode(window.cliDemon->Translate("$dlglanguage$")),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&qtTexts);
        tessaly::TFrmAbout about;
        window.SetAboutBox(&about);
        window.show();
        return app.exec();
    } catch (const std::exception& e) {
        return tessaly::ReportStartError(e.what());
    }
}
