// The Statistics window: the core's table of figures, a column for each kind
// of puzzle, a Reset button that hands the question to the core, and Close.
#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QGridLayout;
class QPushButton;

namespace quorvex::ui {

class StatisticsForm : public QDialog {
    Q_OBJECT
public:
    // A heading row, then each caption with its figures.
    using Table = std::vector<std::vector<std::string>>;

    StatisticsForm(std::function<Table()> table, std::function<void()> reset, QWidget* parent = nullptr);

    // The figure shown beside `caption` in `column` (1 the first kind's),
    // empty when there is no such row.
    QString value(const QString& caption, int column = 1) const;
    QPushButton* resetButton() const { return reset_; }
    QPushButton* closeButton() const { return close_; }

private:
    void refresh();

    std::function<Table()> table_;
    std::function<void()> onReset_;
    QWidget* figures_ = nullptr;
    QGridLayout* grid_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* close_ = nullptr;
};

// Shows a fresh Statistics window modally and returns when it is closed.
void ShowStatisticsModal(QWidget* parent, std::function<StatisticsForm::Table()> table, std::function<void()> reset);

}  // namespace quorvex::ui
