// The About window (modal, three ways out, fresh each time) and the help
// viewer (non-blocking, one at a time, navigable, no broken links).
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <functional>

#include "qt/AboutForm.h"
#include "qt/HelpViewer.h"

using quorvex::ui::AboutForm;
using quorvex::ui::HelpViewer;

namespace {

// Every link in a document, as (fragment position, href).
QList<std::pair<int, QString>> Links(const QTextDocument* doc) {
    QList<std::pair<int, QString>> links;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isAnchor())
                links.append({it.fragment().position() + it.fragment().length() / 2,
                              it.fragment().charFormat().anchorHref()});
    return links;
}

// Clicks the first link to `href` the way a player would.
bool ClickLink(QTextBrowser* browser, const QString& href) {
    for (const auto& [position, target] : Links(browser->document())) {
        if (target != href) continue;
        QTextCursor c(browser->document());
        c.setPosition(position);
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(c).center());
        return true;
    }
    return false;
}

}  // namespace

class TestAboutHelp : public QObject {
    Q_OBJECT
private slots:
    void aboutIsModalClosesEachWayAndIsFreshEachTime();
    void helpOpensBesideTheGameNavigatesAndStaysSingle();
    void helpLinksAllLeadSomewhere();
};

void TestAboutHelp::aboutIsModalClosesEachWayAndIsFreshEachTime() {
    QWidget game;
    game.show();
    const std::function<void(AboutForm*)> ways[] = {
        [](AboutForm* f) { QTest::mouseClick(f->findChild<QPushButton*>("AboutOk"), Qt::LeftButton); },
        [](AboutForm* f) { QTest::mousePress(f->findChild<QPlainTextEdit*>("AboutText")->viewport(), Qt::LeftButton); },
        [](AboutForm* f) { f->close(); },  // the close box
    };
    for (int way = 0; way < 3; ++way) {
        QObject scope;  // takes the timers with it when this round ends
        QPointer<AboutForm> form;
        QString title, text;
        QTimer::singleShot(0, &scope, [&] {
            form = qobject_cast<AboutForm*>(QApplication::activeModalWidget());
            if (!form) return;
            title = form->windowTitle();
            text = form->findChild<QPlainTextEdit*>("AboutText")->toPlainText() + '\n' +
                   form->findChild<QLabel*>("Label1")->text();
            ways[way](form);
        });
        // Ends the modal loop when the way under test failed to, so it fails instead of hanging.
        bool stuck = false;
        QTimer::singleShot(3000, &scope, [&stuck] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) stuck = true, dialog->reject();
        });
        quorvex::ui::ShowAboutModal(&game);
        QVERIFY2(!title.isEmpty(), "no modal About window");  // a reused window is never modal again
        QVERIFY2(!stuck, qPrintable(QStringLiteral("way %1 left it open").arg(way)));
        QVERIFY(form.isNull());
        QCOMPARE(title, QStringLiteral("About Quorvex"));
        QVERIFY2(text.contains("Quorvex") && text.contains("Contact") && text.contains("Version"), qPrintable(text));
    }
}

void TestAboutHelp::helpOpensBesideTheGameNavigatesAndStaysSingle() {
    QWidget game;
    game.show();
    quorvex::ui::OpenHelp(&game);  // returning at all shows it does not block
    QPointer<HelpViewer> viewer = HelpViewer::instance();
    QVERIFY(viewer && QTest::qWaitForWindowExposed(viewer));
    QTextBrowser* browser = viewer->browser();
    const QUrl first("qrc:/help/plexaro.html");
    QCOMPARE(browser->source(), first);

    QVERIFY(ClickLink(browser, "board.html"));
    QCOMPARE(browser->source().fileName(), QStringLiteral("board.html"));
    viewer->backAction()->trigger();
    QCOMPARE(browser->source(), first);
    viewer->forwardAction()->trigger();
    QCOMPARE(browser->source().fileName(), QStringLiteral("board.html"));
    viewer->homeAction()->trigger();
    QCOMPARE(browser->source(), first);

    quorvex::ui::OpenHelp(&game);
    QCOMPARE(HelpViewer::instance(), viewer.data());  // the same viewer comes forward
    viewer->close();
    QTRY_VERIFY(viewer.isNull());
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
        for (const auto& [position, target] : Links(&doc)) {
            const QUrl href(target);
            if (!href.isRelative()) continue;
            const QString where = name + " -> " + target;
            QFile linked(":/help/" + (href.path().isEmpty() ? name : href.path()));
            QVERIFY2(linked.open(QIODevice::ReadOnly), qPrintable(where));
            if (href.hasFragment())
                QVERIFY2(QString::fromUtf8(linked.readAll()).contains("name=\"" + href.fragment() + "\""),
                         qPrintable(where));
        }
    }
}

QTEST_MAIN(TestAboutHelp)
#include "tst_about_help.moc"
