// Quorvex: an arithmetic puzzle for one player.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <QApplication>

#include "game/Texts.h"
#include "qt/CommandLine.h"
#include "qt/DisplayCheck.h"
#include "qt/MainWindow.h"
#include "qt/Pictures.h"

int main(int argc, char* argv[]) {
    // Past the file-size limit a write then fails with an error that the save
    // reports, instead of the signal ending the game halfway through a file.
    std::signal(SIGXFSZ, SIG_IGN);

    const quorvex::ui::CommandLine line = quorvex::ui::ReadCommandLine(argc, argv, QUORVEX_VERSION);
    if (!line.startGame) {
        std::fputs(line.out.c_str(), stdout);
        std::fputs(line.err.c_str(), stderr);
        return line.status;
    }

    // Without a display Qt would abort with a page about platform plugins;
    // say plainly what is missing instead.
    const quorvex::ui::EnvironmentLookup env = [](const char* name) { return std::getenv(name); };
    if (std::string missing = quorvex::ui::MissingDisplay(env, argc, argv); !missing.empty()) {
        std::fprintf(stderr, "quorvex: %s\n", missing.c_str());
        return 1;
    }
    std::unique_ptr<QApplication> app;
    quorvex::ui::ConstructOnDisplay([&] { app = std::make_unique<QApplication>(argc, argv); }, env);

    QApplication::setApplicationName(QString::fromUtf8(quorvex::text::AppTitle));
    // Ties the running window to the installed desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral(QUORVEX_APP_ID));
    quorvex::ui::MainWindow window({}, nullptr, line.code);
    window.show();
    // Drawn once, in every size, for the main window and every other window
    // alike, after the board is on screen: the desktop shows it, not the game.
    quorvex::ui::SetAppIconAfterFirstFrame(window);
    return app->exec();
}
