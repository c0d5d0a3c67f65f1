// The game's help, in a viewer of its own beside the main window.
#pragma once

#include <QMainWindow>
#include <QUrl>

class QAction;
class QTextBrowser;

namespace quorvex::ui {

class HelpViewer : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // The open viewer, or nullptr when there is none.
    static HelpViewer* instance();
    // Where the help starts: its contents page, from the installed pages
    // when the program finds them, else from the copy compiled into it.
    static QUrl firstPage();
    // The installed help pages for a program in `programDir` (the installed
    // layout's data folder seen from its binary folder), empty when absent.
    static QString installedPages(const QString& programDir);

    QTextBrowser* browser() const { return Browser; }
    QAction* backAction() const { return Back; }
    QAction* forwardAction() const { return Forward; }
    QAction* homeAction() const { return Home; }

private:
    QTextBrowser* Browser = nullptr;
    QAction* Back = nullptr;
    QAction* Forward = nullptr;
    QAction* Home = nullptr;
};

// Opens the help at its first page without blocking; a viewer already open
// is brought to the front instead.
void OpenHelp(QWidget* parent);

}  // namespace quorvex::ui
