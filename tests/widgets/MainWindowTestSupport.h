// Driving the real main window in widget tests: scripted services that keep
// the widgets in step as the real ones do, clicks routed the way the mouse
// routes them, and a look at the pixels the player sees.
#pragma once

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QTest>

#include <memory>
#include <string>

#include "ScriptedServices.h"
#include "qt/MainWindow.h"
#include "qt/Quadlet.h"

namespace quorvex::testing {

class WindowServices : public ScriptedServices {
public:
    explicit WindowServices(ui::MainWindow& window) : window_(window) {}

    // What the board looked like when each message came up.
    std::vector<std::array<std::string, CellCount>> boardAtMessage;

    MsgAnswer showMessage(std::string_view text, MsgButtons buttons) override {
        window_.sync();
        std::array<std::string, CellCount> board;
        for (int i = 0; i < CellCount; ++i) board[std::size_t(i)] = window_.cell(i)->caption().toStdString();
        boardAtMessage.push_back(board);
        return ScriptedServices::showMessage(text, buttons);
    }
    void processPendingEvents() override {
        window_.sync();
        ScriptedServices::processPendingEvents();
    }
    void setWindowTitle(std::string_view title) override {
        ScriptedServices::setWindowTitle(title);
        window_.setWindowTitle(QString::fromStdString(std::string(title)));
    }

private:
    ui::MainWindow& window_;
};

// A shown main window with scripted services.
struct TestWindow {
    WindowServices* services = nullptr;
    std::unique_ptr<ui::MainWindow> window;

    ui::MainWindow& w() { return *window; }
    Form1& form() { return window->form(); }
};

inline TestWindow MakeWindow(const std::function<std::unique_ptr<WindowServices>(ui::MainWindow&)>& make = {}) {
    TestWindow t;
    t.window = std::make_unique<ui::MainWindow>([&t, &make](ui::MainWindow& w) {
        auto s = make ? make(w) : std::make_unique<WindowServices>(w);
        t.services = s.get();
        return std::unique_ptr<Services>(std::move(s));
    });
    t.window->show();
    if (!QTest::qWaitForWindowExposed(t.window.get())) qWarning("main window not exposed");
    return t;
}

// A click where the mouse would land: on whatever widget is at `p` in the
// board area (hidden widgets are not there; disabled ones swallow it).
inline void ClickAt(ui::MainWindow& w, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* board = w.boardArea();
    QWidget* target = board->childAt(p);
    if (!target) target = board;
    QTest::mouseClick(target, button, Qt::NoModifier, target->mapFrom(board, p));
}

inline void ClickCell(ui::MainWindow& w, int index, Qt::MouseButton button = Qt::LeftButton) {
    ClickAt(w, w.layoutGeometry().cell(index).center(), button);
}

inline void ClickButton(ui::Quadlet* button) {
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

inline QAction* Command(ui::MainWindow& w, const char* name) {
    return w.puzzleMenu()->findChild<QAction*>(QString::fromLatin1(name));
}

// The face colour as painted: a point inside the 3-D edge, clear of the caption.
inline QColor FaceColour(QWidget* widget) {
    QImage image = widget->grab().toImage();
    int inset = std::max(3, image.width() / 8);
    return image.pixelColor(inset, image.height() / 2);
}

inline std::string Caption(ui::MainWindow& w, int index) {
    return w.cell(index)->caption().toStdString();
}

inline std::string Trimmed(const std::string& s) {
    auto b = s.find_first_not_of(' ');
    auto e = s.find_last_not_of(' ');
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

}  // namespace quorvex::testing
