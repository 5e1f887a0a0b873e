// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows' side of localization: a TbsPolyglotManager placed on windows
// reaches the one core (bsPolyglotUn.h); a TbsPolyglotTranslator on a window
// translates it.

#include "i18n/bsPolyglotUn.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

namespace twl {

class TbsPolyglotTranslator;

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
    Q_INVOKABLE void TranslateAll();

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
