#include "skin/MenuChar.h"

namespace {

constexpr qsizetype kLongestText = 1024;

bool HasMnemonic(const QString& text, QChar character)
{
    const QChar ampersand = QLatin1Char('&');
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != ampersand)
            continue;
        if (text[i + 1] == ampersand)
            ++i;
        else if (text[i + 1] == character)
            return true;
    }
    return false;
}

} // namespace

int MenuCharResult(QChar typed, const QStringList& itemTexts)
{
    const QChar character = typed.toLower();
    for (qsizetype index = 0; index < itemTexts.size(); ++index)
        if (HasMnemonic(itemTexts[index].left(kLongestText).toLower(), character))
            return (kMenuCharExecute << 16) | static_cast<int>(index);
    return 0;
}
