// SPDX-License-Identifier: GPL-3.0-or-later
// The path walk of the translator over a small component tree, with whatever a
// language file may say: it ends, and only the enumeration error escapes.
#include "base/Exceptions.h"
#include "base/Font.h"
#include "i18n/bsINIFile.h"
#include "i18n/bsPolyglotUnPaths.h"

#include <QObject>
#include <QStringList>
#include <vector>

namespace fuzzmodel {

class TStrings : public QObject {
    Q_OBJECT
    Q_PROPERTY(QStringList Strings MEMBER Strings)
public:
    using QObject::QObject;
    QStringList Strings;
};

class TItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(int Width MEMBER Width)
public:
    using QObject::QObject;
    QString Caption;
    int Width = 0;
};

class TItems : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Count READ Count)
public:
    explicit TItems(QObject* parent)
        : QObject(parent) {
        for (int i = 0; i < 3; ++i)
            m_items.push_back(new TItem(this));
    }
    int Count() const { return static_cast<int>(m_items.size()); }
    Q_INVOKABLE fuzzmodel::TItem* Items(int i) const { return m_items.at(static_cast<size_t>(i)); }
    std::vector<TItem*> m_items;
};

class TThing : public QObject {
    Q_OBJECT
public:
    enum TKind { tkOne, tkTwo };
    Q_ENUM(TKind)
private:
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(TKind Kind MEMBER Kind)
    Q_PROPERTY(bool Flag MEMBER Flag)
    Q_PROPERTY(double Ratio MEMBER Ratio)
    Q_PROPERTY(short Small MEMBER Small)
    Q_PROPERTY(twl::TFont* Font READ Font)
    Q_PROPERTY(fuzzmodel::TStrings* Lines READ Lines)
    Q_PROPERTY(fuzzmodel::TItems* Columns READ Columns)
    Q_PROPERTY(QObject* Link MEMBER Link)
public:
    explicit TThing(QObject* parent, const char* name)
        : QObject(parent)
        , m_font(new twl::TFont(this))
        , m_lines(new TStrings(this))
        , m_columns(new TItems(this)) {
        setObjectName(QString::fromLatin1(name));
    }
    twl::TFont* Font() const { return m_font; }
    TStrings* Lines() const { return m_lines; }
    TItems* Columns() const { return m_columns; }
    QString Caption;
    TKind Kind = tkOne;
    bool Flag = false;
    double Ratio = 0;
    short Small = 0;
    QObject* Link = nullptr;

private:
    twl::TFont* m_font;
    TStrings* m_lines;
    TItems* m_columns;
};

class TFuzzForm : public TThing {
    Q_OBJECT
public:
    TFuzzForm()
        : TThing(nullptr, "form") {
        auto* a = new TThing(this, "a");
        auto* b = new TThing(a, "b"); // owned by a, not by the form
        a->Link = this;               // a cycle through a reference
        b->Link = a;
        Link = b;
    }
};

} // namespace fuzzmodel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzmodel::TFuzzForm form;
    const QByteArray bytes = "[TFuzzForm]\n" + QByteArray(reinterpret_cast<const char*>(data),
                                                          static_cast<qsizetype>(size));
    const twl::TbsINIFile ini(twl::TbsINIFile::FromBytes{}, bytes);
    try {
        twl::polyglot::translateFromFile(ini, &form, {});
    } catch (const twl::EPropertyError&) {
        // An enumeration value that names no member: the one error a file may cause.
    }
    return 0;
}

#include "fuzz_translate.moc"
