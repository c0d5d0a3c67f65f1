// Services for the real window.
#include "qt/QtServices.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDate>
#include <QInputDialog>
#include <QMessageBox>
#include <QTime>

#include "challenge/Code.h"
#include "game/Texts.h"
#include "qt/AboutForm.h"
#include "qt/HelpViewer.h"
#include "qt/MainWindow.h"
#include "qt/PrintLibrary.h"
#include "qt/StatisticsForm.h"

namespace quorvex::ui {

QtServices::QtServices(MainWindow& window) : window_(window), store_(store::ConfigFolder()) { clock_.start(); }

MsgAnswer QtServices::showMessage(std::string_view text, MsgButtons buttons) {
    window_.sync();
    QMessageBox box(&window_);
    box.setWindowTitle(QString::fromUtf8(text::AppTitle));
    box.setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    box.setIcon(QMessageBox::NoIcon);
    if (buttons != MsgButtons::Ok) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(buttons == MsgButtons::YesNoSafe ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.exec();
    if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    // Closing the box any other way than with Yes counts as No.
    return box.clickedButton() == box.button(QMessageBox::Yes) ? MsgAnswer::Yes : MsgAnswer::No;
}

void QtServices::processPendingEvents() {
    // Before the window is first shown there is nothing to repaint and nothing
    // the player can have done: the first puzzle is built without the detours.
    if (!window_.isVisible()) return;
    window_.sync();
    QCoreApplication::processEvents();
}

void QtServices::setWindowTitle(std::string_view title) {
    window_.setWindowTitle(QString::fromUtf8(title.data(), qsizetype(title.size())));
}

double QtServices::secondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void QtServices::printPage(const PrintJob& job) {
    if (QString why; !PrintThroughLibrary(job, &window_, nullptr, PrintLibraryFolders(), &why))
        QMessageBox::warning(&window_, QString::fromUtf8(text::AppTitle),
                             QStringLiteral("Printing is not available: its library could not be loaded.\n\n%1").arg(why));
}

void QtServices::openHelp() {
    OpenHelp(&window_);
}

void QtServices::showAbout() {
    ShowAboutModal(&window_, window_.layoutGeometry().scale());
}

void QtServices::endProgram() {
    window_.markEnding();
    // The main window may be in its own closeEvent already; it is left to finish it.
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (w != &window_ && w->isVisible()) w->close();
    }
    if (!window_.isClosing()) window_.close();
    QCoreApplication::exit(0);
}

double QtServices::monotonicSeconds() { return double(clock_.nsecsElapsed()) / 1e9; }

StoreResult QtServices::loadStatistics(StatisticsBook& into) { return store_.LoadStatistics(into); }
StoreResult QtServices::saveStatistics(const StatisticsBookChange& change, StatisticsBook& merged) {
    return store_.SaveStatistics(change, merged);
}
Preferences QtServices::loadPreferences() { return store_.LoadPreferences(); }
StoreResult QtServices::savePreferences(const Preferences& preferences) { return store_.SavePreferences(preferences); }

void QtServices::showStatistics() {
    window_.sync();
    ShowStatisticsModal(
        &window_, [this] { return window_.form().StatisticsTable(); },
        [this] { window_.dispatch([this] { window_.form().ResetStatistics(); }); });
}

LocalDate QtServices::today() {
    const QDate d = QDate::currentDate();
    return {d.year(), d.month(), d.day()};
}

void QtServices::copyText(std::string_view text) {
    const QString code = QString::fromUtf8(text.data(), qsizetype(text.size()));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(code);
    // Where the desktop has one, a middle click pastes it too.
    if (clipboard->supportsSelection()) clipboard->setText(code, QClipboard::Selection);
}

std::optional<std::string> QtServices::askPuzzleCode() {
    window_.sync();
    const QString held = QGuiApplication::clipboard()->text().trimmed();
    const bool code = held.size() <= 100 && challenge::DecodePuzzleCode(held.toStdString()).puzzle.has_value();
    bool ok = false;
    const QString typed = QInputDialog::getText(&window_, QString::fromUtf8(text::AppTitle),
                                                QString::fromUtf8(text::OpenCodePrompt), QLineEdit::Normal,
                                                code ? held : QString(), &ok);
    if (!ok) return std::nullopt;
    return typed.toStdString();
}

void QtServices::logWarning(std::string_view line) {
    qWarning("quorvex: %.*s", int(line.size()), line.data());
}

}  // namespace quorvex::ui
