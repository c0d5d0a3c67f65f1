// The Statistics window: the core's rows of figures, a Reset button that
// hands the question to the core, and Close.
#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QFormLayout;
class QLabel;
class QPushButton;

namespace quorvex::ui {

class StatisticsForm : public QDialog {
    Q_OBJECT
public:
    using Lines = std::vector<std::pair<std::string, std::string>>;

    StatisticsForm(std::function<Lines()> lines, std::function<void()> reset, QWidget* parent = nullptr);

    // The figure shown beside `caption`, empty when there is no such row.
    QString value(const QString& caption) const;
    QPushButton* resetButton() const { return reset_; }
    QPushButton* closeButton() const { return close_; }

private:
    void refresh();

    std::function<Lines()> lines_;
    std::function<void()> onReset_;
    QFormLayout* rows_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* close_ = nullptr;
};

// Shows a fresh Statistics window modally and returns when it is closed.
void ShowStatisticsModal(QWidget* parent, std::function<StatisticsForm::Lines()> lines,
                         std::function<void()> reset);

}  // namespace quorvex::ui
