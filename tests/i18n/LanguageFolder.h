// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh current directory for one test, so that the core's start-up folder
// "./Language/" and every language folder are temporary.

#include "tests/support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

namespace twl::test {

class LanguageFolderScope {
public:
    LanguageFolderScope()
        : m_previous(QDir::currentPath()) {
        QDir::setCurrent(m_root.path());
    }
    ~LanguageFolderScope() { QDir::setCurrent(m_previous); }
    LanguageFolderScope(const LanguageFolderScope&) = delete;
    LanguageFolderScope& operator=(const LanguageFolderScope&) = delete;

    bool isValid() const { return m_root.isValid(); }
    QString path() const { return m_root.path(); }
    QString filePath(const QString& name) const { return m_root.filePath(name); }
    // The folder (created when missing), with its trailing separator.
    QString folder(const QString& name) const {
        QDir(m_root.path()).mkpath(name);
        return m_root.filePath(name) + QLatin1Char('/');
    }
    // Writes <folder>/<language>.lng.
    void language(const QString& dir, const QString& name, const QByteArray& text) const {
        writeFile(folder(dir) + name + QStringLiteral(".lng"), text);
    }

private:
    QTemporaryDir m_root;
    QString m_previous;
};

} // namespace twl::test
