// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ResourceStrings.h"

#include <mutex>

namespace twl {

namespace {
std::mutex& lookupMutex() {
    static std::mutex m;
    return m;
}
ResourceLookup& lookupSlot() {
    static ResourceLookup slot;
    return slot;
}
constexpr int MaxResourceChars = 1023;
} // namespace

QString builtinResString(const ResourceString& rs) {
    QString s = QString::fromUtf8(rs.text);
    if (s.size() > MaxResourceChars) s.truncate(MaxResourceChars);
    return s;
}

QString LoadResString(const ResourceString& rs) {
    ResourceLookup lookup;
    {
        std::lock_guard<std::mutex> lock(lookupMutex());
        lookup = lookupSlot();
    }
    if (lookup) {
        QString replaced;
        if (lookup(rs.id, replaced)) return replaced;
    }
    return builtinResString(rs);
}

void setResourceLookup(ResourceLookup lookup) {
    std::lock_guard<std::mutex> lock(lookupMutex());
    lookupSlot() = std::move(lookup);
}

bool hasResourceLookup() {
    std::lock_guard<std::mutex> lock(lookupMutex());
    return static_cast<bool>(lookupSlot());
}

} // namespace twl
