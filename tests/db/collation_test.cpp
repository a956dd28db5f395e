// The site's collation: case- and trailing-blank-insensitive, and a true order
// over every text, so that an index and a scan find the same rows.
#include "db/embedded/collation.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

int compare(const QString& a, const QString& b)
{
    const QByteArray x = a.toUtf8();
    const QByteArray y = b.toUtf8();
    const int c = compareEmbeddedText(x.constData(), int(x.size()), y.constData(), int(y.size()));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

const QString kKelvin = QString(QChar(0x212A));
const QString kLongS = QString(QChar(0x017F));

TEST(Collation, IgnoresCaseAndTrailingBlanksOnly)
{
    const struct
    {
        QString a;
        QString b;
        int order;
    } cases[] = {
        { QStringLiteral("abc"), QStringLiteral("ABC"), 0 },
        { QStringLiteral("abc"), QStringLiteral("abc   "), 0 },
        { QString(), QStringLiteral("  "), 0 },
        { QStringLiteral("k"), kKelvin, 0 },
        { QStringLiteral("S"), kLongS, 0 },
        { QStringLiteral("ไทย"), QStringLiteral("ไทย "), 0 },
        { QStringLiteral(" a"), QStringLiteral("a"), -1 }, // leading blanks count
        { QStringLiteral("a"), QStringLiteral("ab"), -1 },
        { QStringLiteral("_"), QStringLiteral("a"), -1 },  // the same whichever case the letter has
        { QStringLiteral("_"), QStringLiteral("A"), -1 },
        { QStringLiteral("z"), QStringLiteral("ก"), -1 },
        { QStringLiteral("ก"), QStringLiteral("ข"), -1 }, // Thai by code point
        { QStringLiteral("ก"), QStringLiteral("ก\u0E48"), -1 },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(compare(c.a, c.b), c.order) << c.a.toStdString() << " | " << c.b.toStdString();
        EXPECT_EQ(compare(c.b, c.a), -c.order) << c.b.toStdString() << " | " << c.a.toStdString();
    }
}

TEST(Collation, IsTransitiveOverAsciiThaiAndLettersThatFoldToAscii)
{
    // Characters on both sides of the letters in ASCII ([ \ ] ^ _ `), letters
    // of both cases, the two non-ASCII letters that fold to ASCII, Thai, and
    // a byte that is no UTF-8.
    QStringList texts;
    const QStringList pieces { QStringLiteral("a"), QStringLiteral("K"), QStringLiteral("k"), kKelvin, QStringLiteral("s"), kLongS,
        QStringLiteral("_"), QStringLiteral("["), QStringLiteral("`"), QStringLiteral("Z"), QStringLiteral("ก"), QStringLiteral("ไ"),
        QStringLiteral(" "), QStringLiteral("\u00E9"), QStringLiteral("\u00C9") };
    for (const QString& x : pieces) {
        texts.append(x);
        for (const QString& y : pieces)
            texts.append(x + y);
    }
    const int n = int(texts.size());
    QVector<QVector<int>> order(n, QVector<int>(n));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            order[i][j] = compare(texts[i], texts[j]);
    }
    int faults = 0;
    for (int i = 0; i < n && faults < 5; ++i) {
        for (int j = 0; j < n && faults < 5; ++j) {
            if (order[i][j] != -order[j][i]) {
                ADD_FAILURE() << "not antisymmetric: " << texts[i].toStdString() << " | " << texts[j].toStdString();
                ++faults;
            }
            for (int k = 0; k < n && faults < 5; ++k) {
                if (order[i][j] <= 0 && order[j][k] <= 0 && order[i][k] > 0) {
                    ADD_FAILURE() << "not transitive: " << texts[i].toStdString() << " <= " << texts[j].toStdString() << " <= "
                                  << texts[k].toStdString();
                    ++faults;
                }
            }
        }
    }
    const QByteArray bad("\xff" "a", 2);
    const QByteArray good("a");
    EXPECT_GT(compareEmbeddedText(bad.constData(), 2, good.constData(), 1), 0);
    EXPECT_LT(compareEmbeddedText(good.constData(), 1, bad.constData(), 2), 0);
}

} // namespace
