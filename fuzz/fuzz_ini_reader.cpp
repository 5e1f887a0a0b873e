// SPDX-License-Identifier: GPL-3.0-or-later
// The INI reader on arbitrary bytes: every lookup answers, and what it writes
// out reads back to the same content.
#include "FuzzText.h"
#include "i18n/bsINIFile.h"

#include <cstdlib>

using twl::TbsINIFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TbsINIFile ini(TbsINIFile::FromBytes{}, bytes);
    const QStringList sections = ini.ReadSections();
    for (const QString& section : sections) {
        const QStringList keys = ini.ReadSection(section);
        const QStringList lines = ini.ReadSectionValues(section);
        if (keys.size() != lines.size()) std::abort();
        for (const QString& key : keys) {
            const QString value = ini.ReadString(section, key, QString());
            (void)ini.ReadInteger(section, key, 0);
            (void)ini.ReadFloat(section, key, 0);
            (void)ini.ReadBool(section, key, false);
            if (value.size() > bytes.size()) std::abort();
        }
    }
    // Writing out and reading back keeps the structure; when nothing depends
    // on the code page, the text too.
    const QByteArray first = ini.serialize();
    TbsINIFile again(TbsINIFile::FromBytes{}, first);
    if (again.ReadSections().size() != sections.size()) std::abort();
    bool ascii = true;
    for (char c : first)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii && again.serialize() != first) std::abort();

    // Writes keep lookups consistent.
    if (!sections.isEmpty()) {
        ini.WriteString(sections.front(), QStringLiteral("fuzz"), QStringLiteral("v"));
        if (ini.ReadString(sections.front(), QStringLiteral("FUZZ"), QString()) !=
            QStringLiteral("v"))
            std::abort();
        ini.DeleteKey(sections.front(), QStringLiteral("fuzz"));
        ini.EraseSection(sections.front());
    }
    return 0;
}
