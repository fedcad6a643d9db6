// The editor of the .vdo document: its font and tab stops, the gutter, the current line,
// selecting a line, and the syntax colours, all following the palette.

#include "gui/codeeditor.h"
#include "gui/vdohighlighter.h"
#include "testmain.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

Q_DECLARE_METATYPE(VdoSpan)

namespace {

using Spans = QList<VdoSpan>;
constexpr auto Block = VdoCategory::BlockKeyword;
constexpr auto Key = VdoCategory::KeyName;
constexpr auto Type = VdoCategory::BoxType;
constexpr auto Quoted = VdoCategory::Quoted;
constexpr auto Marker = VdoCategory::LineMarker;
constexpr auto Comment = VdoCategory::Comment;

// A palette like a dark desktop's: light text on a dark base.
QPalette darkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(30, 30, 30));
    palette.setColor(QPalette::Window, QColor(45, 45, 45));
    palette.setColor(QPalette::Text, QColor(230, 230, 230));
    palette.setColor(QPalette::Highlight, QColor(40, 120, 200));
    palette.setColor(QPalette::Link, QColor(100, 180, 255));
    palette.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    return palette;
}

// The format the highlighter gave the character at column of the block's line.
QTextCharFormat formatAt(const QTextBlock &block, int column)
{
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (column >= range.start && column < range.start + range.length)
            return range.format;
    }
    return QTextCharFormat();
}

} // namespace

class TestCodeEditor : public QObject {
    Q_OBJECT

private slots:
    void spansOfLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("startsInQuote");
        QTest::addColumn<Spans>("spans");
        QTest::addColumn<bool>("endsInQuote");

        QTest::newRow("box") << "Box {" << false << Spans{{0, 3, Block}} << false;
        QTest::newRow("pages") << "Pages {" << false << Spans{{0, 5, Block}} << false;
        QTest::newRow("id") << "  Id = 10;" << false << Spans{{2, 2, Key}} << false;
        QTest::newRow("page line") << "  Id = 5; Name = Contador;" << false << Spans{{2, 2, Key}, {10, 4, Key}} << false;
        QTest::newRow("next1") << "  Next1 = 15;" << false << Spans{{2, 5, Key}} << false;
        QTest::newRow("type") << "  Type = StateAsyncOps;" << false << Spans{{2, 4, Key}, {9, 13, Type}} << false;
        QTest::newRow("text with a marker")
            << "  Text = \"a = 1;%CR%b = 0;\";" << false
            << Spans{{2, 4, Key}, {9, 7, Quoted}, {16, 4, Marker}, {20, 7, Quoted}} << false;
        QTest::newRow("quote left open") << "  TextDown = \"TB.EN <= 0" << false
                                         << Spans{{2, 8, Key}, {13, 11, Quoted}} << true;
        QTest::newRow("quote closed") << "=> TB.Q == -1\";" << true << Spans{{0, 14, Quoted}} << false;
        QTest::newRow("quote still open") << "Idle" << true << Spans{{0, 4, Quoted}} << true;
        QTest::newRow("comment") << "  // nota Box Id" << false << Spans{{2, 14, Comment}} << false;
        QTest::newRow("no comment inside a quote") << "// no es comentario\"" << true
                                                   << Spans{{0, 20, Quoted}} << false;
        QTest::newRow("whole words only") << "Boxes Idle Type2 _Id 2Box" << false << Spans{} << false;
    }

    void spansOfLines()
    {
        QFETCH(QString, line);
        QFETCH(bool, startsInQuote);
        QFETCH(Spans, spans);
        QFETCH(bool, endsInQuote);
        bool inQuote = startsInQuote;
        QCOMPARE(vdoSpans(line, inQuote), spans);
        QCOMPARE(inQuote, endsInQuote);
    }

    void fixedFontWithTabStopsOfEightColumns()
    {
        CodeEditor editor;
        QCOMPARE(editor.font(), QFontDatabase::systemFont(QFontDatabase::FixedFont));
        QVERIFY(QFontInfo(editor.font()).fixedPitch());
        const qreal column = QFontMetricsF(editor.font()).horizontalAdvance(QLatin1Char(' '));
        QCOMPARE(editor.tabStopDistance(), 8 * column);
        QCOMPARE(editor.lineWrapMode(), QPlainTextEdit::NoWrap);

        // A tab after "Q" reaches column 8, where "SYNC" starts.
        editor.setPlainText(QStringLiteral("Q\tSYNC\n12345678SYNC"));
        editor.resize(400, 200);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QTextCursor afterTab(editor.document()->findBlockByNumber(0));
        afterTab.setPosition(2);
        QTextCursor afterDigits(editor.document()->findBlockByNumber(1));
        afterDigits.setPosition(afterDigits.block().position() + 8);
        QCOMPARE(editor.cursorRect(afterTab).left(), editor.cursorRect(afterDigits).left());

        // Another font keeps tab stops of eight of its own columns.
        QFont bigger = editor.font();
        bigger.setPointSize(bigger.pointSize() + 6);
        editor.setFont(bigger);
        QCOMPARE(editor.tabStopDistance(), 8 * QFontMetricsF(bigger).horizontalAdvance(QLatin1Char(' ')));
    }

    void gutterHasRoomForTheLineNumbers()
    {
        CodeEditor editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        const int digit = editor.fontMetrics().horizontalAdvance(QLatin1Char('9'));
        const int threeDigits = editor.lineNumberAreaWidth();
        QVERIFY(threeDigits >= 3 * digit);
        QCOMPARE(editor.viewport()->geometry().left() - editor.contentsRect().left(), threeDigits);

        editor.setPlainText(QString(12345, QLatin1Char('\n')));  // 12346 lines: five digits
        QCOMPARE(editor.lineNumberAreaWidth(), threeDigits + 2 * digit);
        QCOMPARE(editor.lineNumberArea()->width(), editor.lineNumberAreaWidth());
    }

    void selectLine()
    {
        CodeEditor editor;
        editor.setPlainText(QStringLiteral("Box {\n  Id = 15;\n  Type = SyncOps;\n}"));
        QVERIFY(editor.selectLine(2));
        QCOMPARE(editor.textCursor().selectedText(), QStringLiteral("  Id = 15;"));
        QCOMPARE(editor.textCursor().blockNumber(), 1);
        QVERIFY(editor.selectLine(4));
        QCOMPARE(editor.textCursor().selectedText(), QStringLiteral("}"));

        for (int missing : {0, 5, -1}) {
            QVERIFY(!editor.selectLine(missing));
            QCOMPARE(editor.textCursor().selectedText(), QStringLiteral("}"));
        }
    }

    void currentLineFollowsTheCursorAndThePalette()
    {
        CodeEditor editor;
        editor.setPlainText(QStringLiteral("uno\ndos\ntres"));
        editor.selectLine(2);
        const QList<QTextEdit::ExtraSelection> marks = editor.extraSelections();
        QCOMPARE(marks.size(), 1);
        QCOMPARE(marks[0].cursor.blockNumber(), 1);
        QVERIFY(marks[0].format.property(QTextFormat::FullWidthSelection).toBool());
        const QColor light = marks[0].format.background().color();
        QCOMPARE(light, editor.currentLineColor());
        // Between the base and the selection colour, nearer the base.
        QVERIFY(light != editor.palette().color(QPalette::Base));

        editor.setPalette(darkPalette());
        const QColor dark = editor.extraSelections().value(0).format.background().color();
        QVERIFY(dark != light);
        QVERIFY(dark.lightness() < 100);  // a dark line on a dark base
    }

    void highlighterColoursTheDocumentFromThePalette()
    {
        CodeEditor editor;
        editor.setPlainText(QStringLiteral("Box {\n  Type = State;\n  Text = \"a%CR%\n  b\";\n// fin\n}"));
        editor.highlighter()->rehighlight();
        const QTextDocument *document = editor.document();
        const QColor link = editor.palette().color(QPalette::Link);

        QVERIFY(formatAt(document->findBlockByNumber(0), 0).fontWeight() == QFont::Bold);
        QCOMPARE(formatAt(document->findBlockByNumber(1), 2).foreground().color(), link);  // Type
        QCOMPARE(formatAt(document->findBlockByNumber(1), 9).foreground().color(), link);  // State
        QCOMPARE(formatAt(document->findBlockByNumber(1), 9).fontWeight(), int(QFont::Bold));
        const QTextCharFormat quoted = editor.highlighter()->categoryFormat(VdoCategory::Quoted);
        QCOMPARE(formatAt(document->findBlockByNumber(2), 10).foreground(), quoted.foreground());
        // The quote goes on into the next line, up to its closing quote.
        QCOMPARE(formatAt(document->findBlockByNumber(3), 2).foreground(), quoted.foreground());
        QCOMPARE(formatAt(document->findBlockByNumber(3), 4).foreground(), QBrush());
        QVERIFY(formatAt(document->findBlockByNumber(4), 0).fontItalic());

        // A dark palette recolours the document.
        editor.setPalette(darkPalette());
        QCOMPARE(formatAt(document->findBlockByNumber(1), 2).foreground().color(), QColor(100, 180, 255));
        QCOMPARE(formatAt(document->findBlockByNumber(4), 0).foreground().color(), QColor(150, 150, 150));
        QVERIFY(editor.highlighter()->categoryFormat(VdoCategory::Quoted).foreground() != quoted.foreground());
    }
};

ASMSIM_REGISTER_TEST(TestCodeEditor)
#include "tst_codeeditor.moc"
