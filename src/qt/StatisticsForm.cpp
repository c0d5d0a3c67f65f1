// The Statistics window.
#include "qt/StatisticsForm.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "game/Texts.h"

namespace quorvex::ui {

StatisticsForm::StatisticsForm(std::function<Table()> table, std::function<void()> reset, QWidget* parent)
    : QDialog(parent), table_(std::move(table)), onReset_(std::move(reset)) {
    setObjectName(QStringLiteral("Statistics"));
    setWindowTitle(QStringLiteral("%1 Statistics").arg(QString::fromUtf8(text::AppTitle)));
    // Wide enough for the whole title: a window manager draws it in a font of
    // its own, often larger and bold, beside its buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) * 3 / 2 + 160);

    auto* layout = new QVBoxLayout(this);
    figures_ = new QWidget(this);
    grid_ = new QGridLayout(figures_);
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setHorizontalSpacing(24);
    layout->addWidget(figures_);

    auto* buttons = new QDialogButtonBox(this);
    reset_ = buttons->addButton(QStringLiteral("&Reset"), QDialogButtonBox::ResetRole);
    reset_->setObjectName(QStringLiteral("StatsReset"));
    close_ = buttons->addButton(QDialogButtonBox::Close);
    close_->setObjectName(QStringLiteral("StatsClose"));
    close_->setDefault(true);
    layout->addWidget(buttons);
    connect(reset_, &QPushButton::clicked, this, [this] {
        onReset_();
        refresh();
    });
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
}

void StatisticsForm::refresh() {
    while (QLayoutItem* item = grid_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const Table table = table_();
    for (std::size_t r = 0; r < table.size(); ++r) {
        for (std::size_t c = 0; c < table[r].size(); ++c) {
            auto* label = new QLabel(QString::fromStdString(table[r][c]), figures_);
            if (r == 0) {
                QFont bold = label->font();
                bold.setBold(true);
                label->setFont(bold);
            }
            if (c > 0) label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            // A screen reader reading one figure hears what it counts, and of which kind.
            if (r > 0 && c > 0)
                label->setAccessibleName(QString::fromStdString(table[r][0] + ", " + table[0][c]));
            grid_->addWidget(label, int(r), int(c));
        }
    }
}

QString StatisticsForm::value(const QString& caption, int column) const {
    for (int row = 1; row < grid_->rowCount(); ++row) {
        const auto* label = grid_->itemAtPosition(row, 0) ? qobject_cast<QLabel*>(grid_->itemAtPosition(row, 0)->widget()) : nullptr;
        const QLayoutItem* item = grid_->itemAtPosition(row, column);
        const auto* value = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
        if (label && value && label->text() == caption) return value->text();
    }
    return {};
}

void ShowStatisticsModal(QWidget* parent, std::function<StatisticsForm::Table()> table, std::function<void()> reset) {
    StatisticsForm form(std::move(table), std::move(reset), parent);
    form.exec();
}

}  // namespace quorvex::ui

#include "moc_StatisticsForm.cpp"
