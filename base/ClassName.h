// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The class name the program shows and stores (language-file sections,
// document titles, assignment errors): the C++ class name without namespace.

#include <QObject>
#include <QString>

namespace twl {

inline QString unqualifiedClassName(const QObject* obj) {
    const QString name = QString::fromLatin1(obj->metaObject()->className());
    return name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);
}

} // namespace twl
