// SPDX-License-Identifier: GPL-3.0-or-later
// What the XML-based documents make of a text's characters.

#include "base/XmlText.h"

#include <gtest/gtest.h>

using namespace twl;

TEST(XmlText, ImpossibleCharactersBecomeBlanksAndMarkupEntities) {
    const QChar lone[] = {QChar(0xD800), QLatin1Char('a'), QChar(0xDC00)};
    const QChar pair[] = {QChar(0xD83D), QChar(0xDE00)};
    struct Case {
        QString text;
        bool lineEndsToo;
        QString escaped;
    } cases[] = {
        {QStringLiteral("plain \u00e9\u20ac"), false, QStringLiteral("plain \u00e9\u20ac")},
        {QStringLiteral("a\u0000b\u0001\u001F\tc"), false, QStringLiteral("a b  \tc")},
        {QStringLiteral("one\r\ntwo"), false, QStringLiteral("one\r\ntwo")},
        {QStringLiteral("one\r\ntwo"), true, QStringLiteral("one  two")},
        {QStringLiteral("\uFFFE\uFFFF\uFFFD"), false, QStringLiteral("  \uFFFD")},
        {QString(lone, 3), false, QStringLiteral(" a ")},
        {QString(pair, 2), false, QString(pair, 2)},
        {QStringLiteral("<a href=\"x\">&</a>"), false,
         QStringLiteral("&lt;a href=&quot;x&quot;&gt;&amp;&lt;/a&gt;")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(xmlEscaped(c.text, c.lineEndsToo), c.escaped) << c.text.toStdString();
}

TEST(XmlText, BytesOfAnotherWriterLoseOnlyWhatXmlCannotHold) {
    QByteArray bytes = "<t>a\x01"
                       "b\t\n\xef\xbf\xbf\xef\xbf\xbd&amp;\x7f</t>";
    replaceImpossibleXmlBytes(bytes);
    EXPECT_EQ(bytes, QByteArray("<t>a b\t\n   \xef\xbf\xbd&amp;\x7f</t>"));
}
