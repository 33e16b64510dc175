#include "video/downloadheaders.h"

#include <QTest>

// The file server's headers as the downloader reads them, and the file name
// rule: whatever a server sends, a wrong part of a file is never taken for
// the part asked for, and no name leaves the data directory.
class TestDownloadHeaders final : public QObject
{
    Q_OBJECT

private slots:
    void contentRange_data();
    void contentRange();
    void acceptRanges_data();
    void acceptRanges();
    void fileName_data();
    void fileName();
};

void TestDownloadHeaders::contentRange_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last");
    QTest::addColumn<qint64>("total");

    QTest::newRow("whole form") << QByteArray("bytes 1000-4999/5000") << 1000LL << 4999LL << 5000LL;
    QTest::newRow("unknown total") << QByteArray("bytes 1000-4999/*") << 1000LL << 4999LL << -1LL;
    QTest::newRow("unit in capitals, spaces around") << QByteArray("  BYTES  0-0/1 ") << 0LL << 0LL << 1LL;
    QTest::newRow("past 32 bits") << QByteArray("bytes 4294967296-6442450943/6442450944") << 4294967296LL
                                  << 6442450943LL << 6442450944LL;
    // A 416 names only the total.
    QTest::newRow("unsatisfiable") << QByteArray("bytes */5000") << -1LL << -1LL << 5000LL;
    // Ranges that cannot describe the file.
    QTest::newRow("last before first") << QByteArray("bytes 500-100/5000") << -1LL << -1LL << 5000LL;
    QTest::newRow("last at the total") << QByteArray("bytes 0-5000/5000") << -1LL << -1LL << 5000LL;
    QTest::newRow("empty file") << QByteArray("bytes 0-0/0") << -1LL << -1LL << 0LL;
    QTest::newRow("negative first") << QByteArray("bytes -5-10/20") << -1LL << -1LL << 20LL;
    QTest::newRow("signed first") << QByteArray("bytes +5-10/20") << -1LL << -1LL << 20LL;
    QTest::newRow("no last") << QByteArray("bytes 5-/20") << -1LL << -1LL << 20LL;
    QTest::newRow("space inside a number") << QByteArray("bytes 1 0-20/30") << -1LL << -1LL << 30LL;
    QTest::newRow("hex") << QByteArray("bytes 0x10-0x20/64") << -1LL << -1LL << 64LL;
    QTest::newRow("too many digits") << QByteArray("bytes 0-1/9999999999999999999") << -1LL << -1LL << -1LL;
    QTest::newRow("first too long") << QByteArray("bytes 9999999999999999999-1/*") << -1LL << -1LL << -1LL;
    QTest::newRow("negative total") << QByteArray("bytes 0-1/-5") << -1LL << -1LL << -1LL;
    QTest::newRow("no total") << QByteArray("bytes 0-10") << -1LL << -1LL << -1LL;
    QTest::newRow("other unit") << QByteArray("items 0-1/2") << -1LL << -1LL << -1LL;
    QTest::newRow("unit glued on") << QByteArray("bytes0-1/2") << -1LL << -1LL << -1LL;
    QTest::newRow("unit only") << QByteArray("bytes") << -1LL << -1LL << -1LL;
    QTest::newRow("empty") << QByteArray() << -1LL << -1LL << -1LL;
    QTest::newRow("binary") << QByteArray("bytes \0-\1/\2", 11) << -1LL << -1LL << -1LL;
}

void TestDownloadHeaders::contentRange()
{
    QFETCH(QByteArray, value);
    QFETCH(qint64, first);
    QFETCH(qint64, last);
    QFETCH(qint64, total);
    const DownloadHeaders::ContentRange range = DownloadHeaders::parseContentRange(value);
    QCOMPARE(range.first, first);
    QCOMPARE(range.last, last);
    QCOMPARE(range.total, total);
    QCOMPARE(range.hasRange(), first >= 0);
}

void TestDownloadHeaders::acceptRanges_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("accepts");
    QTest::newRow("bytes") << QByteArray("bytes") << true;
    QTest::newRow("Bytes") << QByteArray("Bytes") << true;
    QTest::newRow("spaces") << QByteArray("  bytes\t") << true;
    QTest::newRow("one of a list") << QByteArray("pages, bytes") << true;
    QTest::newRow("none") << QByteArray("none") << false;
    QTest::newRow("absent") << QByteArray() << false;
    QTest::newRow("other unit") << QByteArray("pages") << false;
    QTest::newRow("prefix only") << QByteArray("bytesx") << false;
    QTest::newRow("inside a word") << QByteArray("nobytes") << false;
    QTest::newRow("with a parameter") << QByteArray("bytes;q=1") << false;
}

void TestDownloadHeaders::acceptRanges()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, accepts);
    QCOMPARE(DownloadHeaders::acceptsByteRanges(value), accepts);
}

void TestDownloadHeaders::fileName_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("name");
    QTest::newRow("query ignored") << "http://h/v/clip.sys?x=1#y" << "clip.mp4";
    QTest::newRow("every sys") << "http://h/v/sysop.sys" << "mp4op.mp4";
    QTest::newRow("encoded backslash") << "http://h/v/..%5C..%5Cwin.ini" << ".._.._win.ini";
    QTest::newRow("control character") << "http://h/v/a%0Ab.mp4" << "a_b.mp4";
}

void TestDownloadHeaders::fileName()
{
    QFETCH(QString, url);
    QFETCH(QString, name);
    QCOMPARE(DownloadHeaders::fileNameFor(QUrl(url)), name);
    QCOMPARE(DownloadHeaders::localPathFor(QUrl(url), QStringLiteral("/data")), QStringLiteral("/data/.") + name);
}

QTEST_MAIN(TestDownloadHeaders)
#include "tst_downloadheaders.moc"
