// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An INI file held in memory that remembers whether it was changed and saves
// itself when released. Language files are read through it.
//
// Text rules: a line ends at CR, LF or CR LF; a zero byte ends the text; lines
// are not trimmed; empty lines and lines starting with ";" are skipped; "[name]"
// (nothing after "]") starts a section, a repeated name a second section that
// lookups never reach; lines before the first section are dropped. The key of a
// line is its text before the first "=", compared without regard to case.

#include "base/Windows1252.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QTime>
#include <functional>
#include <vector>

namespace twl {

class TbsINIFile {
public:
    // Reads the whole file; a missing file or an empty name gives no content.
    explicit TbsINIFile(const QString& fileName);
    // Content given as the bytes of a file, bound to no file: release writes nothing.
    struct FromBytes {};
    TbsINIFile(FromBytes, const QByteArray& bytes);
    // Releases the file as release() does; an error is swallowed here because a
    // destructor cannot report it (call release() to see it).
    ~TbsINIFile();
    TbsINIFile(const TbsINIFile&) = delete;
    TbsINIFile& operator=(const TbsINIFile&) = delete;

    const QString& FileName() const { return m_fileName; }
    // Where release() writes a changed file instead of its own name, creating
    // the folders (0700): a shipped language file is never written back, the
    // user's copy is. Empty: the file itself.
    void setSaveTarget(const QString& path) { m_saveTarget = path; }
    bool Modified() const { return m_modified; }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    int ReadInteger(const QString& section, const QString& key, int def) const;
    double ReadFloat(const QString& section, const QString& key, double def) const;
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    QDate ReadDate(const QString& section, const QString& key, const QDate& def) const;
    QTime ReadTime(const QString& section, const QString& key, const QTime& def) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteFloat(const QString& section, const QString& key, double value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void WriteDate(const QString& section, const QString& key, const QDate& value);
    void WriteTime(const QString& section, const QString& key, const QTime& value);

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    // Section names in file order, repeated names included.
    QStringList ReadSections() const;
    // Keys of the first section of that name, in file order, repeats and empty keys included.
    QStringList ReadSection(const QString& section) const;
    // Whole lines of that section, as read or written.
    QStringList ReadSectionValues(const QString& section) const;

    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& key);

    // Rewrites the file whole in the encoding it was read in (a file read as
    // UTF-8 stays UTF-8, with its byte-order mark if it had one; any other in
    // Windows-1252, the program's single-byte code page): "[name]", its lines, an empty line, for
    // every section. Raises EFCreateError when it cannot.
    void SaveFile();
    // The bytes that SaveFile writes.
    QByteArray serialize() const;

    // The release rules: a changed, writable file is saved; a changed, read-only
    // one shows "File "name" is read-only" and is not written; a file that has
    // vanished is written again when the content holds a section. Errors of the
    // save go to the caller. Runs once; the destructor skips it afterwards.
    void release();

    // Where the read-only message goes; a message box unless replaced (tests).
    using MessageSink = std::function<void(const QString&)>;
    static void setMessageSink(MessageSink sink);
    static void showMessage(const QString& text);

private:
    struct Section {
        QString name;
        QStringList lines;
        // First line index per case-folded key, so that reading every key of a
        // huge section stays linear. Rebuilt after a line is removed.
        mutable QHash<QString, qsizetype> firstLine;
        mutable bool indexed = false;
        qsizetype find(const QString& key) const;
        void invalidate() {
            indexed = false;
            firstLine.clear();
        }
    };

    void load();
    void parse(const QByteArray& fileBytes);
    const Section* findSection(const QString& name) const;
    Section* findSection(const QString& name);
    Section& sectionForWrite(const QString& name);
    void rebuildSectionIndex();

    QString m_fileName;
    QString m_saveTarget;
    TextFileEncoding m_encoding = TextFileEncoding::Windows1252;
    std::vector<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex; // first section per case-folded name
    bool m_modified = false;
    bool m_released = false;
};

// The key of one INI line: its text before the first "=", empty when there is none.
QStringView iniLineKey(QStringView line);

} // namespace twl
