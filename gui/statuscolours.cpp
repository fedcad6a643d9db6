#include "gui/statuscolours.h"

bool isDarkPalette(const QPalette &palette)
{
    return palette.color(QPalette::Base).lightness() < 128;
}

QColor errorColour(const QPalette &palette)
{
    return isDarkPalette(palette) ? QColor(0xff, 0x7b, 0x72) : QColor(0xb3, 0x26, 0x1e);
}

QColor warningColour(const QPalette &palette)
{
    return isDarkPalette(palette) ? QColor(0xe3, 0xb3, 0x41) : QColor(0x8a, 0x5a, 0x00);
}

QColor passColour(const QPalette &palette)
{
    return isDarkPalette(palette) ? QColor(0x56, 0xd3, 0x64) : QColor(0x1a, 0x7f, 0x37);
}

QColor mixColours(const QColor &from, const QColor &to, qreal amount)
{
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * amount,
                            from.greenF() + (to.greenF() - from.greenF()) * amount,
                            from.blueF() + (to.blueF() - from.blueF()) * amount);
}
