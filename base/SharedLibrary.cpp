// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/SharedLibrary.h"

#include "base/Exceptions.h"

#include <dlfcn.h>

namespace twl {

void* SharedLibrary::address(const char* name) {
    const std::lock_guard lock(m_mutex);
    if (!m_handle) {
        m_handle = ::dlopen(m_fileName.constData(), RTLD_NOW | RTLD_LOCAL);
        if (!m_handle)
            throw Exception(
                QStringLiteral("cannot load %1: %2")
                    .arg(QString::fromLocal8Bit(m_fileName), QString::fromLocal8Bit(::dlerror())));
    }
    ::dlerror();
    void* function = ::dlsym(m_handle, name);
    if (!function)
        throw Exception(QStringLiteral("%1 has no function %2")
                            .arg(QString::fromLocal8Bit(m_fileName), QLatin1String(name)));
    return function;
}

} // namespace twl
