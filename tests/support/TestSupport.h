#pragma once
// Helpers shared by the tests of every folder.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace twl::test {

// Hex dump with the first differing offset, for golden-byte comparisons.
::testing::AssertionResult bytesEqual(const QByteArray& expected, const QByteArray& actual);

// Bytes from a hex text such as "09 00 04 00".
QByteArray hexBytes(const char* hex);

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& data);

// Pins the regional settings for one test and restores them afterwards.
class RegionalScope {
public:
    explicit RegionalScope(QChar decimalSeparator = QLatin1Char('.'),
                           const QString& shortDate = QStringLiteral("yyyy-MM-dd"),
                           const QString& longTime = QStringLiteral("HH:mm:ss"));
    ~RegionalScope();
};

// Fixes the clock for one test.
class ClockScope {
public:
    explicit ClockScope(const QDateTime& now);
    ~ClockScope();
};

// Runs `answer` on the next modal widget that becomes active (a message box
// or dialog opened by the code under test), polling through the event loop.
void answerNextModal(std::function<void(QWidget*)> answer);

} // namespace twl::test

inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << s.toStdString();
}
