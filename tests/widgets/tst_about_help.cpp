// The About window (modal, three ways out, fresh each time, at the main
// window's scale) and the help viewer (beside the game, non-blocking, one at
// a time, no broken links).
#include "WindowTest.h"
#include "qt/AboutForm.h"
#include "qt/HelpViewer.h"
#include "qt/QtServices.h"

using namespace quorvex;
using ui::AboutForm;
using ui::HelpViewer;

namespace {

// A help page's text, empty when there is no such page.
QString Page(const QString& name) {
    QFile file(":/help/" + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

class TestAboutHelp : public QObject {
    Q_OBJECT
private slots:
    void aboutIsModalClosesEachWayAndIsFreshEachTime() {
        const QTemporaryDir config;  // real services: the player's own settings and statistics stay untouched
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        ui::MainWindow game;  // a smaller main window draws at a smaller scale, and so does About
        game.show(), game.resize(game.size() * 3 / 4);
        QTRY_VERIFY(game.layoutGeometry().scale() < 1.8);
        const double scale = game.layoutGeometry().scale();
        ui::QtServices services(game);
        for (int way = 0; way < 3; ++way) {
            QPointer<AboutForm> form;
            QString text;
            const bool closed = testing::OnModal<AboutForm>([&] { services.showAbout(); }, [&](AboutForm* f) {
                auto* about = f->findChild<QPlainTextEdit*>("AboutText");
                form = f;
                text = f->windowTitle() + '\n' + about->toPlainText() + '\n' + f->findChild<QLabel*>("Label1")->text();
                // 4752 by 1452 twips, and 7.8 points at 96 dots per inch whatever the screen's own: 10.4 design pixels.
                QCOMPARE(f->size(), QSize(qRound(4752 / 15.0 * scale), qRound(1452 / 15.0 * scale)));
                QVERIFY(std::abs(QFontInfo(f->font()).pixelSize() - 10.4 * scale) <= 1.5);
                // OK, a click on the text, the close box.
                if (way == 0) QTest::mouseClick(f->findChild<QPushButton*>("AboutOk"), Qt::LeftButton);
                else if (way == 1) QTest::mousePress(about->viewport(), Qt::LeftButton);
                else f->close();
            });
            QVERIFY2(closed && form.isNull(), qPrintable(QStringLiteral("way %1 left it open").arg(way)));
            QCOMPARE(text, QStringLiteral("About Quorvex\nQuorvex, by the Quorvex developers\n\n"
                                          "Contact: quorvex@example.org\nVersion 1.0"));
        }
    }

    void helpOpensBesideTheGameOnItsFirstPageAndStaysSingle() {
        QWidget game;
        game.setGeometry(500, 40, 280, 400);  // more room on its left
        game.show(), ui::OpenHelp(&game);  // returning at all shows it does not block
        QPointer<HelpViewer> viewer = HelpViewer::instance();
        QVERIFY(viewer && QTest::qWaitForWindowExposed(viewer));
        const QRect placed = viewer->frameGeometry();
        QVERIFY(!placed.intersects(game.frameGeometry()) && game.screen()->availableGeometry().contains(placed) &&
                placed.width() >= 400 && viewer->windowTitle() == QStringLiteral("Quorvex Help"));
        QCOMPARE(viewer->browser()->source(), QUrl("qrc:/help/plexaro.html"));
        ui::OpenHelp(&game);
        QCOMPARE(HelpViewer::instance(), viewer.data());  // the same viewer comes forward
        viewer->close();
        QTRY_VERIFY(viewer.isNull());
    }

    // Every link between the pages leads to a page, and to its anchor when it names one.
    void helpLinksAllLeadSomewhere() {
        HelpViewer registersTheResource;
        const QStringList pages = QDir(":/help").entryList({"*.html"});
        QVERIFY(pages.contains("plexaro.html"));
        for (const QString& name : pages) {
            QTextDocument doc;
            doc.setHtml(Page(name));
            for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
                for (auto it = b.begin(); !it.atEnd(); ++it) {
                    const QUrl href(it.fragment().charFormat().anchorHref());
                    if (!it.fragment().charFormat().isAnchor() || !href.isRelative()) continue;
                    const QString linked = Page(href.path().isEmpty() ? name : href.path());
                    const bool found = !linked.isEmpty() &&
                                       (!href.hasFragment() || linked.contains("name=\"" + href.fragment() + "\""));
                    QVERIFY2(found, qPrintable(name + " -> " + href.toString()));
                }
        }
    }
};

QTEST_MAIN(TestAboutHelp)
#include "tst_about_help.moc"
