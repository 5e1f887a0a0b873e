// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Plan dialog's lists and tables share: choices shown in the user's
// language that hold their keywords, and the cells of an editable table.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class QComboBox;
class QFormLayout;
class QPushButton;
class QTableWidget;
class QWidget;

namespace twl {

// A new control of the dialog with its published name.
template <class T> T* named(QWidget* parent, const char* name) {
    auto* w = new T(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

// Fills `box` with `names` (entries separated by "|", in keyword order), each
// holding its keyword; a keyword without a name shows as itself.
void fillChoices(QComboBox& box, const QString& names, const QStringList& keywords);
// Selects the choice of `keyword`; the first (the default) for any other text.
void selectKeyword(QComboBox& box, const QString& keyword);
// The keyword of the choice; empty for the first, which is the default, so
// options left at their defaults are stored as none.
QString chosenKeyword(const QComboBox& box);

// A cell's text without its surrounding blanks; empty for a missing cell.
QString cellText(const QTableWidget& table, int row, int column);
// The cell editor the table has open, if any.
QWidget* openCellEditor(const QTableWidget& table);
// Takes what is typed in the table's open cell editor, as the user sees it.
void commitOpenCell(QTableWidget& table);
// Adds to `form` the table's label (its buddy) and the table with its Add and
// Remove buttons beside it: Add appends a row by `addRow` and opens its first
// cell for typing, Remove takes the current row out.
void addEditableTable(QFormLayout& form, const QString& label, QTableWidget& table,
                      QPushButton& add, QPushButton& remove, std::function<void()> addRow);

} // namespace twl
