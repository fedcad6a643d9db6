#include "gui/vdohighlighter.h"

#include "model/boxtype.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

const QLatin1StringView kBlockKeywords[] = {QLatin1StringView("Pages"), QLatin1StringView("Box")};
const QLatin1StringView kKeyNames[] = {
    QLatin1StringView("Id"),   QLatin1StringView("Type"),   QLatin1StringView("Next"),
    QLatin1StringView("Next0"), QLatin1StringView("Next1"), QLatin1StringView("Text"),
    QLatin1StringView("TextUp"), QLatin1StringView("TextDown"), QLatin1StringView("Name"),
};
const QLatin1StringView kLineMarker("%CR%");

template <std::size_t N>
bool isOneOf(QStringView word, const QLatin1StringView (&words)[N])
{
    for (QLatin1StringView candidate : words) {
        if (word == candidate)
            return true;
    }
    return false;
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Quoted text from `from` to its closing quote (or the end of the line), with its line
// markers apart. searchFrom is where the closing quote may begin. Returns where the
// quoted text ends.
qsizetype addQuoted(QStringView line, qsizetype from, qsizetype searchFrom, QList<VdoSpan> &spans, bool &inQuote)
{
    const qsizetype close = line.indexOf(QLatin1Char('"'), searchFrom);
    const qsizetype end = close < 0 ? line.size() : close + 1;
    inQuote = close < 0;
    qsizetype at = from;
    while (at < end) {
        qsizetype marker = line.indexOf(kLineMarker, at);
        if (marker < 0 || marker + kLineMarker.size() > end)
            marker = end;
        if (marker > at)
            spans.append({at, marker - at, VdoCategory::Quoted});
        if (marker == end)
            break;
        spans.append({marker, kLineMarker.size(), VdoCategory::LineMarker});
        at = marker + kLineMarker.size();
    }
    return end;
}

QColor mix(const QColor &from, const QColor &to, qreal amount)
{
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * amount,
                            from.greenF() + (to.greenF() - from.greenF()) * amount,
                            from.blueF() + (to.blueF() - from.blueF()) * amount);
}

// The palette's link colour turned round the colour wheel: a colour as readable on the
// palette's base as the link colour itself, but of another hue.
QColor turned(const QColor &color, int degrees)
{
    const QColor hsl = color.toHsl();
    if (hsl.hslHue() < 0)
        return color;  // a grey has no hue to turn
    return QColor::fromHsl((hsl.hslHue() + degrees + 360) % 360, hsl.hslSaturation(), hsl.lightness());
}

} // namespace

QList<VdoSpan> vdoSpans(QStringView line, bool &inQuote)
{
    QList<VdoSpan> spans;
    qsizetype at = 0;
    if (inQuote) {
        at = addQuoted(line, 0, 0, spans, inQuote);
    } else {
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("//"))) {
            const qsizetype start = line.indexOf(QLatin1String("//"));
            spans.append({start, line.size() - start, VdoCategory::Comment});
            return spans;
        }
    }
    while (at < line.size()) {
        const QChar c = line[at];
        if (c == QLatin1Char('"')) {
            at = addQuoted(line, at, at + 1, spans, inQuote);
        } else if (c.isLetter()) {
            qsizetype end = at + 1;
            while (end < line.size() && isWordChar(line[end]))
                ++end;
            const QStringView word = line.sliced(at, end - at);
            if (isOneOf(word, kBlockKeywords))
                spans.append({at, end - at, VdoCategory::BlockKeyword});
            else if (isOneOf(word, kKeyNames))
                spans.append({at, end - at, VdoCategory::KeyName});
            else if (boxTypeNamed(word) != BoxType::None)
                spans.append({at, end - at, VdoCategory::BoxType});
            at = end;
        } else if (isWordChar(c)) {
            // Digits and underscores that start a word are no keyword.
            while (at < line.size() && isWordChar(line[at]))
                ++at;
        } else {
            ++at;
        }
    }
    return spans;
}

VdoHighlighter::VdoHighlighter(QTextDocument *document) : QSyntaxHighlighter(document)
{
    setPalette(QGuiApplication::palette());
}

void VdoHighlighter::setPalette(const QPalette &palette)
{
    const QColor text = palette.color(QPalette::Text);
    const QColor link = palette.color(QPalette::Link);
    const auto make = [](const QColor &color, bool bold, bool italic = false) {
        QTextCharFormat format;
        format.setForeground(color);
        if (bold)
            format.setFontWeight(QFont::Bold);
        format.setFontItalic(italic);
        return format;
    };
    m_formats[int(VdoCategory::BlockKeyword)] = make(text, true);
    m_formats[int(VdoCategory::KeyName)] = make(link, false);
    m_formats[int(VdoCategory::BoxType)] = make(link, true);
    // Quoted text: green-ish beside a blue link colour, a little towards the text colour.
    const QColor quoted = mix(turned(link, -90), text, 0.3);
    m_formats[int(VdoCategory::Quoted)] = make(quoted, false);
    m_formats[int(VdoCategory::LineMarker)] = make(mix(quoted, text, 0.5), true);
    m_formats[int(VdoCategory::Comment)] = make(palette.color(QPalette::PlaceholderText), false, true);
    rehighlight();
}

QTextCharFormat VdoHighlighter::categoryFormat(VdoCategory category) const
{
    return m_formats[int(category)];
}

void VdoHighlighter::highlightBlock(const QString &text)
{
    // Block state 1: the block ends inside a quoted text.
    bool inQuote = previousBlockState() == 1;
    for (const VdoSpan &span : vdoSpans(text, inQuote))
        setFormat(int(span.start), int(span.length), m_formats[int(span.category)]);
    setCurrentBlockState(inQuote ? 1 : 0);
}
