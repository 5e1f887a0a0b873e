// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a whole small file that the user may have replaced by something
// else: only a regular file is read, never blocking on a FIFO or device, and
// never more than a cap.

#include <QByteArray>
#include <QString>

namespace twl {

struct RegularFileRead {
    enum Status {
        Read,       // `bytes` holds the whole file
        Missing,    // no file of that name
        NotRegular, // a folder, FIFO, device or socket (through links too)
        TooLarge,   // larger than the cap
        Failed      // could not be opened or read; `error` says why
    };
    Status status = Missing;
    QByteArray bytes;
    int error = 0;
};

// Reads `path` when it is a regular file of at most `maxSize` bytes.
RegularFileRead readRegularFile(const QString& path, qint64 maxSize);

} // namespace twl
