// The About window: who made the program and which version it is.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quorvex::ui {

class AboutForm : public QDialog {
    Q_OBJECT
public:
    // scale turns design pixels (twips / 15) into screen pixels, as on the main window.
    explicit AboutForm(double scale = 2.0, QWidget* parent = nullptr);

    // The live About window, or nullptr when none is open.
    static AboutForm* instance();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AboutOk_Click();
    void AboutText_MouseDown();

    QPlainTextEdit* AboutText = nullptr;
    QLabel* Picture1 = nullptr;
    QPushButton* AboutOk = nullptr;
    QLabel* Label1 = nullptr;
};

// Shows the About window modally and returns when it has been closed.
void ShowAboutModal(QWidget* parent);

}  // namespace quorvex::ui
