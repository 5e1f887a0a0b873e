// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Run-time localization.
//
// TbsCorePolyglot is the one localization core of the process: the languages
// found in the languages folder, the current language and its open file, and the
// redirection of resource strings. Windows reach it through a TbsPolyglotManager
// placed on them (bsPolyglotUnWindows.h); a TbsPolyglotTranslator on a window
// translates that window from its class's section of the current language
// file, once when the window is built and again at every language change.
//
// Start-up: create the core before any window (TbsCorePolyglot::Create()) and
// release it after the last window is gone (TbsCorePolyglot::Release()).
//
// Locks: the managers lock is always taken before the data lock; both are
// re-entrant, so nested use on one thread is fine.

#include "i18n/bsINIFile.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRecursiveMutex>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>

namespace twl {

// The redirection of the program's resource-string loader to the core. It takes
// effect at once when switched; inactive, loads are exactly the built-in ones.
class TbsResourceStringHook {
public:
    TbsResourceStringHook() = default;
    ~TbsResourceStringHook() {
        m_active = false;
        m_messageIds.clear();
        install();
    }
    TbsResourceStringHook(const TbsResourceStringHook&) = delete;
    TbsResourceStringHook& operator=(const TbsResourceStringHook&) = delete;

    bool Active() const { return m_active; }
    void SetActive(bool active);

    // Identifiers the language file replaces even while the hook is inactive:
    // the messages a user meets in a box, which a program that keeps its
    // other resource strings fixed still shows in the user's language.
    void SetMessageIds(QSet<int> ids);
    const QSet<int>& MessageIds() const { return m_messageIds; }

private:
    void install() const;

    bool m_active = false;
    QSet<int> m_messageIds;
};

class TbsCorePolyglot {
public:
    // The folder the core starts in: "Language" below the current directory
    // (found in any letter case).
    static const QString DefaultLanguagesFolder;
    // The language chosen when the one asked for is not there.
    static const QString DefaultLanguage;

    // Fails with the single-instance error when a core exists already.
    TbsCorePolyglot();
    ~TbsCorePolyglot();
    TbsCorePolyglot(const TbsCorePolyglot&) = delete;
    TbsCorePolyglot& operator=(const TbsCorePolyglot&) = delete;

    // The one instance, or nullptr before creation and after release.
    static TbsCorePolyglot* GetCorePolyglot();
    // Process lifetime helpers for start-up and shut-down.
    static TbsCorePolyglot* Create();
    static void Release();

    QString CurrentLanguage() const;
    QString LanguagesFolder() const;
    int LanguageCount() const;
    QString LanguageAt(int index) const;

    void RescanLanguages();
    void LoadLanguageFile();
    void ChangeLanguage(const QString& name);
    // ChangeLanguage(name); when that leaves no language current, English,
    // else the first language listed.
    void ChooseLanguage(const QString& name);
    // The listed spelling of a language name given in any letter case; empty
    // when no such language is listed.
    QString ListedLanguage(const QString& name) const;
    void ChangeFolder(const QString& folder);
    // The user's own language folder beside the languages folder: its files
    // are listed too, one of the same name wins, and a language file changed
    // by the program is written there. Empty: none.
    void ChangeUserFolder(const QString& folder);
    QString UserLanguagesFolder() const;

    // The managers, by their objects: this layer has no windows to translate.
    void RegisterManager(QObject* manager);
    void UnregisterManager(QObject* manager);
    void TranslateAllManagers();

    void TranslateForm(QObject* form) { TranslateComponent(form); }
    void TranslateDataModule(QObject* dataModule) { TranslateComponent(dataModule); }
    void TranslateFrame(QObject* frame) { TranslateComponent(frame); }
    // Applies the object's class section of the current language file
    // (with the translator, which walks windows).
    void TranslateComponent(QObject* component);
    // A section applied to components that no window holds, each under the
    // name the file gives it (polyglot::translateNamed).
    void TranslateNamed(const QString& section,
                        const QList<std::pair<QString, QObject*>>& components);
    // The texts a section gives a property path, without the objects
    // (polyglot::lookUpText, lookUpStrings); false where no key names it.
    bool LookUpText(const QString& section, QStringView path, QString& text) const;
    bool LookUpStrings(const QString& section, QStringView path, QStringList& items) const;

    bool LookUpResourceString(int id, QString& text) const;

    TbsResourceStringHook& Hook() { return m_hook; }
    // Whether a language file is open (tests and diagnostics).
    bool HasLanguageFile() const;

private:
    QString m_currentLanguage;
    QStringList m_languages;
    std::shared_ptr<TbsINIFile> m_languageFile;
    mutable QRecursiveMutex m_dataLock;
    mutable QRecursiveMutex m_managersLock;
    QList<QPointer<QObject>> m_managers;
    QString m_languagesFolder;
    QString m_userLanguagesFolder;
    TbsResourceStringHook m_hook;
};

// Splits a language-file list value ('a','It''s',b,,c) into its items.
QStringList SplitQuotedList(QStringView text);

} // namespace twl
