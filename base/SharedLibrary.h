// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A shared library opened when one of its functions is first wanted, not
// when the program starts: a run that never needs it neither maps it nor the
// libraries it depends on, nor resolves their symbols.

#include <QByteArray>
#include <mutex>

namespace twl {

class SharedLibrary {
public:
    // `fileName` is the library's name as the dynamic loader finds it (its
    // soname).
    explicit SharedLibrary(const char* fileName)
        : m_fileName(fileName) {}
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // The named function as a pointer of type Function; the library is
    // opened at the first call and stays open. Raises Exception naming the
    // library (and the function) where it cannot be had.
    template <class Function> Function function(const char* name) {
        return reinterpret_cast<Function>(address(name));
    }

private:
    void* address(const char* name);

    QByteArray m_fileName;
    std::mutex m_mutex;
    void* m_handle = nullptr;
};

// A table of a library's functions: a struct with a SharedLibrary and a
// member for each function, made at the first call. A table that could not
// be made is tried again at the next.
template <class Functions> const Functions& functionTable() {
    static const Functions functions;
    return functions;
}

} // namespace twl

// A member of such a table: the library's function of that name, typed as
// its declaration (which is not odr-used, so nothing links against it).
#define TWL_LIBRARY_FUNCTION(library, name)                                                        \
    decltype(&::name) name = (library).function<decltype(&::name)>(#name)
