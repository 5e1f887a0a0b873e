// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The simple visual controls: panel, label, single-line edit and memo.

#include "toolkit/Alignment.h"
#include "toolkit/ControlFace.h"
#include "toolkit/Strings.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace twl {

// A panel: a raised bevel, its caption centred, children placed on it.
class TPanel : public QFrame {
    Q_OBJECT
    TWL_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    TWL_CONTROL_ACCESSORS

public:
    explicit TPanel(QWidget* parent = nullptr);
    QString Caption() const { return m_caption; }
    void setCaption(const QString& c);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    ControlFace m_face{this, QPalette::Window, clBtnFace};
    QString m_caption;
};

// A label; with AutoSize it takes the size of its text.
class TLabel : public QLabel {
    Q_OBJECT
    TWL_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(twl::TAlignmentEnum::TAlignment Alignment READ Alignment WRITE setAlignmentProperty)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    TWL_CONTROL_ACCESSORS

public:
    explicit TLabel(QWidget* parent = nullptr);
    QString Caption() const { return text(); }
    void setCaption(const QString& c);
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool v);
    TAlignment Alignment() const { return m_alignment; }
    void setAlignmentProperty(TAlignment a);
    bool Transparent() const { return !autoFillBackground(); }
    void setTransparent(bool v) { setAutoFillBackground(!v); }

private:
    void fit();

    ControlFace m_face{this, QPalette::Window, clBtnFace, false};
    bool m_autoSize = true;
    TAlignment m_alignment = TAlignmentEnum::taLeftJustify;
};

// A single-line edit box.
class TEdit : public QLineEdit {
    Q_OBJECT
    TWL_CONTROL_PROPERTIES
    Q_PROPERTY(QString Text READ Text WRITE setTextProperty)
    TWL_CONTROL_ACCESSORS

public:
    explicit TEdit(QWidget* parent = nullptr);
    QString Text() const { return text(); }
    void setTextProperty(const QString& t) { setText(t); }

private:
    ControlFace m_face{this, QPalette::Base, clWindow};
};

// A multi-line edit whose content is its `Lines` string list.
class TMemo : public QPlainTextEdit {
    Q_OBJECT
    TWL_CONTROL_PROPERTIES
    Q_PROPERTY(twl::TStrings* Lines READ Lines WRITE setLines)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap)
    TWL_CONTROL_ACCESSORS

public:
    explicit TMemo(QWidget* parent = nullptr);
    TStrings* Lines() const { return m_lines; }
    void setLines(TStrings* lines);
    bool WordWrap() const { return lineWrapMode() != QPlainTextEdit::NoWrap; }
    void setWordWrap(bool v);

private:
    void showLines();
    void takeEdits();

    ControlFace m_face{this, QPalette::Base, clWindow};
    TStrings* m_lines;
    bool m_syncing = false;
};

} // namespace twl
