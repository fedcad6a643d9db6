// The lines of a design file as the reader takes them: pieces of at most so many
// characters, every CR dropped, and the encoding decided on the reader's window only.
// Small piece lengths and windows keep the cases short; the reader's own (200
// characters, 100000 pieces) are tried at the end through the reader itself.

#include "core/messagelog.h"
#include "core/panesink.h"
#include "model/designlines.h"
#include "model/designmodel.h"
#include "model/reader.h"
#include "testmain.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

// What the reader fills: the design tables, and the log its lines go through.
struct ReadState {
    DesignModel model;
    MessageLog log;
    explicit ReadState(PaneSink *sink) : log(sink) {}
};

} // namespace

namespace {

// A device that cannot seek, as a pipe: the lines must come out the same from it.
class Pipe : public QIODevice {
public:
    explicit Pipe(QByteArray bytes) : m_bytes(std::move(bytes)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_bytes.size() - m_at + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 count = qMin(maxSize, qint64(m_bytes.size() - m_at));
        std::copy_n(m_bytes.constData() + m_at, count, data);
        m_at += count;
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qsizetype m_at = 0;
};

QStringList piecesFrom(QIODevice &device, int pieceLength, int windowPieces, TextEncoding *encoding)
{
    DesignLines lines(&device, pieceLength, windowPieces);
    if (encoding)
        *encoding = lines.encoding();
    QStringList pieces;
    for (QString piece = lines.next(); !piece.isNull(); piece = lines.next())
        pieces << piece;
    return pieces;
}

QStringList allPieces(const QByteArray &bytes, int pieceLength, int windowPieces, TextEncoding *encoding = nullptr)
{
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    Pipe pipe(bytes);
    TextEncoding fromPipe = TextEncoding::Utf8;
    const QStringList pieces = piecesFrom(file, pieceLength, windowPieces, encoding);
    if (piecesFrom(pipe, pieceLength, windowPieces, &fromPipe) != pieces || (encoding && *encoding != fromPipe))
        return {QStringLiteral("<a pipe reads otherwise>")};
    return pieces;
}

} // namespace

class TestDesignLines : public QObject {
    Q_OBJECT

private slots:
    // A line feed ends a line; a line as long as a piece (or a multiple) is followed by
    // an empty piece when a line feed ends it, and by nothing at the end of the file.
    void linesAreCutIntoPieces_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("one empty line") << QByteArray("\n") << QStringList{""};
        QTest::newRow("two empty lines") << QByteArray("\n\n") << QStringList{"", ""};
        QTest::newRow("shorter than a piece") << QByteArray("abc\nd") << QStringList{"abc", "d"};
        QTest::newRow("a piece, then its line feed") << QByteArray("abcd\nef\n") << QStringList{"abcd", "", "ef"};
        QTest::newRow("a piece at the end") << QByteArray("ab\nabcd") << QStringList{"ab", "abcd"};
        QTest::newRow("two pieces and a rest") << QByteArray("abcdefghi\n") << QStringList{"abcd", "efgh", "i"};
        QTest::newRow("two whole pieces") << QByteArray("abcdefgh\nz") << QStringList{"abcd", "efgh", "", "z"};
        // Every CR goes before the line is cut, wherever it stands; CRs alone at the end
        // of the file are no line.
        QTest::newRow("CR LF") << QByteArray("ab\r\ncd\r\n") << QStringList{"ab", "cd"};
        QTest::newRow("inside a line") << QByteArray("a\rb\nc") << QStringList{"ab", "c"};
        QTest::newRow("not counted in a piece") << QByteArray("ab\r\rcd\r\nx") << QStringList{"abcd", "", "x"};
        QTest::newRow("only CRs at the end") << QByteArray("a\n\r\r") << QStringList{"a"};
        QTest::newRow("Windows-1252") << QByteArray("A\xD1O\r\nb\rc\r\n") << QStringList{"AÑO", "bc"};
    }

    void linesAreCutIntoPieces()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, pieces);
        QCOMPARE(allPieces(bytes, 4, 100), pieces);
    }

    // Only the file's first bytes are its byte-order mark; one further on is a character.
    void aByteOrderMarkIsSkippedAtTheStartOnly()
    {
        TextEncoding encoding = TextEncoding::Windows1252;
        QCOMPARE(allPieces("\xEF\xBB\xBF" "ab\n\xEF\xBB\xBF" "c", 4, 100, &encoding),
                 (QStringList{"ab", QChar(0xFEFF) + QStringLiteral("c")}));
        QCOMPARE(encoding, TextEncoding::Utf8);
        QCOMPARE(allPieces("\xEF\xBB\xBF", 4, 100), QStringList());
        // In a Windows-1252 file the same bytes are three characters.
        QCOMPARE(allPieces("\xEF\xBB\xBF\xD1\n", 4, 100, &encoding), (QStringList{"ï»¿Ñ", ""}));
        QCOMPARE(encoding, TextEncoding::Windows1252);
    }

    // With pieces of 4 and a window of 3: the first byte that is not UTF-8 decides only
    // when it lies within the first 3 pieces, each piece counted as 4 bytes.
    void theEncodingIsDecidedOnTheWindowOnly_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("windows1252");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("in the last piece") << QByteArray("ab\ncd\n\xD1\n") << true << QStringList{"ab", "cd", "Ñ"};
        QTest::newRow("after the window") << QByteArray("ab\ncd\nef\n\xD1\n") << false
                                          << QStringList{"ab", "cd", "ef", "\uFFFD"};
        QTest::newRow("in a long line, inside") << QByteArray("abcdefgh\xD1") << true << QStringList{"abcd", "efgh", "Ñ"};
        QTest::newRow("in a long line, after") << QByteArray("abcdefghijkl\xD1\n") << false
                                               << QStringList{"abcd", "efgh", "ijkl", "\uFFFD"};
        // The window ends inside «ñ»: the part read is a valid start.
        QTest::newRow("window ends inside a character") << QByteArray("abcdefghijk\xC3\xB1") << false
                                                        << QStringList{"abcd", "efgh", "ijkñ"};
        // «ññ» is four bytes, a whole piece and its empty one: the window is full before
        // the next line, though read as UTF-8 the line is a single piece.
        QTest::newRow("counted in bytes") << QByteArray("\xC3\xB1\xC3\xB1\nz\n\xD1\n") << false
                                          << QStringList{"ññ", "z", "\uFFFD"};
        QTest::newRow("CRs do not count") << QByteArray("ab\r\r\r\ncd\r\n\xD1\n") << true << QStringList{"ab", "cd", "Ñ"};
    }

    void theEncodingIsDecidedOnTheWindowOnly()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, windows1252);
        QFETCH(QStringList, pieces);
        TextEncoding encoding = TextEncoding::Utf8;
        QCOMPARE(allPieces(bytes, 4, 3, &encoding), pieces);
        QCOMPARE(encoding, windows1252 ? TextEncoding::Windows1252 : TextEncoding::Utf8);
    }

    // A line longer than the part read at a time (64 KiB) reads as if whole, though a
    // part ends inside its «ñ».
    void aVeryLongLineIsReadInParts()
    {
        const QByteArray line = QByteArray(65535, 'a') + "\xC3\xB1" + QByteArray(10, 'b');
        TextEncoding encoding = TextEncoding::Windows1252;
        const QStringList pieces = allPieces(line + "\r\nz", 200, 100000, &encoding);
        QCOMPARE(encoding, TextEncoding::Utf8);
        QCOMPARE(pieces.size(), 65546 / 200 + 2);
        QCOMPARE(pieces.value(327), QString(135, QLatin1Char('a')) + QStringLiteral("ñ") + QString(10, QLatin1Char('b')));
        QCOMPARE(pieces.last(), QStringLiteral("z"));
        QCOMPARE(pieces.mid(0, 328).join(QString()), QString::fromUtf8(line));
    }

    // Every design under tests/data read as saved on Windows (CR LF), with a byte-order
    // mark, or with stray CRs gives the same trace and the same tables as read plain.
    void theReaderReadsEveryDesignAlikeWhateverItsEndings_data()
    {
        QTest::addColumn<QString>("design");
        QTest::addColumn<QByteArray>("variant");
        const QDir data(QStringLiteral(ASMSIM_TEST_DATA));
        for (const QString &name : data.entryList({QStringLiteral("*.vdo")}, QDir::Files, QDir::Name)) {
            QFile file(data.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QByteArray plain = file.readAll().replace("\r", "");
            const bool utf8 = isValidUtf8(plain);
            QTest::addRow("%s, CR LF", qPrintable(name)) << name << QByteArray(plain).replace("\n", "\r\n");
            QTest::addRow("%s, stray CRs", qPrintable(name)) << name << QByteArray(plain).replace("=", "\r=\r");
            if (utf8)
                QTest::addRow("%s, byte-order mark", qPrintable(name)) << name << "\xEF\xBB\xBF" + plain;
        }
    }

    void theReaderReadsEveryDesignAlikeWhateverItsEndings()
    {
        QFETCH(QString, design);
        QFETCH(QByteArray, variant);
        QTemporaryDir dir;
        QFile plainFile(QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(design));
        QVERIFY(plainFile.open(QIODevice::ReadOnly));
        const QString plainPath = dir.filePath(QStringLiteral("plain.vdo"));
        const QString variantPath = dir.filePath(QStringLiteral("variant.vdo"));
        for (const auto &[path, bytes] : {std::pair{plainPath, plainFile.readAll().replace("\r", "")},
                                          std::pair{variantPath, variant}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        MemorySink plainSink, variantSink;
        ReadState plain(&plainSink), read(&variantSink);
        readDesignFile(plain.model, plain.log, plainPath);
        readDesignFile(read.model, read.log, variantPath);
        QCOMPARE(variantSink.process, plainSink.process);
        QCOMPARE(read.model.textMatrix, plain.model.textMatrix);
        QCOMPARE(read.model.textUpMatrix, plain.model.textUpMatrix);
        QCOMPARE(read.model.textDownMatrix, plain.model.textDownMatrix);
        QCOMPARE(read.model.pageNames, plain.model.pageNames);
        QCOMPARE(read.log.errorList, plain.log.errorList);
    }

    // Through the reader, with its own window of 100000 pieces: the first byte that is
    // not UTF-8 on line 100000 makes the file Windows-1252; on line 100001 it is read as
    // UTF-8 (the box began before the reader's last line, so the reader goes on to its end).
    void theReaderDecidesOnItsFirst100000Lines_data()
    {
        QTest::addColumn<int>("textLine");
        QTest::addColumn<QString>("stored");
        QTest::newRow("line 100000") << 100000 << QStringLiteral("AÑO");
        QTest::newRow("line 100001") << 100001 << QStringLiteral("A\uFFFDO");
    }

    void theReaderDecidesOnItsFirst100000Lines()
    {
        QFETCH(int, textLine);
        QFETCH(QString, stored);
        QByteArray bytes(textLine - 4, '\n');
        bytes += "Box {\n  Id = 1;\n  Type = State;\n  Text = \"A\xD1O\";\n}\n";
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("long.vdo"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        MemorySink sink;
        ReadState state(&sink);
        readDesignFile(state.model, state.log, path);
        QCOMPARE(state.model.boxCount, 1);
        QCOMPARE(state.model.textMatrix[0][0], stored);
        QVERIFY(sink.process.contains(QStringLiteral("Texto de la caja STATE analizandose. Linea: %1").arg(textLine)));
        QVERIFY(sink.process.contains(QStringLiteral("Texto: ") + stored));
    }
};

ASMSIM_REGISTER_TEST(TestDesignLines)
#include "tst_designlines.moc"
