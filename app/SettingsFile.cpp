// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SettingsFile.h"

#include "app/AppConsts.h"
#include "base/Exceptions.h"
#include "base/FileRead.h"
#include "base/FileSave.h"
#include "base/Format.h"
#include "base/NumberParse.h"
#include "base/UserFolders.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>

#include <sys/stat.h>
#include <time.h>

namespace twl {

namespace {

struct Identity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t mtimeNs = 0;
    std::int64_t ctimeNs = 0;
    bool operator==(const Identity&) const = default;
};

Identity identityOf(const QByteArray& nativePath) {
    Identity id;
    struct stat st {};
    if (::stat(nativePath.constData(), &st) != 0) return id;
    id.exists = true;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.mtimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    id.ctimeNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return id;
}

constexpr std::int64_t RacyWindowNs = 2'000'000'000;

// No real settings file comes near this; a larger one is unreadable, not a
// reason to fill memory.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

std::int64_t nowNs() {
    struct timespec ts {};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView trimmedBlanks(QStringView s) {
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

// A line of the file, kept with its exact bytes (Latin-1 maps bytes 1:1).
struct Line {
    qsizetype start = 0;  // offset of the line in the file
    qsizetype length = 0; // without its line break
};

QList<Line> splitLines(const QString& text) {
    QList<Line> lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] == QLatin1Char('\n') || text[i] == QLatin1Char('\r')) {
            lines.append({start, i - start});
            if (text[i] == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) ++i;
            start = i + 1;
        }
    }
    if (start < n) lines.append({start, n - start});
    return lines;
}

// "[name]" gives the section name; anything else is not a header.
bool sectionName(QStringView line, QString& name) {
    const QStringView t = trimmedBlanks(line);
    if (t.isEmpty() || t[0] != QLatin1Char('[')) return false;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    name = trimmedBlanks(close < 0 ? t.mid(1) : t.mid(1, close - 1)).toString().toLower();
    return true;
}

bool keyOf(QStringView line, QString& key, QStringView* rawValue = nullptr) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) return false;
    key = trimmedBlanks(line.left(eq)).toString().toLower();
    if (rawValue) *rawValue = line.mid(eq + 1);
    return !key.isEmpty();
}

QString cleanValue(QStringView raw) {
    QStringView v = trimmedBlanks(raw);
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) &&
        v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    QString s = v.toString();
    if (s.size() > SettingsFile::MaxValueLength) s.truncate(SettingsFile::MaxValueLength);
    return s;
}

} // namespace

struct SettingsFile::Parsed {
    Identity identity;
    bool fromSeed = false;
    bool valid = false;
    // section -> key -> value (first occurrence wins, as lookups scan from the top)
    QHash<QString, QHash<QString, QString>> values;
};

SettingsFile::SettingsFile(QString path, QString seed)
    : m_path(std::move(path))
    , m_nativePath(QFile::encodeName(m_path))
    , m_seed(std::move(seed))
    , m_nativeSeed(QFile::encodeName(m_seed)) {}

SettingsFile::~SettingsFile() = default;

const SettingsFile::Parsed& SettingsFile::parsed() const {
    Identity id = identityOf(m_nativePath);
    const bool fromSeed = !id.exists && !m_seed.isEmpty();
    const QByteArray& source = fromSeed ? m_nativeSeed : m_nativePath;
    if (fromSeed) id = identityOf(source);
    if (m_cache && m_cache->valid && m_cache->fromSeed == fromSeed && m_cache->identity == id)
        return *m_cache;
    auto p = std::make_unique<Parsed>();
    p->identity = id;
    p->fromSeed = fromSeed;
    if (id.exists) {
        // Anything but a regular file of sensible size reads as a missing file.
        const RegularFileRead file = readRegularFile(fromSeed ? m_seed : m_path, MaxFileSize);
        if (file.status == RegularFileRead::Read) {
            const QString text = QString::fromLatin1(file.bytes);
            QString section;
            bool inSection = false;
            for (const Line& l : splitLines(text)) {
                const QStringView line = QStringView(text).mid(l.start, l.length);
                QString name;
                if (sectionName(line, name)) {
                    section = name;
                    inSection = true;
                    continue;
                }
                QString key;
                QStringView raw;
                if (inSection && keyOf(line, key, &raw)) {
                    auto& keys = p->values[section];
                    if (!keys.contains(key)) keys.insert(key, cleanValue(raw));
                }
            }
            // A file that changed while being read is parsed again next time,
            // and so is one modified within the timestamp granularity: a second
            // write in the same tick could leave size and times unchanged.
            p->valid = identityOf(source) == id && nowNs() - id.mtimeNs > RacyWindowNs;
        } else {
            p->valid = file.status == RegularFileRead::NotRegular ||
                       file.status == RegularFileRead::TooLarge;
        }
    } else {
        p->valid = true;
    }
    m_cache = std::move(p);
    m_lastParse = nullptr;
    return *m_cache;
}

QString SettingsFile::ReadString(const QString& section, const QString& key,
                                 const QString& defaultValue) const {
    const Parsed& p = parsed();
    if (m_lastParse != &p || m_lastSection != section || m_lastKey != key) {
        m_lastParse = &p;
        m_lastSection = section;
        m_lastKey = key;
        m_lastValue = nullptr;
        const auto s = p.values.constFind(section.toLower());
        if (s != p.values.cend()) {
            const auto k = s->constFind(key.toLower());
            if (k != s->cend()) m_lastValue = &*k;
        }
    }
    return m_lastValue ? *m_lastValue : defaultValue;
}

std::int32_t SettingsFile::ReadInteger(const QString& section, const QString& key,
                                       std::int32_t defaultValue) const {
    std::int32_t v = 0;
    return TryIniTextToInt(ReadString(section, key, QString()), v) ? v : defaultValue;
}

void SettingsFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const auto fail = [this] {
        throw EInOutError(Format(LoadResString(rs::SUnableToWrite), {m_path}));
    };
    // Every other line is kept, so a file that cannot be read whole (or is
    // not a file at all) is never written.
    RegularFileRead file = readRegularFile(m_path, MaxFileSize);
    if (file.status != RegularFileRead::Read && file.status != RegularFileRead::Missing) fail();
    if (file.status == RegularFileRead::Missing && !m_seed.isEmpty()) {
        // The user's first file starts from the administrator's defaults; a
        // seed that cannot be read gives none, but never stops the write.
        RegularFileRead seed = readRegularFile(m_seed, MaxFileSize);
        if (seed.status == RegularFileRead::Read) file.bytes = std::move(seed.bytes);
        if (!makePrivateFolders(QFileInfo(m_path).absolutePath())) fail();
    }
    const QString text = QString::fromLatin1(file.bytes);
    const QList<Line> lines = splitLines(text);
    const QString wantedSection = section.toLower();
    const QString wantedKey = key.toLower();
    const QString newLine = key + QLatin1Char('=') + value;

    int sectionLine = -1;   // header line of the section
    int lastEntryLine = -1; // last non-blank line inside the section
    int keyLine = -1;
    bool inSection = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QStringView line = QStringView(text).mid(lines[i].start, lines[i].length);
        QString name;
        if (sectionName(line, name)) {
            inSection = name == wantedSection && sectionLine < 0;
            if (inSection) {
                sectionLine = i;
                lastEntryLine = i;
            }
            continue;
        }
        if (!inSection) continue;
        if (!trimmedBlanks(line).isEmpty()) lastEntryLine = i;
        QString k;
        if (keyLine < 0 && keyOf(line, k) && k == wantedKey) keyLine = i;
    }

    QString result;
    if (keyLine >= 0) {
        // Replace the value on the key's line, keeping the key as written.
        const Line& l = lines[keyLine];
        const QStringView line = QStringView(text).mid(l.start, l.length);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        result = text.left(l.start) + line.left(eq + 1).toString() + value +
                 text.mid(l.start + l.length);
    } else if (sectionLine >= 0) {
        const Line& l = lines[lastEntryLine];
        qsizetype at = l.start + l.length;
        // Insert after that line's break (or add one at the end of the file).
        QString insert;
        if (at < text.size()) {
            if (text[at] == QLatin1Char('\r') && at + 1 < text.size() &&
                text[at + 1] == QLatin1Char('\n'))
                at += 2;
            else
                at += 1;
            insert = newLine + QLatin1String("\r\n");
        } else {
            insert = QLatin1String("\r\n") + newLine + QLatin1String("\r\n");
        }
        result = text.left(at) + insert + text.mid(at);
    } else {
        result = text;
        if (!result.isEmpty() && !result.endsWith(QLatin1Char('\n')) &&
            !result.endsWith(QLatin1Char('\r')))
            result += QLatin1String("\r\n");
        result +=
            QLatin1Char('[') + section + QLatin1String("]\r\n") + newLine + QLatin1String("\r\n");
    }
    try {
        saveFileAtomically(m_path, result.toLatin1());
    } catch (const Exception&) {
        fail();
    }
    m_cache.reset();
    m_lastParse = nullptr;
}

void SettingsFile::WriteInteger(const QString& section, const QString& key, std::int32_t value) {
    WriteString(section, key, QString::number(value));
}

namespace {

struct PlanKey {
    const char* key;
    QString PlanTexts::*text;
};

constexpr PlanKey PlanKeys[] = {{"FirstDate", &PlanTexts::firstDate},
                                {"AfterExtra", &PlanTexts::afterExtra},
                                {"Round", &PlanTexts::rounding},
                                {"Period", &PlanTexts::period},
                                {"Balloon", &PlanTexts::balloon}};

const QString PlanSection = QStringLiteral("Plan");
const QString ExtrasKey = QStringLiteral("Extras");
// One recurring extra is ExtraEach, as it always was; more follow as
// ExtraEach2, ExtraEach3... up to the first empty one.
const QString ExtraEachKey = QStringLiteral("ExtraEach");

QString extraEachKey(qsizetype index) {
    return index == 0 ? ExtraEachKey : ExtraEachKey + QString::number(index + 1);
}

// Writes a value, unless both it and the file's are empty.
void writeIfAny(SettingsFile& settings, const QString& key, const QString& value) {
    if (value.isEmpty() && settings.ReadString(PlanSection, key, QString()).isEmpty()) return;
    settings.WriteString(PlanSection, key, value);
}

// A list kept as its length under CountKey and one key per item: Prefix1,
// Prefix2... (one value could not hold a long list within a value's limit).
QStringList readNumberedList(const SettingsFile& settings, const QString& countKey,
                             const QString& prefix) {
    QStringList items;
    const std::int32_t count = settings.ReadInteger(PlanSection, countKey, 0);
    for (std::int32_t i = 1; i <= count; ++i)
        items << settings.ReadString(PlanSection, prefix + QString::number(i), QString());
    return items;
}

// Always: the length is written even when the list and the file's are empty.
enum class WriteLength { Always, IfAny };

void writeNumberedList(SettingsFile& settings, const QString& countKey, const QString& prefix,
                       const QStringList& items, WriteLength length) {
    if (length == WriteLength::Always || !items.isEmpty() ||
        settings.ReadInteger(PlanSection, countKey, 0) != 0)
        settings.WriteInteger(PlanSection, countKey, static_cast<std::int32_t>(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i)
        settings.WriteString(PlanSection, prefix + QString::number(i + 1), items[i]);
}

// Solving and rate changes came later: their keys are written only once they
// have a value, so that an older plan's file stays as it was.
const QString PaymentKey = QStringLiteral("Payment");
const QString AfterRateChangeKey = QStringLiteral("AfterRateChange");
const QString RateChangesKey = QStringLiteral("RateChanges");
const QString SolveForKey = QStringLiteral("SolveFor");

const QString RateChangePrefix = QStringLiteral("RateChange");

} // namespace

PlanTexts readPlanSettings(const SettingsFile& settings) {
    PlanTexts plan;
    for (const PlanKey& k : PlanKeys)
        plan.*k.text = settings.ReadString(PlanSection, QLatin1String(k.key), QString());
    plan.extras = readNumberedList(settings, ExtrasKey, QStringLiteral("Extra"));
    for (qsizetype i = 0;; ++i) {
        const QString each = settings.ReadString(PlanSection, extraEachKey(i), QString());
        if (each.isEmpty()) break;
        plan.extraEach << each;
    }
    plan.payment = settings.ReadString(PlanSection, PaymentKey, QString());
    plan.afterRateChange = settings.ReadString(PlanSection, AfterRateChangeKey, QString());
    plan.rateChanges = readNumberedList(settings, RateChangesKey, RateChangePrefix);
    return plan;
}

void writePlanSettings(SettingsFile& settings, const PlanTexts& plan) {
    for (const PlanKey& k : PlanKeys)
        settings.WriteString(PlanSection, QLatin1String(k.key), plan.*k.text);
    writeNumberedList(settings, ExtrasKey, QStringLiteral("Extra"), plan.extras,
                      WriteLength::Always);
    settings.WriteString(PlanSection, ExtraEachKey, plan.extraEach.value(0));
    for (qsizetype i = 1; i < plan.extraEach.size(); ++i)
        settings.WriteString(PlanSection, extraEachKey(i), plan.extraEach[i]);
    // A longer list written before ends where this one does.
    const qsizetype end = std::max<qsizetype>(plan.extraEach.size(), 1);
    if (!settings.ReadString(PlanSection, extraEachKey(end), QString()).isEmpty())
        settings.WriteString(PlanSection, extraEachKey(end), QString());
    writeIfAny(settings, PaymentKey, plan.payment);
    writeIfAny(settings, AfterRateChangeKey, plan.afterRateChange);
    writeNumberedList(settings, RateChangesKey, RateChangePrefix, plan.rateChanges,
                      WriteLength::IfAny);
}

QString readSolveForSetting(const SettingsFile& settings) {
    return settings.ReadString(PlanSection, SolveForKey, QString());
}

void writeSolveForSetting(SettingsFile& settings, const QString& solveFor) {
    writeIfAny(settings, SolveForKey, solveFor);
}

namespace {

const QString LoanDateKey = QStringLiteral("LoanDate");
const QString AprRuleKey = QStringLiteral("AprRule");
const QString FeesKey = QStringLiteral("Fees");

} // namespace

CostTexts readCostSettings(const SettingsFile& settings) {
    CostTexts cost;
    cost.loanDate = settings.ReadString(PlanSection, LoanDateKey, QString());
    cost.rule = settings.ReadString(PlanSection, AprRuleKey, QString());
    cost.fees = readNumberedList(settings, FeesKey, QStringLiteral("Fee"));
    return cost;
}

void writeCostSettings(SettingsFile& settings, const CostTexts& cost) {
    writeIfAny(settings, LoanDateKey, cost.loanDate);
    writeIfAny(settings, AprRuleKey, cost.rule);
    writeNumberedList(settings, FeesKey, QStringLiteral("Fee"), cost.fees, WriteLength::IfAny);
}

} // namespace twl
