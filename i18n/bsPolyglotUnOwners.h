// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Who owns a component, as the translator sees it: the part of the component
// model that looks at windows.

#include <QObject>
#include <QString>

namespace twl::polyglot {

// The dynamic or declared property through which a component names its owner.
inline constexpr const char OwnerProperty[] = "Owner";

// The owner of c: the owner the toolkit recorded for it (setOwner); else its
// "Owner" property when that holds an object; else, for objects built without
// the toolkit, the window of its widget parent (a label on a panel belongs to
// the form), or its plain parent.
QObject* componentOwner(const QObject* c);

// The first component owned by owner, however deeply nested, whose name equals
// name without regard to case; nullptr for an empty name or no match. An owner
// with toolkit-recorded components is searched through that list only.
QObject* findOwnedComponent(const QObject* owner, const QString& name);

enum class OwnerKind { Form, DataModule, Frame, Other };
// A top-level widget is a form, an embedded one a frame, an object owned by
// nothing a data module; anything else is not translated.
OwnerKind ownerKind(const QObject* owner);

} // namespace twl::polyglot
