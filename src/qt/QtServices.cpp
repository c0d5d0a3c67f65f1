// Services for the real window.
#include "qt/QtServices.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTime>

#include "game/Texts.h"
#include "qt/AboutForm.h"
#include "qt/HelpViewer.h"
#include "qt/MainWindow.h"
#include "qt/PagePrinter.h"

namespace quorvex::ui {

QtServices::QtServices(MainWindow& window) : window_(window) {}

MsgAnswer QtServices::showMessage(std::string_view text, MsgButtons buttons) {
    window_.sync();
    QMessageBox box(&window_);
    box.setWindowTitle(QString::fromUtf8(text::AppTitle));
    box.setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    box.setIcon(QMessageBox::NoIcon);
    if (buttons == MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
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
    PrintJobInteractive(job, &window_);
}

void QtServices::openHelp() {
    OpenHelp(&window_);
}

void QtServices::showAbout() {
    ShowAboutModal(&window_);
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

}  // namespace quorvex::ui
