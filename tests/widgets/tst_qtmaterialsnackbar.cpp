#include "testenvironment.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QtTest>

#include <utility>

// Records the bar's slide-ins and slide-outs as "show:<text>" / "hide:<text>".
class Timeline : public QObject
{
public:
    explicit Timeline(QtMaterialSnackbar* bar)
    {
        connect(bar, &QtMaterialSnackbar::messageShown, this, [this](const QString& text) {
            events << "show:" + text;
            shownAt.start();
        });
        connect(bar, &QtMaterialSnackbar::messageHidden, this, [this](const QString& text) {
            events << "hide:" + text;
            onScreenMs << shownAt.elapsed();
        });
    }
    QStringList events;
    QList<qint64> onScreenMs;
    QElapsedTimer shownAt;
};

// Samples the bar every few milliseconds as the member would see it: how far
// the box is out, and whether anything is painted at the bottom centre
// (the box is drawn opaque red for that). Signals are marked in between.
class Sampler : public QObject
{
public:
    struct Sample
    {
        qreal offset;
        bool painted;
        QString event; // "show:<text>" / "hide:<text>", or empty for a sample
    };

    Sampler(QtMaterialSnackbar* bar, QWidget* window)
        : m_bar(bar)
    {
        connect(bar, &QtMaterialSnackbar::messageShown, this,
                [this](const QString& text) { samples.append({m_bar->offset(), false, "show:" + text}); });
        connect(bar, &QtMaterialSnackbar::messageHidden, this,
                [this](const QString& text) { samples.append({m_bar->offset(), false, "hide:" + text}); });
        m_timer.setInterval(4);
        connect(&m_timer, &QTimer::timeout, this, [this, window] {
            const QImage image = window->grab().toImage();
            samples.append({m_bar->offset(), image.pixelColor(image.width() / 2, image.height() - 3) == Qt::red,
                            QString()});
        });
        m_timer.start();
    }

    // How often the box came all the way in from all the way out (a box
    // already in at the first sample does not count).
    int slideIns() const
    {
        int count = 0;
        bool out = true;
        bool first = true;
        for (const Sample& sample : samples) {
            if (!sample.event.isEmpty())
                continue;
            if (std::exchange(first, false) && sample.offset <= 0.01) {
                out = false;
                continue;
            }
            if (out && sample.offset <= 0.01) {
                ++count;
                out = false;
            } else if (!out && sample.offset >= 0.99) {
                out = true;
            }
        }
        return count;
    }

    // Whether, after `event`, the box was seen half out and still painted
    // (sliding out rather than vanishing) before it was fully out.
    bool slidOutVisiblyAfter(const QString& event) const
    {
        bool after = false;
        for (const Sample& sample : samples) {
            if (sample.event == event)
                after = true;
            else if (after && sample.event.isEmpty() && sample.offset > 0.2 && sample.offset < 0.8 && sample.painted)
                return true;
            else if (after && sample.event.isEmpty() && sample.offset >= 0.99)
                return false;
        }
        return false;
    }

    // Whether the box was fully out at some moment between the two events.
    bool fullyOutBetween(const QString& first, const QString& second) const
    {
        bool between = false;
        for (const Sample& sample : samples) {
            if (sample.event == first)
                between = true;
            else if (sample.event == second)
                return false;
            else if (between && sample.event.isEmpty() && sample.offset >= 0.99)
                return true;
        }
        return false;
    }

    QList<Sample> samples;

private:
    QtMaterialSnackbar* m_bar;
    QTimer m_timer;
};

class TestQtMaterialSnackbar : public QObject
{
    Q_OBJECT

private:
    QWidget* m_window = nullptr;

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void init()
    {
        m_window = new QWidget;
        m_window->resize(400, 300);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
    }

    void defaults()
    {
        QtMaterialSnackbar bar(m_window);
        QCOMPARE(bar.autoHideDuration(), 3000);
        QCOMPARE(bar.boxWidth(), 300);
        QCOMPARE(bar.backgroundOpacity(), 0.9);
        QCOMPARE(bar.clickToDismissMode(), false);
        QCOMPARE(bar.offset(), 1.0);
        QVERIFY(bar.messages().isEmpty());
        QCOMPARE(bar.font().family(), QString("Roboto"));
        QCOMPARE(bar.font().pointSizeF(), 10.0);
        QCOMPARE(bar.font().weight(), QFont::Medium);
        QCOMPARE(bar.font().capitalization(), QFont::AllUppercase);
        QCOMPARE(bar.backgroundColor().alphaF(), 0.87f);
        QCOMPARE(bar.textColor(), QColor(Qt::white));
    }

    void threeMessagesFollowOneAnother()
    {
        QtMaterialSnackbar bar(m_window);
        bar.setAutoHideDuration(60);
        Timeline timeline(&bar);

        bar.addMessage("one");
        bar.addMessage("two");
        bar.addMessage("three");
        QCOMPARE(bar.messages(), QStringList({"one", "two", "three"}));

        QTRY_COMPARE(timeline.events.size(), 6);
        QCOMPARE(timeline.events, QStringList({"show:one", "hide:one", "show:two", "hide:two",
                                               "show:three", "hide:three"}));
        for (qint64 shownFor : std::as_const(timeline.onScreenMs))
            QVERIFY(shownFor >= 60);
        QVERIFY(bar.messages().isEmpty());
        QTRY_COMPARE(bar.offset(), 1.0);
    }

    void eachQueuedMessageSlidesInAndOut()
    {
        QtMaterialSnackbar bar(m_window);
        // Longer than a slide, so each message is seen all the way in.
        bar.setAutoHideDuration(700);
        bar.setBackgroundColor(Qt::red);
        bar.setBackgroundOpacity(1);
        Timeline timeline(&bar);
        Sampler sampler(&bar, m_window);

        bar.addMessage("one");
        bar.addMessage("two");
        bar.addMessage("three");
        QTRY_COMPARE_WITH_TIMEOUT(timeline.events.size(), 6, 10000);
        QTRY_COMPARE(bar.offset(), 1.0);

        QCOMPARE(sampler.slideIns(), 3);
        QVERIFY(sampler.fullyOutBetween("hide:one", "show:two"));
        QVERIFY(sampler.fullyOutBetween("hide:two", "show:three"));
        // The last one slides out too instead of vanishing.
        QVERIFY(sampler.slidOutVisiblyAfter("hide:three"));
        QVERIFY(sampler.slidOutVisiblyAfter("hide:one"));
    }

    void instantMessageSlidesCurrentOutFirst()
    {
        QtMaterialSnackbar bar(m_window);
        bar.setAutoHideDuration(60000);
        bar.setBackgroundColor(Qt::red);
        bar.setBackgroundOpacity(1);
        Timeline timeline(&bar);
        bar.addMessage("current");
        QTRY_COMPARE(bar.offset(), 0.0);

        Sampler sampler(&bar, m_window);
        bar.addInstantMessage("urgent");
        QTRY_COMPARE(timeline.events, QStringList({"show:current", "hide:current", "show:urgent"}));
        QTRY_COMPARE(bar.offset(), 0.0);
        QVERIFY(sampler.slidOutVisiblyAfter("hide:current"));
        QVERIFY(sampler.fullyOutBetween("hide:current", "show:urgent"));
        QCOMPARE(sampler.slideIns(), 1);
    }

    void screenReadersHearEachMessage()
    {
        QtMaterialSnackbar bar(m_window);
        bar.setAutoHideDuration(60000);
        // What a screen reader reads of the bar each time it raises its alert.
        QStringList heard;
        connect(&bar, &QtMaterialSnackbar::messageShown, this, [&bar, &heard] {
            QAccessibleInterface* alert = QAccessible::queryAccessibleInterface(&bar);
            if (alert->role() == QAccessible::AlertMessage)
                heard << alert->text(QAccessible::Name) + "|" + alert->text(QAccessible::Description);
        });
        bar.addMessage("saved");
        bar.addMessage("queued");
        QTRY_COMPARE(heard, QStringList({"saved|saved"}));
        bar.addInstantMessage("urgent");
        QTRY_COMPARE(heard, QStringList({"saved|saved", "urgent|urgent"}));
    }

    void messageAfterIdleIsShownAgain()
    {
        QtMaterialSnackbar bar(m_window);
        bar.setAutoHideDuration(20);
        Timeline timeline(&bar);
        bar.addMessage("first");
        QTRY_COMPARE(timeline.events.size(), 2);
        QTRY_COMPARE(bar.offset(), 1.0);
        bar.addMessage("second");
        QTRY_COMPARE(timeline.events.size(), 4);
        QCOMPARE(timeline.events.at(2), QString("show:second"));
    }

    void instantMessageCutsCurrentShort()
    {
        QtMaterialSnackbar bar(m_window);
        bar.setAutoHideDuration(60000);
        Timeline timeline(&bar);

        bar.addMessage("current");
        bar.addMessage("queued");
        QTRY_COMPARE(timeline.events, QStringList({"show:current"}));

        bar.addInstantMessage("urgent");
        QCOMPARE(bar.messages(), QStringList({"current", "urgent", "queued"}));
        // Well inside the minute-long auto-hide: only the instant message hides it.
        QTRY_COMPARE(timeline.events, QStringList({"show:current", "hide:current", "show:urgent"}));
        QCOMPARE(bar.messages(), QStringList({"urgent", "queued"}));
    }

    void instantMessageOnIdleBarIsShown()
    {
        QtMaterialSnackbar bar(m_window);
        bar.setAutoHideDuration(60000);
        Timeline timeline(&bar);
        QTRY_COMPARE(bar.offset(), 1.0);

        bar.addInstantMessage("alone");
        QCOMPARE(bar.messages(), QStringList({"alone"}));
        QTRY_COMPARE(timeline.events, QStringList({"show:alone"}));
    }

    void instantMessageBeforeFirstShowGoesFirst()
    {
        QtMaterialSnackbar bar(m_window);
        bar.setAutoHideDuration(30);
        Timeline timeline(&bar);
        bar.addMessage("normal");
        bar.addInstantMessage("urgent");
        QTRY_COMPARE(timeline.events.size(), 4);
        QCOMPARE(timeline.events, QStringList({"show:urgent", "hide:urgent", "show:normal", "hide:normal"}));
    }

    void mousePassThrough_data()
    {
        QTest::addColumn<bool>("clickToDismiss");
        QTest::addColumn<bool>("transparentWhileShown");
        QTest::newRow("off") << false << true;
        QTest::newRow("on") << true << false;
    }

    void mousePassThrough()
    {
        QFETCH(bool, clickToDismiss);
        QFETCH(bool, transparentWhileShown);
        QtMaterialSnackbar bar(m_window);
        bar.setAutoHideDuration(60000);
        bar.setClickToDismissMode(clickToDismiss);
        // Idle, the bar never blocks the window under it.
        QVERIFY(bar.testAttribute(Qt::WA_TransparentForMouseEvents));

        QSignalSpy shown(&bar, &QtMaterialSnackbar::messageShown);
        bar.addMessage("hello");
        QVERIFY(shown.wait());
        QCOMPARE(bar.testAttribute(Qt::WA_TransparentForMouseEvents), transparentWhileShown);
    }

    void clickDismissesWhenEnabled()
    {
        QtMaterialSnackbar bar(m_window);
        bar.setAutoHideDuration(60000);
        bar.setClickToDismissMode(true);
        QSignalSpy shown(&bar, &QtMaterialSnackbar::messageShown);
        QSignalSpy hidden(&bar, &QtMaterialSnackbar::messageHidden);
        bar.addMessage("tap me");
        QVERIFY(shown.wait());
        QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(200, 290));
        QVERIFY(hidden.wait());
        QVERIFY(bar.messages().isEmpty());
    }

    void coversParentAndFollowsResize()
    {
        QtMaterialSnackbar bar(m_window);
        QCOMPARE(bar.geometry(), m_window->rect());
        m_window->resize(640, 200);
        QTRY_COMPARE(bar.geometry(), QRect(0, 0, 640, 200));
    }

    void followsParentSetLater()
    {
        QtMaterialSnackbar bar;
        QWidget other;
        bar.setParent(&other);
        bar.setParent(m_window);
        QCOMPARE(bar.geometry(), m_window->rect());
        m_window->resize(500, 350);
        QTRY_COMPARE(bar.geometry(), QRect(0, 0, 500, 350));
        // The old parent is no longer followed.
        other.resize(50, 50);
        QCOMPARE(bar.geometry(), QRect(0, 0, 500, 350));

        QSignalSpy shown(&bar, &QtMaterialSnackbar::messageShown);
        bar.addMessage("after setParent");
        QVERIFY(shown.wait());
        QVERIFY(bar.isVisible());
    }

    void boxIsPaintedAtBottomWhileShown()
    {
        QtMaterialSnackbar bar(m_window);
        bar.setAutoHideDuration(60000);
        bar.setBackgroundColor(Qt::red);
        bar.setBackgroundOpacity(1);
        const QPoint bottomCentre(200, 295);
        QVERIFY(m_window->grab().toImage().pixelColor(bottomCentre) != QColor(Qt::red));

        bar.addMessage("visible");
        QTRY_COMPARE(bar.offset(), 0.0);
        QCOMPARE(m_window->grab().toImage().pixelColor(bottomCentre), QColor(Qt::red));
        // Outside the box width the window stays as it was.
        QVERIFY(m_window->grab().toImage().pixelColor(QPoint(10, 295)) != QColor(Qt::red));
    }

    void destroyedWhileAnimatingDropsQueue()
    {
        QPointer<QtMaterialSnackbar> bar = new QtMaterialSnackbar(m_window);
        bar->setAutoHideDuration(10);
        bar->addMessage("a");
        bar->addMessage("b");
        QSignalSpy shown(bar.data(), &QtMaterialSnackbar::messageShown);
        QVERIFY(shown.wait());
        delete bar;
        QVERIFY(bar.isNull());
        // Keep the event loop turning through a whole cycle of another bar:
        // pending timers and posted events must not touch the dead one.
        QtMaterialSnackbar other(m_window);
        other.setAutoHideDuration(30);
        QSignalSpy hidden(&other, &QtMaterialSnackbar::messageHidden);
        other.addMessage("still alive");
        QVERIFY(hidden.wait());
    }
};

QTEST_MAIN(TestQtMaterialSnackbar)
#include "tst_qtmaterialsnackbar.moc"
