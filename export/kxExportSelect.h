// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The format dialog: a list of the offered document types, the view/file
// choice, and an icon of the chosen type. It has no behaviour of its own; the
// export component sets it up at every Execute and handles its changes.

#include <QDialog>
#include <QList>
#include <QPixmap>
#include <QWidget>
#include <functional>

class QComboBox;
class QGroupBox;
class QPainter;
class QPushButton;
class QRadioButton;

namespace twl {

// A paint box: its owner draws it from OnPaint onto Canvas().
class TkxPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TkxPaintBox(QWidget* parent = nullptr);
    std::function<void(QObject* Sender)> OnPaint;
    // The painter of the paint in progress; null outside OnPaint.
    QPainter* Canvas() const { return m_canvas; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QPainter* m_canvas = nullptr;
};

// The format dialog. Its class and control names are the published ones that a
// language file's section and keys use ([Tfrm_Selection], rdo_View.Caption),
// so they keep their form; rdo_Print, ours, is named after its neighbours.
class Tfrm_Selection : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Selection(QWidget* parent = nullptr);

    static constexpr int ViewTag = 10;
    static constexpr int FileTag = 20;
    static constexpr int ComboTag = 30;
    static constexpr int PrintTag = 40;
    static constexpr int IconSize = 31;

    QPushButton* btn_Selection;
    QPushButton* btn_Cancel;
    QGroupBox* GroupBox;
    QComboBox* SelectionCombo;
    QRadioButton* rdo_View;
    QRadioButton* rdo_File;
    // Shown only while a page-based type is chosen.
    QRadioButton* rdo_Print;
    TkxPaintBox* IconImage;
    // Eight pictures of 31 x 31 pixels, in the order of the icon table,
    // read when first wanted: a program that never shows the dialog never
    // decodes them.
    const QList<QPixmap>& ImageList();

    // The control's tag (10, 20, 30 here; 0 for an untagged control).
    static int Tag(const QObject* control);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void fitTitle();

    QList<QPixmap> m_images;
};

} // namespace twl
