// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Run-time localization.
//
// TbsCorePolyglot is the one localization core of the process: the languages
// found in the languages folder, the current language and its open file, and the
// redirection of resource strings. Windows reach it through a TbsPolyglotManager
// placed on them; a TbsPolyglotTranslator on a window translates that window
// from its class's section of the current language file, once when the window
// is built and again at every language change.
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

class TbsPolyglotManager;
class TbsPolyglotTranslator;

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

    void RegisterManager(TbsPolyglotManager* manager);
    void UnregisterManager(TbsPolyglotManager* manager);
    void TranslateAllManagers();

    void TranslateForm(QObject* form) { TranslateComponent(form); }
    void TranslateDataModule(QObject* dataModule) { TranslateComponent(dataModule); }
    void TranslateFrame(QObject* frame) { TranslateComponent(frame); }
    // Applies the object's class section of the current language file.
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
    QList<QPointer<TbsPolyglotManager>> m_managers;
    QString m_languagesFolder;
    QString m_userLanguagesFolder;
    TbsResourceStringHook m_hook;
};

// Splits a language-file list value ('a','It''s',b,,c) into its items.
QStringList SplitQuotedList(QStringView text);

class TbsPolyglotManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString LangsDir READ LangsDir WRITE setLangsDir)
    Q_PROPERTY(QString CurrentLang READ CurrentLang WRITE setCurrentLang)
    Q_PROPERTY(bool TranslateResourceStrings READ TranslateResourceStrings WRITE
                   setTranslateResourceStrings)

public:
    using TCurrentLangChangingEvent =
        std::function<void(TbsPolyglotManager* sender, const QString& oldLanguage,
                           const QString& newLanguage, bool& cancel)>;
    using TLangsDirChangingEvent =
        std::function<void(TbsPolyglotManager* sender, const QString& oldFolder,
                           const QString& newFolder, bool& cancel)>;
    using TNotifyEvent = std::function<void(QObject* sender)>;

    explicit TbsPolyglotManager(QObject* parent = nullptr);
    ~TbsPolyglotManager() override;

    // Without a core, reading fails with "Core polyglot is not assigned." and
    // writing LangsDir or CurrentLang with "Core multi lang is not assigned".
    QString LangsDir() const;
    void setLangsDir(const QString& value);
    QString CurrentLang() const;
    void setCurrentLang(const QString& value);
    bool TranslateResourceStrings() const;
    void setTranslateResourceStrings(bool value);

    TCurrentLangChangingEvent CurrentLangChanging;
    TLangsDirChangingEvent LangsDirChanging;
    TNotifyEvent BeforeAllTranslate;
    TNotifyEvent AfterAllTranslate;

    void AddTranslator(TbsPolyglotTranslator* translator);
    void RemoveTranslator(TbsPolyglotTranslator* translator);
    int TranslatorCount() const { return static_cast<int>(m_translators.size()); }

    void TranslateForm(QObject* form);
    void TranslateDataModule(QObject* dataModule);
    void TranslateFrame(QObject* frame);
    void TranslateAll();

private:
    QList<QPointer<TbsPolyglotTranslator>> m_translators;
};

class TbsPolyglotTranslator : public QObject {
    Q_OBJECT
    Q_PROPERTY(twl::TbsPolyglotManager* Manager READ Manager WRITE setManager)

public:
    using TNotifyEvent = std::function<void(QObject* sender)>;

    explicit TbsPolyglotTranslator(QObject* parent = nullptr);
    ~TbsPolyglotTranslator() override;

    TbsPolyglotManager* Manager() const { return m_manager; }
    void setManager(TbsPolyglotManager* manager);

    TNotifyEvent BeforeTranslate;
    TNotifyEvent AfterTranslate;

    // Translates the owner now from the current language.
    void Translate();
    // The owner's building has completed: the first translation.
    void Loaded();

private:
    QPointer<TbsPolyglotManager> m_manager;
};

} // namespace twl
