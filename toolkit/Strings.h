// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An ordered list of texts with line access by index (the toolkit's string
// list). Published as an owned sub-object, e.g. a memo's `Lines`; a language
// file replaces the whole list through `Lines.Strings`.

#include <QObject>
#include <QString>
#include <QStringList>

namespace twl {

class TStrings : public QObject {
    Q_OBJECT
    Q_PROPERTY(QStringList Strings READ Strings WRITE setStrings)
    Q_PROPERTY(QString Text READ Text WRITE setText STORED false)
    Q_PROPERTY(int Count READ Count STORED false)

public:
    explicit TStrings(QObject* parent = nullptr);

    QStringList Strings() const { return m_lines; }
    void setStrings(const QStringList& lines);
    // Every line followed by CR LF.
    QString Text() const;
    // Splits at CR LF, CR or LF; a final break yields no empty last line.
    void setText(const QString& text);
    int Count() const { return static_cast<int>(m_lines.size()); }

    // Line i, or an empty text for a line the list does not have.
    QString line(int index) const;
    void Add(const QString& line);
    void Clear();
    // Copies the lines of another list (the toolkit's assignment).
    void Assign(const TStrings& other);

    static QStringList splitLines(const QString& text);
    // The same into `out`, whose room is kept: a caller that splits one text
    // after another allocates no new list each time.
    static void splitLinesInto(const QString& text, QStringList& out);

signals:
    void changed();

private:
    QStringList m_lines;
};

// A collection: an owned list of items reached as `Items(n)` by the translator.
class TCollection : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Count READ Count STORED false)

public:
    using QObject::QObject;
    virtual int Count() const = 0;
    // Item n, or null for an index outside 0..Count-1.
    Q_INVOKABLE virtual QObject* Items(int index) const = 0;
};

} // namespace twl
