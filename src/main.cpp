// Quorvex: an arithmetic puzzle for one player.
#include <csignal>

#include <QApplication>

#include "game/Texts.h"
#include "qt/MainWindow.h"

int main(int argc, char* argv[]) {
    // Past the file-size limit a write then fails with an error that the save
    // reports, instead of the signal ending the game halfway through a file.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(quorvex::text::AppTitle));
    QApplication::setDesktopFileName(QStringLiteral("quorvex"));
    QApplication::setWindowIcon(quorvex::ui::MainWindow::AppIcon());

    quorvex::ui::MainWindow window;
    window.show();
    return app.exec();
}
