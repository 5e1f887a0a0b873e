#pragma once
// The progress window shown while a document is written. It has no button: a
// run cannot be cancelled. Every document that shows it sets its size,
// caption, bar and label anew.

#include "toolkit/Controls.h"
#include "toolkit/Form.h"

class QProgressBar;

namespace twl {

class Tfrm_ProgressForm : public TForm {
    Q_OBJECT
public:
    explicit Tfrm_ProgressForm(QWidget* parent = nullptr);

    QProgressBar* ProgressBar;
    TLabel* ProgressLabel;

    // Places the window in the centre of the desktop.
    void centreOnDesktop();

protected:
    void showEvent(QShowEvent* e) override;
};

} // namespace twl
