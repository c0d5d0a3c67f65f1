// The least a window like the game's can cost to start: a main window with a
// menu and a 7 by 7 grid of 49 buttons, and nothing else. The game's start-up
// is measured against it.
#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    QMenu* menu = window.menuBar()->addMenu(QStringLiteral("&Puzzle"));
    for (const char* item : {"&New Puzzle", "Show &Solution", "&Print", "E&xit"})
        menu->addAction(QString::fromLatin1(item));
    auto* board = new QWidget(&window);
    auto* grid = new QGridLayout(board);
    grid->setSpacing(0);
    for (int i = 0; i < 49; ++i) grid->addWidget(new QPushButton(QString::number(i % 9 + 1), board), i / 7, i % 7);
    window.setCentralWidget(board);
    window.resize(480, 520);
    window.show();
    return app.exec();
}
