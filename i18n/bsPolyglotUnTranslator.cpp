// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/NumberParse.h"
#include "base/Windows1252.h"
#include "i18n/bsPolyglotConst.h"
#include "i18n/bsPolyglotUnModel.h"
#include "i18n/bsPolyglotUnOwners.h"
#include "i18n/bsPolyglotUnPaths.h"
#include "i18n/bsPolyglotUnWindows.h"
#include "i18n/bsStrUtils.h"
#include "toolkit/Form.h"

#include <QMetaEnum>
#include <QMetaProperty>
#include <QMutexLocker>
#include <QWidget>
#include <algorithm>

namespace twl {

// --- TbsPolyglotTranslator --------------------------------------------------

TbsPolyglotTranslator::TbsPolyglotTranslator(QObject* parent)
    : QObject(parent) {
    // A translator placed on a window translates it once the window is built.
    if (auto* form = qobject_cast<TForm*>(parent))
        connect(form, &TForm::Loaded, this, &TbsPolyglotTranslator::Loaded);
}

TbsPolyglotTranslator::~TbsPolyglotTranslator() {
    if (m_manager) m_manager->RemoveTranslator(this);
}

void TbsPolyglotTranslator::setManager(TbsPolyglotManager* manager) {
    if (manager == m_manager) return;
    if (m_manager) m_manager->RemoveTranslator(this);
    m_manager = manager;
    if (m_manager) m_manager->AddTranslator(this);
}

void TbsPolyglotTranslator::Translate() {
    if (BeforeTranslate) BeforeTranslate(this);
    QObject* owner = polyglot::componentOwner(this);
    if (owner && m_manager) {
        switch (polyglot::ownerKind(owner)) {
        case polyglot::OwnerKind::Form:
            m_manager->TranslateForm(owner);
            break;
        case polyglot::OwnerKind::DataModule:
            m_manager->TranslateDataModule(owner);
            break;
        case polyglot::OwnerKind::Frame:
            m_manager->TranslateFrame(owner);
            break;
        case polyglot::OwnerKind::Other:
            break;
        }
    }
    if (AfterTranslate) AfterTranslate(this);
}

void TbsPolyglotTranslator::Loaded() {
    Translate();
}

} // namespace twl
