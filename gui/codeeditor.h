#pragma once
// The editor of the .vdo document: line numbers in a gutter, the cursor's line
// highlighted, .vdo syntax colours, the fixed-width font with tab stops every 8
// columns, and no line wrapping (a line of the file is a line on screen). Every colour
// comes from the palette. The gutter can carry warning marks, one per line concerned,
// whose texts show when the pointer rests on them.

#include "gui/documentfile.h"

#include <QMap>
#include <QPlainTextEdit>
#include <QStringList>

class VdoHighlighter;

class CodeEditor : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CodeEditor(QWidget *parent = nullptr);

    QWidget *lineNumberArea() const { return m_lineNumbers; }
    int lineNumberAreaWidth() const;
    VdoHighlighter *highlighter() const { return m_highlighter; }
    // The background of the cursor's line.
    QColor currentLineColor() const;

    // Moves the cursor to line (from 1), selects that line and brings it into view;
    // false, with nothing changed, when the text has no such line.
    bool selectLine(int line);

    // The document as a file. Each line remembers the ending it was read with; a line
    // the user adds (by Enter or a paste) takes the file format's usual ending. The
    // texts are the blocks' own, so no-break spaces stay what they are.
    void setDocumentText(const DocumentText &text);
    DocumentText documentText() const;

    // The warning marks: for each line (from 1), the texts its mark shows. They replace
    // the marks there were; the marks stay on their line numbers whatever is edited.
    void setLineMarks(const QMap<int, QStringList> &marks);
    const QMap<int, QStringList> &lineMarks() const { return m_marks; }
    // What the pointer at a point of the gutter shows: the texts of the line's mark, one
    // a line; empty where the line has no mark.
    QString markToolTipAt(const QPoint &gutterPoint) const;
    // The marks' colour: the window's warning colour on the editor's palette.
    QColor markColor() const;
    const DocumentFormat &fileFormat() const { return m_format; }
    void setFileFormat(const DocumentFormat &format) { m_format = format; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class LineNumberArea;
    void paintLineNumbers(QPaintEvent *event);
    void paintMark(QPainter &painter, int top, int height) const;
    int markWidth() const;
    void updateLineNumberAreaWidth();
    void updateLineNumberArea(const QRect &rect, int dy);
    void highlightCurrentLine();
    void applyTabStops();

    QWidget *m_lineNumbers;
    VdoHighlighter *m_highlighter;
    DocumentFormat m_format;
    QMap<int, QStringList> m_marks;
};
