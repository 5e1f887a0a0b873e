#include "tests/support/TestSupport.h"

#include "base/RegionalSettings.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>

namespace twl::test {

::testing::AssertionResult bytesEqual(const QByteArray& expected, const QByteArray& actual) {
    if (expected == actual) return ::testing::AssertionSuccess();
    qsizetype i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i])
        ++i;
    auto window = [i](const QByteArray& b) {
        const qsizetype from = std::max<qsizetype>(0, i - 8);
        return b.mid(from, 24).toHex(' ').toStdString();
    };
    return ::testing::AssertionFailure()
           << "first difference at offset " << i << " (sizes " << expected.size() << " and "
           << actual.size() << ")\n  expected: " << window(expected)
           << "\n  actual:   " << window(actual);
}

QByteArray hexBytes(const char* hex) {
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(data);
}

RegionalScope::RegionalScope(QChar decimalSeparator, const QString& shortDate,
                             const QString& longTime) {
    RegionalSettings s;
    s.decimalSeparator = decimalSeparator;
    s.thousandSeparator =
        decimalSeparator == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    s.shortDateFormat = shortDate;
    s.longTimeFormat = longTime;
    s.shortTimeFormat = QStringLiteral("HH:mm");
    setRegionalSettings(s);
}

RegionalScope::~RegionalScope() {
    setRegionalSettings(RegionalSettings{});
}

ClockScope::ClockScope(const QDateTime& now) {
    setClock([now] { return now; });
}

ClockScope::~ClockScope() {
    setClock({});
}

void answerNextModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) return;
        timer->stop();
        timer->deleteLater();
        answer(w);
    });
    timer->start();
}

} // namespace twl::test
