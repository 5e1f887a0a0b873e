// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small stand-ins for the toolkit the translator walks in its tests.

#include "base/Font.h"
#include "i18n/bsPolyglotUnWindows.h"
#include "toolkit/ListView.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>

// Small stand-ins for the toolkit: a form, labels, a memo with a string list,
// a list view with a column collection, and a non-visual export component.
namespace twltest {

class TStrings : public QObject {
    Q_OBJECT
    Q_PROPERTY(QStringList Strings READ Strings WRITE setStrings)
public:
    using QObject::QObject;
    QStringList Strings() const { return m_lines; }
    void setStrings(const QStringList& s) { m_lines = s; }
    QStringList m_lines;
};

class TListColumn : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(int Width MEMBER Width)
public:
    using QObject::QObject;
    QString Caption;
    int Width = 50;
};

class TListColumns : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Count READ Count)
public:
    explicit TListColumns(QObject* parent, int count)
        : QObject(parent) {
        for (int i = 0; i < count; ++i)
            m_items.push_back(new TListColumn(this));
    }
    int Count() const { return static_cast<int>(m_items.size()); }
    Q_INVOKABLE twltest::TListColumn* Items(int index) const { return m_items.at(index); }
    std::vector<TListColumn*> m_items;
};

class TLabel : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("range:Percent", "0,100")
    Q_CLASSINFO("set:Borders", "TStyle")
public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TStyle { fsBold = 1, fsItalic = 2 };
    Q_DECLARE_FLAGS(TStyles, TStyle)
    Q_FLAG(TStyles)

private:
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(twl::TFont* Font READ Font)
    Q_PROPERTY(TAlignment Alignment MEMBER Alignment)
    Q_PROPERTY(TStyles Styles READ styles WRITE setStyles)
    Q_PROPERTY(bool Transparent MEMBER Transparent)
    Q_PROPERTY(double Ratio MEMBER Ratio)
    Q_PROPERTY(short Small MEMBER Small)
    Q_PROPERTY(int Percent MEMBER Percent)
    Q_PROPERTY(uint Unsigned MEMBER Unsigned)
    Q_PROPERTY(qint64 Big MEMBER Big)
    Q_PROPERTY(QChar Accel MEMBER Accel)
    Q_PROPERTY(int Tag MEMBER Tag)
    Q_PROPERTY(int Borders MEMBER Borders)

public:
    explicit TLabel(QWidget* parent, const QString& name)
        : QWidget(parent)
        , m_font(new twl::TFont(this)) {
        setObjectName(name);
    }
    twl::TFont* Font() const { return m_font; }
    TStyles styles() const { return Styles; }
    void setStyles(TStyles s) { Styles = s; }
    QString Caption;
    TAlignment Alignment = taLeftJustify;
    TStyles Styles;
    bool Transparent = false;
    double Ratio = 0.5;
    short Small = 0;
    int Percent = 50;
    uint Unsigned = 7;
    qint64 Big = 1;
    QChar Accel = QLatin1Char('a');
    int Tag = 0;
    int Borders = 3;

private:
    twl::TFont* m_font;
};

class TMemo : public QWidget {
    Q_OBJECT
    Q_PROPERTY(twltest::TStrings* Lines READ Lines)
    Q_PROPERTY(QStringList Items MEMBER Items)
public:
    explicit TMemo(QWidget* parent, const QString& name)
        : QWidget(parent)
        , m_lines(new TStrings(this)) {
        setObjectName(name);
    }
    TStrings* Lines() const { return m_lines; }
    QStringList Items;

private:
    TStrings* m_lines;
};

class TListView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(twltest::TListColumns* Columns READ Columns)
public:
    explicit TListView(QWidget* parent, const QString& name)
        : QWidget(parent)
        , m_columns(new TListColumns(this, 5)) {
        setObjectName(name);
    }
    TListColumns* Columns() const { return m_columns; }

private:
    TListColumns* m_columns;
};

class TMessages : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString SaveTitle MEMBER SaveTitle)
    Q_PROPERTY(int Height MEMBER Height)
public:
    using QObject::QObject;
    QString SaveTitle = "Save document";
    int Height = 80;
};

class TExport : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE setName)
    Q_PROPERTY(twltest::TMessages* Messages READ Messages)
    Q_PROPERTY(QWidget* ListView MEMBER ListView)
public:
    explicit TExport(QObject* parent, const QString& name)
        : QObject(parent)
        , m_messages(new TMessages(this)) {
        setObjectName(name);
    }
    QString Name() const { return objectName(); }
    void setName(const QString& n) { setObjectName(n); }
    TMessages* Messages() const { return m_messages; }
    QWidget* ListView = nullptr;

private:
    TMessages* m_messages;
};

class Tmainfrm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QString Status MEMBER Status)
public:
    Tmainfrm() {
        setObjectName("mainfrm");
        mpanel = new QWidget(this);
        mpanel->setObjectName("mpanel");
        amountlbl = new TLabel(mpanel, "amountlbl");
        status = new TLabel(mpanel, "status");
        otherlbl = new TLabel(this, "otherlbl");
        messages = new TMemo(this, "messages");
        loanview = new TListView(this, "loanview");
        loanexp = new TExport(this, "loanexp");
        loanexp->ListView = loanview;
        client1 = new twl::TbsPolyglotTranslator(this);
        client1->setObjectName("client1");
    }
    QString Caption = "designed caption";
    QString Status;
    QWidget* mpanel;
    TLabel* amountlbl;
    TLabel* status;
    TLabel* otherlbl;
    TMemo* messages;
    TListView* loanview;
    TExport* loanexp;
    twl::TbsPolyglotTranslator* client1;
};

} // namespace twltest
