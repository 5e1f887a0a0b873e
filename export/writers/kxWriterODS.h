// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The OpenDocument spreadsheet (.ods): one table with typed cells (a number
// carries its value and the text the table shows), packed as the format
// wants it, the uncompressed mimetype first.

#include "export/writers/kxWriterGrid.h"

#include <memory>
#include <set>
#include <vector>

namespace twl {

class TkxPackedPart;

class TkxODSWriter : public TkxGridWriter {
public:
    TkxODSWriter();
    void BeginDocument(const QString& Title) override;
    void TextLine(const QString& Line) override;
    void BlankLine() override;
    void TableRow(const std::vector<TkxGridCell>& Cells, bool IsHeader) override;
    QByteArray EndDocument() override;

    ~TkxODSWriter() override;

private:
    // The start of content.xml, up to the first row.
    QByteArray contentStart() const;
    QByteArray metaXml() const;
    // The view settings that keep the caption row in view; "" without one.
    QByteArray settingsXml() const;
    QString sheetName() const;
    void countRow();
    // Notes the style a number cell takes, for the styles content.xml defines.
    void noteNumberStyle(bool Scientific, int Decimals);
    // Packs the rows written so far (all of them, or once there are enough
    // to be worth a pass).
    void spoolRows(bool All);

    QString m_title;
    // Rows not yet packed.
    QByteArray m_rows;
    // content.xml, its rows packed as they come.
    std::unique_ptr<TkxPackedPart> m_content;
    std::set<int> m_decimals;
    std::set<int> m_scientific;
    static constexpr int NoStyle = 1 << 30;
    int m_lastStyle = NoStyle; // the last number style noted
    // A row's texts that needed escaping (null: plain).
    std::vector<QByteArray> m_escaped;
    bool m_hasDates = false;
    qint64 m_rowCount = 0;
    // Rows above the split, the caption row the last of them; 0: none.
    qint64 m_frozenRows = 0;
};

} // namespace twl
