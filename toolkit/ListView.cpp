// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ListView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTimer>

namespace twl {

class TListView::Model : public QAbstractTableModel {
public:
    explicit Model(TListView* view)
        : QAbstractTableModel(view)
        , m_view(view) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_view->m_shownRows;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_view->m_captions.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return m_view->cellText(index.row(), index.column());
        if (role == Qt::TextAlignmentRole) {
            const TAlignment a = m_view->m_alignments.at(static_cast<std::size_t>(index.column()));
            return QVariant::fromValue(toQtAlignment(a) | Qt::AlignVCenter);
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < static_cast<int>(m_view->m_captions.size()))
            return m_view->m_captions[static_cast<std::size_t>(section)];
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = QAbstractTableModel::flags(index);
        if (index.column() == 0 && !m_view->m_readOnly) f |= Qt::ItemIsEditable;
        return f;
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole || index.column() != 0) return false;
        m_view->setItemCaption(index.row(), value.toString());
        return true;
    }

    void appendShown(int first, int last) {
        beginInsertRows({}, first, last);
        m_view->m_shownRows = last + 1;
        endInsertRows();
    }
    void resetAll() {
        beginResetModel();
        m_view->m_shownRows = static_cast<int>(m_view->m_items.size());
        endResetModel();
    }
    void columnsChanged() {
        beginResetModel();
        endResetModel();
    }
    void cellChanged(int row, int column) {
        emit dataChanged(index(row, column), index(row, column));
    }

private:
    TListView* m_view;
};

TListColumn::TListColumn(TListView* view, int index)
    : QObject(view->m_columns)
    , m_view(view)
    , m_index(index) {}

QString TListColumn::Caption() const {
    return m_view->m_captions.at(static_cast<std::size_t>(m_index));
}

void TListColumn::setCaption(const QString& c) {
    m_view->m_captions.at(static_cast<std::size_t>(m_index)) = c;
    emit m_view->m_model->headerDataChanged(Qt::Horizontal, m_index, m_index);
    m_view->touch();
}

int TListColumn::Width() const {
    return m_view->columnWidth(m_index);
}

void TListColumn::setWidth(int w) {
    m_view->setColumnWidth(m_index, qMax(0, w));
}

TAlignment TListColumn::Alignment() const {
    return m_view->m_alignments.at(static_cast<std::size_t>(m_index));
}

void TListColumn::setAlignment(TAlignment a) {
    m_view->m_alignments.at(static_cast<std::size_t>(m_index)) = a;
    m_view->viewport()->update();
    m_view->touch();
}

TListColumns::TListColumns(TListView* view)
    : TCollection(view)
    , m_view(view) {}

QObject* TListColumns::Items(int index) const {
    return column(index);
}

TListColumn* TListColumns::column(int index) const {
    return index >= 0 && index < Count() ? m_columns[static_cast<std::size_t>(index)] : nullptr;
}

TListColumn* TListColumns::Add() {
    const int index = Count();
    m_view->flushAppends();
    m_view->m_captions.emplace_back();
    m_view->m_alignments.push_back(TAlignmentEnum::taLeftJustify);
    auto* column = new TListColumn(m_view, index);
    m_columns.push_back(column);
    m_view->m_model->columnsChanged();
    m_view->setColumnWidth(index, 50);
    m_view->touch();
    return column;
}

void TListColumns::RemoveLast() {
    if (m_columns.empty()) return;
    m_view->flushAppends();
    delete m_columns.back();
    m_columns.pop_back();
    m_view->m_captions.pop_back();
    m_view->m_alignments.pop_back();
    m_view->m_model->columnsChanged();
    m_view->touch();
}

TListView::TListView(QWidget* parent)
    : QTableView(parent)
    , m_columns(new TListColumns(this))
    , m_model(new Model(this)) {
    setModel(m_model);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setWordWrap(false);
    // Tab leaves the table for the next control; the arrows move inside it.
    setTabKeyNavigation(false);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& s, const QItemSelection& d) { syncSelection(s, d); });
}

TListView::~TListView() = default;

TListColumn* TListView::AddColumn(const QString& caption, int width) {
    TListColumn* c = m_columns->Add();
    c->setCaption(caption);
    c->setWidth(width);
    return c;
}

void TListView::setRowSelect(bool v) {
    setSelectionBehavior(v ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void TListView::setMultiSelect(bool v) {
    setSelectionMode(v ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

TListItemData::TListItemData(QStringView caption, std::span<const QStringView> subItems) {
    qsizetype size = caption.size();
    for (const QStringView s : subItems)
        size += s.size();
    // Made at its size and filled in place: one allocation, no growth.
    m_texts = QString(size, Qt::Uninitialized);
    QChar* const begin = m_texts.data();
    QChar* out = begin;
    const auto put = [&](QStringView s) {
        out = std::copy(s.begin(), s.end(), out);
        m_ends.append(endOf(s, out - begin));
    };
    put(caption);
    for (const QStringView s : subItems)
        put(s);
}

quint32 TListItemData::endOf(QStringView piece, qsizetype end) {
    return static_cast<quint32>(end) | (piece.isNull() ? NullPiece : 0);
}

void TListItemData::appendSubItem(QStringView text) {
    m_texts.append(text);
    m_ends.append(endOf(text, m_texts.size()));
}

void TListItemData::setCaption(QStringView caption) {
    const qsizetype oldEnd = m_ends[0] & ~NullPiece;
    const qsizetype delta = caption.size() - oldEnd;
    m_texts.replace(qsizetype{0}, oldEnd, caption.data(), caption.size());
    m_ends[0] = endOf(caption, caption.size());
    for (qsizetype i = 1; i < m_ends.size(); ++i)
        m_ends[i] = static_cast<quint32>(static_cast<qsizetype>(m_ends[i]) + delta);
}

QString TListItemData::piece(qsizetype index) const {
    if (m_ends[index] & NullPiece) return QString();
    const qsizetype start = index == 0 ? 0 : m_ends[index - 1] & ~NullPiece;
    const qsizetype end = m_ends[index] & ~NullPiece;
    if (end == start) return QStringLiteral(""); // empty, not null
    return QString(m_texts.constData() + start, end - start);
}

int TListView::addItem(const QString& caption, const QStringList& subItems) {
    QVarLengthArray<QStringView, 8> views;
    for (const QString& s : subItems)
        views.append(s);
    return addItem(QStringView(caption), std::span<const QStringView>(views.data(), views.size()));
}

int TListView::addItem(QStringView caption, std::span<const QStringView> subItems) {
    const bool wasPending = m_shownRows < static_cast<int>(m_items.size());
    m_items.emplace_back(caption, subItems);
    if (!wasPending) QTimer::singleShot(0, this, [this] { flushAppends(); });
    touch();
    return static_cast<int>(m_items.size()) - 1;
}

void TListView::appendSubItem(int index, const QString& text) {
    TListItemData& row = m_items.at(static_cast<std::size_t>(index));
    row.appendSubItem(text);
    if (index < m_shownRows) m_model->cellChanged(index, static_cast<int>(row.subItemCount()));
    touch();
}

void TListView::flushAppends() const {
    const int total = static_cast<int>(m_items.size());
    if (m_shownRows < total) m_model->appendShown(m_shownRows, total - 1);
}

void TListView::clearItems() {
    m_items.clear();
    m_model->resetAll();
    touch();
}

QString TListView::itemCaption(int index) const {
    return item(index).caption();
}

void TListView::setItemCaption(int index, const QString& caption) {
    m_items.at(static_cast<std::size_t>(index)).setCaption(caption);
    if (index < m_shownRows) m_model->cellChanged(index, 0);
    touch();
}

bool TListView::itemSelected(int index) const {
    return item(index).selected;
}

void TListView::setItemSelected(int index, bool selected) {
    TListItemData& d = m_items.at(static_cast<std::size_t>(index));
    if (d.selected == selected) return;
    d.selected = selected;
    flushAppends();
    m_syncingSelection = true;
    selectionModel()->select(m_model->index(index, 0), (selected ? QItemSelectionModel::Select
                                                                 : QItemSelectionModel::Deselect) |
                                                           QItemSelectionModel::Rows);
    m_syncingSelection = false;
    touch();
}

void TListView::syncSelection(const QItemSelection& selected, const QItemSelection& deselected) {
    if (m_syncingSelection) return;
    for (const QModelIndex& i : deselected.indexes())
        m_items.at(static_cast<std::size_t>(i.row())).selected = false;
    for (const QModelIndex& i : selected.indexes())
        m_items.at(static_cast<std::size_t>(i.row())).selected = true;
    touch();
}

QString TListView::cellText(int row, int column) const {
    if (row < 0 || row >= itemCount() || column < 0) return {};
    const TListItemData& d = m_items[static_cast<std::size_t>(row)];
    if (column == 0) return d.caption();
    return column - 1 < d.subItemCount() ? d.subItem(column - 1) : QString();
}

QString TListView::selectedRowsText() const {
    QString text;
    const int columns = m_columns->Count();
    for (int r = 0; r < itemCount(); ++r) {
        if (!itemSelected(r)) continue;
        for (int c = 0; c < columns; ++c) {
            if (c > 0) text += QLatin1Char('\t');
            text += cellText(r, c);
        }
        text += QLatin1Char('\n');
    }
    return text;
}

void TListView::keyPressEvent(QKeyEvent* e) {
    if (e == QKeySequence::Copy) {
        const QString text = selectedRowsText();
        if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

QModelIndex TListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if ((action == MoveHome || action == MoveEnd) && itemCount() > 0) {
        flushAppends();
        const int column = qMax(0, currentIndex().column());
        return m_model->index(action == MoveHome ? 0 : itemCount() - 1, column);
    }
    return QTableView::moveCursor(action, modifiers);
}

void TListView::touch() {
    ++m_revision;
    emit contentsChanged();
}

} // namespace twl
