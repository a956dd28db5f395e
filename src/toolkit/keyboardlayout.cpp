#include "toolkit/keyboardlayout.h"

#include "toolkit/prompts.h"
#include "workstation/workstation.h"

void KeyboardLayoutMessage()
{
    const QString layout = workstation().keyboardLayoutId();
    if (layout == QLatin1String("0000041E"))
        prompts().information(QStringLiteral("Thai"));
    else if (layout == QLatin1String("00000409"))
        prompts().information(QStringLiteral("English"));
}
