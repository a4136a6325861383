#include "app/framework/FrameworkTexts.h"

QString FormatTemplate(const QString& text, std::initializer_list<QString> args)
{
    QString result;
    const QString* next = args.begin();
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(QLatin1String("%s"), from);
        if (at < 0 || next == args.end()) {
            result += text.mid(from);
            return result;
        }
        result += text.mid(from, at - from);
        result += *next++;
        from = at + 2;
    }
}
