// Times ten years of daily weighings (3,650) through the weight window's
// stages: the CSV file read back, the trend, the summary, the list and the
// chart shown; then twice and four times as many, to show the growth is
// linear. Last, the resident memory over 200 openings of the weight window
// from the main window, and over 200 windows built and deleted.
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "weight/cqwndweight.h"
#include "weight/weightchartview.h"
#include "weight/weightcsv.h"
#include "weight/weightlistmodel.h"
#include "weight/weightsummary.h"
#include "weight/weighttrend.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScatterSeries>
#include <QTcpServer>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

// A slow loss with water-weight swings.
QList<WeightEntry> weighings(int count)
{
    QList<WeightEntry> entries;
    entries.reserve(count);
    const QDate today = QDate::currentDate();
    for (int i = count - 1; i >= 0; --i) {
        const double drift = 95.0 - 0.004 * (count - i);
        const double swing = 0.8 * std::sin(i * 1.7) + 0.4 * std::sin(i * 0.31);
        entries.append({today.addDays(-i), std::round(std::max(40.0, drift + swing) * 10) / 10});
    }
    return entries;
}

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

long statusKiB(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLong();
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

struct Stages
{
    QList<double> parse, trend, summary, list, chart, shown, total;
};

// One pass over `file`, each stage on the CPU clock of the GUI thread (the
// machine is shared: wall time would mostly measure the others).
void measure(const QByteArray& file, int expected, Stages& stages)
{
    const double start = cpuMs();
    double at = start;
    auto lap = [&at](QList<double>& into) {
        const double now = cpuMs();
        into.append(now - at);
        at = now;
    };
    const WeightImport read = WeightCsv::parse(file);
    lap(stages.parse);
    const WeightTrend trend(read.entries);
    lap(stages.trend);
    const WeightSummary summary = WeightSummary::of(trend, QDate::currentDate(), 75.0, 175.0);
    lap(stages.summary);
    WeightListModel list;
    list.setData(trend, WeightUnit::Kilograms);
    lap(stages.list);
    WeightChartView chart;
    chart.resize(1100, 600);
    chart.setSpan(WeightChartView::Span::All);
    chart.setData(trend, summary.goalKg, WeightUnit::Kilograms);
    lap(stages.chart);
    chart.show();
    QCoreApplication::processEvents();
    chart.repaint();
    lap(stages.shown);
    stages.total.append(cpuMs() - start);
    // `bench_weight FILE.png`: the chart as the member sees it, for a look.
    if (QCoreApplication::arguments().size() > 1 && expected == 3650)
        chart.grab().save(QCoreApplication::arguments().at(1));
    if (read.entries.size() != expected || chart.weighingSeries()->count() == 0)
        std::fprintf(stderr, "read %lld of %d weighings\n", qlonglong(read.entries.size()),
                     expected);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    // The windows' own requests go to a server that never answers.
    QTcpServer silent;
    silent.listen(QHostAddress::LocalHost);
    qputenv("OLVA_API_HOST", QByteArray("127.0.0.1:") + QByteArray::number(silent.serverPort()));
    qputenv("OLVA_REPLY_TIMEOUT_MS", "600000");
    loadingWindow = new CqWndLoading;

    const int runs = 5;
    std::printf("medians of %d runs, CPU ms of the GUI thread\n", runs);
    std::printf("%8s %8s %8s %8s %8s %8s %8s %8s\n", "entries", "parse", "trend", "summary", "list",
                "chart", "shown", "total");
    for (int factor : {1, 2, 4}) {
        const int count = 3650 * factor;
        const QByteArray file = WeightCsv::exportCsv(weighings(count), WeightUnit::Kilograms);
        Stages stages;
        measure(file, count, stages); // warm-up: fonts, caches, style
        stages = {};
        for (int run = 0; run < runs; ++run) {
            measure(file, count, stages);
            settle();
        }
        std::printf("%8d %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f\n", count, median(stages.parse),
                    median(stages.trend), median(stages.summary), median(stages.list),
                    median(stages.chart), median(stages.shown), median(stages.total));
    }

    // 200 openings of the window from the main window, as the member opens
    // it: the kept window comes back and asks for the weights again.
    registerFeatureWindows();
    MainWindow main;
    main.resize(1500, 900);
    main.show();
    auto openFromMain = [&main] {
        main.showWeight();
        QCoreApplication::processEvents();
        // The silent server never answers: the overlay would hold the next opening.
        if (loadingWindow->isLoading())
            loadingWindow->stopLoading();
        main.showSettings();
        settle();
    };
    for (int i = 0; i < 20; ++i) // warm-up
        openFromMain();
    long before = statusKiB("VmRSS:");
    for (int i = 0; i < 200; ++i)
        openFromMain();
    long after = statusKiB("VmRSS:");
    std::printf(
        "200 openings from the main window: resident %ld KiB -> %ld KiB (growth %.1f MiB)\n",
        before, after, (after - before) / 1024.0);

    // The same window built and deleted 200 times, ten years in its chart:
    // what a window per opening would cost (the main window keeps one).
    const WeightTrend tenYears(weighings(3650));
    auto build = [&tenYears] {
        auto* window = new CqWndWeight;
        window->resize(1100, 760);
        window->show();
        window->chart()->setData(tenYears, 75.0, WeightUnit::Kilograms);
        QCoreApplication::processEvents();
        delete window;
        if (loadingWindow->isLoading())
            loadingWindow->stopLoading();
        settle();
    };
    for (int i = 0; i < 20; ++i) // warm-up
        build();
    before = statusKiB("VmRSS:");
    for (int i = 0; i < 200; ++i)
        build();
    after = statusKiB("VmRSS:");
    std::printf("200 windows built and deleted: resident %ld KiB -> %ld KiB (growth %.1f MiB)\n",
                before, after, (after - before) / 1024.0);
    std::printf("peak resident %ld KiB\n", statusKiB("VmHWM:"));
    return 0;
}
