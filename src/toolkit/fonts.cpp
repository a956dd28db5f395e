#include "toolkit/fonts.h"

#include <QFont>
#include <QStringList>

void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
        { QStringLiteral("Tahoma"), QStringLiteral("Loma"), QStringLiteral("Garuda"), QStringLiteral("Waree"), QStringLiteral("DejaVu Sans") });
}
