#pragma once
// Syntax colours for .vdo files: the block keywords (Pages, Box), the key names (Id,
// Type, Next, Next0, Next1, Text, TextUp, TextDown, Name), the box types, quoted text
// with its %CR% markers (a quote may run over several lines), and comment lines. The
// colours are taken from the palette, so they follow a light or a dark desktop.

#include <QList>
#include <QStringView>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

enum class VdoCategory { BlockKeyword, KeyName, BoxType, Quoted, LineMarker, Comment };

struct VdoSpan {
    qsizetype start;
    qsizetype length;
    VdoCategory category;
    friend bool operator==(const VdoSpan &, const VdoSpan &) = default;
};

// The coloured spans of one line, in order. inQuote tells whether the line starts inside
// a quoted text; it is left telling whether the line ends inside one.
QList<VdoSpan> vdoSpans(QStringView line, bool &inQuote);

class VdoHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    explicit VdoHighlighter(QTextDocument *document);

    // Takes the colours from this palette and colours the document again.
    void setPalette(const QPalette &palette);
    QTextCharFormat categoryFormat(VdoCategory category) const;

protected:
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat m_formats[6];
};
