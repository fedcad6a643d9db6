#include "gui/codeeditor.h"

#include "gui/linepanemodel.h"
#include "gui/statuscolours.h"
#include "gui/vdohighlighter.h"

#include <QFontDatabase>
#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QToolTip>

// The gutter left of the text; the editor paints it.
class LineNumberArea : public QWidget {
public:
    explicit LineNumberArea(CodeEditor *editor) : QWidget(editor), m_editor(editor) {}
    QSize sizeHint() const override { return QSize(m_editor->lineNumberAreaWidth(), 0); }

protected:
    void paintEvent(QPaintEvent *event) override { m_editor->paintLineNumbers(event); }
    // Resting on a warning mark shows its texts.
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip)
            return QWidget::event(event);
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = m_editor->markToolTipAt(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }

private:
    CodeEditor *m_editor;
};

namespace {

// The ending a line of the file had. The highlighter keeps its own mark in the block's
// user state, which this leaves alone. When Enter splits a line, the first part keeps
// the ending and the new line has none.
class LineEnding : public QTextBlockUserData {
public:
    explicit LineEnding(QString ending) : ending(std::move(ending)) {}
    const QString ending;
};

constexpr int kGutterPadding = 4;  // pixels each side of the numbers

QColor mix(const QColor &from, const QColor &to, qreal amount)
{
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * amount,
                            from.greenF() + (to.greenF() - from.greenF()) * amount,
                            from.blueF() + (to.blueF() - from.blueF()) * amount);
}

} // namespace

CodeEditor::CodeEditor(QWidget *parent)
    : QPlainTextEdit(parent), m_lineNumbers(new LineNumberArea(this)), m_highlighter(new VdoHighlighter(document()))
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    applyTabStops();
    m_highlighter->setPalette(palette());

    connect(this, &QPlainTextEdit::blockCountChanged, this, &CodeEditor::updateLineNumberAreaWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &CodeEditor::updateLineNumberArea);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CodeEditor::highlightCurrentLine);
    updateLineNumberAreaWidth();
    highlightCurrentLine();
}

int CodeEditor::lineNumberAreaWidth() const
{
    int digits = 1;
    for (int max = qMax(1, blockCount()); max >= 10 && digits < 12; max /= 10)
        ++digits;
    // Room for at least three digits, so that the text does not jump at line 10 and 100,
    // and always for a mark, so that it does not jump when the first mark comes.
    return markWidth() + 2 * kGutterPadding + fontMetrics().horizontalAdvance(QLatin1Char('9')) * qMax(3, digits);
}

// The marks' column, left of the numbers.
int CodeEditor::markWidth() const
{
    return kGutterPadding + fontMetrics().height() * 3 / 4;
}

void CodeEditor::setLineMarks(const QMap<int, QStringList> &marks)
{
    m_marks = marks;
    m_lineNumbers->update();
}

QColor CodeEditor::markColor() const
{
    return warningColour(palette());
}

QString CodeEditor::markToolTipAt(const QPoint &gutterPoint) const
{
    if (m_marks.isEmpty())
        return QString();
    // The gutter and the viewport share their vertical coordinates. The nearest block is
    // given also for a point below the last one, which must lie in it.
    const QTextBlock block = cursorForPosition(QPoint(0, gutterPoint.y())).block();
    const QRectF area = blockBoundingGeometry(block).translated(contentOffset());
    if (!block.isValid() || gutterPoint.y() < area.top() || gutterPoint.y() >= area.bottom())
        return QString();
    return m_marks.value(block.blockNumber() + 1).join(QLatin1Char('\n'));
}

QColor CodeEditor::currentLineColor() const
{
    return mix(palette().color(QPalette::Base), palette().color(QPalette::Highlight), 0.15);
}

bool CodeEditor::selectLine(int line)
{
    const QTextBlock block = document()->findBlockByNumber(line - 1);
    if (line < 1 || !block.isValid())
        return false;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    centerCursor();
    return true;
}

void CodeEditor::setDocumentText(const DocumentText &text)
{
    m_format = text.format;
    setPlainText(text.lines.join(QLatin1Char('\n')));
    QTextBlock block = document()->firstBlock();
    for (qsizetype i = 0; i + 1 < text.lines.size() && block.isValid(); ++i, block = block.next())
        block.setUserData(new LineEnding(text.endings.value(i)));
}

DocumentText CodeEditor::documentText() const
{
    DocumentText text;
    text.format = m_format;
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
        text.lines << block.text();
        const auto *found = static_cast<const LineEnding *>(block.userData());
        text.endings << (!block.next().isValid() ? QString() : found ? found->ending : m_format.newLine);
    }
    return text;
}

void CodeEditor::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect contents = contentsRect();
    m_lineNumbers->setGeometry(QRect(contents.left(), contents.top(), lineNumberAreaWidth(), contents.height()));
}

void CodeEditor::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        applyTabStops();
        updateLineNumberAreaWidth();
    } else if (event->type() == QEvent::PaletteChange) {
        // A light or dark desktop palette: the colours of the marks follow it.
        m_highlighter->setPalette(palette());
        highlightCurrentLine();
        m_lineNumbers->update();
    }
}

void CodeEditor::applyTabStops()
{
    setTabStopDistance(kTabWidth * QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')));
}

void CodeEditor::updateLineNumberAreaWidth()
{
    setViewportMargins(lineNumberAreaWidth(), 0, 0, 0);
}

void CodeEditor::updateLineNumberArea(const QRect &rect, int dy)
{
    if (dy != 0)
        m_lineNumbers->scroll(0, dy);
    else
        m_lineNumbers->update(0, rect.y(), m_lineNumbers->width(), rect.height());
    if (rect.contains(viewport()->rect()))
        updateLineNumberAreaWidth();
}

void CodeEditor::highlightCurrentLine()
{
    QTextEdit::ExtraSelection line;
    line.format.setBackground(currentLineColor());
    line.format.setProperty(QTextFormat::FullWidthSelection, true);
    line.cursor = textCursor();
    line.cursor.clearSelection();
    setExtraSelections({line});
    // The gutter shows the cursor's line number in the text colour.
    m_lineNumbers->update();
}

void CodeEditor::paintLineNumbers(QPaintEvent *event)
{
    QPainter painter(m_lineNumbers);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    const int current = textCursor().blockNumber();
    const int width = m_lineNumbers->width() - kGutterPadding;
    const int height = fontMetrics().height();

    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    // Only the blocks in the rectangle to paint; the loop ends at the last block.
    while (block.isValid() && top <= event->rect().bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (block.isVisible() && bottom >= event->rect().top()) {
            const bool isCurrent = block.blockNumber() == current;
            painter.setPen(palette().color(isCurrent ? QPalette::Text : QPalette::PlaceholderText));
            painter.drawText(0, top, width, height, Qt::AlignRight, QString::number(block.blockNumber() + 1));
            if (m_marks.contains(block.blockNumber() + 1))
                paintMark(painter, top, height);
        }
        block = block.next();
        top = bottom;
    }
}

// A warning triangle at the left of the line's number.
void CodeEditor::paintMark(QPainter &painter, int top, int height) const
{
    const qreal side = markWidth() - kGutterPadding;
    const qreal left = kGutterPadding / 2.0;
    const qreal upper = top + (height - side) / 2.0;
    QPainterPath triangle;
    triangle.moveTo(left + side / 2, upper);
    triangle.lineTo(left + side, upper + side);
    triangle.lineTo(left, upper + side);
    triangle.closeSubpath();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(triangle, markColor());
    painter.restore();
}
