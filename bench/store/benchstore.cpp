// Two figures of the store's list windows, against a local fake server:
//  1. a list of 2,000 products: parsing the reply and building the cards,
//     then the first layout and paint;
//  2. 500 tab changes of a store window: growth of resident memory.
#include "app/accountstate.h"
#include "fakeserver.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "store/cqwnditems.h"
#include "store/cqwndproduct.h"
#include "widgets/qtmaterialtabs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QRegularExpression>
#include <QScrollBar>
#include <QScrollArea>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {

QByteArray productList(int count, const QString& imageBase)
{
    QJsonArray list;
    for (int id = 1; id <= count; ++id) {
        list.append(QJsonObject{
            {QStringLiteral("id"), QString::number(id)},
            {QStringLiteral("title"), QStringLiteral("Product number %1 with a longer title").arg(id)},
            {QStringLiteral("subtitle"), QStringLiteral("20 minutes, mat")},
            {QStringLiteral("minidescription"), QStringLiteral("A short description of the product for the card.")},
            {QStringLiteral("fulldescription"), QStringLiteral("The full description.")},
            {QStringLiteral("price"), QStringLiteral("%1.99").arg(id % 50)},
            {QStringLiteral("ebookprice"), id % 3 ? QStringLiteral("4.99") : QStringLiteral("0")},
            {QStringLiteral("ebook"), QStringLiteral("0")},
            {QStringLiteral("ebook2"), QStringLiteral("0,1")},
            {QStringLiteral("period"), QStringLiteral("30")},
            {QStringLiteral("image"), QString(imageBase + QStringLiteral("/img/%1.png").arg(id % 10))},
            {QStringLiteral("type"), QStringLiteral("NUTRITION")},
            {QStringLiteral("status"), id % 4 ? QStringLiteral("no") : QStringLiteral("yes")},
            {QStringLiteral("quantity"), QStringLiteral("1")},
        });
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("result_code"), 0}, {QStringLiteral("video_list"), list}})
        .toJson(QJsonDocument::Compact);
}

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FakeServer fake;
    fake.useAsApiHost();
    currentUserId = QStringLiteral("1");
    loadingWindow = new CqWndLoading;
    const int rounds = qEnvironmentVariableIntValue("BENCH_ROUNDS") > 0 ? qEnvironmentVariableIntValue("BENCH_ROUNDS") : 5;
    const int tabChanges = qEnvironmentVariableIntValue("BENCH_TABS") > 0 ? qEnvironmentVariableIntValue("BENCH_TABS") : 500;

    // 1. 2,000 products. The list request hangs so that the reply can be
    // handed in directly and timed alone.
    const QByteArray reply = productList(2000, QStringLiteral("http://") + fake.hostAndPort());
    fake.setDefaultReply(QStringLiteral("/api/getVideos"), FakeServer::Reply::hang());
    CqWndItems::setReplyTimeout(600000);
    QList<double> build, firstPaint, nextBatch;
    for (int round = 0; round < rounds; ++round) {
        CqWndItems window(5, 0);
        window.resize(1600, 1000);
        QElapsedTimer timer;
        timer.start();
        window.slt_net_items(QString::fromUtf8(reply));
        build.append(timer.nsecsElapsed() / 1e6);
        window.show();
        QApplication::processEvents();
        firstPaint.append(timer.nsecsElapsed() / 1e6);
        // The member scrolls to the end of the first cards: the next batch.
        auto* scrollBar = window.findChild<QScrollArea*>(QStringLiteral("scrollArea"))->verticalScrollBar();
        const qsizetype before = window.findChildren<QFrame*>(QRegularExpression(QStringLiteral("^card_"))).size();
        timer.restart();
        scrollBar->setValue(scrollBar->maximum());
        while (window.findChildren<QFrame*>(QRegularExpression(QStringLiteral("^card_"))).size() == before)
            QApplication::processEvents();
        QApplication::processEvents();
        nextBatch.append(timer.nsecsElapsed() / 1e6);
        if (loadingWindow->isLoading())
            loadingWindow->stopLoading();
    }
    std::printf("2000 products: parse + first screen of cards, median of %d: %.1f ms (until shown and laid out: "
                "%.1f ms; the next cards after scrolling to the end: %.1f ms)\n",
                rounds, median(build), median(firstPaint), median(nextBatch));

    // 2. Tab changes of a store window whose lists hold 30 products each.
    fake.clear();
    const QByteArray small = productList(30, QStringLiteral("http://") + fake.hostAndPort());
    for (const char* path : {"/api/getVideos", "/api/getCheckout", "/api/getLocalVideo"})
        fake.setDefaultReply(QString::fromLatin1(path), FakeServer::Reply::json(small));
    fake.serveFile(QStringLiteral("/img/0.png"), QByteArray());
    CqWndItems::setReplyTimeout(15000);
    MainWindow::instance();
    CqWndProduct store(1);
    store.resize(1600, 1000);
    store.show();
    const auto changeTabs = [&](int count) {
        for (int i = 0; i < count; ++i) {
            if (i % 5 == 4)
                store.categoryTabs()->setCurrentTab((i / 5) % 3);
            else
                store.productTabs()->setCurrentTab(i % 3);
            (void)QTest::qWaitFor([&store] { return store.currentList() && store.currentList()->isFinished(); }, 15000);
            QApplication::processEvents();
        }
        store.categoryTabs()->setCurrentTab(0);
        (void)QTest::qWaitFor([&store] { return store.currentList()->isFinished(); }, 15000);
        QTest::qWait(200);
    };
    changeTabs(50); // warm-up: caches, fonts, the first allocations
    const long before = residentKiB();
    QElapsedTimer timer;
    timer.start();
    changeTabs(tabChanges);
    const long after = residentKiB();
    std::printf("%d tab changes: resident memory %ld KiB -> %ld KiB, growth %.1f MiB (%.0f ms per change)\n",
                tabChanges, before, after, (after - before) / 1024.0, double(timer.elapsed()) / tabChanges);
    return 0;
}
