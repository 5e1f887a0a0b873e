// SPDX-License-Identifier: GPL-3.0-or-later
// A language file read without the objects it translates: the keys of a
// section matched against a property path as the walk would follow them.
#include "base/NumberParse.h"
#include "i18n/bsPolyglotUn.h"
#include "i18n/bsPolyglotUnPaths.h"
#include "i18n/bsStrUtils.h"

namespace twl::polyglot {

namespace {

// A collection's item as the walk reads it: the number between "(" and ")".
bool itemIndex(QStringView name, std::int32_t& index) {
    return TryStrToInt(textAfterView(u"(", textBeforeView(u")", name)), index);
}

bool sameName(QStringView keyName, QStringView pathName) {
    std::int32_t wanted = 0;
    if (pathName.endsWith(u')') && itemIndex(pathName, wanted)) {
        std::int32_t given = 0;
        return itemIndex(keyName, given) && given == wanted;
    }
    return keyName.compare(pathName, Qt::CaseInsensitive) == 0;
}

// Whether the key walks along `path`; `rest` is what the key names after it.
bool walksAlong(QStringView key, QStringView path, QStringView& rest) {
    while (!path.isEmpty()) {
        if (key.isEmpty()) return false;
        if (!sameName(textBeforeView(u".", key), textBeforeView(u".", path))) return false;
        key = textAfterView(u".", key);
        path = textAfterView(u".", path);
    }
    rest = key;
    return true;
}

// The last key of the section accepted for `path`, as the walk leaves it.
bool lastKey(const TbsINIFile& file, const QString& section, QStringView path,
             bool (*accepts)(QStringView rest), QString& found) {
    bool any = false;
    for (const QString& key : file.ReadSection(section)) {
        QStringView rest;
        if (walksAlong(key, path, rest) && accepts(rest)) {
            found = key;
            any = true;
        }
    }
    return any;
}

} // namespace

void translateNamed(const TbsINIFile& file, const QString& section,
                    const QList<std::pair<QString, QObject*>>& components) {
    for (const QString& key : file.ReadSection(section)) {
        const QStringView head = textBeforeView(u".", key);
        for (const auto& [name, component] : components) {
            if (head.compare(name, Qt::CaseInsensitive) != 0) continue;
            applyPathFrom(file, section, key, textAfterView(u".", key), component);
            break;
        }
    }
}

bool lookUpText(const TbsINIFile& file, const QString& section, QStringView path, QString& text) {
    // A text property takes the value whatever names follow it.
    QString key;
    if (!lastKey(
            file, section, path, [](QStringView) { return true; }, key))
        return false;
    text = DecodeLiteral(file.ReadString(section, key, QString()));
    return true;
}

bool lookUpStrings(const TbsINIFile& file, const QString& section, QStringView path,
                   QStringList& items) {
    // Only "Strings" replaces a list, in that spelling.
    QString key;
    if (!lastKey(
            file, section, path, [](QStringView rest) { return rest == u"Strings"; }, key))
        return false;
    items = SplitQuotedList(file.ReadString(section, key, QString()));
    return true;
}

} // namespace twl::polyglot
