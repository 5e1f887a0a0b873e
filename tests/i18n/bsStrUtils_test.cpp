// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/bsCtrlUtils.h"
#include "i18n/bsPolyglotUn.h"
#include "i18n/bsStrUtils.h"
#include "tests/support/TestSupport.h"

#include <QWidget>

using namespace twl;

struct LiteralCase {
    const char* name;
    QString input;
    QString expected;
};

class DecodeLiteralTable : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(DecodeLiteralTable, Decodes) {
    EXPECT_EQ(DecodeLiteral(GetParam().input), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Literals, DecodeLiteralTable,
    ::testing::Values(
        LiteralCase{"quoted_run", "'abc'", "abc"}, LiteralCase{"doubled_quote", "'It''s'", "It's"},
        LiteralCase{"codes", "#65#66", "AB"},
        LiteralCase{"run_code_run", "'a'#13#10'b'", QStringLiteral("a\r\nb")},
        LiteralCase{"plain_text", "Hello there", "Hello there"},
        LiteralCase{"unterminated_run", "'abc", ""}, LiteralCase{"blank_after_run", "'a' 'b'", ""},
        LiteralCase{"one_character", "x", ""}, LiteralCase{"two_quotes", "''", ""},
        LiteralCase{"four_quotes", "''''", "'"}, LiteralCase{"hash_alone", "#", ""},
        LiteralCase{"hash_without_digits", "#x", QString(QChar(0xFF)) + "x"},
        LiteralCase{"code_modulo_256", "#321#66", "AB"},
        LiteralCase{"huge_code_does_not_overflow", "#99999999999999999999999",
                    QString(QChar(0xFF))},
        LiteralCase{"code_is_windows_1252", "#128#233", QString(QChar(0x20AC)) + QChar(0xE9)},
        LiteralCase{"hash_inside_run", "'#65'", "#65"},
        LiteralCase{"doubled_quote_outside_run", "a''b", "ab"},
        LiteralCase{"run_after_plain_text", "ab'cd'", "abcd"},
        LiteralCase{"quote_opened_late_unterminated", "ab'cd", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextSplit, BeforeAndAfterFirstDelimiter) {
    EXPECT_EQ(TextBefore(u".", u"a.b.c"), "a");
    EXPECT_EQ(TextAfter(u".", u"a.b.c"), "b.c");
    EXPECT_EQ(TextBefore(u".", u"abc"), "abc");
    EXPECT_EQ(TextAfter(u".", u"abc"), "");
    EXPECT_EQ(TextAfter(u"(", TextBefore(u")", u"Items(12)")), "12");
    // Matching is case-sensitive.
    EXPECT_EQ(TextBefore(u"X", u"axbXc"), "axb");
    EXPECT_EQ(TextAfter(u"", u"abc"), "abc");
}

TEST(FileNameWithoutExt, TakesTheNameBeforeTheLastDot) {
    EXPECT_EQ(FileNameWithoutExt(u"English.lng"), "English");
    EXPECT_EQ(FileNameWithoutExt(u"/opt/twl/language/Deutsch.lng"), "Deutsch");
    EXPECT_EQ(FileNameWithoutExt(u"C:\\twl\\language\\my.file.lng"), "my.file");
    EXPECT_EQ(FileNameWithoutExt(u"C:English.lng"), "English");
    EXPECT_EQ(FileNameWithoutExt(u"/dir.d/README"), "");
    EXPECT_EQ(FileNameWithoutExt(u".lng"), "");
    EXPECT_EQ(FileNameWithoutExt(u""), "");
}

TEST(FindChildControl, DirectChildrenOnlyAnyLetterCase) {
    EXPECT_EQ(FindChildControl(nullptr, "x"), nullptr);
    QWidget form;
    auto* panel = new QWidget(&form);
    panel->setObjectName("mpanel");
    auto* label = new QWidget(panel);
    label->setObjectName("amountlbl");
    auto* plain = new QObject(&form);
    plain->setObjectName("notacontrol");
    EXPECT_EQ(FindChildControl(&form, "MPANEL"), panel);
    EXPECT_EQ(FindChildControl(&form, "amountlbl"), nullptr); // grandchild
    EXPECT_EQ(FindChildControl(panel, "AmountLbl"), label);
    EXPECT_EQ(FindChildControl(&form, "notacontrol"), nullptr);
    EXPECT_EQ(FindChildControl(plain, "x"), nullptr);
}

struct ListCase {
    const char* name;
    QString input;
    QStringList expected;
};

class QuotedListTable : public ::testing::TestWithParam<ListCase> {};

TEST_P(QuotedListTable, Splits) {
    EXPECT_EQ(SplitQuotedList(GetParam().input), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Lists, QuotedListTable,
    ::testing::Values(
        ListCase{"empty", "", {}}, ListCase{"blanks_only", "  \t ", {}},
        ListCase{"quoted_items", "'Loan amount: ','It''s'", {"Loan amount: ", "It's"}},
        ListCase{"unquoted_items_stop_at_blank", "a b,c", {"a", "b", "c"}},
        ListCase{"double_comma_gives_empty_item", "a,,b", {"a", "", "b"}},
        ListCase{"trailing_comma_gives_empty_item", "a,", {"a", ""}},
        ListCase{"trailing_comma_then_blank", "a, ", {"a"}},
        ListCase{"blanks_around_commas", "  'x' ,  'y'  ", {"x", "y"}},
        ListCase{"unbalanced_quote_runs_to_end", "'a,b", {"a,b"}},
        ListCase{"no_codes_decoded", "#65,'#66'", {"#65", "#66"}},
        ListCase{"leading_comma", ",a", {"", "a"}},
        ListCase{"zero_character_ends_text", QString("a,b") + QChar(0) + ",c", {"a", "b"}},
        ListCase{"quote_inside_unquoted_item", "ab'c", {"ab'c"}}),
    [](const auto& info) { return std::string(info.param.name); });
