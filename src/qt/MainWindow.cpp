// The main window: controls, menu, layout and the bridge to the core.
#include "qt/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

#include "game/Texts.h"
#include "qt/BoardAccessible.h"
#include "qt/BoardCursor.h"
#include "qt/Colours.h"
#include "qt/Pictures.h"
#include "qt/QtServices.h"
#include "qt/Quadlet.h"

namespace quorvex::ui {

namespace {

constexpr double MessageFontPoints = 9.6;

// A smiley that stays sharp at any scale and lets clicks through to the
// cells beneath it.
class SmileyPicture : public QWidget {
public:
    SmileyPicture(QWidget* parent, int j, const QString& corner) : QWidget(parent) {
        // Named first: the accessibility layer tells a picture by its name.
        setObjectName(QStringLiteral("NPict%1").arg(j));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAccessibleName(QStringLiteral("Smiley: the %1 corner is right").arg(corner));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const int side = std::min(width(), height());
        if (side <= 0) return;
        const qreal dpr = devicePixelRatioF();
        const int device = int(side * dpr + 0.5);
        if (cache_.isNull() || cache_.width() != device) {
            cache_ = SmileyPixmap(device);
            cache_.setDevicePixelRatio(dpr);
        }
        QPainter painter(this);
        painter.drawPixmap(QPointF((width() - side) / 2.0, (height() - side) / 2.0), cache_);
    }

private:
    QPixmap cache_;
};

void SetShown(QWidget* widget, bool shown) {
    if (widget->isHidden() == shown) widget->setVisible(shown);
}

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

// The menu's title with its first letter as the mnemonic (Alt+P); the
// caption itself stays as the game names it.
QString MenuTitle(const std::string& caption) { return caption.empty() ? QString() : QLatin1Char('&') + Text(caption); }

// The window manager's frame is unknown until the window is shown; a title
// bar and a thin border are assumed, and a margin kept clear of the screen's edges.
constexpr int AssumedBorder = 4;
constexpr int ScreenMargin = 8;

}  // namespace

QIcon MainWindow::AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(WindowIconPixmap(size));
    return icon;
}

MainWindow::MainWindow(ServicesFactory makeServices, std::unique_ptr<RandomSource> random, QWidget* parent)
    : QMainWindow(parent), geometry_(Geometry::DefaultScale) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(text::AppTitle));
    setWindowIcon(AppIcon());

    services_ = makeServices ? makeServices(*this) : std::make_unique<QtServices>(*this);
    form_ = std::make_unique<Form1>(*services_, std::move(random));

    buildBoard();
    buildMenu();
    buildToolsMenu();
    buildStatusLine();

    dispatch([this] { form_->Form_Load(); });

    buildKeys();

    // Sized once the menu has its caption, which decides the menu bar's height;
    // as large as the design's default, or smaller when the screen asks for it.
    // The status line sits under the board and adds its own height.
    const int barsHeight = menuBar()->sizeHint().height() + statusBar()->minimumHeight();
    const QSize chrome(2 * AssumedBorder,
                       barsHeight + style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * AssumedBorder);
    const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize client = Geometry(Geometry::OpeningScale(available.size(), chrome, ScreenMargin)).clientSize();
    resize(client.width(), client.height() + barsHeight);
    relayout();
    cursor_ = SettleCursor(1, [this](int i) { return cellTakesInput(i); });
    focusBoard();
}

MainWindow::~MainWindow() {
    // The core goes before the services it holds a reference to.
    form_.reset();
}

void MainWindow::buildBoard() {
    auto* area = new BoardArea(this);
    board_ = area;
    board_->setObjectName(QStringLiteral("BoardArea"));
    board_->setMinimumSize(Geometry(Geometry::MinimumScale).clientSize());
    board_->installEventFilter(this);
    setCentralWidget(board_);

    // Created first so that it stays under everything it encloses.
    frame_ = new QFrame(board_);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setFrameStyle(QFrame::Box | QFrame::Sunken);

    for (int i = 0; i < CellCount; ++i) {
        auto* cell = new Quadlet(Quadlet::Kind::Cell, i, board_);
        connect(cell, &Quadlet::mouseClicked, this, [this](int index, int button) {
            dispatch([this, index, button] { form_->ClickCell(index, button); });
        });
        connect(cell, &Quadlet::focusEntered, this, [this](int index) { cursor_ = index; });
        cells_[std::size_t(i)] = cell;
        if (i >= 1 && i <= GridCells) area->table()->cells[std::size_t(i - 1)] = cell;
    }
    // The template cell exists for the core's sake only.
    cells_[0]->hide();

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

    const char* corners[] = {"", "top left", "top right", "bottom left", "bottom right"};
    for (int j = 1; j <= 4; ++j) {
        auto* picture = new SmileyPicture(board_, j, QString::fromLatin1(corners[j]));
        picture->raise();  // over the target cell it replaces
        pictures_[std::size_t(j)] = picture;
    }
}

QAction* MainWindow::addCommand(const char* name, const MenuItem& item, void (Form1::*handler)()) {
    return addCommand(gamex_, name, item, handler);
}

QAction* MainWindow::addCommand(QMenu* menu, const char* name, const MenuItem& item, void (Form1::*handler)()) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { dispatch([this, handler] { ((*form_).*handler)(); }); });
    menuBindings_.push_back({action, &item});
    return action;
}

void MainWindow::buildMenu() {
    gamex_ = menuBar()->addMenu(QString());
    gamex_->setObjectName(QStringLiteral("Gamex"));
    auto separator = [this](const char* name) { gamex_->addSeparator()->setObjectName(QString::fromLatin1(name)); };

    Form1& f = *form_;
    addCommand("StartSolx", f.StartSolx, &Form1::StartSolx_Click);
    addCommand("ShowSolx", f.ShowSolx, &Form1::ShowSolx_Click);
    separator("dash1");
    addCommand("SolveMx", f.SolveMx, &Form1::SolveMx_Click);
    separator("dash2");
    addCommand("PrintX", f.PrintX, &Form1::PrintX_Click)->setShortcut(QKeySequence::Print);
    separator("dash3");
    addCommand("Helpx", f.Helpx, &Form1::Helpx_Click)->setShortcut(QKeySequence::HelpContents);
    addCommand("Aboutx", f.Aboutx, &Form1::Aboutx_Click);
    separator("xx1");
    // Spelt out: some platforms' standard Quit key is not Ctrl+Q, or none at all.
    addCommand("Exitx", f.Exitx, &Form1::Exitx_Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    // Escape from the menu, or a command chosen from it, leaves no keyboard
    // focus behind on the menu bar: it goes back to the board.
    connect(gamex_, &QMenu::aboutToHide, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (!QApplication::activePopupWidget() && !QApplication::activeModalWidget()) focusBoard();
        });
    });
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

bool MainWindow::cellTakesInput(int index) const {
    return index >= 1 && index <= GridCells && form_->GridDisp[std::size_t(index)].TakesInput();
}

bool MainWindow::boardHasFocus() const {
    const auto* focused = qobject_cast<const Quadlet*>(focusWidget());
    return focused && focused->kind() == Quadlet::Kind::Cell && focused->hasFocus();
}

void MainWindow::focusCell(int index) {
    if (!cellTakesInput(index)) return;
    cursor_ = index;
    cells_[std::size_t(index)]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::focusBoard() {
    if (ending_ || form_->Ended()) return;
    // A click on an inactive window hands a cell the focus without a focus
    // event, so the cursor follows the window's own record of it.
    if (const auto* last = qobject_cast<const Quadlet*>(focusWidget()); last && last->kind() == Quadlet::Kind::Cell)
        cursor_ = last->index();
    // The cursor's cell may have stopped taking input (set-up mode left, say).
    const int settled = SettleCursor(cursor_, [this](int i) { return cellTakesInput(i); });
    if (settled == 0) {
        board_->setFocus(Qt::OtherFocusReason);
        return;
    }
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
    if (!boardHasFocus()) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    const auto takesInput = [this](int i) { return cellTakesInput(i); };
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    auto move = [&](CursorMove m) { focusCell(MoveCursor(cursor_, m, takesInput)); };
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
    for (int i = 0; i < CellCount; ++i) {
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
    for (int j = 1; j <= 4; ++j) pictures_[std::size_t(j)]->setGeometry(g.picture(j));
}

void MainWindow::sync() {
    // Whether a hint can be given follows from the whole board, which any
    // handler may have changed.
    form_->RefreshToolsMenu();
    const Form1& f = *form_;
    for (int i = 0; i < CellCount; ++i) {
        const Cell& state = f.GridDisp[std::size_t(i)];
        cells_[std::size_t(i)]->setState(state);
        SetShown(cells_[std::size_t(i)], i != 0 && state.Visible);
    }
    // Why the final cell is black although it may show the final number.
    const QString note = Text(f.FinalCellNote());
    if (cells_[49]->toolTip() != note) cells_[49]->setToolTip(note), cells_[49]->setAccessibleDescription(note);

    newPuz_->setState(f.NewPuz);
    SetShown(newPuz_, f.NewPuz.Visible);
    solveit_->setState(f.Solveit);
    SetShown(solveit_, f.Solveit.Visible);

    rightMess_->setText(Text(f.RightMess.Caption));
    SetShown(rightMess_, f.RightMess.Visible);
    compMess_->setText(Text(f.CompMess.Caption));
    SetShown(compMess_, f.CompMess.Visible);
    SetShown(frame_, f.Frame1.Visible);
    for (int j = 1; j <= 4; ++j) SetShown(pictures_[std::size_t(j)], f.NPict[std::size_t(j)].Visible);

    gamex_->setTitle(MenuTitle(f.Gamex.Caption));
    for (const MenuBinding& binding : menuBindings_) {
        binding.action->setText(Text(binding.item->Caption));
        binding.action->setEnabled(binding.item->Enabled);
        binding.action->setCheckable(binding.item->Checkable);
        binding.action->setChecked(binding.item->Checked);
    }
    toolsx_->setTitle(Text(f.Toolsx.Caption));
    syncStatusLine();
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
    if (ending_ || form_->Ended()) {
        event->accept();
        return;
    }
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

// Undo, redo, statistics and the timer: a menu of their own beside the
// Puzzle menu, which keeps its items as they are.
void MainWindow::buildToolsMenu() {
    toolsx_ = menuBar()->addMenu(QString());
    toolsx_->setObjectName(QStringLiteral("Toolsx"));
    Form1& f = *form_;
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
    toolsx_->addSeparator()->setObjectName(QStringLiteral("dash4"));
    addCommand(toolsx_, "Statx", f.Statx, &Form1::Statx_Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    addCommand(toolsx_, "Timerx", f.Timerx, &Form1::Timerx_Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
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
    timerLabel_ = new QLabel(bar);
    timerLabel_->setObjectName(QStringLiteral("StatusTime"));
    timerLabel_->setText(QString::fromUtf8(text::TimerPrefix) + QStringLiteral("00:00"));
    bar->addPermanentWidget(timerLabel_);
    // One height whatever it shows, so hiding the time never moves the board.
    bar->setFixedHeight(bar->sizeHint().height());

    timerTick_ = new QTimer(this);
    timerTick_->setInterval(250);
    connect(timerTick_, &QTimer::timeout, this, &MainWindow::syncStatusLine);
}

void MainWindow::syncStatusLine() {
    const Form1& f = *form_;
    const std::string time = f.TimerText();
    timerLabel_->setText(time.empty() ? QString() : QString::fromUtf8(text::TimerPrefix) + Text(time));
    SetShown(timerLabel_, f.Timerx.Checked);
    noteLabel_->setText(Text(f.StatusNote.Caption));
    noteLabel_->setToolTip(noteLabel_->text());
    SetShown(noteLabel_, f.StatusNote.Visible);
    if (f.ClockRunning() != timerTick_->isActive()) f.ClockRunning() ? timerTick_->start() : timerTick_->stop();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (!form_ || !timerTick_ || (event->type() != QEvent::ActivationChange && event->type() != QEvent::WindowStateChange)) return;
    const bool active = isActiveWindow() && !isMinimized();
    dispatch([this, active] { form_->SetWindowActive(active); });
}

}  // namespace quorvex::ui
