// SPDX-License-Identifier: GPL-3.0-or-later
// The SVG picture stays well formed whatever a translation puts into the
// chart's texts, and its title reads back as the text.

#include "chart/ChartData.h"
#include "chart/ChartOutput.h"
#include "tests/support/TestSupport.h"

#include <QXmlStreamReader>

using namespace twl;
using namespace twl::chart;

namespace {
ChartData twoPayments() {
    ChartAggregator a;
    a.addRow({1, 505, 10, 495, 505});
    a.addRow({2, 505, 5, 500, 0});
    return a.finish({1000, 2, 12}, {1010, 15, 995, 2, 2});
}
} // namespace

TEST(ChartSvgTexts, AnyTitleLeavesTheSvgWellFormed) {
    test::RegionalScope regional(QLatin1Char('.'));
    struct Case {
        QString title;
        QString read; // the title as an XML reader gives it
    } cases[] = {
        {QStringLiteral("Loan & interest <2024>"), QStringLiteral("Loan & interest <2024>")},
        {QStringLiteral("a \"quoted\" 'title'"), QStringLiteral("a \"quoted\" 'title'")},
        {QStringLiteral("bell\u0007 and \uFFFF"), QStringLiteral("bell  and  ")},
    };
    for (const Case& c : cases) {
        ChartTexts texts;
        texts.title = c.title;
        texts.balance = c.title; // a painted text as well
        const QByteArray svg = chartSvg(twoPayments(), texts, {400, 300});
        QXmlStreamReader xml(svg);
        QString title;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"title")
                title = xml.readElementText();
        }
        EXPECT_FALSE(xml.hasError())
            << xml.errorString().toStdString() << " " << c.title.toStdString();
        EXPECT_EQ(title, c.read);
    }
}
