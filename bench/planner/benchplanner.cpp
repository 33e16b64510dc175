// Times the history window with 3,650 days (parse, rows, chart), the details
// window with 50 food types of 40 foods, and the resident memory of opening
// 500 days one after another in the main window.
#include "main/cqwndhistory.h"
#include "main/cqwndhistorydetails.h"
#include "main/cqwndloading.h"
#include "main/historymodel.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTcpServer>
#include <QTimeZone>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

QString historyReply(int days)
{
    QJsonArray list;
    const qint64 first = QDateTime(QDate(2016, 1, 1), QTime(12, 0), QTimeZone::utc()).toMSecsSinceEpoch();
    for (int i = days - 1; i >= 0; --i) {
        const int total = 1400 + (i * 37) % 500;
        list.append(QJsonObject{{"id", QString::number(i + 1)},
                                {"date", QString::number(first + qint64(i) * 86400000)},
                                {"total", QString::number(total)},
                                {"remain", QString::number(1800 - total)},
                                {"score", QString::number(80 + i % 20)},
                                {"grade", "B"},
                                {"breakfast", "360"}, {"firstsnack", "180"}, {"lunch", "540"},
                                {"secondsnack", "180"}, {"dinner", "360"}, {"thirdsnack", "180"}});
    }
    return QString::fromUtf8(
        QJsonDocument(QJsonObject{{"result_code", 0}, {"history_info", list}}).toJson(QJsonDocument::Compact));
}

QString detailReply(int types, int foods)
{
    QJsonArray groups;
    for (int t = 0; t < types; ++t) {
        QJsonArray items;
        for (int f = 0; f < foods; ++f) {
            items.append(QJsonObject{{"title", QStringLiteral("Food %1 of type %2").arg(f).arg(t)},
                                     {"cal", "123.4"}, {"carbs", "12.5"}, {"fat", "3.2"},
                                     {"protein", "8.8"}, {"fiber", "2.1"}});
        }
        groups.append(QJsonObject{{"id", QString::number(t + 1)}, {"food_type", QStringLiteral("Type %1").arg(t)},
                                  {"categories", items}});
    }
    return QString::fromUtf8(
        QJsonDocument(QJsonObject{{"result_code", 0}, {"historydetail_info", groups}}).toJson(QJsonDocument::Compact));
}

// CPU time of this thread in ms: the machine is shared, and wall time then
// mostly measures the other processes.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A server that takes the windows' own requests and never answers them:
    // the replies below are handed to the windows directly, and no refused
    // request may end a window's wait before its reply is timed.
    QTcpServer silent;
    silent.listen(QHostAddress::LocalHost);
    qputenv("OLVA_API_HOST", QByteArray("127.0.0.1:") + QByteArray::number(silent.serverPort()));
    qputenv("OLVA_REPLY_TIMEOUT_MS", "600000");
    loadingWindow = new CqWndLoading;
    registerFeatureWindows();
    MainWindow main;
    main.resize(1500, 900);
    main.show();

    const int runs = 5;
    const QString history = historyReply(3650);

    QList<double> parseTimes, parseCpu;
    QList<double> windowTimes, windowCpu;
    QList<double> allRowsTimes, allRowsCpu;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        double cpu = cpuMs();
        const auto records = HistoryReply::parse(history);
        parseTimes.append(timer.nsecsElapsed() / 1e6);
        parseCpu.append(cpuMs() - cpu);

        auto* window = new CqWndHistory;
        window->resize(1500, 900);
        timer.restart();
        cpu = cpuMs();
        QMetaObject::invokeMethod(window, "slt_net_historylist", Q_ARG(QString, history));
        windowTimes.append(timer.nsecsElapsed() / 1e6);
        windowCpu.append(cpuMs() - cpu);
        // Shown, as the member sees it: the rows' first layout and paint.
        window->show();
        QCoreApplication::processEvents();
        window->repaint();
        allRowsTimes.append(timer.nsecsElapsed() / 1e6);
        allRowsCpu.append(cpuMs() - cpu);
        if (window->records().size() != 3650)
            std::fprintf(stderr, "history: %zu records\n", window->records().size());
        delete window;
        settle();
    }
    if (loadingWindow->isLoading())
        loadingWindow->stopLoading();

    HistoryModel day;
    day.id = 1;
    day.date = QDateTime::currentMSecsSinceEpoch();
    const QString details = detailReply(50, 40);
    QList<double> detailTimes, detailCpu;
    for (int run = 0; run < runs; ++run) {
        CqWndHistoryDetails window(&day);
        window.resize(1500, 900);
        QElapsedTimer timer;
        timer.start();
        const double cpu = cpuMs();
        QMetaObject::invokeMethod(&window, "slt_net_historydetails", Q_ARG(QString, details));
        detailTimes.append(timer.nsecsElapsed() / 1e6);
        detailCpu.append(cpuMs() - cpu);
    }

    // 500 days opened one after another, each showing one meal of 5 types.
    const QString meal = detailReply(5, 8);
    std::vector<std::unique_ptr<HistoryModel>> days;
    for (int i = 0; i < 520; ++i) {
        auto record = std::make_unique<HistoryModel>();
        record->id = i + 1;
        record->total = "1500";
        days.push_back(std::move(record));
    }
    auto openDay = [&](HistoryModel* record) {
        main.showHistoryDetails(record);
        QWidget* window = main.findChild<QMdiArea*>()->activeSubWindow()->widget();
        QMetaObject::invokeMethod(window, "slt_net_historydetails", Q_ARG(QString, meal));
        settle();
    };
    for (int i = 0; i < 20; ++i) // warm-up: caches, fonts, style sheets
        openDay(days[size_t(i)].get());
    const long before = residentKiB();
    for (int i = 20; i < 520; ++i)
        openDay(days[size_t(i)].get());
    settle();
    const long after = residentKiB();

    std::printf("medians of %d runs, wall ms / CPU ms of the GUI thread\n", runs);
    std::printf("history 3650 days: parse %.1f / %.1f; reply handled (parse, rows, chart) %.1f / %.1f;"
                " then shown and painted %.1f / %.1f\n",
                median(parseTimes), median(parseCpu), median(windowTimes), median(windowCpu), median(allRowsTimes),
                median(allRowsCpu));
    std::printf("details 50 types x 40 foods: %.1f / %.1f\n", median(detailTimes), median(detailCpu));
    std::printf("500 days opened: resident %ld KiB -> %ld KiB, growth %.1f MiB\n", before, after,
                (after - before) / 1024.0);
    return 0;
}
