// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/bsStrUtils.h"

#include "base/Windows1252.h"

namespace twl {

QString DecodeLiteral(QStringView s) {
    const qsizetype n = s.size();
    QString result;
    if (n < 2) return result;
    result.reserve(n);
    const QChar quote = QLatin1Char('\'');
    const QChar hash = QLatin1Char('#');
    bool inRun = false;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        if (c == quote) {
            if (i == 0) {
                inRun = true;
                ++i;
            } else if (i + 1 < n && s[i + 1] == quote) {
                if (inRun) result.append(quote);
                i += 2;
            } else if (inRun && i + 1 < n && s[i + 1] != hash) {
                return QString(); // only a code or the end may follow a run
            } else {
                inRun = !inRun;
                ++i;
            }
        } else if (c == hash && !inRun) {
            ++i;
            // Reduce while reading: only the code modulo 256 matters, and a
            // long run of digits must not overflow.
            int code = -1;
            while (i < n && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9')) {
                const int digit = s[i].unicode() - '0';
                code = ((code < 0 ? 0 : code) * 10 + digit) % 256;
                ++i;
            }
            if (code < 0) code = 255; // no digits count as -1
            result.append(Windows1252Codec::decodeByte(static_cast<unsigned char>(code)));
        } else {
            result.append(c);
            ++i;
        }
    }
    if (inRun) return QString();
    return result;
}

QStringView textBeforeView(QStringView delimiter, QStringView s) {
    const qsizetype at = s.indexOf(delimiter);
    return at < 0 ? s : s.left(at);
}

QStringView textAfterView(QStringView delimiter, QStringView s) {
    const qsizetype at = s.indexOf(delimiter);
    return at < 0 ? QStringView() : s.mid(at + delimiter.size());
}

QString TextBefore(QStringView delimiter, QStringView s) {
    return textBeforeView(delimiter, s).toString();
}

QString TextAfter(QStringView delimiter, QStringView s) {
    return textAfterView(delimiter, s).toString();
}

QString FileNameWithoutExt(QStringView path) {
    qsizetype start = 0;
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path[i];
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':')) {
            start = i + 1;
            break;
        }
    }
    const QStringView name = path.mid(start);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.left(dot).toString();
}

} // namespace twl
