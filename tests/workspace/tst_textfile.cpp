#include "base/apperror.h"
#include "controls/textdocument.h"
#include "platform/memorybudget.h"
#include "workspace/textfile.h"

#include "common/errorof.h"
#include "common/testfiles.h"
#include <QFile>
#include <QTemporaryDir>

#include <QTest>

#include <sys/stat.h>

Q_DECLARE_METATYPE(TextEncoding)
Q_DECLARE_METATYPE(LineEnd)

namespace {

QByteArray utf16(const QString &text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        bytes.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
    }
    return bytes;
}

// One line of five megabytes, with multi-byte characters spread through it.
QByteArray longSingleLine()
{
    QByteArray line;
    line.reserve(5 * 1024 * 1024 + 64);
    while (line.size() < 5 * 1024 * 1024)
        line += "The quick brown fox \xC3\xA4 \xE2\x82\xAC \xF0\x9F\x98\x80 jumps; ";
    return line;
}

} // namespace

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void mixedLineEndsComeBackEach();
    void strayBytesKeepTheRestUtf8();
    void tooLargeForMemoryIsRefused();
    void editedTextKeepsTheFormat_data();
    void editedTextKeepsTheFormat();
    void refusesWhatWouldNotComeBack_data();
    void refusesWhatWouldNotComeBack();
    void unencodableTextIsRefused_data();
    void unencodableTextIsRefused();

private:
    QTemporaryDir m_dir;
};

void TestTextFile::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<bool>("bom");
    QTest::addColumn<LineEnd>("lineEnd");
    QTest::addColumn<qsizetype>("length");

    const auto u8 = TextEncoding::Utf8;
    QTest::newRow("empty") << QByteArray() << u8 << false << LineEnd::LF << qsizetype(0);
    QTest::newRow("ASCII LF") << QByteArray("one\ntwo\n") << u8 << false << LineEnd::LF
                              << qsizetype(8);
    QTest::newRow("ASCII CRLF") << QByteArray("one\r\ntwo\r\n") << u8 << false << LineEnd::CRLF
                                << qsizetype(8);
    QTest::newRow("ASCII CR") << QByteArray("one\rtwo\r") << u8 << false << LineEnd::CR
                              << qsizetype(8);
    QTest::newRow("no final line end")
            << QByteArray("one\r\ntwo") << u8 << false << LineEnd::CRLF << qsizetype(7);
    QTest::newRow("only line ends")
            << QByteArray("\r\n\r\n") << u8 << false << LineEnd::CRLF << qsizetype(2);
    QTest::newRow("UTF-8") << QByteArray("gr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xF0\x9F\x98\x80\n") << u8
                           << false << LineEnd::LF << qsizetype(10);
    QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF\xC3\xA4\r\n") << u8 << true
                               << LineEnd::CRLF << qsizetype(2);
    QTest::newRow("UTF-8 BOM only")
            << QByteArray("\xEF\xBB\xBF") << u8 << true << LineEnd::LF << qsizetype(0);
    QTest::newRow("BOM then a second U+FEFF")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << u8 << true << LineEnd::LF << qsizetype(2);
    QTest::newRow("UTF-16 LE") << utf16(QStringLiteral("a\u00E4\u20AC\r\nb\r\n"), false)
                               << TextEncoding::Utf16LE << true << LineEnd::CRLF << qsizetype(6);
    QTest::newRow("UTF-16 BE") << utf16(QStringLiteral("\U0001F600x\ny"), true)
                               << TextEncoding::Utf16BE << true << LineEnd::LF << qsizetype(5);
    QTest::newRow("UTF-16 LE, CR") << utf16(QStringLiteral("a\rb\r"), false)
                                   << TextEncoding::Utf16LE << true << LineEnd::CR << qsizetype(4);
    QByteArray high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high += char(b);
    QTest::newRow("bytes 0x80-0xFF")
            << QByteArray("x\r\n" + high + "\r\n") << TextEncoding::SingleByte << false
            << LineEnd::CRLF << qsizetype(131);
    QTest::newRow("Latin-1 word") << QByteArray("caf\xE9\n") << TextEncoding::SingleByte << false
                                  << LineEnd::LF << qsizetype(5);
    QTest::newRow("overlong UTF-8") << QByteArray("\xC0\xAF") << TextEncoding::SingleByte << false
                                    << LineEnd::LF << qsizetype(2);
    QTest::newRow("UTF-8 cut short at the end")
            << QByteArray("ab\xE2\x82") << TextEncoding::SingleByte << false << LineEnd::LF
            << qsizetype(4);
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << TextEncoding::SingleByte
                                       << false << LineEnd::LF << qsizetype(3);
    // The byte order mark says UTF-8: a stray byte is kept as it is.
    QTest::newRow("UTF-8 BOM, a stray byte")
            << QByteArray("\xEF\xBB\xBF\xFF") << u8 << true << LineEnd::LF << qsizetype(1);
    QTest::newRow("UTF-8 with a few stray bytes")
            << QByteArray("caf\xC3\xA9 \xE9t\xE9 na\xC3\xAFve\xC3\xA7\r\n") << u8 << false
            << LineEnd::CRLF << qsizetype(16);
    QTest::newRow("UTF-16 BOM, odd length, no NUL")
            << QByteArray("\xFF\xFE\x61") << TextEncoding::SingleByte << false << LineEnd::LF
            << qsizetype(3);
    QTest::newRow("UTF-16 LE without BOM")
            << utf16(QStringLiteral("plain text\r\nline two \u00e9\r\n"), false).mid(2)
            << TextEncoding::Utf16LE << false << LineEnd::CRLF << qsizetype(22);
    QTest::newRow("UTF-16 BE without BOM")
            << utf16(QStringLiteral("Hello, world\n"), true).mid(2) << TextEncoding::Utf16BE
            << false << LineEnd::LF << qsizetype(13);
    QTest::newRow("UTF-16 with a lone surrogate")
            << utf16(QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b\n"), false)
            << TextEncoding::Utf16LE << true << LineEnd::LF << qsizetype(4);
    QTest::newRow("line and paragraph separators") << QByteArray("a\xE2\x80\xA8"
                                                                 "b\xE2\x80\xA9"
                                                                 "c\xEF\xB7\x90"
                                                                 "d\xC2\x85\f\v\n")
                                                   << u8 << false << LineEnd::LF << qsizetype(11);
    // Every pair of a long text starts at an odd index, so no cut falls between two pairs.
    const QByteArray pairs = "a" + QByteArray("\xF0\x9F\x98\x80\r\n").repeated(300000);
    QTest::newRow("surrogate pairs through a long text")
            << pairs << u8 << false << LineEnd::CRLF << qsizetype(1 + 3 * 300000);
    QTest::newRow("surrogate pairs through a long UTF-16 text")
            << utf16(QString::fromUtf8(pairs), true) << TextEncoding::Utf16BE << true
            << LineEnd::CRLF << qsizetype(1 + 3 * 300000);
    const QByteArray line = longSingleLine();
    QTest::newRow("5 MB single line")
            << line << u8 << false << LineEnd::LF << QString::fromUtf8(line).size();
}

void TestTextFile::roundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TextEncoding, encoding);
    QFETCH(bool, bom);
    QFETCH(LineEnd, lineEnd);
    QFETCH(qsizetype, length);

    const QString path = m_dir.filePath(QStringLiteral("round-trip.txt"));
    QVERIFY(TestFiles::writeBytes(path, bytes));
    DecodedText loaded = TextFile::load(path);
    QCOMPARE(loaded.format.encoding, encoding);
    QCOMPARE(loaded.format.bom, bom);
    QCOMPARE(loaded.format.lineEnd, lineEnd);
    QCOMPARE(loaded.storage.length(), length);
    QVERIFY(!loaded.storage.text(0, length).contains(QLatin1Char('\r')));
    QCOMPARE(TextFile::findUnencodable(loaded.storage, encoding), qsizetype(-1));
    QCOMPARE(loaded.byteSize, bytes.size());
    // The document counts the same size from the text itself.
    TextDocument doc;
    doc.reset(std::move(loaded.storage), loaded.format, -1);
    QCOMPARE(doc.byteSize(), bytes.size());

    TextFile::save(path, doc.storage(), doc.format());
    QCOMPARE(TestFiles::readBytes(path), bytes);
}

void TestTextFile::mixedLineEndsComeBackEach()
{
    const QString path = m_dir.filePath(QStringLiteral("mixed.txt"));
    QVERIFY(TestFiles::writeBytes(path, "a\r\nb\nc\r\nd\re\r\n"));
    TextDocument doc;
    DecodedText loaded = TextFile::load(path);
    doc.reset(std::move(loaded.storage), loaded.format, loaded.byteSize);
    QVERIFY(doc.mixedLineEnds());
    QCOMPARE(doc.format().lineEnd, LineEnd::CRLF); // new breaks take the commonest
    QCOMPARE(doc.toPlainText(), QStringLiteral("a\nb\nc\nd\ne\n"));
    doc.insert(doc.lineEnd(1), u"\nB");
    TextFile::save(path, doc.storage(), doc.format());
    QCOMPARE(TestFiles::readBytes(path), QByteArray("a\r\nb\r\nB\nc\r\nd\re\r\n"));
    QCOMPARE(doc.byteSize(), TestFiles::readBytes(path).size());

    // A tie goes to LF, the system's own line end; a CR cut off from its LF by the end of a
    // piece read is still one break.
    QVERIFY(TestFiles::writeBytes(path, "a\nb\r\nc"));
    QCOMPARE(TextFile::load(path).format.lineEnd, LineEnd::LF);
    const QByteArray across = QByteArray((1 << 20) - 1, 'x') + "\r\ny";
    QVERIFY(TestFiles::writeBytes(path, across));
    DecodedText big = TextFile::load(path);
    QCOMPARE(big.storage.lineCount(), 2);
    QCOMPARE(big.storage.lineEndOf(0), LineEnd::CRLF);
}

void TestTextFile::strayBytesKeepTheRestUtf8()
{
    // UTF-8 but for one byte: the text reads as UTF-8, the byte comes back as it was, and a
    // character no single-byte encoding holds is saved as UTF-8 beside it.
    const QString path = m_dir.filePath(QStringLiteral("mostly.txt"));
    const QByteArray original("r\xC3\xA9sum\xC3\xA9 \xFF caf\xC3\xA9\n");
    QVERIFY(TestFiles::writeBytes(path, original));
    DecodedText loaded = TextFile::load(path);
    QCOMPARE(loaded.format.encoding, TextEncoding::Utf8);
    QCOMPARE(loaded.strayBytes, 1);
    TextDocument doc;
    doc.reset(std::move(loaded.storage), loaded.format, loaded.byteSize);
    QVERIFY(doc.toPlainText().startsWith(QStringLiteral("r\u00e9sum\u00e9 ")));
    doc.insert(doc.lineEnd(0), u" \u4E2D");
    QCOMPARE(TextFile::findUnencodable(doc.storage(), TextEncoding::Utf8), qsizetype(-1));
    TextFile::save(path, doc.storage(), doc.format());
    QCOMPARE(TestFiles::readBytes(path),
             QByteArray("r\xC3\xA9sum\xC3\xA9 \xFF caf\xC3\xA9 \xE4\xB8\xAD\n"));
    QCOMPARE(doc.byteSize(), TestFiles::readBytes(path).size());

    // A text in a single-byte encoding stays one, and turns into proper UTF-8 when asked.
    QVERIFY(TestFiles::writeBytes(path, "caf\xE9 cr\xE8me\n"));
    loaded = TextFile::load(path);
    QCOMPARE(loaded.format.encoding, TextEncoding::SingleByte);
    TextFormat utf8 = loaded.format;
    utf8.encoding = TextEncoding::Utf8;
    TextFile::save(path, loaded.storage, utf8);
    QCOMPARE(TestFiles::readBytes(path), QByteArray("caf\xC3\xA9 cr\xC3\xA8me\n"));
}

void TestTextFile::tooLargeForMemoryIsRefused()
{
    const QString path = m_dir.filePath(QStringLiteral("large.txt"));
    QVERIFY(TestFiles::writeBytes(path, QByteArray(4 << 20, 'x')));
    MemoryBudget::setAvailableForTests(1 << 20);
    const QString error = errorOf([&] { TextFile::load(path); });
    MemoryBudget::setAvailableForTests(std::nullopt);
    QCOMPARE(error,
             QStringLiteral("Cannot open file %1\rIt is 4,194,304 bytes long; editing it "
                            "takes about 5 MB of memory, and only 1 MB are free.")
                     .arg(path));
    // Short lines take more than expected: the check goes on while the text goes in.
    QVERIFY(TestFiles::writeBytes(path, QByteArray(3 << 20, '\n')));
    MemoryBudget::setAvailableForTests(TextFile::expectedFootprint(3 << 20) + 1);
    const QString growing = errorOf([&] { TextFile::load(path); });
    MemoryBudget::setAvailableForTests(std::nullopt);
    QVERIFY2(growing.contains(QStringLiteral("MB of memory")), qPrintable(growing));
}

void TestTextFile::editedTextKeepsTheFormat_data()
{
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QByteArray>("saved");

    QTest::newRow("Windows-1252, CRLF")
            << QByteArray("\x80 5\r\n") << QStringLiteral("\u20AC 5\n\u2014 caf\u00E9\n")
            << QByteArray("\x80 5\r\n\x97 caf\xE9\r\n");
    QTest::newRow("UTF-16 BE, CR")
            << utf16(QStringLiteral("x\r"), true) << QStringLiteral("\u4E2D\ny\n")
            << utf16(QStringLiteral("\u4E2D\ry\r"), true);
    QTest::newRow("UTF-8 BOM, no final line end")
            << QByteArray("\xEF\xBB\xBFold") << QStringLiteral("new\nline")
            << QByteArray("\xEF\xBB\xBFnew\nline");
    QTest::newRow("text emptied") << QByteArray("a\r\nb\r\n") << QString() << QByteArray();
}

void TestTextFile::editedTextKeepsTheFormat()
{
    QFETCH(QByteArray, original);
    QFETCH(QString, edited);
    QFETCH(QByteArray, saved);

    const QString path = m_dir.filePath(QStringLiteral("edited.txt"));
    QVERIFY(TestFiles::writeBytes(path, original));
    TextDocument doc;
    doc.setPlainText(edited, TextFile::load(path).format);
    TextFile::save(path, doc.storage(), doc.format());
    QCOMPARE(TestFiles::readBytes(path), saved);
    QCOMPARE(TextFile::load(path).storage.text(0, edited.size()), edited);
}

void TestTextFile::refusesWhatWouldNotComeBack_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing") << "missing.txt"
                             << "No such file or directory.";
    QTest::newRow("NUL byte") << "nul.bin"
                              << "It holds NUL characters, so it is not a plain text file.";
    QTest::newRow("UTF-16 U+0000") << "nul16.txt"
                                   << "It holds NUL characters, so it is not a plain text file.";
    QTest::newRow("UTF-16 of odd length") << "odd16.txt"
                                          << "It is UTF-16 with an odd number of bytes, so its "
                                             "last character is cut off.";
    QTest::newRow("folder") << "folder"
                            << "It is a folder.";
    QTest::newRow("named pipe") << "pipe"
                                << "It is not a regular file.";
}

void TestTextFile::refusesWhatWouldNotComeBack()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);

    QVERIFY(TestFiles::writeBytes(m_dir.filePath(QStringLiteral("nul.bin")),
                                  QByteArray("ab\0cd", 5)));
    QVERIFY(TestFiles::writeBytes(m_dir.filePath(QStringLiteral("nul16.txt")),
                                  QByteArray("\xFF\xFE\x61\0\0\0", 6)));
    QVERIFY(TestFiles::writeBytes(m_dir.filePath(QStringLiteral("odd16.txt")),
                                  QByteArray("\xFF\xFE\x61\0\x62", 5)));
    QDir(m_dir.path()).mkpath(QStringLiteral("folder"));
    ::mkfifo(QFile::encodeName(m_dir.filePath(QStringLiteral("pipe"))).constData(), 0600);

    const QString path = m_dir.filePath(name);
    QCOMPARE(errorOf([&] { TextFile::load(path); }),
             QStringLiteral("Cannot open file %1\r%2").arg(path, reason));
}

void TestTextFile::unencodableTextIsRefused_data()
{
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<qsizetype>("badIndex");
    QTest::addColumn<QString>("reason");

    QTest::newRow("CJK in Windows-1252")
            << QByteArray("caf\xE9\n") << QStringLiteral("caf\u00E9\n\u20AC\u4E2D") << qsizetype(6)
            << "The character \"\u4E2D\" (U+4E2D) in line 2 cannot be stored in the file's "
               "encoding, Windows-1252. Nothing was written.";
    QTest::newRow("emoji in Windows-1252")
            << QByteArray("\xE9") << QStringLiteral("\U0001F600") << qsizetype(0)
            << "The character \"\U0001F600\" (U+1F600) in line 1 cannot be stored in the "
               "file's encoding, Windows-1252. Nothing was written.";
    QTest::newRow("half a character in Windows-1252")
            << QByteArray("\xE9") << (QStringLiteral("\u00E9") + QChar(0xDC00)) << qsizetype(1)
            << "Line 1 holds half a character (U+DC00), which no file can store. Nothing was "
               "written.";

    QTest::newRow("far into a long text")
            << QByteArray("\xE9") << (QString(700000, QLatin1Char('a')) + QStringLiteral("\u4E2D"))
            << qsizetype(700000)
            << "The character \"\u4E2D\" (U+4E2D) in line 1 cannot be stored in the file's "
               "encoding, Windows-1252. Nothing was written.";
    QTest::newRow("half a character in UTF-8")
            << QByteArray("x") << (QStringLiteral("ok\nx") + QChar(0xD83D)) << qsizetype(4)
            << "Line 2 holds half a character (U+D83D), which no file can store. Nothing was "
               "written.";
}

void TestTextFile::unencodableTextIsRefused()
{
    QFETCH(QByteArray, original);
    QFETCH(QString, edited);
    QFETCH(qsizetype, badIndex);
    QFETCH(QString, reason);

    const QString path = m_dir.filePath(QStringLiteral("narrow.txt"));
    QVERIFY(TestFiles::writeBytes(path, original));
    const TextFormat format = TextFile::load(path).format;
    TextDocument doc;
    doc.setPlainText(edited, format);
    QCOMPARE(TextFile::findUnencodable(doc.storage(), format.encoding), badIndex);
    QCOMPARE(errorOf([&] { TextFile::save(path, doc.storage(), format); }),
             QStringLiteral("Cannot create file %1\r%2").arg(path, reason));
    QCOMPARE(TestFiles::readBytes(path), original);
    QCOMPARE(QDir(m_dir.path())
                     .entryList(QStringList() << QStringLiteral(".leafstack*"),
                                QDir::Files | QDir::Hidden),
             QStringList());
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
