// The main window: controls, menus, layout and the bridge to the core.
#include "qt/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFontInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

#include "game/Texts.h"
#include "qt/BoardCursor.h"
#include "qt/BoardGrid.h"
#include "qt/Colours.h"
#include "qt/Pictures.h"
#include "qt/QtServices.h"
#include "qt/Quadlet.h"

namespace quorvex::ui {

namespace {

constexpr double MessageFontPoints = 9.6;

// The font size a desktop without settings gives, at which the board opens
// at its default scale; a desktop that asks for larger text gets a larger board.
constexpr double PlainDesktopPoints = 9.0;

QLabel* MakeMessageLabel(QWidget* parent, const char* name, Colour background) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, ToQColor(background));
    pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    return label;
}

QString Text(const std::string& s) { return QString::fromStdString(s); }

// A sentence's operators as the cells draw them: "4 × ? − 2 = 6".
QString WithSigns(const std::string& s) {
    return Text(s).replace(QStringLiteral(" * "), QStringLiteral(" \u00D7 ")).replace(QStringLiteral(" - "), QStringLiteral(" \u2212 "));
}

// A caption with `mnemonic` marked at its first occurrence; the words stay the game's own.
QString WithMnemonic(const std::string& caption, char mnemonic) {
    QString text = Text(caption);
    if (const qsizetype at = mnemonic ? text.indexOf(QLatin1Char(mnemonic)) : -1; at >= 0) text.insert(at, '&');
    return text;
}

// The window manager's frame is unknown until the window is shown; a title
// bar and a thin border are assumed, and a margin kept clear of the screen's edges.
constexpr int AssumedBorder = 4;
constexpr int ScreenMargin = 8;

}  // namespace

MainWindow::MainWindow(ServicesFactory makeServices, std::unique_ptr<RandomSource> random, std::string startCode,
                       QWidget* parent)
    : QMainWindow(parent), geometry_(Geometry::DefaultScale) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(text::AppTitle));

    services_ = makeServices ? makeServices(*this) : std::make_unique<QtServices>(*this);
    form_ = std::make_unique<Form1>(*services_, std::move(random));
    form_->StartCode = std::move(startCode);

    buildBoard();
    buildMenus();
    buildStatusLine();

    dispatch([this] { form_->Form_Load(); });

    buildKeys();

    // Sized once the menu has its caption, which decides the menu bar's height:
    // the board as large as the desktop's font asks, or smaller when the
    // screen does. The status line sits under the board and adds its own height.
    const int barsHeight = menuBar()->sizeHint().height() + statusBar()->minimumHeight();
    const QSize chrome(2 * AssumedBorder,
                       barsHeight + style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * AssumedBorder);
    const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    const double wanted = Geometry::DefaultScale * QFontInfo(QApplication::font()).pointSizeF() / PlainDesktopPoints;
    const QSize client = Geometry(Geometry::OpeningScale(available.size(), chrome, ScreenMargin, wanted)).clientSize();
    resize(client.width(), client.height() + barsHeight);
    relayout();
    cursor_ = SettleCursor(1, [this](int i) { return form_->CursorStop(i); });
    focusBoard();
}

MainWindow::~MainWindow() {
    // The core goes before the services it holds a reference to.
    form_.reset();
}

void MainWindow::buildBoard() {
    board_ = new QWidget(this);
    board_->setObjectName(QStringLiteral("BoardArea"));
    board_->setMinimumSize(Geometry(Geometry::MinimumScale).clientSize());
    board_->installEventFilter(this);
    setCentralWidget(board_);

    grid_ = new BoardGrid(board_);
    for (int i = 1; i < CellCount; ++i) {
        Quadlet* cell = i <= GridCells ? grid_->cell(i) : new Quadlet(Quadlet::Kind::Cell, i, board_);
        cell->setObjectName(QStringLiteral("GridDisp%1").arg(i));
        connect(cell, &Quadlet::mouseClicked, this, [this](int index, MouseButton button) {
            dispatch([this, index, button] { form_->ClickCell(index, button); });
        });
        connect(cell, &Quadlet::focusEntered, this, [this](int index) { cursor_ = index; });
        cells_[std::size_t(i)] = cell;
    }

    rightMess_ = MakeMessageLabel(board_, "RightMess", Rgb(0, 128, 0));
    compMess_ = MakeMessageLabel(board_, "CompMess", Rgb(128, 0, 0));

    newPuz_ = new Quadlet(Quadlet::Kind::Button, 0, board_);
    newPuz_->setObjectName(QStringLiteral("NewPuz"));
    connect(newPuz_, &Quadlet::clicked, this, [this] { dispatch([this] { form_->NewPuz_Click(); }); });

    solveit_ = new Quadlet(Quadlet::Kind::Button, 0, board_);
    solveit_->setObjectName(QStringLiteral("Solveit"));
    // Anything dragged in from another program may be dropped here.
    solveit_->setAcceptDrops(true);
    connect(solveit_, &Quadlet::clicked, this, [this] { dispatch([this] { form_->Solveit_Click(); }); });
    connect(solveit_, &Quadlet::dropped, this, [this] { dispatch([this] { form_->Solveit_DragDrop(); }); });

    for (int j = 1; j <= 4; ++j) {
        // Over the target cell it replaces, letting clicks through to the cells beneath.
        auto* picture = new QLabel(board_);
        picture->setObjectName(QStringLiteral("NPict%1").arg(j));
        picture->setAttribute(Qt::WA_TransparentForMouseEvents);
        picture->setAlignment(Qt::AlignCenter);
        picture->setAccessibleName(QStringLiteral("Smiley: the %1 corner is right").arg(Text(CornerName(j))));
        pictures_[std::size_t(j)] = picture;
    }

    // Says what the core has to say: a screen reader speaks a notification
    // the moment it appears. It has no pixels of its own.
    announcer_ = new QWidget(board_);
    announcer_->setObjectName(QStringLiteral("Announcer"));
    announcer_->setAttribute(Qt::WA_TransparentForMouseEvents);
    announcer_->hide();

    // Created last, so that a screen reader looking for what lies under a
    // point meets the controls before the frame that encloses them all.
    frame_ = new QFrame(board_);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

QAction* MainWindow::addCommand(QMenu* menu, const char* name, const MenuItem& item, void (Form1::*handler)(),
                                char mnemonic) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { dispatch([this, handler] { ((*form_).*handler)(); }); });
    menuBindings_.push_back({action, &item, mnemonic, {}});
    return action;
}

void MainWindow::buildMenus() {
    gamex_ = menuBar()->addMenu(QString());
    gamex_->setObjectName(QStringLiteral("Gamex"));
    auto separator = [](QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QString::fromLatin1(name)); };

    // Alt+P, then a letter: "c" both enters and ends set-up mode, whatever its caption says.
    Form1& f = *form_;
    addCommand(gamex_, "StartSolx", f.StartSolx, &Form1::StartSolx_Click, 'S');
    addCommand(gamex_, "ShowSolx", f.ShowSolx, &Form1::ShowSolx_Click, 'w');
    separator(gamex_, "dash1");
    addCommand(gamex_, "SolveMx", f.SolveMx, &Form1::SolveMx_Click, 'c');
    separator(gamex_, "dash2");
    addCommand(gamex_, "PrintX", f.PrintX, &Form1::PrintX_Click, 'P')->setShortcut(QKeySequence::Print);
    separator(gamex_, "dash3");
    addCommand(gamex_, "Helpx", f.Helpx, &Form1::Helpx_Click, 'H')->setShortcut(QKeySequence::HelpContents);
    addCommand(gamex_, "Aboutx", f.Aboutx, &Form1::Aboutx_Click, 'A');
    separator(gamex_, "xx1");
    // Spelt out: some platforms' standard Quit key is not Ctrl+Q, or none at all.
    addCommand(gamex_, "Exitx", f.Exitx, &Form1::Exitx_Click, 'x')->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    buildGameMenu();

    // Undo, redo, statistics and the timer: a menu of their own beside the
    // Puzzle menu, which keeps its items as they are.
    toolsx_ = menuBar()->addMenu(QString());
    toolsx_->setObjectName(QStringLiteral("Toolsx"));
    addCommand(toolsx_, "Undox", f.Undox, &Form1::Undox_Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    addCommand(toolsx_, "Redox", f.Redox, &Form1::Redox_Click)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    QAction* hint = addCommand(toolsx_, "Hintx", f.Hintx, &Form1::Hint_Click);
    hint->setShortcut(QKeySequence(Qt::Key_H));
    // Runs after the hint itself: the changed cell takes the cursor and lights up.
    connect(hint, &QAction::triggered, this, [this] {
        // A hint refused while a message box is open changed nothing.
        if (const int changed = form_->HintedCell; changed != 0 && !QApplication::activeModalWidget()) {
            focusCell(changed);
            cell(changed)->flash();
        }
    });
    separator(toolsx_, "dash4");
    addCommand(toolsx_, "Statx", f.Statx, &Form1::Statx_Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    addCommand(toolsx_, "Timerx", f.Timerx, &Form1::Timerx_Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));

    // Escape from a menu, or a command chosen from it, leaves no keyboard
    // focus behind on the menu bar: it goes back to the board.
    for (QMenu* menu : {gamex_, gameKindx_, toolsx_}) {
        connect(menu, &QMenu::aboutToHide, this, [this] {
            QTimer::singleShot(0, this, [this] {
                if (!QApplication::activePopupWidget() && !QApplication::activeModalWidget()) focusBoard();
            });
        });
    }
}

// The kind of the next puzzle and the puzzles that come by code or by date:
// a menu of their own, so the Puzzle menu keeps its items as they are.
void MainWindow::buildGameMenu() {
    gameKindx_ = menuBar()->addMenu(QString());
    gameKindx_->setObjectName(QStringLiteral("GameKindx"));
    Form1& f = *form_;
    auto* kinds = new QActionGroup(gameKindx_);
    for (auto [name, item, handler] : {std::tuple{"Classicx", &f.Classicx, &Form1::Classicx_Click},
                                       {"Easyx", &f.Easyx, &Form1::Easyx_Click},
                                       {"Mediumx", &f.Mediumx, &Form1::Mediumx_Click},
                                       {"Hardx", &f.Hardx, &Form1::Hardx_Click}})
        kinds->addAction(addCommand(gameKindx_, name, *item, handler));
    gameKindx_->addSeparator()->setObjectName(QStringLiteral("dash5"));
    // Ctrl+N stays the key of whichever button is on view (Solve Puzzle in
    // set-up mode); the menu shows it beside New Puzzle, where it belongs in play.
    addCommand(gameKindx_, "NewPuzx", f.NewPuzx, &Form1::NewPuzx_Click);
    menuBindings_.back().keys = QKeySequence(QKeySequence::New).toString(QKeySequence::NativeText);
    addCommand(gameKindx_, "Todayx", f.Todayx, &Form1::Todayx_Click);
    gameKindx_->addSeparator()->setObjectName(QStringLiteral("dash6"));
    addCommand(gameKindx_, "CopyCodex", f.CopyCodex, &Form1::CopyCodex_Click);
    addCommand(gameKindx_, "OpenCodex", f.OpenCodex, &Form1::OpenCodex_Click);
}

void MainWindow::buildKeys() {
    // The visible button's own action: New Puzzle in play, Solve Puzzle in set-up.
    auto* button = new QShortcut(QKeySequence::New, this);
    connect(button, &QShortcut::activated, this, [this] {
        if (form_->NewPuz.TakesInput()) dispatch([this] { form_->NewPuz_Click(); });
        else if (form_->Solveit.TakesInput()) dispatch([this] { form_->Solveit_Click(); });
    });
    const QString hint = QStringLiteral(" (%1)").arg(QKeySequence(QKeySequence::New).toString(QKeySequence::NativeText));
    newPuz_->setToolTip(QString::fromUtf8(text::NewPuz) + hint);
    solveit_->setToolTip(QString::fromUtf8(text::Solveit) + hint);

    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] { menuBar()->setActiveAction(gamex_->menuAction()); });
}

bool MainWindow::boardHasFocus() const {
    const auto* focused = qobject_cast<const Quadlet*>(focusWidget());
    return focused && focused->kind() == Quadlet::Kind::Cell && focused->hasFocus();
}

void MainWindow::focusCell(int index) {
    if (!form_->CursorStop(index)) return;
    cursor_ = index;
    cells_[std::size_t(index)]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::focusBoard() {
    if (ending_ || form_->Ended()) return;
    // A click on an inactive window hands a cell the focus without a focus
    // event, so the cursor follows the window's own record of it.
    if (const auto* last = qobject_cast<const Quadlet*>(focusWidget()); last && last->kind() == Quadlet::Kind::Cell)
        cursor_ = last->index();
    // The cursor's cell may have stopped being a stop (set-up mode entered, say).
    const int settled = SettleCursor(cursor_, [this](int i) { return form_->CursorStop(i); });
    if (settled == 0) return board_->setFocus(Qt::OtherFocusReason);
    focusCell(settled);
}

bool MainWindow::focusNextPrevChild(bool) {
    // Two stops only: the board and whichever button is on view.
    Quadlet* button = newPuz_->isVisible() ? newPuz_ : solveit_;
    if (boardHasFocus() && button->isVisible() && button->isEnabled()) {
        button->setFocus(Qt::TabFocusReason);
        return true;
    }
    focusBoard();
    return true;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (!boardHasFocus()) return QMainWindow::keyPressEvent(event);
    const auto stop = [this](int i) { return form_->CursorStop(i); };
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    auto move = [&](CursorMove m) { focusCell(MoveCursor(cursor_, m, stop)); };
    auto type = [&](char key) {
        const int index = cursor_;
        dispatch([this, index, key] { form_->TypeKey(index, key); });
    };
    if (mods == Qt::NoModifier || mods == Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_Left: return move(CursorMove::Left);
        case Qt::Key_Right: return move(CursorMove::Right);
        case Qt::Key_Up: return move(CursorMove::Up);
        case Qt::Key_Down: return move(CursorMove::Down);
        case Qt::Key_Home: return move(ctrl ? CursorMove::BoardStart : CursorMove::RowStart);
        case Qt::Key_End: return move(ctrl ? CursorMove::BoardEnd : CursorMove::RowEnd);
        default: break;
        }
    }
    if (mods == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Space: return type(' ');
        case Qt::Key_Return:
        case Qt::Key_Enter: return type('\r');
        case Qt::Key_Backspace: return type('\b');
        case Qt::Key_Delete: return type(Form1::DeleteKey);
        case Qt::Key_T: return dispatch([this] { form_->ReadTargets(); });
        default: break;
        }
    }
    if (mods == Qt::ShiftModifier && event->key() == Qt::Key_Space) return type('\b');
    // Digits and operators by the character they type, whatever the layout
    // (Shift+8 and the keypad's "*" both give "*").
    const QString typed = event->text();
    if (!ctrl && !(mods & Qt::AltModifier) && typed.size() == 1) {
        const char c = typed.at(0).toLatin1();
        if ((c >= '1' && c <= '9') || c == '+' || c == '-' || c == '*' || c == 'x' || c == 'X') return type(c);
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::relayout() {
    geometry_ = Geometry::ForClientSize(board_->size());
    const Geometry& g = geometry_;

    frame_->setGeometry(g.frame());
    grid_->layOut(g);
    for (int i = FirstTargetCell; i < CellCount; ++i) {
        cells_[std::size_t(i)]->setGeometry(g.cell(i));
        cells_[std::size_t(i)]->setScale(g.scale());
    }

    QFont messageFont(QStringLiteral("Arial"));
    messageFont.setStyleHint(QFont::SansSerif);
    messageFont.setBold(true);
    messageFont.setPointSizeF(g.fontPoints(MessageFontPoints, logicalDpiY()));
    for (QLabel* label : {rightMess_, compMess_}) {
        label->setGeometry(g.message());
        label->setFont(messageFont);
    }
    for (Quadlet* button : {newPuz_, solveit_}) {
        button->setGeometry(g.button());
        button->setScale(g.scale());
    }
    for (int j = 1; j <= 4; ++j) {
        pictures_[std::size_t(j)]->setGeometry(g.picture(j));
        drawSmiley(pictures_[std::size_t(j)]);
    }
}

void MainWindow::drawSmiley(QLabel* picture) {
    // Drawn at its size on screen, so that it stays sharp at any scale, and
    // only once on view: a board starts without one, and drawing four would
    // cost the first frame time and memory.
    if (picture->isHidden()) return;
    const qreal dpr = devicePixelRatioF();
    const int size = int(std::min(picture->width(), picture->height()) * dpr + 0.5);
    if (const QPixmap shown = picture->pixmap(); !shown.isNull() && shown.size() == QSize(size, size)) return;
    QPixmap smiley = SmileyPixmap(size);
    smiley.setDevicePixelRatio(dpr);
    picture->setPixmap(smiley);
}

void MainWindow::sync(const Form1& f) {
    for (int i = 1; i < CellCount; ++i) {
        Quadlet* cell = cells_[std::size_t(i)];
        cell->setState(f.GridDisp[std::size_t(i)]);
        cell->setVisible(f.GridDisp[std::size_t(i)].Visible);
        cell->setFocusPolicy(f.CursorStop(i) ? Qt::ClickFocus : Qt::NoFocus);
        // Only what changed: each change is an event a screen reader may speak.
        if (const QString name = Text(f.CellName(i)); cell->accessibleName() != name) cell->setAccessibleName(name);
        if (const QString about = Text(f.CellDescription(i)); cell->accessibleDescription() != about)
            cell->setAccessibleDescription(about);
    }
    // Why the final cell is black although it may show the final number.
    cells_[49]->setToolTip(Text(f.FinalCellNote()));

    newPuz_->setState(f.NewPuz);
    newPuz_->setVisible(f.NewPuz.Visible);
    solveit_->setState(f.Solveit);
    solveit_->setVisible(f.Solveit.Visible);

    rightMess_->setText(Text(f.RightMess.Caption));
    rightMess_->setVisible(f.RightMess.Visible);
    compMess_->setText(Text(f.CompMess.Caption));
    compMess_->setVisible(f.CompMess.Visible);
    frame_->setVisible(f.Frame1.Visible);
    for (int j = 1; j <= 4; ++j) {
        pictures_[std::size_t(j)]->setVisible(f.NPict[std::size_t(j)].Visible);
        drawSmiley(pictures_[std::size_t(j)]);
    }

    gamex_->setTitle(QLatin1Char('&') + Text(f.Gamex.Caption));
    for (const MenuBinding& binding : menuBindings_) {
        binding.action->setText(WithMnemonic(binding.item->Caption, binding.mnemonic) +
                                (binding.keys.isEmpty() ? QString() : QLatin1Char('\t') + binding.keys));
        binding.action->setEnabled(binding.item->Enabled);
        binding.action->setCheckable(binding.item->Checkable);
        binding.action->setChecked(binding.item->Checked);
    }
    toolsx_->setTitle(Text(f.Toolsx.Caption));
    gameKindx_->setTitle(Text(f.GameKindx.Caption));
    syncStatusLine();
}

void MainWindow::announce() {
    const Form1::Spoken& said = form_->Announcement;
    if (said.Serial == spoken_) return;
    spoken_ = said.Serial;
    announcer_->hide();
    announcer_->setAccessibleName(Text(said.Text));
    announcer_->show();
}

void MainWindow::dispatch(const std::function<void()>& call) {
    try {
        call();
    } catch (const std::exception& e) {
        reportFailure(QString::fromUtf8(e.what()));
    } catch (...) {
        reportFailure(QString());
    }
    sync();
    // Every command, and every dialog it opened, ends with the keys on the board.
    focusBoard();
    announce();
}

void MainWindow::reportFailure(const QString& what) {
    const QString message =
        QStringLiteral("Something went wrong: %1\n\nThe game goes on.")
            .arg(what.isEmpty() ? QStringLiteral("an unexpected error") : what);
    try {
        services_->showMessage(message.toStdString(), MsgButtons::Ok);
    } catch (...) {
        QMessageBox::warning(this, QString::fromUtf8(text::AppTitle), message);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (ending_ || form_->Ended()) return event->accept();
    closing_ = true;
    std::int16_t cancel = 0;
    dispatch([this, &cancel] { form_->Form_Unload(cancel); });
    // The game never keeps its window open once asked to close.
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == board_ && event->type() == QEvent::Resize) relayout();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::buildStatusLine() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusLine"));
    bar->setSizeGripEnabled(false);
    noteLabel_ = new QLabel(bar);
    noteLabel_->setObjectName(QStringLiteral("StatusNote"));
    // A long note must not widen the window: it is cut, and whole in its tooltip.
    noteLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(noteLabel_, 1);
    // A hint's reason can be long: it wraps, and the line grows to hold it.
    statusText_ = new QLabel(bar);
    statusText_->setObjectName(QStringLiteral("StatusText"));
    statusText_->setWordWrap(true);
    statusText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusText_->hide();
    bar->addWidget(statusText_, 1);
    timerLabel_ = new QLabel(bar);
    timerLabel_->setObjectName(QStringLiteral("StatusTime"));
    timerLabel_->setText(QString::fromUtf8(text::TimerPrefix) + QStringLiteral("00:00"));
    bar->addPermanentWidget(timerLabel_);
    // One height whatever it shows, so hiding the time never moves the board.
    statusLineHeight_ = bar->sizeHint().height();
    bar->setFixedHeight(statusLineHeight_);

    timerTick_ = new QTimer(this);
    timerTick_->setInterval(250);
    connect(timerTick_, &QTimer::timeout, this, &MainWindow::syncStatusLine);
}

void MainWindow::syncStatusLine() {
    const Form1& f = *form_;
    const std::string time = f.TimerText();
    timerLabel_->setText(time.empty() ? QString() : QString::fromUtf8(text::TimerPrefix) + Text(time));
    timerLabel_->setVisible(f.Timerx.Checked);
    noteLabel_->setText(Text(f.StatusNote.Caption));
    noteLabel_->setToolTip(noteLabel_->text());
    // The core's sentence is about what the player just did: it goes first.
    noteLabel_->setVisible(f.StatusNote.Visible && !f.StatusText.Visible);
    if (const QString said = WithSigns(f.StatusText.Caption); statusText_->text() != said) statusText_->setText(said);
    statusText_->setVisible(f.StatusText.Visible);
    fitStatusLine();
    if (f.ClockRunning() != timerTick_->isActive()) f.ClockRunning() ? timerTick_->start() : timerTick_->stop();
}

void MainWindow::fitStatusLine() {
    QStatusBar* bar = statusBar();
    int wanted = statusLineHeight_;
    if (statusText_->isVisibleTo(bar)) {
        const int room = bar->width() - (timerLabel_->isVisibleTo(bar) ? timerLabel_->sizeHint().width() : 0) - 24;
        const QRect text = statusText_->fontMetrics().boundingRect(QRect(0, 0, std::max(room, 40), 1 << 16),
                                                                   Qt::TextWordWrap, statusText_->text());
        wanted += std::max(0, text.height() - statusText_->fontMetrics().height());
    }
    if (bar->height() == wanted && bar->minimumHeight() == wanted) return;
    // The window grows by what the line needs, so the board keeps its size.
    const int grow = wanted - bar->minimumHeight();
    bar->setFixedHeight(wanted);
    if (!isMaximized() && !isFullScreen() && grow != 0) resize(width(), height() + grow);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (!form_ || !timerTick_ || (event->type() != QEvent::ActivationChange && event->type() != QEvent::WindowStateChange)) return;
    const bool active = isActiveWindow() && !isMinimized();
    dispatch([this, active] { form_->SetWindowActive(active); });
}

}  // namespace quorvex::ui

#include "moc_MainWindow.cpp"
