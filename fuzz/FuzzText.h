// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fuzz input to text the way a language file becomes text.

#include "base/Windows1252.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

inline QString fuzzText(const std::uint8_t* data, std::size_t size) {
    return twl::decodeTextFile(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
}
