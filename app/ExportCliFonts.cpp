// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportCliFonts.h"

#include "app/ExportCli.h"
#include "chart/ChartOutput.h"
#include "export/writers/kxWriterTypeset.h"

namespace twl {

void useFontDocuments() {
    kxRegisterDocumentWriters();
    setExportCliPictureMaker(
        [](const chart::ChartData& data, const chart::ChartTexts& texts, bool svg) {
            return svg ? chart::chartSvg(data, texts, chart::DefaultPictureSize)
                       : chart::chartPng(data, texts, chart::DefaultPictureSize, 1);
        });
}

} // namespace twl
