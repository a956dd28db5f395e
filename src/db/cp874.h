#pragma once

#include <QByteArray>
#include <QString>

// The Thai single-byte code page (Windows-874) in which the suite stores its
// single-byte texts. Characters the code page lacks become '?'.
namespace Cp874 {
QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);
// True when every character of the text has a byte in the code page.
bool represents(const QString& text);
} // namespace Cp874
