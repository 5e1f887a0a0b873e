// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's own prompts as published texts of a component `prompts`
// on the window, so that a language file translates them like every other
// text of the window (prompts.FileExists=..., prompts.NoSource=...). The
// defaults are the English built-in texts.

#include "app/MessageIds.h"
#include "export/kxExportHost.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

class QWidget;

namespace twl {

class TMainPrompts : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString FileExists MEMBER FileExists)
    Q_PROPERTY(QString ExportFailed MEMBER ExportFailed)
    Q_PROPERTY(QString ClipboardFailed MEMBER ClipboardFailed)
    Q_PROPERTY(QString NoSource MEMBER NoSource)
    Q_PROPERTY(QString NoFileName MEMBER NoFileName)
    Q_PROPERTY(QString UnknownLanguage MEMBER UnknownLanguage)
    Q_PROPERTY(QString ViewFailed MEMBER ViewFailed)
    Q_PROPERTY(QString TableName READ tableName WRITE setTableName)
    Q_PROPERTY(QString KnownLanguages MEMBER KnownLanguages)

public:
    explicit TMainPrompts(QObject* parent = nullptr);

    QString FileExists;      // "%s" the file
    QString ExportFailed;    // "%s" the file, "%s" the reason
    QString ClipboardFailed; // "%s" the reason
    QString NoSource;
    QString NoFileName;
    QString UnknownLanguage; // "%s" the language asked for
    QString ViewFailed;      // "%s" the file nothing could open
    QString KnownLanguages;  // "%s" the languages there are

    // What a screen reader calls the schedule table; follows the language.
    QString tableName() const { return m_tableName; }
    void setTableName(const QString& name);
    void nameTable(QWidget* table);

    kxUserPromptTexts exportTexts() const;
    // Tells the user that the language asked for has no file, and which there are.
    void showUnknownLanguage(QWidget* parent, const QString& language,
                             const QStringList& languages) const;

private:
    QString m_tableName = QStringLiteral("Schedule");
    QPointer<QWidget> m_table;
};

} // namespace twl
