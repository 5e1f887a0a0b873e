// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/bsPolyglotUn.h"

#include "base/Exceptions.h"
#include "base/ResourceStrings.h"
#include "i18n/bsFileLookup.h"
#include "i18n/bsPolyglotConst.h"
#include "i18n/bsPolyglotUnPaths.h"
#include "i18n/bsStrUtils.h"

#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSet>
#include <algorithm>
#include <atomic>

namespace twl {

namespace {

std::atomic<TbsCorePolyglot*> g_instance{nullptr};

// Requests above 65535 carry their text and are never replaced.
constexpr int MaxResourceId = 65535;

bool lookUpResourceStringLoader(int id, QString& text) {
    if (id < 0 || id > MaxResourceId) return false;
    TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot();
    return core && core->LookUpResourceString(id, text);
}

// The language file of name in folder. Language names are compared without
// regard to case, so when the exact spelling is missing on a case-sensitive
// file system, an entry that differs only in case is taken (the folder too).
QString languageFilePath(const QString& folder, const QString& language) {
    const QString path = findPathIgnoringCase(folder + language + QStringLiteral(".lng"));
    return QFileInfo(path).isFile() ? path : QString();
}

// The languages in a folder (found in any letter case): every kind of entry
// named *.lng counts, folders included, hidden names never.
QStringList languageNamesIn(const QString& folderName) {
    QStringList names;
    if (folderName.isEmpty()) return names;
    const QString folder = findPathIgnoringCase(folderName);
    if (folder.isEmpty()) return names;
    const QStringList entries = QDir(folder).entryList(QStringList{QStringLiteral("*.lng")},
                                                       QDir::AllEntries | QDir::Hidden |
                                                           QDir::System | QDir::NoDotAndDotDot,
                                                       QDir::Name | QDir::IgnoreCase);
    for (const QString& entry : entries) {
        if (!isHiddenName(entry)) names.append(FileNameWithoutExt(entry));
    }
    return names;
}

} // namespace

const QString TbsCorePolyglot::DefaultLanguagesFolder = QStringLiteral("./Language/");
const QString TbsCorePolyglot::DefaultLanguage = QStringLiteral("English");

void TbsResourceStringHook::SetActive(bool active) {
    if (active == m_active) return;
    m_active = active;
    install();
}

void TbsResourceStringHook::SetMessageIds(QSet<int> ids) {
    m_messageIds = std::move(ids);
    install();
}

void TbsResourceStringHook::install() const {
    if (m_active)
        setResourceLookup(lookUpResourceStringLoader);
    else if (!m_messageIds.isEmpty())
        setResourceLookup([ids = m_messageIds](int id, QString& text) {
            return ids.contains(id) && lookUpResourceStringLoader(id, text);
        });
    else
        setResourceLookup({});
}

TbsCorePolyglot::TbsCorePolyglot() {
    TbsCorePolyglot* expected = nullptr;
    if (!g_instance.compare_exchange_strong(expected, this))
        throw Exception(LoadResString(rs::SbsCoreSingleInstance));
    try {
        ChangeFolder(DefaultLanguagesFolder);
        ChooseLanguage(DefaultLanguage);
        m_hook.SetActive(true);
    } catch (...) {
        g_instance.store(nullptr);
        throw;
    }
}

TbsCorePolyglot::~TbsCorePolyglot() {
    m_hook.SetActive(false);
    m_hook.SetMessageIds({});
    {
        QMutexLocker lock(&m_dataLock);
        if (m_languageFile) {
            try {
                m_languageFile->release();
            } catch (...) {
                // Shutting down: a language file that cannot be written back is left as it is.
            }
            m_languageFile.reset();
        }
        m_languages.clear();
    }
    {
        QMutexLocker lock(&m_managersLock);
        m_managers.clear();
    }
    TbsCorePolyglot* self = this;
    g_instance.compare_exchange_strong(self, nullptr);
}

TbsCorePolyglot* TbsCorePolyglot::GetCorePolyglot() {
    return g_instance.load();
}

TbsCorePolyglot* TbsCorePolyglot::Create() {
    return new TbsCorePolyglot();
}

void TbsCorePolyglot::Release() {
    delete g_instance.load();
}

QString TbsCorePolyglot::CurrentLanguage() const {
    QMutexLocker lock(&m_dataLock);
    return m_currentLanguage;
}

QString TbsCorePolyglot::LanguagesFolder() const {
    QMutexLocker lock(&m_dataLock);
    return m_languagesFolder;
}

QString TbsCorePolyglot::UserLanguagesFolder() const {
    QMutexLocker lock(&m_dataLock);
    return m_userLanguagesFolder;
}

int TbsCorePolyglot::LanguageCount() const {
    QMutexLocker lock(&m_dataLock);
    return static_cast<int>(m_languages.size());
}

QString TbsCorePolyglot::LanguageAt(int index) const {
    QMutexLocker lock(&m_dataLock);
    return index >= 0 && index < m_languages.size() ? m_languages[index] : QString();
}

bool TbsCorePolyglot::HasLanguageFile() const {
    QMutexLocker lock(&m_dataLock);
    return static_cast<bool>(m_languageFile);
}

void TbsCorePolyglot::RescanLanguages() {
    QMutexLocker lock(&m_dataLock);
    m_currentLanguage.clear();
    m_languages.clear();
    // The user's folder first, so that its spelling of a shared name is listed.
    const QStringList user = languageNamesIn(m_userLanguagesFolder);
    const QStringList shipped =
        languageNamesIn(m_languagesFolder.isEmpty() ? QStringLiteral(".") : m_languagesFolder);
    m_languages = user;
    if (user.isEmpty()) {
        m_languages = shipped;
        return;
    }
    QSet<QString> seen;
    for (const QString& name : user)
        seen.insert(name.toCaseFolded());
    for (const QString& name : shipped) {
        if (!seen.contains(name.toCaseFolded())) m_languages.append(name);
    }
    // Sorted by name, so that the fallback language depends neither on the
    // file system's order nor on which folder holds it.
    std::sort(m_languages.begin(), m_languages.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

void TbsCorePolyglot::LoadLanguageFile() {
    QMutexLocker lock(&m_dataLock);
    if (m_languageFile) {
        // A translation still walking the old file notices the swap and stops.
        std::shared_ptr<TbsINIFile> old = std::move(m_languageFile);
        m_languageFile.reset();
        old->release();
    }
    if (m_currentLanguage.isEmpty()) return;
    const QString own = m_userLanguagesFolder.isEmpty()
                            ? QString()
                            : languageFilePath(m_userLanguagesFolder, m_currentLanguage);
    const QString path =
        own.isEmpty() ? languageFilePath(m_languagesFolder, m_currentLanguage) : own;
    if (path.isEmpty()) return;
    m_languageFile = std::make_shared<TbsINIFile>(path);
    if (own.isEmpty() && !m_userLanguagesFolder.isEmpty())
        m_languageFile->setSaveTarget(m_userLanguagesFolder + QFileInfo(path).fileName());
}

void TbsCorePolyglot::ChangeLanguage(const QString& name) {
    bool changed = false;
    {
        QMutexLocker lock(&m_dataLock);
        if (name != m_currentLanguage) {
            bool listed = name.isEmpty();
            for (const QString& language : std::as_const(m_languages)) {
                if (language.compare(name, Qt::CaseInsensitive) == 0) {
                    listed = true;
                    break;
                }
            }
            if (listed) {
                m_currentLanguage = name;
                LoadLanguageFile();
                changed = true;
            }
        }
    }
    if (changed) {
        QMutexLocker lock(&m_managersLock);
        TranslateAllManagers();
    }
}

QString TbsCorePolyglot::ListedLanguage(const QString& name) const {
    QMutexLocker lock(&m_dataLock);
    for (const QString& language : std::as_const(m_languages)) {
        if (language.compare(name, Qt::CaseInsensitive) == 0) return language;
    }
    return QString();
}

void TbsCorePolyglot::ChooseLanguage(const QString& name) {
    ChangeLanguage(name);
    // Then English, else the first language found: whichever folder the
    // languages came from, a user who asked for nothing gets English.
    for (int step = 0; step < 2; ++step) {
        QString fallback;
        {
            QMutexLocker lock(&m_dataLock);
            if (!m_currentLanguage.isEmpty() || m_languages.isEmpty()) return;
            fallback = step == 0 ? ListedLanguage(DefaultLanguage) : m_languages.front();
        }
        if (!fallback.isEmpty()) ChangeLanguage(fallback);
    }
}

void TbsCorePolyglot::ChangeFolder(const QString& folder) {
    QString previous;
    bool changed = false;
    {
        QMutexLocker lock(&m_dataLock);
        previous = m_currentLanguage;
        if (folder.isEmpty()) {
            m_languagesFolder.clear();
            RescanLanguages();
            changed = true;
        } else {
            QString result = folder;
            if (!result.endsWith(QLatin1Char('/'))) result += QLatin1Char('/');
            if (result.compare(m_languagesFolder, Qt::CaseInsensitive) != 0) {
                m_languagesFolder = result;
                RescanLanguages();
                changed = true;
            }
        }
    }
    if (changed) ChooseLanguage(previous);
}

void TbsCorePolyglot::ChangeUserFolder(const QString& folder) {
    QString previous;
    {
        QMutexLocker lock(&m_dataLock);
        QString result = folder;
        if (!result.isEmpty() && !result.endsWith(QLatin1Char('/'))) result += QLatin1Char('/');
        if (result == m_userLanguagesFolder) return;
        previous = m_currentLanguage;
        m_userLanguagesFolder = result;
        RescanLanguages();
    }
    ChooseLanguage(previous);
}

void TbsCorePolyglot::RegisterManager(QObject* manager) {
    if (!manager) return;
    QMutexLocker lock(&m_managersLock);
    for (const auto& m : std::as_const(m_managers)) {
        if (m == manager) return;
    }
    m_managers.append(manager);
}

void TbsCorePolyglot::UnregisterManager(QObject* manager) {
    QMutexLocker lock(&m_managersLock);
    m_managers.removeIf(
        [manager](const QPointer<QObject>& m) { return m.isNull() || m.data() == manager; });
}

void TbsCorePolyglot::TranslateAllManagers() {
    QMutexLocker lock(&m_managersLock);
    // A translation may release a window and its manager: walk a snapshot and
    // skip whatever has gone or left the list meanwhile.
    const QList<QPointer<QObject>> snapshot = m_managers;
    for (const auto& manager : snapshot) {
        if (manager.isNull() || !m_managers.contains(manager)) continue;
        QMetaObject::invokeMethod(manager.data(), "TranslateAll", Qt::DirectConnection);
    }
}

void TbsCorePolyglot::TranslateNamed(const QString& section,
                                     const QList<std::pair<QString, QObject*>>& components) {
    QMutexLocker lock(&m_dataLock);
    if (m_languageFile) polyglot::translateNamed(*m_languageFile, section, components);
}

bool TbsCorePolyglot::LookUpText(const QString& section, QStringView path, QString& text) const {
    QMutexLocker lock(&m_dataLock);
    return m_languageFile && polyglot::lookUpText(*m_languageFile, section, path, text);
}

bool TbsCorePolyglot::LookUpStrings(const QString& section, QStringView path,
                                    QStringList& items) const {
    QMutexLocker lock(&m_dataLock);
    return m_languageFile && polyglot::lookUpStrings(*m_languageFile, section, path, items);
}

bool TbsCorePolyglot::LookUpResourceString(int id, QString& text) const {
    QMutexLocker lock(&m_dataLock);
    if (!m_languageFile) return false;
    static const QString Section = QStringLiteral("ResourceStrings");
    const QString wanted = QString::number(id);
    const QStringList keys = m_languageFile->ReadSection(Section);
    for (const QString& key : keys) {
        if (textBeforeView(u"_", key).trimmed() == wanted) {
            text = DecodeLiteral(m_languageFile->ReadString(Section, key, QString()));
            return true;
        }
    }
    return false;
}

} // namespace twl
