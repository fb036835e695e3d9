// HTML's character references ("&eacute;" for \u00e9). No I/O.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace hearvex::lessons {

// The text a named reference stands for (its name without '&' and ';'),
// case-sensitive as HTML has it; nullopt for a name HTML does not define.
std::optional<QString> htmlEntity(QStringView name);

// text with its character references (&eacute; &#233; &#xE9;) replaced as a
// browser reads them; a reference that names no character is left as written.
QString decodeCharacterReferences(const QString& text);

} // namespace hearvex::lessons
