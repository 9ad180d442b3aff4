// The exchange file: code page 1250, the byte layout of sentence files, and the refusal of foreign or
// damaged files before anything is read from them.
#include "exchange/CodePage1250.h"
#include "exchange/ExchangeFile.h"
#include "exchange/clsExport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace ExchangeFile;

class tst_exchangefile : public QObject {
    Q_OBJECT
private slots:
    void codePage_data();
    void codePage();
    void sentenceFileLayout();
    void failedWriteLeavesTargetAlone();
    void reading_data();
    void reading();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_dir;
};

QString tst_exchangefile::write(const QString &name, const QByteArray &bytes) {
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write the test file");
    return path;
}

void tst_exchangefile::codePage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("readBack");
    QTest::addColumn<int>("replaced");
    QTest::newRow("hungarian outside latin-1")
        << QStringLiteral("Ő ő Ű ű") << QByteArray("\xD5 \xF5 \xDB \xFB") << QStringLiteral("Ő ő Ű ű") << 0;
    QTest::newRow("accents and punctuation")
        << QStringLiteral("Árvíztűrő tükörfúrógép – „jó”")
        << QByteArray("\xC1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p \x96 \x84j\xF3\x94")
        << QStringLiteral("Árvíztűrő tükörfúrógép – „jó”") << 0;
    QTest::newRow("not in the code page") << QStringLiteral("a€bñc😀d")
                                          << QByteArray("a\x80"
                                                        "b?c?d")
                                          << QStringLiteral("a€b?c?d") << 2;
}

void tst_exchangefile::codePage() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, readBack);
    QFETCH(int, replaced);
    int count = 0;
    QCOMPARE(CodePage1250::encode(text, &count), bytes);
    QCOMPARE(count, replaced);
    QCOMPARE(CodePage1250::decode(bytes), readBack);
}

void tst_exchangefile::sentenceFileLayout() {
    const QString path = m_dir.filePath(QStringLiteral("mondatok.mb"));
    write(QStringLiteral("mondatok.mb"), QByteArray("an older file"));
    const QString longest = QString(509, QLatin1Char('x')) + QStringLiteral("őz");
    clsExport file;
    QVERIFY(file.CreateFile(path, Sentences));
    QCOMPARE(file.kind(), Sentences);
    file.WriteSentence(QStringLiteral("Szépen ír."));
    file.WriteSentence(longest);
    QVERIFY(file.CloseFile());
    QCOMPARE(file.kind(), Closed);
    QCOMPARE(file.cutTexts(), 1);

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.size(), kHeaderSize + 2 * kSentenceField);
    QCOMPARE(bytes.left(6), QByteArray("mb42\x01\x00", 6));
    QCOMPARE(bytes.mid(6, kSentenceField), QByteArray("Sz\xE9pen \xEDr.") + QByteArray(500, ' '));
    QCOMPARE(bytes.mid(6 + kSentenceField), QByteArray(509, 'x') + QByteArray("\xF5"));

    // A sentence written to a file of another kind is not written at all.
    clsExport other;
    QVERIFY(other.CreateFile(path, Class));
    other.WriteSentence(QStringLiteral("Nem ide való."));
    QVERIFY(other.CloseFile());
    QCOMPARE(QFileInfo(path).size(), qint64(kHeaderSize));
}

void tst_exchangefile::failedWriteLeavesTargetAlone() {
    const QString path = write(QStringLiteral("regi.mb"), QByteArray("mb42\x01\x00", 6));
    {
        clsExport abandoned;
        QVERIFY(abandoned.CreateFile(path, Sentences));
        abandoned.WriteSentence(QStringLiteral("Félbehagyott."));
    } // never closed: the export failed half-way
    QCOMPARE(QFileInfo(path).size(), qint64(kHeaderSize));
    clsExport nowhere;
    QVERIFY(!nowhere.CreateFile(m_dir.filePath(QStringLiteral("nincs/ilyen/mappa.mb")), Sentences));
    QCOMPARE(nowhere.kind(), Closed);
}

void tst_exchangefile::reading_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("sentences");
    const QByteArray header("mb42\x01\x00", 6);
    QByteArray field1 = QByteArray("  Sz\xE9pen \xEDr, \xF5szint\xE9n.");
    field1.append(kSentenceField - field1.size(), ' ');
    QByteArray field2 = QByteArray("Sor\r\nt\xF6r\xE9s");
    field2.append('\0');
    field2.append(kSentenceField - field2.size(), '\0');
    const QByteArray blank(kSentenceField, ' ');
    const QStringList two{QStringLiteral("Szépen ír, őszintén."), QStringLiteral("Sor  törés")};
    const int ok = int(ReadStatus::Ok), wrong = int(ReadStatus::WrongFormat),
              damaged = int(ReadStatus::Damaged);

    QTest::newRow("sentences, blanks and controls trimmed, empty field dropped")
        << header + field1 + blank + field2 << int(Sentences) << ok << two;
    QTest::newRow("header only") << header << int(Sentences) << ok << QStringList();
    QTest::newRow("zero length") << QByteArray() << int(Sentences) << wrong << QStringList();
    QTest::newRow("truncated header")
        << QByteArray("mb42\x01", 5) << int(Sentences) << wrong << QStringList();
    QTest::newRow("another magic") << QByteArray("mb41\x01\x00", 6) + field1 << int(Sentences) << wrong
                                   << QStringList();
    QTest::newRow("class file offered as sentences")
        << QByteArray("mb42\x02\x00", 6) + field1 << int(Sentences) << wrong << QStringList();
    QTest::newRow("partial last field")
        << header + field1 + field2.left(200) << int(Sentences) << damaged << QStringList();
}

void tst_exchangefile::reading() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, expected);
    QFETCH(int, status);
    QFETCH(QStringList, sentences);
    Content content = read(write(QStringLiteral("be.mb"), bytes), Kind(expected));
    QStringList read;
    ReadStatus result = content.status;
    if (result == ReadStatus::Ok)
        result = readSentences(content.records, read);
    QCOMPARE(int(result), status);
    QCOMPARE(read, sentences);
}

QTEST_GUILESS_MAIN(tst_exchangefile)
#include "tst_exchangefile.moc"
