// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterJSON.h"

#include "base/RegionalSettings.h"

#include <charconv>
#include <cmath>
#include <utility>

namespace twl {

void kxAppendJSONString(QByteArray& Out, QStringView Text) {
    static const char Hex[] = "0123456789abcdef";
    Out += '"';
    const QByteArray utf8 = Text.toUtf8();
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            Out += '\\';
            Out += c;
        } else if (u < 0x20) {
            // Control characters have no literal form in a JSON string.
            Out += "\\u00";
            Out += Hex[u >> 4];
            Out += Hex[u & 0xF];
        } else {
            Out += c;
        }
    }
    Out += '"';
}

void kxAppendJSONNumber(QByteArray& Out, double Value) {
    if (!std::isfinite(Value)) {
        Out += "null"; // JSON has no infinity; no table text reads as one
        return;
    }
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, Value);
    Out.append(text, error == std::errc() ? end - text : 0);
}

namespace {
void appendStrings(QByteArray& Out, const QStringList& Lines) {
    Out += '[';
    for (qsizetype i = 0; i < Lines.size(); ++i) {
        if (i) Out += ", ";
        kxAppendJSONString(Out, Lines[i]);
    }
    Out += ']';
}

void appendKey(QByteArray& Out, bool& First, const QString& Key) {
    Out += First ? "" : ", ";
    First = false;
    kxAppendJSONString(Out, Key);
    Out += ": ";
}
} // namespace

void TkxJSONWriter::BeginDocument(const QString& Title) {
    m_title = Title;
    m_separator = regionalSettings().decimalSeparator;
    m_dateParts = kxDateParts(regionalSettings().shortDateFormat);
}

void TkxJSONWriter::TextLine(const QString& Line) {
    (m_inFooter ? m_footer : m_header) << Line;
}

void TkxJSONWriter::Footer(const QStringList& Lines) {
    m_inFooter = true;
    TkxGridWriter::Footer(Lines);
}

QString TkxJSONWriter::columnKey(std::size_t Index) const {
    const auto at = static_cast<qsizetype>(Index);
    if (at < m_keys.size()) return m_keys[at];
    return QString::number(at + 1);
}

void TkxJSONWriter::TableRow(const std::vector<TkxGridCell>& Cells, bool IsHeader) {
    if (IsHeader) {
        for (std::size_t i = 0; i < Cells.size(); ++i) {
            const QString& caption = Cells[i].Text;
            m_keys << (caption.isEmpty() || m_keys.contains(caption) ? columnKey(m_keys.size())
                                                                     : caption);
        }
        openRows();
        return;
    }
    if (Cells.empty() || !Cells.front().IsNumber) {
        m_pending.push_back(Cells);
        return;
    }
    // A numbered row: the rows without a number before it belong to the table.
    for (const std::vector<TkxGridCell>& pending : m_pending)
        addRow(pending);
    m_pending.clear();
    addRow(Cells);
}

void TkxJSONWriter::openRows() {
    if (m_opened) return;
    m_opened = true;
    m_out += "{\n  \"title\": ";
    kxAppendJSONString(m_out, m_title);
    m_out += ",\n  \"header\": ";
    appendStrings(m_out, m_header);
    m_out += ",\n  \"columns\": ";
    appendStrings(m_out, m_keys);
    m_out += ",\n  \"rows\": [";
}

void TkxJSONWriter::addRow(const std::vector<TkxGridCell>& Cells) {
    openRows();
    m_out += m_rowCount++ ? ",\n    " : "\n    ";
    appendRow(m_out, Cells);
}

void TkxJSONWriter::appendRow(QByteArray& Out, const std::vector<TkxGridCell>& Cells) {
    while (m_encodedKeys.size() < Cells.size()) {
        QByteArray key;
        bool first = m_encodedKeys.empty();
        appendKey(key, first, columnKey(m_encodedKeys.size()));
        m_encodedKeys.push_back(key);
    }
    Out += '{';
    for (std::size_t i = 0; i < Cells.size(); ++i) {
        Out += m_encodedKeys[i];
        const TkxGridCell& cell = Cells[i];
        if (cell.IsNumber)
            kxAppendJSONNumber(Out, cell.Value);
        else
            appendValue(Out, cell.Text);
    }
    Out += '}';
}

void TkxJSONWriter::appendSummaryRow(QByteArray& Out, const std::vector<TkxGridCell>& Cells) const {
    Out += '{';
    bool first = true;
    for (std::size_t i = 0; i < Cells.size(); ++i) {
        const QString& text = Cells[i].Text;
        if (i == 0) {
            appendKey(Out, first, QStringLiteral("label"));
            appendValue(Out, text);
            continue;
        }
        if (text.isEmpty()) continue; // a gap in the line, not a value
        const qsizetype colon = text.indexOf(QLatin1String(": "));
        if (colon > 0) {
            appendKey(Out, first, text.left(colon));
            appendValue(Out, text.mid(colon + 2).trimmed());
        } else {
            appendKey(Out, first, columnKey(i));
            appendValue(Out, text);
        }
    }
    Out += '}';
}

void TkxJSONWriter::appendValue(QByteArray& Out, const QString& Text) const {
    double number = 0;
    int decimals = 0;
    QDate date;
    if (Text.isEmpty())
        Out += "null";
    else if (kxParseGridNumber(Text, m_separator, number, decimals))
        kxAppendJSONNumber(Out, number);
    else if (!m_dateParts.empty() && kxParseGridDate(Text, m_dateParts, date))
        kxAppendJSONString(Out, date.toString(Qt::ISODate));
    else
        kxAppendJSONString(Out, Text);
}

QByteArray TkxJSONWriter::EndDocument() {
    openRows();
    m_out += m_rowCount ? "\n  ]" : "]";
    m_out += ",\n  \"summary\": [";
    for (std::size_t i = 0; i < m_pending.size(); ++i) {
        m_out += i ? ",\n    " : "\n    ";
        appendSummaryRow(m_out, m_pending[i]);
    }
    m_out += m_pending.empty() ? "]" : "\n  ]";
    m_out += ",\n  \"footer\": ";
    appendStrings(m_out, m_footer);
    m_out += "\n}\n";
    return std::exchange(m_out, QByteArray());
}

} // namespace twl
