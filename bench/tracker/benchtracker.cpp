// The tracker with a large catalogue, step by step as the member waits for
// it: parse the reply, build the category list (with the meal restored),
// open the big category, mark foods, save; then the search over the whole
// catalogue, keystroke by keystroke, alone and through the window's search
// box. Prints each step's time and the peak memory.
//
//   bench_tracker [foods=10000] [categories=200] [big category=500] [marks=50]

#include "tracker/cqwndtracker.h"
#include "tracker/foodcatalogue.h"
#include "tracker/foodsearch.h"
#include "tracker/foodtablemodel.h"

#include "app/accountstate.h"
#include "widgets/mywidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

QByteArray makeCatalogue(int foods, int categories, int bigCategory)
{
    QJsonArray list;
    int nextFood = 1;
    const int rest = categories > 1 ? (foods - bigCategory) / (categories - 1) : 0;
    for (int c = 1; c <= categories; ++c) {
        const int count = c == 1 ? bigCategory : (c == categories ? foods - bigCategory - rest * (categories - 2) : rest);
        QJsonArray items;
        for (int f = 0; f < count; ++f, ++nextFood) {
            const double cal = 20 + (nextFood * 37) % 400;
            items.append(QJsonObject{
                {QStringLiteral("id"), QString::number(nextFood)},
                {QStringLiteral("user_id"), QStringLiteral("0")},
                {QStringLiteral("title"), QStringLiteral("Food number %1 prepared in the usual way").arg(nextFood)},
                {QStringLiteral("cal"), QString::number(cal)},
                {QStringLiteral("carbs"), QString::number(cal / 8, 'g', 4)},
                {QStringLiteral("fat"), QString::number(cal / 30, 'g', 4)},
                {QStringLiteral("protein"), QString::number(cal / 20, 'g', 4)},
                {QStringLiteral("fiber"), QString::number(cal / 90, 'g', 4)},
            });
        }
        list.append(QJsonObject{{QStringLiteral("id"), QString::number(c)},
                                {QStringLiteral("title"), QStringLiteral("Category %1").arg(c)},
                                {QStringLiteral("recomended"), QStringLiteral("Advice %1").arg(c)},
                                {QStringLiteral("calorie_list"), items}});
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("result_code"), 0}, {QStringLiteral("food_list"), list}})
        .toJson(QJsonDocument::Compact);
}

long peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void report(const char* step, qint64 nanoseconds)
{
    std::printf("%-34s %9.1f ms\n", step, double(nanoseconds) / 1e6);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing listens here: the window's own request fails quietly after
    // the catalogue below has been handed to it.
    qputenv("OLVA_API_HOST", "127.0.0.1:9");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int foods = args.value(1, QStringLiteral("10000")).toInt();
    const int categories = args.value(2, QStringLiteral("200")).toInt();
    const int big = args.value(3, QStringLiteral("500")).toInt();
    const int marks = args.value(4, QStringLiteral("50")).toInt();

    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    currentEmail = QStringLiteral("bench@example.com");
    currentUserId = QStringLiteral("1");
    totalCalories = 1800;

    const QString reply = QString::fromUtf8(makeCatalogue(foods, categories, big));
    std::printf("catalogue: %d foods in %d categories (%lld KB of JSON), open category of %d, %d marks\n", foods,
                categories, qlonglong(reply.toUtf8().size() / 1024), big, marks);
    QElapsedTimer timer;

    {
        FoodCatalogue catalogue;
        timer.start();
        catalogue.load(reply);
        report("parse (FoodCatalogue::load)", timer.nsecsElapsed());
    }

    CqWndTracker window(0);
    window.resize(1600, 1000);
    window.show();
    QCoreApplication::processEvents();

    timer.start();
    QMetaObject::invokeMethod(&window, "slt_net_food", Q_ARG(QString, reply));
    QCoreApplication::processEvents();
    report("parse + category list + restore", timer.nsecsElapsed());

    MyWidget* entry = window.findChild<MyWidget*>(QStringLiteral("Category 1_1"));
    auto* table = window.findChild<QTableView*>(QStringLiteral("tblDetail"));
    if (!entry || !table) {
        std::fprintf(stderr, "the window did not build its category list\n");
        return 1;
    }
    timer.start();
    emit entry->clicked();
    QCoreApplication::processEvents();
    window.repaint();
    report("open the big category (shown)", timer.nsecsElapsed());

    timer.start();
    for (int row = 0; row < marks && row < table->model()->rowCount(); ++row) {
        const QRect cell = table->visualRect(table->model()->index(row * (big / qMax(marks, 1)), 1 + row % 2));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QCoreApplication::processEvents();
    const qint64 marking = timer.nsecsElapsed();
    report("mark foods (all clicks)", marking);
    report("  one click (mean)", marks ? marking / marks : 0);

    timer.start();
    window.findChild<QPushButton*>(QStringLiteral("btnSave"))->click();
    QCoreApplication::processEvents();
    window.repaint();
    report("save the category", timer.nsecsElapsed());

    // Again, now that the meal holds a record: what reopening costs.
    CqWndTracker second(0);
    second.show();
    timer.start();
    QMetaObject::invokeMethod(&second, "slt_net_food", Q_ARG(QString, reply));
    QCoreApplication::processEvents();
    report("reopen: catalogue + restore", timer.nsecsElapsed());

    // The search: every prefix of a few queries, typed one key at a time.
    const QStringList queries{QStringLiteral("food number 9999"), QStringLiteral("prepared usual"),
                              QStringLiteral("category 17 num"), QStringLiteral("zzz")};
    {
        FoodSearch search;
        timer.start();
        search.rebuild(second.catalogue().categories());
        report("search: index the catalogue", timer.nsecsElapsed());
        qint64 total = 0;
        qint64 worst = 0;
        int keys = 0;
        for (const QString& query : queries) {
            for (int length = 1; length <= query.size(); ++length, ++keys) {
                // The best of three runs: a busy machine's other work is
                // not the search's.
                qint64 spent = std::numeric_limits<qint64>::max();
                for (int run = 0; run < 3; ++run) {
                    timer.start();
                    const QList<FoodSearch::Hit> hits = search.find(query.left(length));
                    spent = std::min(spent, timer.nsecsElapsed());
                    Q_UNUSED(hits);
                }
                total += spent;
                worst = std::max(worst, spent);
            }
        }
        report("search: one keystroke (mean)", keys ? total / keys : 0);
        report("search: one keystroke (worst)", worst);
    }
    if (auto* box = second.findChild<QLineEdit*>(QStringLiteral("edtSearch"))) {
        qint64 worst = 0;
        qint64 total = 0;
        int keys = 0;
        for (const QString& query : queries) {
            box->clear();
            QCoreApplication::processEvents();
            for (const QChar key : query) {
                timer.start();
                QTest::keyClick(box, key.toLatin1());
                QCoreApplication::processEvents();
                const qint64 spent = timer.nsecsElapsed();
                total += spent;
                worst = std::max(worst, spent);
                ++keys;
            }
        }
        report("search box: keystroke + list (mean)", keys ? total / keys : 0);
        report("search box: keystroke + list (worst)", worst);
    }

    std::printf("%-34s %9ld KB\n", "peak memory (VmHWM)", peakKilobytes());
    return 0;
}
