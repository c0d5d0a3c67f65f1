// The help viewer: a small browser over the help pages. An installed program
// shows the pages installed with it, the ones its man page names and a
// packager may adjust; anywhere else the copy compiled into the program
// serves, so the help needs no files or system help engine at run time.
#include "qt/HelpViewer.h"

#include <algorithm>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QKeySequence>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>

#include "game/Texts.h"

// The help pages live in a static library, whose resources are not
// registered on their own; this must sit outside any namespace.
static void InitHelpResource() {
    static const bool done = [] {
        Q_INIT_RESOURCE(help);
        return true;
    }();
    (void)done;
}

namespace quorvex::ui {

namespace {

QPointer<HelpViewer> liveViewer;

// Narrower than this a page of help reads badly; on a screen with less room
// beside the game the viewer covers the game's edge instead.
constexpr int MinimumWidth = 400;

// Puts `viewer` beside `game` on the side with more room, within the
// screen; its frame is taken to be as thick as the game's.
void PlaceBeside(QWidget* viewer, const QWidget* game) {
    const QRect room = game->screen()->availableGeometry(), beside = game->frameGeometry();
    const QSize frame = beside.size() - game->size();
    const int w = std::min(viewer->width() + frame.width(), room.width());
    const int h = std::min(viewer->height() + frame.height(), room.height());
    const int left = beside.left() - room.left(), right = room.right() - beside.right();
    const int width = std::max(left, right) >= w ? w : std::min(w, std::max({left, right, MinimumWidth}));
    const int x = right >= left ? std::min(beside.right() + 1, room.right() + 1 - width) : std::max(room.left(), beside.left() - width);
    const int y = std::clamp(beside.top(), room.top(), room.bottom() + 1 - h);
    viewer->resize(width - frame.width(), h - frame.height());
    viewer->move(x, y);
}

}  // namespace

// QUORVEX_HELP_FROM_BINDIR comes from the install rules and is relative, so
// that an installation moved as a whole (a package unpacked anywhere,
// another prefix) still finds its pages.
QString HelpViewer::installedPages(const QString& programDir) {
    const QDir pages(QDir(programDir).filePath(QStringLiteral(QUORVEX_HELP_FROM_BINDIR)));
    const QString first = QStringLiteral("%1.html").arg(QString::fromUtf8(text::HelpFile));
    return QFileInfo(pages.filePath(first)).isFile() ? pages.canonicalPath() : QString();
}

QUrl HelpViewer::firstPage() {
    const QString first = QStringLiteral("%1.html").arg(QString::fromUtf8(text::HelpFile));
    const QString installed = installedPages(QCoreApplication::applicationDirPath());
    if (!installed.isEmpty()) return QUrl::fromLocalFile(QDir(installed).filePath(first));
    return QUrl(QStringLiteral("qrc:/help/") + first);
}

HelpViewer::HelpViewer(QWidget* parent) : QMainWindow(parent, Qt::Window) {
    InitHelpResource();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("%1 Help").arg(QString::fromUtf8(text::AppTitle)));
    resize(640, 560);

    browser_ = new QTextBrowser(this);
    // Pages link to one another inside the program; anything with a web or
    // mail scheme goes to the desktop's own handler.
    browser_->setOpenExternalLinks(true);
    // Room around the text and a size meant for reading, not for dialog labels.
    browser_->document()->setDocumentMargin(12);
    QFont font = browser_->font();
    font.setPointSizeF(qMax(font.pointSizeF(), 10.5));
    browser_->setFont(font);
    setCentralWidget(browser_);

    QToolBar* bar = addToolBar(QStringLiteral("Navigation"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"),
                          browser_, &QTextBrowser::backward);
    back_->setShortcut(QKeySequence::Back);
    forward_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                             QStringLiteral("Forward"), browser_, &QTextBrowser::forward);
    forward_->setShortcut(QKeySequence::Forward);
    home_ = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Home"),
                          browser_, &QTextBrowser::home);
    home_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);

    auto* close = new QAction(this);
    close->setShortcuts({QKeySequence::Close, QKeySequence(Qt::Key_Escape)});
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);

    browser_->setSource(firstPage());
    liveViewer = this;
}

HelpViewer* HelpViewer::instance() { return liveViewer.data(); }

void OpenHelp(QWidget* parent) {
    HelpViewer* viewer = HelpViewer::instance();
    if (viewer == nullptr) {
        // A child window of the game, so it closes with the game rather than
        // keeping the program alive after the main window has gone.
        viewer = new HelpViewer(parent);
        if (parent) PlaceBeside(viewer, parent->window());
    }
    viewer->show();
    viewer->setWindowState(viewer->windowState() & ~Qt::WindowMinimized);
    viewer->raise();
    viewer->activateWindow();
}

}  // namespace quorvex::ui

#include "moc_HelpViewer.cpp"
