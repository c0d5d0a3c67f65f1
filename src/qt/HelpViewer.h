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

    QTextBrowser* browser() const { return browser_; }
    QAction* backAction() const { return back_; }
    QAction* forwardAction() const { return forward_; }
    QAction* homeAction() const { return home_; }

private:
    QTextBrowser* browser_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    QAction* home_ = nullptr;
};

// Opens the help at its first page without blocking; a viewer already open
// is brought to the front instead.
void OpenHelp(QWidget* parent);

}  // namespace quorvex::ui
