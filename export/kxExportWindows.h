// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an export run shows around its document: the progress window, the
// clipboard, the print preview and the format dialog. A process without the
// widget module has none; kxGiveWindows (kxExportDialogs.h) gives an export
// its windows.

#include <QString>
#include <cstdint>

namespace twl {

class TkxMessagesOptions;
class TkxPagedDocument;

class TkxRunWindows {
public:
    virtual ~TkxRunWindows() = default;

    // Sets the progress window up for `rowTotal` rows and shows it unless the
    // run is headless; returns every how many rows the bar can move a pixel.
    virtual std::uint32_t beginProgress(const TkxMessagesOptions& messages,
                                        std::uint32_t rowTotal) = 0;
    virtual void stepProgress(int row) = 0;
    virtual void endProgress() = 0;
    // Around a question the run asks: the window steps aside and comes back.
    virtual void hideForQuestion() = 0;
    virtual void resumeAfterQuestion() = 0;

    virtual void copyToClipboard(const QString& text) = 0;
    // Shows the pages in the print preview; throws what painting them threw.
    virtual void printPages(const TkxPagedDocument& pages, const QString& caption) = 0;
};

} // namespace twl
