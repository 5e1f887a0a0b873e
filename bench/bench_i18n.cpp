// SPDX-License-Identifier: GPL-3.0-or-later
// Localization: decoding literals, reading a large language file, translating a
// window built from toolkit controls, and resource-string lookups (which scan
// the section anew each time).

#include "base/ResourceStrings.h"
#include "i18n/bsINIFile.h"
#include "i18n/bsPolyglotUn.h"
#include "i18n/bsStrUtils.h"
#include "toolkit/Component.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/ListView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void DecodeLiteral(benchmark::State& state) {
    const QString value = QStringLiteral("'The data has been copied'#13#10'to the clipboard.'");
    for (auto _ : state)
        benchmark::DoNotOptimize(twl::DecodeLiteral(value));
}
BENCHMARK(DecodeLiteral);

QByteArray bigFile(int keys) {
    QByteArray text = "[Tmainfrm]\r\n";
    for (int i = 0; i < keys; ++i)
        text += "component" + QByteArray::number(i) + ".Caption='Text " + QByteArray::number(i) +
                "'\r\n";
    return text;
}

void ReadLanguageFile(benchmark::State& state) {
    const QByteArray text = bigFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        twl::TbsINIFile ini(twl::TbsINIFile::FromBytes{}, text);
        benchmark::DoNotOptimize(ini.ReadSection(QStringLiteral("Tmainfrm")).size());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(ReadLanguageFile)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond);

class Tbenchfrm : public twl::TForm {
    Q_OBJECT
public:
    Tbenchfrm() {
        auto* panel = add(new twl::TPanel(this), "mpanel");
        for (int i = 0; i < 10; ++i)
            add(new twl::TLabel(panel), QStringLiteral("label%1").arg(i));
        memo = add(new twl::TMemo(this), "messages");
        view = add(new twl::TListView(this), "loanview");
        for (int i = 0; i < 5; ++i)
            view->AddColumn(QString(), 100);
    }
    template <class T> T* add(T* c, const QString& name) {
        c->setObjectName(name);
        twl::setOwner(c, this);
        return c;
    }
    twl::TMemo* memo;
    twl::TListView* view;
};

// A temporary language folder with one file, and the core pointed at it.
struct LanguageScope {
    explicit LanguageScope(const QByteArray& text) {
        QDir(dir.path()).mkpath(QStringLiteral("lang"));
        QFile f(dir.filePath(QStringLiteral("lang/English.lng")));
        f.open(QIODevice::WriteOnly);
        f.write(text);
        f.close();
        core.ChangeFolder(dir.filePath(QStringLiteral("lang")));
    }
    QTemporaryDir dir;
    twl::TbsCorePolyglot core;
};

void TranslateWindow(benchmark::State& state) {
    QByteArray text = "[Tbenchfrm]\r\n";
    for (int i = 0; i < 10; ++i)
        text +=
            "label" + QByteArray::number(i) + ".Caption='Label " + QByteArray::number(i) + "'\r\n";
    for (int i = 0; i < 5; ++i)
        text += "loanview.Columns.Items(" + QByteArray::number(i) + ").Caption='Column'\r\n";
    text += "messages.Lines.Strings=";
    for (int i = 0; i < 103; ++i)
        text += "'line " + QByteArray::number(i) + "',";
    text += "\r\n";
    LanguageScope scope(text);
    Tbenchfrm form;
    for (auto _ : state)
        scope.core.TranslateForm(&form);
}
BENCHMARK(TranslateWindow)->Unit(benchmark::kMicrosecond);

void LookUpResourceString(benchmark::State& state) {
    QByteArray text = "[ResourceStrings]\r\n";
    for (int i = 0; i < state.range(0); ++i)
        text += QByteArray::number(10000 + i) + "_Text='Replacement'\r\n";
    LanguageScope scope(text);
    const twl::ResourceString last{10000 + static_cast<int>(state.range(0)) - 1, "built-in"};
    for (auto _ : state)
        benchmark::DoNotOptimize(twl::LoadResString(last));
}
BENCHMARK(LookUpResourceString)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace

#include "bench_i18n.moc"
