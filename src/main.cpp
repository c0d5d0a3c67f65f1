// Quorvex: an arithmetic puzzle for one player.
#include <QApplication>

#include "game/Texts.h"
#include "qt/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(quorvex::text::AppTitle));
    QApplication::setDesktopFileName(QStringLiteral("quorvex"));
    QApplication::setWindowIcon(quorvex::ui::MainWindow::AppIcon());

    quorvex::ui::MainWindow window;
    window.show();
    return app.exec();
}
