// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file twlc.ini (where it lives: app/SettingsFilePath). It keeps no data of its own:
// every read and write goes to the file, with the INI rules the desktop's
// settings files follow (names without regard to case, the value after the
// first "=", blanks and enclosing quotes removed, at most 2047 characters).
// Reads are served from a parse of the file that is reused only while the
// file's identity, size and modification time are unchanged.

#include "app/SettingsFilePath.h"
#include "loan/CostSchedule.h"
#include "loan/PlanText.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

namespace twl {

class SettingsFile {
public:
    // A seed file stands in for a missing file: its values are read, and the
    // first write starts from its lines, creating the file's folders (0700).
    explicit SettingsFile(QString path, QString seed = QString());
    explicit SettingsFile(const SettingsPlace& place)
        : SettingsFile(place.path, place.seed) {}
    ~SettingsFile();

    const QString& FileName() const { return m_path; }

    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // Hexadecimal after "0x" or "$"; a text that does not parse gives the default.
    std::int32_t ReadInteger(const QString& section, const QString& key,
                             std::int32_t defaultValue) const;
    // Creates the file and section when missing, replaces the value in place,
    // leaves every other line byte for byte. Throws EInOutError
    // "Unable to write to %s" when the file cannot be written.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, std::int32_t value);

    static constexpr int MaxValueLength = 2047;

private:
    struct Parsed;
    const Parsed& parsed() const;

    QString m_path;
    QByteArray m_nativePath;
    QString m_seed;
    QByteArray m_nativeSeed;
    mutable std::unique_ptr<Parsed> m_cache;
    // The last lookup against the current parse: a calculation asks for the
    // same key hundreds of thousands of times.
    mutable const Parsed* m_lastParse = nullptr;
    mutable QString m_lastSection, m_lastKey;
    mutable const QString* m_lastValue = nullptr;
};

// The plan of the window's Plan dialog, in section [Plan], in the texts of
// twlc-export's flags ("Extras" the count, "Extra1"... each extra). A file
// without the section is the plain loan, as before plans existed.
PlanTexts readPlanSettings(const SettingsFile& settings);
void writePlanSettings(SettingsFile& settings, const PlanTexts& plan);
// The input the window solves from the plan's payment ("SolveFor": amount,
// months or rate; none: the window solves nothing and the payment is unused).
// The payment, "AfterRateChange", "RateChanges" the count and "RateChange1"...
// are kept with the plan; these keys are written only once they have a value.
QString readSolveForSetting(const SettingsFile& settings);
void writeSolveForSetting(SettingsFile& settings, const QString& solveFor);
// What the loan costs, in the same section: "LoanDate", "AprRule", "Fees" the
// count and "Fee1"... each fee. Only keys the file holds or that get a value
// are written, so a file of a plan without costs stays as it was.
CostTexts readCostSettings(const SettingsFile& settings);
void writeCostSettings(SettingsFile& settings, const CostTexts& cost);

} // namespace twl
