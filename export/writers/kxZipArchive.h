// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive library as the spreadsheets' packages use it: its functions,
// opened with the first package; entries from buffers or from a part packed
// as it was written; the archive made in memory (it needs no room in any
// folder, and its bytes go to the target through the program's own save).

#include "base/SharedLibrary.h"

#include <QByteArray>
#include <ctime>
#include <functional>
#include <zip.h>

namespace twl {

class TkxPackedPart;

// The archive library's functions, from the library opened with the first
// spreadsheet: a run that writes none maps neither it nor what it brings.
struct ZipLibrary {
    SharedLibrary library{TWL_LIBZIP_LIBRARY};
    TWL_LIBRARY_FUNCTION(library, zip_close);
    TWL_LIBRARY_FUNCTION(library, zip_fclose);
    TWL_LIBRARY_FUNCTION(library, zip_fopen_index);
    TWL_LIBRARY_FUNCTION(library, zip_fread);
    TWL_LIBRARY_FUNCTION(library, zip_get_num_entries);
    TWL_LIBRARY_FUNCTION(library, zip_open);
    TWL_LIBRARY_FUNCTION(library, zip_stat_index);
    TWL_LIBRARY_FUNCTION(library, zip_discard);
    TWL_LIBRARY_FUNCTION(library, zip_file_add);
    TWL_LIBRARY_FUNCTION(library, zip_file_set_mtime);
    TWL_LIBRARY_FUNCTION(library, zip_error_set);
    TWL_LIBRARY_FUNCTION(library, zip_error_to_data);
    TWL_LIBRARY_FUNCTION(library, zip_open_from_source);
    TWL_LIBRARY_FUNCTION(library, zip_set_file_compression);
    TWL_LIBRARY_FUNCTION(library, zip_source_buffer);
    TWL_LIBRARY_FUNCTION(library, zip_source_buffer_create);
    TWL_LIBRARY_FUNCTION(library, zip_source_close);
    TWL_LIBRARY_FUNCTION(library, zip_source_free);
    TWL_LIBRARY_FUNCTION(library, zip_source_function);
    TWL_LIBRARY_FUNCTION(library, zip_source_keep);
    TWL_LIBRARY_FUNCTION(library, zip_source_open);
    TWL_LIBRARY_FUNCTION(library, zip_source_read);
    TWL_LIBRARY_FUNCTION(library, zip_source_stat);
    TWL_LIBRARY_FUNCTION(library, zip_stat_init);
    TWL_LIBRARY_FUNCTION(library, zip_strerror);
};

const ZipLibrary& zipLibrary();

// Raises Exception with the archive's last failure.
[[noreturn]] void kxZipFail(zip_t* Archive);

// Bytes as entry Name, stored or deflated, dated Time.
void kxZipAddBuffer(zip_t* Archive, const char* Name, const QByteArray& Bytes, bool Store,
                    time_t Time);

// A packed part as the archive reads it: its bytes as they are, with the
// sizes and CRC the packing gave.
class TkxPackedSource {
public:
    explicit TkxPackedSource(TkxPackedPart& Part)
        : m_part(Part) {}
    // Adds it as entry Name, dated Time.
    void add(zip_t* Archive, const char* Name, time_t Time);
    // The errno of a failed read of the packed rows; 0: none.
    int failure() const { return m_failure; }
    void setError(zip_error_t* Error) { m_error = Error; }

private:
    bool next();
    bool fail();
    template <class T> T* argument(void* Data, zip_uint64_t Length);
    static zip_int64_t callback(void* State, void* Data, zip_uint64_t Length,
                                zip_source_cmd_t Command);

    TkxPackedPart& m_part;
    int m_piece = 0; // 0 start, 1 rows, 2 end, 3 done
    QByteArray m_current;
    qsizetype m_at = 0;
    int m_failure = 0;
    zip_error_t* m_error = nullptr;
};

// The archive Fill makes (Packed among its entries), made in memory. Raises
// Exception, or ETemporarySpaceError when the packed rows cannot be read back.
QByteArray kxZipInMemory(TkxPackedSource& Packed, const std::function<void(zip_t*)>& Fill);

} // namespace twl
