// The Statistics window.
#include "qt/StatisticsForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "game/Texts.h"

namespace quorvex::ui {

StatisticsForm::StatisticsForm(std::function<Lines()> lines, std::function<void()> reset, QWidget* parent)
    : QDialog(parent), lines_(std::move(lines)), onReset_(std::move(reset)) {
    setObjectName(QStringLiteral("Statistics"));
    setWindowTitle(QStringLiteral("%1 Statistics").arg(QString::fromUtf8(text::AppTitle)));
    // Wide enough for the whole title: a window manager draws it in a font of
    // its own, often larger and bold, beside its buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) * 3 / 2 + 160);

    auto* layout = new QVBoxLayout(this);
    rows_ = new QFormLayout;
    rows_->setLabelAlignment(Qt::AlignLeft);
    rows_->setHorizontalSpacing(24);
    layout->addLayout(rows_);

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
    while (rows_->rowCount() > 0) rows_->removeRow(0);
    for (const auto& [caption, figure] : lines_()) {
        auto* value = new QLabel(QString::fromStdString(figure));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setAccessibleName(QString::fromStdString(caption));
        rows_->addRow(QString::fromStdString(caption), value);
    }
}

QString StatisticsForm::value(const QString& caption) const {
    for (int row = 0; row < rows_->rowCount(); ++row) {
        auto* label = qobject_cast<QLabel*>(rows_->itemAt(row, QFormLayout::LabelRole)->widget());
        auto* value = qobject_cast<QLabel*>(rows_->itemAt(row, QFormLayout::FieldRole)->widget());
        if (label && value && label->text() == caption) return value->text();
    }
    return {};
}

void ShowStatisticsModal(QWidget* parent, std::function<StatisticsForm::Lines()> lines, std::function<void()> reset) {
    StatisticsForm form(std::move(lines), std::move(reset), parent);
    form.exec();
}

}  // namespace quorvex::ui
