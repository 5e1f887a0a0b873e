#pragma once
// The OpenDocument spreadsheet (.ods): one table with typed cells (a number
// carries its value and the text the table shows), packed as the format
// wants it, the uncompressed mimetype first.

#include "export/writers/kxWriterGrid.h"

#include <set>

namespace twl {

class TkxODSWriter : public TkxGridWriter {
public:
    void BeginDocument(const QString& Title) override;
    void TextLine(const QString& Line) override;
    void BlankLine() override;
    void TableRow(const std::vector<TkxGridCell>& Cells, bool IsHeader) override;
    QByteArray EndDocument() override;

    // The package from its parts: a zip whose first entry is the stored mimetype.
    static QByteArray Package(const QByteArray& Content, const QByteArray& Styles,
                              const QByteArray& Meta);

private:
    QByteArray contentXml() const;
    QByteArray metaXml() const;

    QString m_title;
    QByteArray m_rows;
    std::set<int> m_decimals;
    std::vector<int> m_widths;
    int m_columns = 1;
};

} // namespace twl
