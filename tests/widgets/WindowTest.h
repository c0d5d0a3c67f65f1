// Shared pieces of the widget tests: a shown, active main window on services
// the test picks, clicks where the layout puts a cell, the colour a face is
// painted, a menu's items, and modal windows that never block a test.
#pragma once

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include <type_traits>

#include "ScriptedServices.h"
#include "qt/MainWindow.h"
#include "qt/Quadlet.h"

namespace quorvex::testing {

inline const QColor Green(0, 128, 0), Red(128, 0, 0), Black(0, 0, 0);

template <class S = ScriptedServices>
struct Window {
    S* services = nullptr;
    ui::MainWindow w{[this](ui::MainWindow& window) {
        std::unique_ptr<S> s;
        if constexpr (std::is_constructible_v<S, ui::MainWindow&>) s = std::make_unique<S>(window);
        else s = std::make_unique<S>();
        services = s.get();
        return std::unique_ptr<Services>(std::move(s));
    }};
    Window() { w.show(), w.activateWindow(), (void)QTest::qWaitForWindowActive(&w); }
    QString caption(int i) const { return w.cell(i)->caption(); }
    QString title() const { return QString::fromStdString(services->titles.back()); }
    QAction* action(const char* name) const { return w.menuBar()->findChild<QAction*>(QString::fromLatin1(name)); }
    // Where the mouse lands at the cell's centre as the layout computes it:
    // hidden widgets are not there, disabled ones swallow the click.
    void click(int index, Qt::MouseButton button = Qt::LeftButton) {
        const QPoint p = w.layoutGeometry().cell(index).center();
        QWidget* target = w.boardArea()->childAt(p) ? w.boardArea()->childAt(p) : w.boardArea();
        QTest::mouseClick(target, button, Qt::NoModifier, target->mapFrom(w.boardArea(), p));
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(QApplication::focusWidget(), k, m); }
    // The board cell with the keyboard focus, -1 when none has it.
    int focused() const {
        auto* q = qobject_cast<ui::Quadlet*>(QApplication::focusWidget());
        return q && q->kind() == ui::Quadlet::Kind::Cell ? q->index() : -1;
    }
};

// The face as painted: a point inside the 3-D edge, clear of the caption.
inline QColor FaceColour(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    return image.pixelColor(std::max(3, image.width() / 8), image.height() / 2);
}

// A file's contents, empty when it cannot be read.
inline QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A menu's items as (caption, shortcut); a separator's caption is "-".
using MenuItems = QList<std::pair<QString, QString>>;
inline MenuItems ItemsOf(QMenu* menu) {
    MenuItems items;
    for (QAction* a : menu->actions())
        items.append({a->isSeparator() ? QStringLiteral("-") : a->text(), a->shortcut().toString()});
    return items;
}

// Runs `inspect` inside the modal loop of the window `open` shows. False when
// a modal window was still open three seconds on: it is closed then, so a
// test fails instead of hanging.
template <class Modal>
bool OnModal(const std::function<void()>& open, const std::function<void(Modal*)>& inspect) {
    QObject scope;  // takes the timers with it
    bool closed = true;
    QTimer::singleShot(0, &scope, [&] {
        if (auto* m = qobject_cast<Modal*>(QApplication::activeModalWidget())) inspect(m);
    });
    QTimer::singleShot(3000, &scope, [&] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) closed = false, d->reject();
    });
    open();
    return closed;
}

}  // namespace quorvex::testing
