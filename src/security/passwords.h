#pragma once

#include <QByteArray>
#include <QString>

// The two stored forms of a log-on password and the rules that compare them.
//
// PasswordNew holds the password's code-page 874 bytes as they are; PASSWORD
// holds an older scrambled form of eleven single-byte characters, written once
// when a user is created and read only where PasswordNew is blank. Each
// scrambled character may be any of the 256 byte values, zero included, so the
// program keeps it as bytes end to end: it never passes through a Unicode text,
// where code page 874 has no character for some of those values.
namespace Passwords {

// Log-on passwords hold at most this many characters.
inline constexpr int kLength = 10;
// Length of the scrambled form: the random first character and ten more.
inline constexpr int kScrambledLength = kLength + 1;

// Whether a password can be stored: it is kept in code page 874, and a
// character the code page lacks would be stored as '?', a password nobody can type.
bool Storable(const QString& password);
// What the screens say when it cannot.
QString NotStorableMessage(bool thai);

// The text trimmed, then cut to n characters or filled up to n with fill.
QString FitText(const QString& text, int n, QChar fill);

// The scrambled form of a password: a random first byte, then each byte the
// previous stored byte plus the next byte of the password fitted to ten
// blanks, wrapping at 256. The same password scrambles differently each time.
QByteArray ScramblePassword(const QString& password);
// The same with the first byte given (0..255), for callers that must repeat it.
QByteArray ScramblePassword(const QString& password, int first);

// The password a scrambled value holds, trimmed.
QString UnscramblePassword(const QByteArray& scrambled);

// The password a user has as the change screen reads it: PasswordNew when it
// holds more than blanks, otherwise the password inside PASSWORD.
QString StoredPassword(const QByteArray& passwordNew, const QByteArray& scrambled);

// The change screen's rule for the old password, on what is stored: a stored
// PasswordNew is compared by its bytes with the typed text's code-page bytes
// (31 byte values have no character and would all read alike as text); without
// one, the unscrambled PASSWORD is compared as text. Both sides trimmed.
bool OldPasswordMatches(const QString& typed, const QByteArray& passwordNew, const QByteArray& scrambled);

// The logon's rule: the password as typed, untrimmed, in code-page bytes,
// equals the stored PasswordNew bytes trimmed. A character the code page lacks
// matches nothing.
bool LogonPasswordMatches(const QString& typed, const QByteArray& passwordNew);

} // namespace Passwords
