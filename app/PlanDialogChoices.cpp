// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlanDialogChoices.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace twl {

void fillChoices(QComboBox& box, const QString& names, const QStringList& keywords) {
    const QStringList shown = names.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < keywords.size(); ++i)
        box.addItem(i < shown.size() ? shown[i] : keywords[i], keywords[i]);
}

void selectKeyword(QComboBox& box, const QString& keyword) {
    const int index = box.findData(keyword.trimmed().toLower());
    box.setCurrentIndex(index < 0 ? 0 : index);
}

QString chosenKeyword(const QComboBox& box) {
    return box.currentIndex() <= 0 ? QString() : box.currentData().toString();
}

QString cellText(const QTableWidget& table, int row, int column) {
    const QTableWidgetItem* item = table.item(row, column);
    return item ? item->text().trimmed() : QString();
}

QWidget* openCellEditor(const QTableWidget& table) {
    // Editors are the viewport's children, hidden once closed.
    for (QWidget* editor : table.viewport()->findChildren<QWidget*>())
        if (editor->isVisible()) return editor;
    return nullptr;
}

void commitOpenCell(QTableWidget& table) {
    if (QWidget* editor = openCellEditor(table))
        QMetaObject::invokeMethod(&table, "commitData", Qt::DirectConnection,
                                  Q_ARG(QWidget*, editor));
}

void addEditableTable(QFormLayout& form, const QString& label, QTableWidget& table,
                      QPushButton& add, QPushButton& remove, std::function<void()> addRow) {
    QObject::connect(&add, &QPushButton::clicked, &table, [&table, addRow] {
        addRow();
        const int row = table.rowCount() - 1;
        table.setCurrentCell(row, 0);
        table.setFocus();
        table.editItem(table.item(row, 0));
    });
    QObject::connect(&remove, &QPushButton::clicked, &table, [&table] {
        if (table.currentRow() >= 0) table.removeRow(table.currentRow());
    });
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(&add);
    buttons->addWidget(&remove);
    buttons->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(&table, 1);
    row->addLayout(buttons);
    auto* caption = new QLabel(label, table.parentWidget());
    caption->setBuddy(&table);
    form.addRow(caption);
    form.addRow(row);
}

} // namespace twl
