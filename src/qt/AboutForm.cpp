// The About window: a fixed little dialog laid out in the same design units
// as the main window.
#include "qt/AboutForm.h"

#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "game/Texts.h"
#include "qt/Geometry.h"
#include "qt/Pictures.h"

namespace quorvex::ui {

namespace {

// Name and contact, with a blank line between them so they read as two facts.
constexpr const char* AboutLines =
    "Quorvex, by the Quorvex developers\n"
    "\n"
    "Contact: quorvex@example.org";
constexpr const char* VersionText = "Version 1.0";

}  // namespace

AboutForm::AboutForm(double scale, QWidget* parent) : QDialog(parent) {
    const Geometry g(scale);
    setWindowTitle(QStringLiteral("About %1").arg(QString::fromUtf8(text::AppTitle)));
    setFixedSize(g.toPixels({0, 0, 4752, 1452}).size());

    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(g.fontPoints(7.8, logicalDpiY()));
    font.setBold(true);
    setFont(font);

    aboutText_ = new QPlainTextEdit(QString::fromUtf8(AboutLines), this);
    aboutText_->setObjectName("AboutText");
    aboutText_->setReadOnly(true);
    aboutText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    aboutText_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    aboutText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A click on the text closes the window, so it must not grab the focus
    // or show a caret as if it were there to be edited.
    aboutText_->setFocusPolicy(Qt::NoFocus);
    aboutText_->setTextInteractionFlags(Qt::NoTextInteraction);
    aboutText_->viewport()->setCursor(Qt::ArrowCursor);
    aboutText_->viewport()->installEventFilter(this);
    aboutText_->setGeometry(g.toPixels({30, 30, 4095, 1050}));

    auto* picture = new QLabel(this);
    picture->setObjectName("Picture1");
    picture->setAlignment(Qt::AlignCenter);
    picture->setGeometry(g.toPixels({4185, 30, 510, 480}));
    picture->setPixmap(WindowIconPixmap(std::min(picture->width(), picture->height())));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("AboutOk");
    ok->setDefault(true);
    ok->setGeometry(g.toPixels({4200, 600, 510, 375}));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus();

    auto* version = new QLabel(QString::fromUtf8(VersionText), this);
    version->setObjectName("Label1");
    version->setGeometry(g.toPixels({30, 1110, 4725, 315}));
}

bool AboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == aboutText_->viewport() && event->type() == QEvent::MouseButtonPress) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ShowAboutModal(QWidget* parent, double scale) {
    AboutForm(scale, parent).exec();
}

}  // namespace quorvex::ui

#include "moc_AboutForm.cpp"
