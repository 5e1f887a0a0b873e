// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/bsINIFile.h"

#include "base/BaseConsts.h"
#include "base/FileSave.h"
#include "base/Format.h"
#include "base/NumberFormat.h"
#include "base/NumberParse.h"
#include "base/RegionalSettings.h"
#include "base/UserFolders.h"
#include "base/Windows1252.h"
#include "i18n/bsPolyglotConst.h"
#include "toolkit/Messages.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <cstdio>

namespace twl {

namespace {

QString foldKey(QStringView key) {
    return key.toString().toCaseFolded();
}

// The file exists as a file (not a folder, not a device or pipe).
bool fileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// The read-only attribute is the owner's write permission; it holds even for root.
bool fileIsReadOnly(const QString& path) {
    return !(QFileInfo(path).permissions() & QFileDevice::WriteOwner);
}

QMutex& sinkMutex() {
    static QMutex m;
    return m;
}

TbsINIFile::MessageSink& sinkSlot() {
    static TbsINIFile::MessageSink sink;
    return sink;
}

} // namespace

QStringView iniLineKey(QStringView line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QStringView() : line.left(eq);
}

qsizetype TbsINIFile::Section::find(const QString& key) const {
    if (!indexed) {
        firstLine.clear();
        firstLine.reserve(lines.size());
        // Backwards, so that the first line of a repeated key wins.
        for (qsizetype i = lines.size() - 1; i >= 0; --i)
            firstLine.insert(foldKey(iniLineKey(lines[i])), i);
        indexed = true;
    }
    return firstLine.value(foldKey(key), -1);
}

TbsINIFile::TbsINIFile(const QString& fileName)
    : m_fileName(fileName) {
    load();
}

TbsINIFile::TbsINIFile(FromBytes, const QByteArray& bytes) {
    parse(bytes);
}

TbsINIFile::~TbsINIFile() {
    try {
        release();
    } catch (...) {
        // Nothing can report from here; callers that care call release() first.
    }
}

void TbsINIFile::load() {
    if (!fileExists(m_fileName)) return;
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly)) return;
    parse(file.readAll());
}

void TbsINIFile::parse(const QByteArray& fileBytes) {
    QByteArray bytes = fileBytes;
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0) bytes.truncate(zero);
    const QString text = decodeTextFile(bytes, m_encoding);

    Section* current = nullptr;
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        const QStringView line = QStringView(text).mid(start, end - start);
        if (end < n && text[end] == QLatin1Char('\r') && end + 1 < n &&
            text[end + 1] == QLatin1Char('\n'))
            start = end + 2;
        else
            start = end + 1;

        if (line.isEmpty() || line.front() == QLatin1Char(';')) continue;
        if (line.size() >= 2 && line.front() == QLatin1Char('[') &&
            line.back() == QLatin1Char(']')) {
            m_sections.push_back(Section{line.mid(1, line.size() - 2).toString(), {}, {}, false});
            current = &m_sections.back();
            continue;
        }
        if (current) current->lines.append(line.toString());
    }
    rebuildSectionIndex();
}

void TbsINIFile::rebuildSectionIndex() {
    m_sectionIndex.clear();
    for (qsizetype i = static_cast<qsizetype>(m_sections.size()) - 1; i >= 0; --i)
        m_sectionIndex.insert(foldKey(m_sections[static_cast<size_t>(i)].name), i);
}

const TbsINIFile::Section* TbsINIFile::findSection(const QString& name) const {
    const qsizetype at = m_sectionIndex.value(foldKey(name), -1);
    return at < 0 ? nullptr : &m_sections[static_cast<size_t>(at)];
}

TbsINIFile::Section* TbsINIFile::findSection(const QString& name) {
    const qsizetype at = m_sectionIndex.value(foldKey(name), -1);
    return at < 0 ? nullptr : &m_sections[static_cast<size_t>(at)];
}

TbsINIFile::Section& TbsINIFile::sectionForWrite(const QString& name) {
    if (Section* s = findSection(name)) return *s;
    m_sections.push_back(Section{name, {}, {}, false});
    m_sectionIndex.insert(foldKey(name), static_cast<qsizetype>(m_sections.size()) - 1);
    return m_sections.back();
}

QString TbsINIFile::ReadString(const QString& section, const QString& key,
                               const QString& def) const {
    const Section* s = findSection(section);
    if (!s) return def;
    const qsizetype at = s->find(key);
    if (at < 0) return def;
    const QString& line = s->lines[at];
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.mid(eq + 1);
}

int TbsINIFile::ReadInteger(const QString& section, const QString& key, int def) const {
    std::int32_t value = 0;
    return TryIniTextToInt(ReadString(section, key, QString()), value) ? value : def;
}

double TbsINIFile::ReadFloat(const QString& section, const QString& key, double def) const {
    const QString text = ReadString(section, key, QString());
    double value = 0;
    if (text.isEmpty() || !TryStrToFloat(text, value)) return def;
    return value;
}

bool TbsINIFile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

QDate TbsINIFile::ReadDate(const QString& section, const QString& key, const QDate& def) const {
    const QString text = ReadString(section, key, QString());
    const QDate d = QDate::fromString(text.trimmed(), regionalSettings().shortDateFormat);
    return (text.isEmpty() || !d.isValid()) ? def : d;
}

QTime TbsINIFile::ReadTime(const QString& section, const QString& key, const QTime& def) const {
    const QString text = ReadString(section, key, QString());
    const QTime t = QTime::fromString(text.trimmed(), regionalSettings().longTimeFormat);
    return (text.isEmpty() || !t.isValid()) ? def : t;
}

void TbsINIFile::WriteString(const QString& section, const QString& key, const QString& value) {
    Section& s = sectionForWrite(section);
    const QString line = key + QLatin1Char('=') + value;
    const qsizetype at = s.find(key);
    if (at >= 0) {
        s.lines[at] = line;
    } else {
        s.lines.append(line);
        if (s.indexed) s.firstLine.insert(foldKey(key), s.lines.size() - 1);
    }
    m_modified = true;
}

void TbsINIFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void TbsINIFile::WriteFloat(const QString& section, const QString& key, double value) {
    WriteString(section, key, FloatToStr(value));
}

void TbsINIFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TbsINIFile::WriteDate(const QString& section, const QString& key, const QDate& value) {
    WriteString(section, key, DateToStr(value));
}

void TbsINIFile::WriteTime(const QString& section, const QString& key, const QTime& value) {
    WriteString(section, key, TimeToStr(value));
}

bool TbsINIFile::SectionExists(const QString& section) const {
    return findSection(section) != nullptr;
}

bool TbsINIFile::ValueExists(const QString& section, const QString& key) const {
    const Section* s = findSection(section);
    return s && s->find(key) >= 0;
}

QStringList TbsINIFile::ReadSections() const {
    QStringList names;
    names.reserve(static_cast<qsizetype>(m_sections.size()));
    for (const Section& s : m_sections)
        names.append(s.name);
    return names;
}

QStringList TbsINIFile::ReadSection(const QString& section) const {
    QStringList keys;
    if (const Section* s = findSection(section)) {
        keys.reserve(s->lines.size());
        for (const QString& line : s->lines)
            keys.append(iniLineKey(line).toString());
    }
    return keys;
}

QStringList TbsINIFile::ReadSectionValues(const QString& section) const {
    const Section* s = findSection(section);
    return s ? s->lines : QStringList();
}

void TbsINIFile::EraseSection(const QString& section) {
    const qsizetype at = m_sectionIndex.value(foldKey(section), -1);
    if (at >= 0) {
        m_sections.erase(m_sections.begin() + at);
        rebuildSectionIndex();
    }
    m_modified = true;
}

void TbsINIFile::DeleteKey(const QString& section, const QString& key) {
    if (Section* s = findSection(section)) {
        const qsizetype at = s->find(key);
        if (at >= 0) {
            s->lines.removeAt(at);
            s->invalidate();
        }
    }
    m_modified = true;
}

QByteArray TbsINIFile::serialize() const {
    QString text;
    for (const Section& s : m_sections) {
        text += QLatin1Char('[') + s.name + QLatin1String("]\r\n");
        for (const QString& line : s.lines)
            text += line + QLatin1String("\r\n");
        text += QLatin1String("\r\n");
    }
    return encodeTextFile(text, m_encoding);
}

void TbsINIFile::SaveFile() {
    saveFileAtomically(m_fileName, serialize());
    m_modified = false;
}

void TbsINIFile::release() {
    if (m_released) return;
    m_released = true;
    if (!m_saveTarget.isEmpty()) {
        if (m_modified) {
            if (!makePrivateFolders(QFileInfo(m_saveTarget).absolutePath()))
                throw EFCreateError(Format(LoadResString(rs::SFCreateError), {m_saveTarget}));
            saveFileAtomically(m_saveTarget, serialize());
            m_modified = false;
        }
    } else if (fileExists(m_fileName)) {
        if (fileIsReadOnly(m_fileName)) {
            if (m_modified) showMessage(Format(LoadResString(rs::SbsFileReadOnly), {m_fileName}));
        } else if (m_modified) {
            SaveFile();
        }
    } else if (!m_fileName.isEmpty() && !m_sections.empty()) {
        QFile file(m_fileName);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            file.close();
            SaveFile();
        }
    }
    m_sections.clear();
    m_sectionIndex.clear();
}

void TbsINIFile::setMessageSink(MessageSink sink) {
    QMutexLocker lock(&sinkMutex());
    sinkSlot() = std::move(sink);
}

void TbsINIFile::showMessage(const QString& text) {
    MessageSink sink;
    {
        QMutexLocker lock(&sinkMutex());
        sink = sinkSlot();
    }
    if (sink) {
        sink(text);
        return;
    }
    // Asked by name: this layer does not link the widget module.
    const QCoreApplication* app = QCoreApplication::instance();
    if (app && app->inherits("QApplication")) {
        showMessageOver(MessageIcon::None, QCoreApplication::applicationName(), text, nullptr);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
}

} // namespace twl
