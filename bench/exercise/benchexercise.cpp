// The exercise window's activity search with a large list: the built-in
// activities and enough of the member's own to reach the count asked for.
// Every prefix of a few queries is typed one key at a time, first into the
// search alone, then into the window's search box with the list redrawn.
// The goal is 5 ms per keystroke, redraw included.
//
//   bench_exercise [activities=2000]

#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "exercise/activitycatalogue.h"
#include "exercise/activitysearch.h"
#include "exercise/cqwndexercise.h"
#include "exercise/exercisestore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListView>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

void report(const char* what, qint64 nanoseconds)
{
    std::printf("%-40s %9.3f ms\n", what, double(nanoseconds) / 1e6);
}

// Own activities named after the built-in ones, so that the queries below
// find hundreds of them, as a long list would.
void storeOwnActivities(int count)
{
    const QList<Activity>& builtIn = ActivityCatalogue::builtIn().activities();
    QJsonArray list;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("%1, variant %2").arg(builtIn.at(i % builtIn.size()).name).arg(i);
        list.append(QJsonObject{{QStringLiteral("name"), name},
                                {QStringLiteral("kcal_per_hour"), 100 + i % 700}});
    }
    SettingsStore::setMemberText(ExerciseKeys::ownActivities(),
                                 QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact)));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int wanted = args.value(1, QStringLiteral("2000")).toInt();

    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    currentEmail = QStringLiteral("bench@example.com");
    const int builtIn = ActivityCatalogue::builtIn().size();
    storeOwnActivities(std::max(0, wanted - builtIn));

    CqWndExercise window;
    window.resize(1366, 700);
    window.show();
    QCoreApplication::processEvents();
    std::printf("activities: %d (%d built in)\n", int(ExerciseStore::ownActivities().size()) + builtIn,
                builtIn);

    const QStringList queries{QStringLiteral("walking brisk"), QStringLiteral("swim laps free"),
                              QStringLiteral("variant 1999"), QStringLiteral("cycling"),
                              QStringLiteral("zzz")};
    QElapsedTimer timer;
    {
        QList<Activity> all = ExerciseStore::ownActivities();
        all += ActivityCatalogue::builtIn().activities();
        ActivitySearch search;
        timer.start();
        search.rebuild(all, ExerciseStore::recentCodes());
        report("search: index the activities", timer.nsecsElapsed());
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
                    const QList<int> found = search.find(query.left(length));
                    spent = std::min(spent, timer.nsecsElapsed());
                    Q_UNUSED(found);
                }
                total += spent;
                worst = std::max(worst, spent);
            }
        }
        report("search: one keystroke (mean)", keys ? total / keys : 0);
        report("search: one keystroke (worst)", worst);
    }

    auto* box = window.findChild<QLineEdit*>(QStringLiteral("edtSearch"));
    auto* list = window.findChild<QListView*>(QStringLiteral("lstActivities"));
    // One keystroke: the search, the list's new rows, the window's events
    // (the burned calories shown again) and the list drawn.
    auto keystroke = [&](QChar key) {
        timer.start();
        QTest::keyClick(box, key.toLatin1());
        QCoreApplication::processEvents();
        // Drawn once more on purpose: the events above may have drawn it
        // already, and a figure that counts it twice errs on the safe side.
        list->viewport()->repaint();
        return timer.nsecsElapsed();
    };
    qint64 total = 0;
    qint64 worst = 0;
    int keys = 0;
    for (const QString& query : queries) {
        box->clear();
        QCoreApplication::processEvents();
        for (const QChar key : query) {
            // The best of three (typed, taken back, typed again): a busy
            // machine's other work is not the window's.
            qint64 spent = keystroke(key);
            for (int run = 0; run < 2; ++run) {
                QTest::keyClick(box, Qt::Key_Backspace);
                QCoreApplication::processEvents();
                spent = std::min(spent, keystroke(key));
            }
            if (qEnvironmentVariableIsSet("BENCH_DETAIL")) // each keystroke's figure
                std::printf("  %-16s %c %7.3f ms\n", qPrintable(query), key.toLatin1(), spent / 1e6);
            total += spent;
            worst = std::max(worst, spent);
            ++keys;
        }
    }
    report("search box: keystroke + list redraw (mean)", keys ? total / keys : 0);
    report("search box: keystroke + list redraw (worst)", worst);
    return 0;
}
