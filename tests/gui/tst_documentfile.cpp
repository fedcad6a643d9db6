// A design file through the editor: opened and saved, it keeps its encoding, its
// byte-order mark, each line's ending and every character; an edited line changes
// nothing else, and a character the file's encoding cannot hold is asked about.

#include "gui/codeeditor.h"
#include "gui/documentfile.h"
#include "gui/mainwindow.h"
#include "testmain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <memory>

namespace {

// Answers each message box that opens while it lives by clicking the button with the
// given text, and records what the box showed.
class BoxAnswerer : public QObject {
public:
    explicit BoxAnswerer(QString answer) : m_answer(std::move(answer))
    {
        connect(&m_poll, &QTimer::timeout, this, [this] { poll(); });
        m_poll.start(10);
    }

    QStringList titles;
    QStringList texts;
    QList<QStringList> buttons;

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || m_seen.contains(box))
            return;
        m_seen << box;
        titles << box->windowTitle();
        texts << box->text();
        QStringList names;
        for (QAbstractButton *button : box->buttons())
            names << button->text();
        buttons << names;
        // A little later: the box may be modal before its own event loop runs.
        QPointer<QMessageBox> target(box);
        QTimer::singleShot(30, this, [this, target] {
            if (!target)
                return;
            for (QAbstractButton *button : target->buttons()) {
                if (button->text() == m_answer) {
                    button->click();
                    return;
                }
            }
            target->reject();
        });
    }

    QString m_answer;
    QTimer m_poll;
    QList<QPointer<QMessageBox>> m_seen;
};

// Replaces the text of one line (from 1), as typing over it does.
void retypeLine(CodeEditor *editor, int line, const QString &text)
{
    QTextCursor cursor(editor->document()->findBlockByNumber(line - 1));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(text);
}

QString blockText(CodeEditor *editor, int line)
{
    return editor->document()->findBlockByNumber(line - 1).text();
}

// A design as the diagram compiler writes it on a Spanish Windows: Windows-1252, CR LF;
// here also a no-break space, an undefined byte (0x81), a lone CR ending line 8 and no
// ending after the last line.
const QByteArray kWindowsDesign = "Pages {\r\n"
                                  "  Id = 1; Name = Dise\xF1o;\r\n"
                                  "}\r\n"
                                  "Box {\r\n"
                                  "  Id = 10;\r\n"
                                  "  Type = State;\r\n"
                                  "  TextUp = \"A\xD1O\xA0" "2024\";\r\n"
                                  "  Text = \"canci\xF3n \x81 x\";\r"
                                  "  Next = 0;\r\n"
                                  "}";

const QString kCaption = QStringLiteral("Simulador de circuitos digitales para diagramas ASM");
const QString kToUtf8 = QStringLiteral("Guardar en UTF-8");
const QString kCancel = QStringLiteral("Cancelar");

} // namespace

class TestDocumentFile : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<QTemporaryDir> m_files;

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_files->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qWarning("could not write %s", qPrintable(path));
        return path;
    }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot read>");
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_settings = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings->path());
    }

    void init()
    {
        m_files = std::make_unique<QTemporaryDir>();
        QVERIFY(m_files->isValid());
    }

    // ---- The file as lines --------------------------------------------------------

    void linesKeepTheirEndings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("endings");
        QTest::addColumn<QString>("newLine");
        QTest::newRow("empty") << QByteArray() << QStringList{""} << QStringList{""} << "\n";
        QTest::newRow("no ending") << QByteArray("a") << QStringList{"a"} << QStringList{""} << "\n";
        QTest::newRow("ending after the last line") << QByteArray("a\n") << QStringList{"a", ""} << QStringList{"\n", ""} << "\n";
        QTest::newRow("mostly CR LF") << QByteArray("a\nb\r\nc\r\n") << QStringList{"a", "b", "c", ""}
                                      << QStringList{"\n", "\r\n", "\r\n", ""} << "\r\n";
        QTest::newRow("one of each: the first") << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"}
                                                << QStringList{"\r\n", "\n", "\r", ""} << "\r\n";
        QTest::newRow("CR, then CR LF") << QByteArray("\r\r\n") << QStringList{"", "", ""} << QStringList{"\r", "\r\n", ""} << "\r";
        QTest::newRow("paragraph separator") << QByteArray("x\xE2\x80\xA9y") << QStringList{"x", "y"}
                                             << QStringList{"\u2029", ""} << "\n";
        QTest::newRow("Windows-1252") << QByteArray("A\xD1O\r\n") << QStringList{"AÑO", ""} << QStringList{"\r\n", ""} << "\r\n";
    }

    // Read as lines and written back, every file gives its own bytes.
    void linesKeepTheirEndings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, endings);
        QFETCH(QString, newLine);
        const DocumentText text = readDocument(bytes);
        QCOMPARE(text.lines, lines);
        QCOMPARE(text.endings, endings);
        QCOMPARE(text.format.newLine, newLine);
        QCOMPARE(writeDocument(text).value_or("<does not fit>"), bytes);
    }

    void encodingAndByteOrderMarkAreKept()
    {
        const DocumentText bom = readDocument("\xEF\xBB\xBF" "a\xC3\xB1o");
        QCOMPARE(bom.format.encoding, TextEncoding::Utf8);
        QVERIFY(bom.format.byteOrderMark);
        QCOMPARE(bom.lines, QStringList{"año"});
        const DocumentText windows = readDocument("a\xF1o");
        QCOMPARE(windows.format.encoding, TextEncoding::Windows1252);
        QVERIFY(!windows.format.byteOrderMark);
        QCOMPARE(windows.lines, QStringList{"año"});

        DocumentText edited = windows;
        edited.lines[0] += QStringLiteral(" ≤ 😀");
        QVERIFY(!writeDocument(edited));
        const std::optional<OutsideCharacter> outside = firstOutsideCharacter(edited);
        QVERIFY(outside);
        QCOMPARE(outside->character, QStringLiteral("≤"));
        QCOMPARE(outside->line, 1);
        edited.lines[0] = QStringLiteral("😀");
        QCOMPARE(firstOutsideCharacter(edited)->character, QStringLiteral("😀"));
        QVERIFY(!firstOutsideCharacter(bom));
    }

    // ---- The editor ----------------------------------------------------------------

    // Opened, one line retyped, saved: that line's bytes change and no other byte does.
    void windows1252CrLfFileKeepsEveryOtherByte()
    {
        const QString path = write(QStringLiteral("disenio.vdo"), kWindowsDesign);
        MainWindow window;
        window.loadFile(path);
        CodeEditor *editor = window.editor();
        QCOMPARE(editor->blockCount(), 10);  // the lone CR ends a line in the editor too
        QCOMPARE(blockText(editor, 2), QStringLiteral("  Id = 1; Name = Diseño;"));
        QCOMPARE(blockText(editor, 7), QStringLiteral("  TextUp = \"AÑO\u00A02024\";"));
        QCOMPARE(blockText(editor, 8), QStringLiteral("  Text = \"canción \u0081 x\";"));

        retypeLine(editor, 5, QStringLiteral("  Id = 11; // año €"));
        BoxAnswerer answers(kCancel);
        QVERIFY(window.saveFile(path));
        QCOMPARE(answers.titles, QStringList());
        QCOMPARE(read(path), QByteArray(kWindowsDesign).replace("  Id = 10;", "  Id = 11; // a\xF1o \x80"));
    }

    void utf8FileWithByteOrderMarkAndMixedEndingsKeepsEveryOtherByte()
    {
        const QByteArray design = "\xEF\xBB\xBF" "Pages {\r\n"
                                  "  Id = 1; Name = Dise\xC3\xB1o;\n"
                                  "}\r"
                                  "Box {\r\n"
                                  "  Text = \"\xE2\x82\xAC \xC2\xA0 \xF0\x9F\x98\x80\";\n"
                                  "}\n";
        const QString path = write(QStringLiteral("utf8.vdo"), design);
        MainWindow window;
        window.loadFile(path);
        QCOMPARE(window.editor()->blockCount(), 7);
        QCOMPARE(blockText(window.editor(), 5), QStringLiteral("  Text = \"€ \u00A0 😀\";"));

        retypeLine(window.editor(), 2, QStringLiteral("  Id = 1; Name = Diseño2;"));
        QVERIFY(window.saveFile(path));
        QCOMPARE(read(path), QByteArray(design).replace("Dise\xC3\xB1o;", "Dise\xC3\xB1o2;"));
    }

    // Every byte of Windows-1252 but CR and LF, in lines ended by CR LF.
    void everyWindows1252ByteComesBackFromTheEditor()
    {
        QByteArray bytes;
        for (int b = 0; b < 256; ++b) {
            if (b != '\n' && b != '\r')
                bytes += char(b);
            if (b % 16 == 15)
                bytes += "\r\n";
        }
        const QString path = write(QStringLiteral("todos.vdo"), bytes);
        MainWindow window;
        window.loadFile(path);
        QCOMPARE(window.editor()->blockCount(), 17);
        QVERIFY(window.saveFile(path));
        QCOMPARE(read(path), bytes);
    }

    // A line the user adds ends as most lines of the file do; the line it was split from
    // keeps its own ending.
    void anAddedLineTakesTheUsualEnding()
    {
        const QString path = write(QStringLiteral("mezcla.vdo"), "a\nb\r\nc\r\nd");
        MainWindow window;
        window.loadFile(path);
        QTextCursor cursor(window.editor()->document()->firstBlock());
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.insertText(QStringLiteral("\nx"));
        QVERIFY(window.saveFile(path));
        QCOMPARE(read(path), QByteArray("a\nx\r\nb\r\nc\r\nd"));
    }

    // A new document is UTF-8 with LF, whatever file the editor held before.
    void aNewFileIsUtf8WithLineFeeds()
    {
        const QString old = write(QStringLiteral("viejo.vdo"), kWindowsDesign);
        MainWindow window;
        window.loadFile(old);
        window.newFile();
        window.editor()->insertPlainText(QStringLiteral("año\nb\n"));
        const QString path = m_files->filePath(QStringLiteral("nuevo.vdo"));
        QVERIFY(window.saveFile(path));
        QCOMPARE(read(path), QByteArray("a\xC3\xB1o\nb\n"));
        QCOMPARE(read(old), kWindowsDesign);
    }

    // Rather than write a '?', saving asks; Cancel writes nothing, the other answer
    // writes the file in UTF-8 (no byte-order mark), each line keeping its ending.
    void aCharacterWindows1252CannotHoldIsAskedAbout()
    {
        const QString path = write(QStringLiteral("disenio.vdo"), kWindowsDesign);
        MainWindow window;
        window.loadFile(path);
        retypeLine(window.editor(), 5, QStringLiteral("  Id = 10; // ≤"));
        {
            BoxAnswerer answers(kCancel);
            QVERIFY(!window.saveFile(path));
            QCOMPARE(answers.titles, QStringList{kCaption});
            QCOMPARE(answers.buttons, QList<QStringList>{(QStringList{kToUtf8, kCancel})});
            QVERIFY(answers.texts.value(0).contains(QStringLiteral("«≤» de la línea 5")));
        }
        QCOMPARE(read(path), kWindowsDesign);
        QVERIFY(window.isWindowModified());

        {
            BoxAnswerer answers(kToUtf8);
            QVERIFY(window.saveFile(path));
            QCOMPARE(answers.titles.size(), 1);
        }
        const QByteArray utf8 = "Pages {\r\n"
                                "  Id = 1; Name = Dise\xC3\xB1o;\r\n"
                                "}\r\n"
                                "Box {\r\n"
                                "  Id = 10; // \xE2\x89\xA4\r\n"
                                "  Type = State;\r\n"
                                "  TextUp = \"A\xC3\x91O\xC2\xA0" "2024\";\r\n"
                                "  Text = \"canci\xC3\xB3n \xC2\x81 x\";\r"
                                "  Next = 0;\r\n"
                                "}";
        QCOMPARE(read(path), utf8);
        QVERIFY(!window.isWindowModified());

        // The file is UTF-8 now: the next save asks nothing.
        retypeLine(window.editor(), 10, QStringLiteral("} // ≥"));
        BoxAnswerer none(kCancel);
        QVERIFY(window.saveFile(path));
        QCOMPARE(none.titles, QStringList());
        QCOMPARE(read(path), utf8.chopped(1) + "} // \xE2\x89\xA5");
    }
};

ASMSIM_REGISTER_TEST(TestDocumentFile)
#include "tst_documentfile.moc"
