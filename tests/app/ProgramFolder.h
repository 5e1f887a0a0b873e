// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A temporary folder that stands in for the program's own: twlc.ini and the
// language folder live there for one test.

#include "base/ProgramFolder.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace twl::test {

inline const QString ShippedLanguages = sourceDir() + QStringLiteral("/language/");

class ProgramFolderScope {
public:
    ProgramFolderScope() {
        setProgramFolder(m_dir.path());
        QDir(m_dir.path()).mkdir(QStringLiteral("language"));
    }
    ~ProgramFolderScope() { setProgramFolder(QString()); }
    ProgramFolderScope(const ProgramFolderScope&) = delete;
    ProgramFolderScope& operator=(const ProgramFolderScope&) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    // Copies a shipped language file (such as "Deutsch.lng") beside the program.
    void ship(const QString& file) const {
        QFile::copy(ShippedLanguages + file, filePath(QStringLiteral("language/") + file));
    }
    void unship(const QString& file) const {
        QFile::remove(filePath(QStringLiteral("language/") + file));
    }
    // Writes <name>.lng with that main-window section.
    void language(const QString& name, const QByteArray& section) const {
        writeFile(filePath(QStringLiteral("language/") + name + QStringLiteral(".lng")),
                  "[Tmainfrm]\r\n" + section);
    }
    void settings(const QByteArray& text) const {
        writeFile(filePath(QStringLiteral("twlc.ini")), text);
    }

private:
    QTemporaryDir m_dir;
};

} // namespace twl::test
