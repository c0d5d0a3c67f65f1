// The About window (modal, three ways out, fresh each time) and the help
// viewer (non-blocking, one at a time, navigable, no broken links).
#include <QtTest>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <functional>

#include "qt/AboutForm.h"
#include "qt/HelpViewer.h"

using quorvex::ui::AboutForm;
using quorvex::ui::HelpViewer;

namespace {

struct AboutRun {
    QPointer<AboutForm> form;  // the window that was open
    bool wasActiveModal = false;
    bool watchdogClosedIt = false;
};

// Opens About from `parent`, hands the open window to `act` once the modal
// loop runs, and returns when the window has gone. A watchdog ends the loop
// when `act` fails to close the window, so a broken path fails instead of hanging.
AboutRun RunAbout(QWidget* parent, const std::function<void(AboutForm*)>& act) {
    AboutRun run;
    QTimer::singleShot(0, [&run, &act] {
        run.form = qobject_cast<AboutForm*>(QApplication::activeModalWidget());
        run.wasActiveModal = !run.form.isNull();
        if (run.form) act(run.form);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&run] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            run.watchdogClosedIt = true;
            dialog->done(QDialog::Rejected);
        }
    });
    watchdog.start(3000);
    quorvex::ui::ShowAboutModal(parent);
    return run;
}

int OpenViewerCount() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<HelpViewer*>(w)) ++n;
    return n;
}

// Clicks the first link to `href` in the browser the way a player would.
bool ClickLink(QTextBrowser* browser, const QString& href) {
    for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.charFormat().anchorHref() != href) continue;
            QTextCursor c(browser->document());
            c.setPosition(f.position() + f.length() / 2);
            const QPoint at = browser->cursorRect(c).center();
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
            return true;
        }
    }
    return false;
}

}  // namespace

class TestAboutHelp : public QObject {
    Q_OBJECT
private slots:
    void aboutIsModalAndFreshEachTime();
    void aboutClosesEachWay_data();
    void aboutClosesEachWay();
    void helpOpensBesideTheGameAtItsFirstPage();
    void helpNavigatesAndStaysSingle();
    void helpLinksAllLeadSomewhere();
};

void TestAboutHelp::aboutIsModalAndFreshEachTime() {
    QWidget game;
    game.show();
    QString title, text, ok, version;
    bool hasPicture = false;
    const AboutRun first = RunAbout(&game, [&](AboutForm* form) {
        title = form->windowTitle();
        text = form->findChild<QPlainTextEdit*>("AboutText")->toPlainText();
        ok = form->findChild<QPushButton*>("AboutOk")->text();
        version = form->findChild<QLabel*>("Label1")->text();
        hasPicture = !form->findChild<QLabel*>("Picture1")->pixmap().isNull();
        QCOMPARE(form->windowModality(), Qt::ApplicationModal);
        form->close();
    });
    QVERIFY(first.wasActiveModal);
    QVERIFY(!first.watchdogClosedIt);
    QCOMPARE(title, QStringLiteral("About Quorvex"));
    const QStringList lines = text.split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].contains("Quorvex"));
    QVERIFY(lines[1].isEmpty());
    QVERIFY(!lines[2].isEmpty());
    QCOMPARE(ok, QStringLiteral("OK"));
    QCOMPARE(version, QStringLiteral("Version 1.0"));
    QVERIFY(hasPicture);
    // Unloaded on close: nothing of the first window is left...
    QVERIFY(first.form.isNull());
    QCOMPARE(AboutForm::instance(), nullptr);

    // ...so the next About is a new window, modal again.
    const AboutRun second = RunAbout(&game, [](AboutForm* form) { form->close(); });
    QVERIFY(second.wasActiveModal);
    QVERIFY(!second.watchdogClosedIt);
    QVERIFY(second.form.isNull());
}

void TestAboutHelp::aboutClosesEachWay_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("OK button") << 0;
    QTest::newRow("left press on the text") << 1;
    QTest::newRow("right press on the text") << 2;
    QTest::newRow("close box") << 3;
}

void TestAboutHelp::aboutClosesEachWay() {
    QFETCH(int, way);
    QWidget game;
    game.show();
    const AboutRun run = RunAbout(&game, [way](AboutForm* form) {
        auto* text = form->findChild<QPlainTextEdit*>("AboutText");
        switch (way) {
        case 0: QTest::mouseClick(form->findChild<QPushButton*>("AboutOk"), Qt::LeftButton); break;
        case 1: QTest::mousePress(text->viewport(), Qt::LeftButton); break;
        case 2: QTest::mousePress(text->viewport(), Qt::RightButton); break;
        default: form->close(); break;
        }
    });
    QVERIFY(run.wasActiveModal);
    QVERIFY2(!run.watchdogClosedIt, "the window stayed open");
    QVERIFY(run.form.isNull());
    QVERIFY(game.isEnabled());
}

void TestAboutHelp::helpOpensBesideTheGameAtItsFirstPage() {
    QWidget game;
    game.show();
    quorvex::ui::OpenHelp(&game);  // returning at all shows it does not block
    HelpViewer* viewer = HelpViewer::instance();
    QVERIFY(viewer);
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    QVERIFY(viewer->isWindow());
    QCOMPARE(viewer->windowModality(), Qt::NonModal);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(game.isEnabled());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Quorvex Help"));

    QTextBrowser* browser = viewer->browser();
    QCOMPARE(browser->source(), QUrl("qrc:/help/plexaro.html"));
    QCOMPARE(browser->documentTitle(), QStringLiteral("Quorvex Help"));
    QVERIFY(browser->toPlainText().contains("The goal of the puzzle"));
    QVERIFY(!viewer->backAction()->isEnabled());
    QVERIFY(!viewer->forwardAction()->isEnabled());
    viewer->close();
}

void TestAboutHelp::helpNavigatesAndStaysSingle() {
    QTRY_COMPARE(HelpViewer::instance(), nullptr);  // the last test's viewer is gone
    QWidget game;
    game.show();
    quorvex::ui::OpenHelp(&game);
    HelpViewer* viewer = HelpViewer::instance();
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    QTextBrowser* browser = viewer->browser();
    const QUrl first("qrc:/help/plexaro.html");
    const auto page = [browser] { return browser->source().fileName(); };

    QVERIFY(ClickLink(browser, "board.html"));
    QCOMPARE(page(), QStringLiteral("board.html"));
    QVERIFY(browser->toPlainText().contains("Multiplication comes first"));
    QVERIFY(viewer->backAction()->isEnabled());
    QVERIFY(!viewer->forwardAction()->isEnabled());

    viewer->backAction()->trigger();
    QCOMPARE(browser->source(), first);
    QVERIFY(viewer->forwardAction()->isEnabled());
    viewer->forwardAction()->trigger();
    QCOMPARE(page(), QStringLiteral("board.html"));
    viewer->homeAction()->trigger();
    QCOMPARE(browser->source(), first);

    // Help again while open: the same viewer comes forward, no second one.
    QVERIFY(ClickLink(browser, "example.html"));
    quorvex::ui::OpenHelp(&game);
    QCOMPARE(HelpViewer::instance(), viewer);
    QCOMPARE(OpenViewerCount(), 1);
    QVERIFY(viewer->isVisible());

    // Once closed it is gone, and Help starts over at the first page.
    QPointer<HelpViewer> closed = viewer;
    viewer->close();
    QTRY_VERIFY(closed.isNull());
    quorvex::ui::OpenHelp(&game);
    QVERIFY(HelpViewer::instance());
    QCOMPARE(HelpViewer::instance()->browser()->source(), first);
    QCOMPARE(OpenViewerCount(), 1);
    HelpViewer::instance()->close();
}

void TestAboutHelp::helpLinksAllLeadSomewhere() {
    HelpViewer registersTheResource;
    const QStringList pages = QDir(":/help").entryList({"*.html"});
    QVERIFY(pages.contains("plexaro.html"));
    for (const QString& name : pages) {
        QFile file(":/help/" + name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTextDocument doc;
        doc.setHtml(QString::fromUtf8(file.readAll()));
        QVERIFY2(!doc.metaInformation(QTextDocument::DocumentTitle).isEmpty(), qPrintable(name));
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QUrl href(it.fragment().charFormat().anchorHref());
                if (href.isEmpty() || !href.isRelative()) continue;
                const QString target = href.path().isEmpty() ? name : href.path();
                const QString where = name + " -> " + href.toString();
                QFile linked(":/help/" + target);
                QVERIFY2(linked.open(QIODevice::ReadOnly), qPrintable(where));
                if (href.hasFragment()) {
                    const QString html = QString::fromUtf8(linked.readAll());
                    QVERIFY2(html.contains("name=\"" + href.fragment() + "\""), qPrintable(where));
                }
            }
        }
    }
}

QTEST_MAIN(TestAboutHelp)
#include "tst_about_help.moc"
