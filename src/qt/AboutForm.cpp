// The About window: a fixed little dialog laid out in the same design units
// as the main window, so both grow together with the scale.
#include "qt/AboutForm.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVariant>

#include "game/Texts.h"
#include "qt/Geometry.h"
#include "qt/Pictures.h"

namespace quorvex::ui {

namespace {

// The one About window; QPointer forgets it when the dialog deletes itself.
QPointer<AboutForm> liveInstance;

constexpr double TwipsPerPixel = 15.0;

// Name and contact, with a blank line between them so they read as two facts.
constexpr const char* AboutLines =
    "Quorvex, by the Quorvex developers\n"
    "\n"
    "Contact: quorvex@example.org";
constexpr const char* VersionText = "Version 1.0";

// A main window that draws at another scale can say so through this property;
// otherwise the About window uses the default scale.
double ScaleOf(QWidget* parent) {
    if (parent != nullptr) {
        bool ok = false;
        const double s = parent->window()->property("quorvexScale").toDouble(&ok);
        if (ok && s > 0) return s;
    }
    return 2.0;
}

}  // namespace

AboutForm::AboutForm(double scale, QWidget* parent) : QDialog(parent) {
    const auto px = [scale](int twips) { return qRound(twips / TwipsPerPixel * scale); };
    const auto place = [&px](QWidget* w, int left, int top, int width, int height) {
        w->setGeometry(px(left), px(top), px(width), px(height));
    };

    setWindowTitle(QStringLiteral("About %1").arg(QString::fromUtf8(text::AppTitle)));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(px(4752), px(1452));

    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(Geometry(scale).fontPoints(7.8, logicalDpiY()));
    font.setBold(true);
    setFont(font);

    AboutText = new QPlainTextEdit(this);
    AboutText->setObjectName("AboutText");
    AboutText->setReadOnly(true);
    AboutText->setPlainText(QString::fromUtf8(AboutLines));
    AboutText->setLineWrapMode(QPlainTextEdit::NoWrap);
    AboutText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AboutText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A click on the text closes the window, so it must not grab the focus
    // or show a caret as if it were there to be edited.
    AboutText->setFocusPolicy(Qt::NoFocus);
    AboutText->setTextInteractionFlags(Qt::NoTextInteraction);
    AboutText->viewport()->setCursor(Qt::ArrowCursor);
    AboutText->viewport()->installEventFilter(this);
    place(AboutText, 30, 30, 4095, 1050);

    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    Picture1->setAlignment(Qt::AlignCenter);
    place(Picture1, 4185, 30, 510, 480);
    // Nearest-neighbour keeps the 32 by 32 icon's squares crisp when enlarged.
    const int side = qMin(Picture1->width(), Picture1->height());
    Picture1->setPixmap(WindowIconPixmap(32).scaled(side, side, Qt::KeepAspectRatio,
                                                    Qt::FastTransformation));

    AboutOk = new QPushButton(QStringLiteral("OK"), this);
    AboutOk->setObjectName("AboutOk");
    AboutOk->setDefault(true);
    place(AboutOk, 4200, 600, 510, 375);
    connect(AboutOk, &QPushButton::clicked, this, &AboutForm::AboutOk_Click);

    Label1 = new QLabel(QString::fromUtf8(VersionText), this);
    Label1->setObjectName("Label1");
    place(Label1, 30, 1110, 4725, 315);

    AboutOk->setFocus();
    liveInstance = this;
}

AboutForm* AboutForm::instance() { return liveInstance.data(); }

bool AboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == AboutText->viewport() && event->type() == QEvent::MouseButtonPress) {
        AboutText_MouseDown();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutForm::AboutOk_Click() { close(); }

void AboutForm::AboutText_MouseDown() { close(); }

void ShowAboutModal(QWidget* parent) {
    // Modal, so a second request can only come from code; show the one window.
    if (AboutForm* open = AboutForm::instance()) {
        open->raise();
        open->activateWindow();
        return;
    }
    // exec() deletes the dialog on return because of WA_DeleteOnClose, so the
    // next About builds a fresh window.
    auto* form = new AboutForm(ScaleOf(parent), parent);
    form->exec();
}

}  // namespace quorvex::ui
