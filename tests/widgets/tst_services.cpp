// The real Qt services behind the main window: message boxes, title, clock,
// event processing and the end of the program.
#include <QtTest>

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>

#include "game/Texts.h"
#include "qt/MainWindow.h"
#include "qt/QtServices.h"
#include "qt/Quadlet.h"

using namespace quorvex;
using namespace quorvex::ui;

namespace {

struct SeenBox {
    QString title, text;
    QStringList buttons;
    QString cell3;  // what the board showed behind the box
};

// Answers the next modal box by clicking `which`, noting what it showed.
void AnswerNextBox(MainWindow& w, QMessageBox::StandardButton which, SeenBox& seen) {
    QTimer::singleShot(0, [&w, which, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        for (QAbstractButton* b : box->buttons()) seen.buttons << b->text().remove('&');
        seen.cell3 = w.cell(3)->caption();
        if (QAbstractButton* b = box->button(which)) b->click();
        else box->reject();
    });
}

}  // namespace

class TestServices : public QObject {
    Q_OBJECT
private slots:
    void messageBoxesAreTitledAndAnswered();
    void titleClockAndPendingEvents();
    void endProgramClosesEveryWindow();
};

void TestServices::messageBoxesAreTitledAndAnswered() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QtServices services(w);

    // A change the window has not painted yet is on the board before the box opens.
    w.form().GridDisp[3].Caption = "7";
    SeenBox seen;
    AnswerNextBox(w, QMessageBox::Yes, seen);
    QCOMPARE(services.showMessage("Print Puzzle No(s): 1", MsgButtons::YesNo), MsgAnswer::Yes);
    QCOMPARE(seen.title, QString::fromUtf8(text::AppTitle));
    QCOMPARE(seen.text, QStringLiteral("Print Puzzle No(s): 1"));
    QCOMPARE(seen.buttons.size(), 2);
    QCOMPARE(seen.cell3, QStringLiteral("7"));

    SeenBox no;
    AnswerNextBox(w, QMessageBox::No, no);
    QCOMPARE(services.showMessage("again?", MsgButtons::YesNo), MsgAnswer::No);

    // Closing a question without answering counts as No.
    SeenBox closed;
    AnswerNextBox(w, QMessageBox::NoButton, closed);
    QCOMPARE(services.showMessage("again?", MsgButtons::YesNo), MsgAnswer::No);

    SeenBox ok;
    AnswerNextBox(w, QMessageBox::Ok, ok);
    QCOMPARE(services.showMessage(text::YouGotIt, MsgButtons::Ok), MsgAnswer::Ok);
    QCOMPARE(ok.text, QString::fromUtf8(text::YouGotIt));
    QCOMPARE(ok.buttons.size(), 1);
}

void TestServices::titleClockAndPendingEvents() {
    MainWindow w;
    // Start-up ran with the real services: the window is titled with puzzle 1.
    QCOMPARE(w.windowTitle(), QStringLiteral("Puzzle Number  1"));
    QtServices services(w);
    services.setWindowTitle("Puzzle Number  42");
    QCOMPARE(w.windowTitle(), QStringLiteral("Puzzle Number  42"));

    const double before = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    const double now = services.secondsSinceMidnight();
    QVERIFY(now >= 0 && now < 86400);
    QVERIFY(std::abs(now - before) < 2.0 || before > 86398);

    bool ran = false;
    QMetaObject::invokeMethod(&w, [&ran] { ran = true; }, Qt::QueuedConnection);
    w.form().GridDisp[5].Caption = "4";
    services.processPendingEvents();
    QVERIFY(ran);
    QCOMPARE(w.cell(5)->caption(), QStringLiteral("4"));
}

void TestServices::endProgramClosesEveryWindow() {
    auto* w = new MainWindow;
    w->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<MainWindow> alive(w);
    QWidget other;
    w->show();
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(w));

    // Exit from the menu: every window goes, and the core is not asked again on the way.
    w->puzzleMenu()->findChild<QAction*>(QStringLiteral("Exitx"))->trigger();
    QVERIFY(!other.isVisible());
    QTRY_VERIFY(alive.isNull());
}

QTEST_MAIN(TestServices)
#include "tst_services.moc"
