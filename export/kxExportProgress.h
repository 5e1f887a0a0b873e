// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress window shown while a document is written. It has no button: a
// run cannot be cancelled. Every document that shows it sets its size,
// caption, bar and label anew.
//
// While a run shows it, the window is painted and kept painted, and the
// user's clicks and keys to the program's other windows are dropped, so no
// second export or calculation starts meanwhile. A message box that the run
// opens (an overwrite question) still takes input as usual.

#include "toolkit/Controls.h"
#include "toolkit/Form.h"

#include <memory>

class QProgressBar;

namespace twl {

class Tfrm_ProgressForm : public TForm {
    Q_OBJECT
public:
    explicit Tfrm_ProgressForm(QWidget* parent = nullptr);
    ~Tfrm_ProgressForm() override;

    QProgressBar* ProgressBar;
    TLabel* ProgressLabel;

    // Places the window in the centre of the desktop.
    void centreOnDesktop();
    // The label's text ("" shows none) and the layout that goes with it.
    void setText(const QString& text);

    // Shows the window painted and starts dropping the user's input.
    void beginRun();
    // Moves the bar to `value` and serves the events that show it.
    void step(int value);
    // Hides the window and lets input through again.
    void endRun();
    // Around a question the run asks: the window steps aside and comes back.
    void hideForQuestion();
    void resumeAfterQuestion();
    bool isRunning() const { return m_inputBlock != nullptr; }

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    // The window system may take a frame off the size asked for once the
    // window is shown: the bar follows the client size.
    void resizeEvent(QResizeEvent* e) override;

private:
    void arrange();

    bool m_hasText = false;
    std::unique_ptr<QObject> m_inputBlock;
};

} // namespace twl
