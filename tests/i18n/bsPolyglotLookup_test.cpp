// SPDX-License-Identifier: GPL-3.0-or-later
// Texts read from a language file by path, without the objects, against the
// translator's walk over real controls: both must leave the same texts.
#include "i18n/bsINIFile.h"
#include "i18n/bsPolyglotUnPaths.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Component.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"
#include "toolkit/Strings.h"

#include <QObject>

using namespace twl;

namespace {

// A window's table and text list, owned by a plain object as a form owns them.
struct Host {
    QObject owner;
    TListView* loanview = new TListView;
    TMemo* messages = new TMemo;
    Host() {
        owner.setObjectName("host");
        loanview->setObjectName("loanview");
        messages->setObjectName("messages");
        setOwner(loanview, &owner);
        setOwner(messages, &owner);
        for (int i = 0; i < 3; ++i)
            loanview->AddColumn(QString("designed %1").arg(i), 100);
    }
    ~Host() {
        delete loanview;
        delete messages;
    }
};

struct LookupCase {
    const char* name;
    QByteArray keys; // the section's lines
};

class LanguageFileLookup : public ::testing::TestWithParam<LookupCase> {};

} // namespace

TEST_P(LanguageFileLookup, GivesWhatTheWalkLeaves) {
    const TbsINIFile file(TbsINIFile::FromBytes{}, "[Host]\r\n" + GetParam().keys);
    Host host;
    for (const QString& key : file.ReadSection("Host"))
        polyglot::applyPath(file, "Host", key, &host.owner);
    for (int i = 0; i < 3; ++i) {
        QString text = QString("designed %1").arg(i);
        polyglot::lookUpText(file, "Host", QString("loanview.Columns.Items(%1).Caption").arg(i),
                             text);
        EXPECT_EQ(text, host.loanview->Columns()->column(i)->Caption()) << i;
    }
    QStringList lines;
    polyglot::lookUpStrings(file, "Host", u"messages.Lines", lines);
    EXPECT_EQ(lines, host.messages->Lines()->Strings());
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, LanguageFileLookup,
    ::testing::Values(
        LookupCase{"AsShipped", "loanview.Columns.Items(0).Caption='Payment #'\r\n"
                                "loanview.Columns.Items(2).Caption='Rate'\r\n"
                                "messages.Lines.Strings='','It''s',x\r\n"},
        LookupCase{"LetterCase", "LOANVIEW.columns.ITEMS(1).caption='Zins'\r\n"
                                 "Messages.lines.Strings='a','b'\r\n"},
        LookupCase{"ListNeedsItsExactName", "messages.Lines.strings='a'\r\n"
                                            "messages.Lines.Strings.More='b'\r\n"},
        LookupCase{"AnyItemNameAndNumberForm", "loanview.Columns.Column(01).Caption='one'\r\n"
                                               "loanview.Columns.Items(7).Caption='none'\r\n"
                                               "loanview.Columns.Items(x).Caption='none'\r\n"},
        LookupCase{"LaterKeyWins", "loanview.Columns.Items(0).Caption='first'\r\n"
                                   "loanview.Columns.Items(0).Width=5\r\n"
                                   "loanview.Columns.Items(0).Caption.Extra='second'\r\n"},
        LookupCase{"OtherComponentsAndNoKeys", "other.Columns.Items(0).Caption='x'\r\n"
                                               "loanview.Caption='x'\r\n"}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return info.param.name; });

TEST(LanguageFileNamedComponents, KeysGoToTheComponentTheirFirstNameGives) {
    const TbsINIFile file(TbsINIFile::FromBytes{},
                          "[Tmainfrm]\r\nLOANVIEW.Columns.Items(1).Caption='Zins'\r\n"
                          "messages.Lines.Strings='a'\r\nloanview.GridLines=False\r\n");
    TListView table;
    TStrings lines;
    polyglot::translateNamed(file, "Tmainfrm", {{"loanview", &table}, {"lines", &lines}});
    EXPECT_FALSE(table.GridLines());
    EXPECT_TRUE(lines.Strings().isEmpty()); // "messages" names none of them
    EXPECT_EQ(table.Columns()->Count(), 0);
}
