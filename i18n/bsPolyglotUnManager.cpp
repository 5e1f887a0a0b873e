// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/bsPolyglotUnWindows.h"

#include "base/Exceptions.h"
#include "base/ResourceStrings.h"
#include "i18n/bsPolyglotConst.h"

namespace twl {

// --- TbsPolyglotManager -----------------------------------------------------

namespace {
TbsCorePolyglot& coreForRead() {
    TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot();
    if (!core) throw Exception(LoadResString(rs::SbsCoreNotAssignedRead));
    return *core;
}
} // namespace

TbsPolyglotManager::TbsPolyglotManager(QObject* parent)
    : QObject(parent) {
    if (TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot()) core->RegisterManager(this);
}

TbsPolyglotManager::~TbsPolyglotManager() {
    // Each translator removes itself from the list as it lets go.
    while (!m_translators.isEmpty()) {
        QPointer<TbsPolyglotTranslator> last = m_translators.takeLast();
        if (last) last->setManager(nullptr);
    }
    if (TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot()) core->UnregisterManager(this);
}

QString TbsPolyglotManager::LangsDir() const {
    return coreForRead().LanguagesFolder();
}

QString TbsPolyglotManager::CurrentLang() const {
    return coreForRead().CurrentLanguage();
}

bool TbsPolyglotManager::TranslateResourceStrings() const {
    return coreForRead().Hook().Active();
}

namespace {
// A manager property write: the event may cancel it, then the core applies it.
template <class Event>
void changeThroughCore(TbsPolyglotManager* manager, const Event& event,
                       QString (TbsCorePolyglot::*current)() const, const QString& value,
                       void (TbsCorePolyglot::*apply)(const QString&)) {
    TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot();
    bool cancel = false;
    if (event) event(manager, core ? (core->*current)() : QString(), value, cancel);
    if (cancel) return;
    core = TbsCorePolyglot::GetCorePolyglot(); // the event may have released it
    if (!core) throw Exception(LoadResString(rs::SbsCoreNotAssignedWrite));
    (core->*apply)(value);
}
} // namespace

void TbsPolyglotManager::setLangsDir(const QString& value) {
    changeThroughCore(this, LangsDirChanging, &TbsCorePolyglot::LanguagesFolder, value,
                      &TbsCorePolyglot::ChangeFolder);
}

void TbsPolyglotManager::setCurrentLang(const QString& value) {
    changeThroughCore(this, CurrentLangChanging, &TbsCorePolyglot::CurrentLanguage, value,
                      &TbsCorePolyglot::ChangeLanguage);
}

void TbsPolyglotManager::setTranslateResourceStrings(bool value) {
    if (TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot()) core->Hook().SetActive(value);
}

void TbsPolyglotManager::AddTranslator(TbsPolyglotTranslator* translator) {
    if (!translator) return;
    for (const auto& t : std::as_const(m_translators)) {
        if (t == translator) return;
    }
    m_translators.append(translator);
}

void TbsPolyglotManager::RemoveTranslator(TbsPolyglotTranslator* translator) {
    m_translators.removeIf([translator](const QPointer<TbsPolyglotTranslator>& t) {
        return t.isNull() || t.data() == translator;
    });
}

void TbsPolyglotManager::TranslateForm(QObject* form) {
    if (TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot()) core->TranslateForm(form);
}

void TbsPolyglotManager::TranslateDataModule(QObject* dataModule) {
    if (TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot())
        core->TranslateDataModule(dataModule);
}

void TbsPolyglotManager::TranslateFrame(QObject* frame) {
    if (TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot()) core->TranslateFrame(frame);
}

void TbsPolyglotManager::TranslateAll() {
    QPointer<TbsPolyglotManager> self(this);
    if (BeforeAllTranslate) BeforeAllTranslate(this);
    const QList<QPointer<TbsPolyglotTranslator>> snapshot = m_translators;
    for (const auto& translator : snapshot) {
        if (self.isNull()) return;
        if (translator.isNull() || !m_translators.contains(translator)) continue;
        translator->Translate();
    }
    if (!self.isNull() && AfterAllTranslate) AfterAllTranslate(this);
}

} // namespace twl
