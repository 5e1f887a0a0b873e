// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxODSPackage.h"

#include "base/RegionalSettings.h"
#include "export/writers/kxZipArchive.h"

namespace twl {

namespace {

constexpr char MimeType[] = "application/vnd.oasis.opendocument.spreadsheet";

// An entry's time is the program's current time, not the system clock's, so
// that a document made under SOURCE_DATE_EPOCH is the same every time.
time_t now() {
    return static_cast<time_t>(currentDateTime().toSecsSinceEpoch());
}

QByteArray manifest(bool Settings) {
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
        "manifest:version=\"1.2\">\n"
        " <manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
        "manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/>\n"
        " <manifest:file-entry manifest:full-path=\"content.xml\" "
        "manifest:media-type=\"text/xml\"/>\n"
        " <manifest:file-entry manifest:full-path=\"styles.xml\" "
        "manifest:media-type=\"text/xml\"/>\n"
        " <manifest:file-entry manifest:full-path=\"meta.xml\" "
        "manifest:media-type=\"text/xml\"/>\n";
    if (Settings)
        xml += " <manifest:file-entry manifest:full-path=\"settings.xml\" "
               "manifest:media-type=\"text/xml\"/>\n";
    xml += "</manifest:manifest>\n";
    return xml;
}

// The package from its parts: a zip whose first entry is the stored mimetype.
QByteArray package(TkxPackedSource& Content, const QByteArray& Styles, const QByteArray& Meta,
                   const QByteArray& Settings) {
    // The library reads the parts when the archive closes: they live until then.
    const QByteArray mime(MimeType);
    const QByteArray manifestXml = manifest(!Settings.isEmpty());
    return kxZipInMemory(Content, [&](zip_t* archive) {
        kxZipAddBuffer(archive, "mimetype", mime, true, now());
        Content.add(archive, "content.xml", now());
        kxZipAddBuffer(archive, "styles.xml", Styles, false, now());
        kxZipAddBuffer(archive, "meta.xml", Meta, false, now());
        if (!Settings.isEmpty()) kxZipAddBuffer(archive, "settings.xml", Settings, false, now());
        kxZipAddBuffer(archive, "META-INF/manifest.xml", manifestXml, false, now());
    });
}

} // namespace

QByteArray kxODSPackage(const TkxODSParts& Parts) {
    TkxPackedSource content(*Parts.content);
    return package(content, Parts.styles, Parts.meta, Parts.settings);
}

} // namespace twl
