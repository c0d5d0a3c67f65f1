// The About window: who made the program and which version it is.
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace quorvex::ui {

class AboutForm : public QDialog {
    Q_OBJECT
public:
    // Laid out at the main window's `scale`, so both grow together.
    explicit AboutForm(double scale, QWidget* parent = nullptr);

protected:
    // A press on the text closes the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* aboutText_ = nullptr;
};

// Shows the About window modally and returns when it has been closed.
void ShowAboutModal(QWidget* parent, double scale);

}  // namespace quorvex::ui
