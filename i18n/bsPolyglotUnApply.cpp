// SPDX-License-Identifier: GPL-3.0-or-later
// Applying a language file's keys to objects: the walk along a key's property
// path through components, controls, string lists and collections.
#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/NumberParse.h"
#include "base/Windows1252.h"
#include "i18n/bsCtrlUtils.h"
#include "i18n/bsPolyglotConst.h"
#include "i18n/bsPolyglotUn.h"
#include "i18n/bsPolyglotUnModel.h"
#include "i18n/bsPolyglotUnOwners.h"
#include "i18n/bsPolyglotUnPaths.h"
#include "i18n/bsStrUtils.h"

#include <QMetaEnum>
#include <QMetaProperty>
#include <QMutexLocker>
#include <algorithm>

namespace twl {

// --- the quoted-list syntax of string-list values ---------------------------

namespace {
bool isBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}
} // namespace

QStringList SplitQuotedList(QStringView text) {
    // A zero character ends the text, as it ends the line it came from.
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0) text = text.left(zero);
    const qsizetype n = text.size();
    const QChar quote = QLatin1Char('\'');
    const QChar comma = QLatin1Char(',');
    QStringList items;
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < n && isBlank(text[i]))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString item;
        if (text[i] == quote) {
            ++i;
            while (i < n) {
                if (text[i] == quote) {
                    if (i + 1 < n && text[i + 1] == quote) {
                        item.append(quote);
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item.append(text[i]);
                ++i;
            }
        } else {
            const qsizetype start = i;
            while (i < n && text[i].unicode() > 32 && text[i] != comma)
                ++i;
            item = text.mid(start, i - start).toString();
        }
        items.append(item);
        skipBlanks();
        if (i < n && text[i] == comma) {
            if (i == n - 1) items.append(QString());
            ++i;
            skipBlanks();
        }
    }
    return items;
}

// --- the walk of property paths ---------------------------------------------

namespace polyglot {

namespace {

// The localization components themselves are not reachable from a language
// file: setting a manager's language from inside a translation would restart
// the translation it is part of.
bool isLocalizationComponent(const QObject* obj) {
    // By class name: they are the widget layer's, which this one does not link.
    return obj->inherits("twl::TbsPolyglotManager") || obj->inherits("twl::TbsPolyglotTranslator");
}

QMetaProperty findProperty(const QObject* obj, QStringView name) {
    return findPublishedProperty(obj, name);
}

struct Walk {
    const TbsINIFile& file;
    const QString& section;
    const QString& key;

    QString raw() const { return file.ReadString(section, key, QString()); }

    void setEnumeration(QObject* obj, const QMetaProperty& p, const QMetaEnum& e) const {
        const QString value = raw();
        for (int k = 0; k < e.keyCount(); ++k) {
            if (QLatin1String(e.key(k)).compare(value, Qt::CaseInsensitive) == 0) {
                p.write(obj, QVariant(e.value(k)));
                return;
            }
        }
        throw EPropertyError(Format(LoadResString(rs::SbsInvalidPropertyElement), {value}));
    }

    void setBoolean(QObject* obj, const QMetaProperty& p) const {
        const QString value = raw();
        if (value.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            p.write(obj, QVariant(false));
        else if (value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            p.write(obj, QVariant(true));
        else
            throw EPropertyError(Format(LoadResString(rs::SbsInvalidPropertyElement), {value}));
    }

    // Sets a value property; returns the nested object to walk into when the
    // property holds one, else nullptr.
    QObject* setProperty(QObject* obj, const QMetaProperty& p, QStringView rest) const {
        if (!p.isWritable() && !(p.metaType().flags() & QMetaType::PointerToQObject))
            return nullptr;
        if (isComponentNameProperty(obj, p)) return nullptr;
        const int type = p.metaType().id();
        if (p.isEnumType()) {
            if (!p.isFlagType()) setEnumeration(obj, p, p.enumerator());
            return nullptr;
        }
        if (!setElementType(obj, p).isEmpty()) return nullptr; // sets are not translated
        qint64 lo = 0, hi = 0;
        if (integerRange(obj, p, lo, hi)) {
            const qint64 v = std::clamp<qint64>(file.ReadInteger(section, key, 0), lo, hi);
            p.write(obj, QVariant::fromValue(v));
            return nullptr;
        }
        switch (type) {
        case QMetaType::Bool:
            setBoolean(obj, p);
            return nullptr;
        case QMetaType::Double:
        case QMetaType::Float:
            p.write(obj, QVariant(file.ReadFloat(section, key, 0)));
            return nullptr;
        case QMetaType::QString:
            p.write(obj, QVariant(DecodeLiteral(raw())));
            return nullptr;
        case QMetaType::QByteArray:
            p.write(obj, QVariant(Windows1252Codec::encode(DecodeLiteral(raw()))));
            return nullptr;
        case QMetaType::QStringList:
            // A list held by value behaves as a string list object would.
            if (rest == u"Strings") p.write(obj, QVariant(SplitQuotedList(raw())));
            return nullptr;
        default:
            break;
        }
        if (p.metaType().flags() & QMetaType::PointerToQObject)
            return p.read(obj).value<QObject*>();
        return nullptr; // characters, sets, variants, 64-bit integers, value types
    }
};

} // namespace

void applyPath(const TbsINIFile& file, const QString& section, const QString& key,
               QObject* component) {
    applyPathFrom(file, section, key, key, component);
}

void applyPathFrom(const TbsINIFile& file, const QString& section, const QString& key,
                   QStringView path, QObject* component) {
    const Walk walk{file, section, key};
    QObject* obj = component;
    // At the start of the path, and after an owned component or child control,
    // a name may be a property, an owned component or a child control; inside a
    // property object only its properties count.
    bool componentLevel = true;
    // Each step consumes one name of the path, so a path ends the walk; the
    // loop replaces recursion so that a path of any depth cannot exhaust the stack.
    while (obj && !isLocalizationComponent(obj)) {
        const QStringView head = textBeforeView(u".", path);
        const QStringView rest = textAfterView(u".", path);
        if (head.isEmpty()) return; // no property, component or control goes by an empty name
        const QMetaProperty p = findProperty(obj, head);
        if (!p.isValid()) {
            if (!componentLevel) return;
            QObject* next = findOwnedComponent(obj, head.toString());
            if (!next && obj->isWidgetType()) next = FindChildControl(obj, head.toString());
            obj = next;
            path = rest;
            continue;
        }
        QObject* nested = walk.setProperty(obj, p, rest);
        if (!nested || isLocalizationComponent(nested)) return;
        if (isStringList(nested)) {
            if (rest == u"Strings") replaceStrings(nested, SplitQuotedList(walk.raw()));
            return;
        }
        if (isCollection(nested)) {
            const QStringView itemHead = textBeforeView(u".", rest);
            const QString indexText =
                textAfterView(u"(", textBeforeView(u")", itemHead)).toString();
            std::int32_t index = -1;
            if (!TryStrToInt(indexText, index)) index = -1;
            if (index < 0 || index >= collectionCount(nested)) return;
            obj = collectionItem(nested, index);
            path = textAfterView(u".", rest);
        } else {
            obj = nested;
            path = rest;
        }
        componentLevel = false;
    }
}

void translateFromFile(const TbsINIFile& file, QObject* component,
                       const std::function<bool()>& keepGoing) {
    const QString section = sectionName(component);
    const QStringList keys = file.ReadSection(section);
    for (const QString& key : keys) {
        if (keepGoing && !keepGoing()) return;
        applyPath(file, section, key, component);
    }
}

} // namespace polyglot

void TbsCorePolyglot::TranslateComponent(QObject* component) {
    QMutexLocker lock(&m_dataLock);
    if (!m_languageFile || !component) return;
    const std::shared_ptr<TbsINIFile> file = m_languageFile;
    polyglot::translateFromFile(*file, component, [this, &file] { return m_languageFile == file; });
}

} // namespace twl
