#include "security/passwords.h"

#include "db/cp874.h"

#include <QRandomGenerator>

namespace Passwords {

QString FitText(const QString& text, int n, QChar fill)
{
    QString out = text.trimmed();
    if (out.size() > n)
        out.truncate(n);
    while (out.size() < n)
        out.append(fill);
    return out;
}

bool Storable(const QString& password) { return Cp874::represents(password); }

QString NotStorableMessage(bool thai)
{
    return thai ? QStringLiteral("รหัสผ่านมีตัวอักษรที่ระบบเก็บไม่ได้ กรุณาใช้ตัวอักษรไทย อังกฤษ หรือตัวเลข")
                : QStringLiteral("The password holds a character that cannot be stored. Use Thai or English letters and digits.");
}

QByteArray ScramblePassword(const QString& password)
{
    // 0..254, as the suite's other programs draw it.
    return ScramblePassword(password, int(QRandomGenerator::global()->bounded(255)));
}

QByteArray ScramblePassword(const QString& password, int first)
{
    // One byte per character: the Thai code page has a byte for every
    // character a log-on password is typed with.
    const QByteArray plain = Cp874::encode(FitText(password, kLength, QLatin1Char(' ')));
    QByteArray out;
    out.reserve(kScrambledLength);
    out.append(char(first & 0xFF));
    for (int i = 0; i < kLength; ++i)
        out.append(char((static_cast<unsigned char>(out.at(i)) + static_cast<unsigned char>(plain.at(i))) & 0xFF));
    return out;
}

QString UnscramblePassword(const QByteArray& scrambled)
{
    QByteArray plain = scrambled;
    // From the end down to the second byte, each against the stored byte before it.
    for (qsizetype i = plain.size() - 1; i >= 1; --i)
        plain[i] = char(
            (static_cast<unsigned char>(scrambled.at(i)) - static_cast<unsigned char>(scrambled.at(i - 1))) & 0xFF);
    return Cp874::decode(plain.right(kLength)).trimmed();
}

QString StoredPassword(const QByteArray& passwordNew, const QByteArray& scrambled)
{
    const QString current = Cp874::decode(passwordNew).trimmed();
    return current.isEmpty() ? UnscramblePassword(scrambled) : current;
}

bool LogonPasswordMatches(const QString& typed, const QByteArray& passwordNew)
{
    return Cp874::represents(typed) && Cp874::encode(typed) == passwordNew.trimmed();
}

bool OldPasswordMatches(const QString& typed, const QByteArray& passwordNew, const QByteArray& scrambled)
{
    const QByteArray stored = passwordNew.trimmed();
    if (stored.isEmpty())
        return typed.trimmed() == UnscramblePassword(scrambled).trimmed();
    return LogonPasswordMatches(typed.trimmed(), stored);
}

} // namespace Passwords
