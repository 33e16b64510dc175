#include "readability.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <memory>

// Readability over small hand-made windows whose colours are known: the
// text is read against what really lies under it, and the things that move
// between the two renders (a text cursor, a button's icon) do not count.
class TestReadabilityWidgets final : public QObject
{
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void leavesOut_data();
    void leavesOut();

private:
    // A window with `style`, holding the widget named "probe" built by `kind`.
    std::unique_ptr<QWidget> window(const QString& kind, const QString& style,
                                    bool translucent = false);
};

std::unique_ptr<QWidget> TestReadabilityWidgets::window(const QString& kind, const QString& style,
                                                        bool translucent)
{
    auto window = std::make_unique<QWidget>();
    window->setObjectName(QStringLiteral("window"));
    window->setAttribute(Qt::WA_TranslucentBackground, translucent);
    window->setStyleSheet(style);
    window->resize(360, 160);
    QWidget* probe = nullptr;
    if (kind == QLatin1String("label")) {
        probe = new QLabel(QStringLiteral("Daily Score 87"), window.get());
    } else if (kind == QLatin1String("edit") || kind == QLatin1String("placeholder")) {
        auto* edit = new QLineEdit(window.get());
        edit->setAlignment(Qt::AlignCenter); // the empty field's cursor sits where the text was
        if (kind == QLatin1String("edit"))
            edit->setText(QStringLiteral("40719268"));
        edit->setPlaceholderText(QStringLiteral("Pincode"));
        probe = edit;
    } else if (kind == QLatin1String("button")) {
        QPixmap square(24, 24);
        square.fill(Qt::red);
        probe = new QPushButton(QIcon(square), QStringLiteral("BUY NOW"), window.get());
    } else if (kind == QLatin1String("cell")) {
        auto* table = new QTableWidget(1, 1, window.get());
        table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Lentil soup (canned)")));
        table->setColumnWidth(0, 250);
        table->setSelectionMode(QAbstractItemView::NoSelection);
        table->setFocusPolicy(Qt::NoFocus);
        probe = table;
    }
    probe->setObjectName(QStringLiteral("probe"));
    probe->setGeometry(20, 20, 300, 100);
    window->show();
    if (kind == QLatin1String("edit"))
        probe->setFocus();
    return window;
}

void TestReadabilityWidgets::reads_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("translucent");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::newRow("black label on white")
        << "label"
        << "#window { background: white; } QLabel { color: black; }" << false << 19.0 << 21.0;
    QTest::newRow("grey #777 label on white")
        << "label"
        << "#window { background: white; } QLabel { color: #777777; }" << false << 4.2 << 4.49;
    QTest::newRow("focused field: the cursor moves, not counted")
        << "edit"
        << "QLineEdit { background: white; color: #2F2E46; border: none; font-size: 16px; }"
        << false << 11.0 << 14.0;
    QTest::newRow("button: its red icon moves, not counted")
        << "button"
        << "QPushButton { background: #2F2E46; color: white; border: none; }" << false << 11.0
        << 14.0;
    QTest::newRow("table cell") << "cell"
                                << "QTableWidget { background: #2F2E46; color: white; border: "
                                   "none; gridline-color: #2F2E46; }"
                                << false << 11.0 << 14.0;
    // Nothing painted under the label: what is behind the window shows (the
    // grey desktop), not the transparent pixels of the window's own grab.
    QTest::newRow("label on a translucent window")
        << "label"
        << "QLabel { color: white; }" << true << 12.0 << 16.0;
}

void TestReadabilityWidgets::reads()
{
    QFETCH(QString, kind);
    QFETCH(QString, style);
    QFETCH(bool, translucent);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    const std::unique_ptr<QWidget> shown = window(kind, style, translucent);
    QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
    const QList<TextReading> readings = Readability::read(shown.get());
    QCOMPARE(readings.size(), 1);
    QVERIFY2(readings.first().widget.contains(QLatin1String("probe")),
             qPrintable(readings.first().widget));
    const double ratio = readings.first().sample.ratio;
    QVERIFY2(ratio >= minimum && ratio <= maximum, qPrintable(readings.first().describe()));
    // Put back as it was.
    if (auto* edit = shown->findChild<QLineEdit*>())
        QCOMPARE(edit->text(), QStringLiteral("40719268"));
    if (auto* button = shown->findChild<QPushButton*>()) {
        QCOMPARE(button->text(), QStringLiteral("BUY NOW"));
        QVERIFY(!button->icon().isNull());
    }
}

void TestReadabilityWidgets::leavesOut_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("change");
    QTest::newRow("disabled control") << "button"
                                      << "disable";
    QTest::newRow("placeholder of an empty field") << "placeholder" << QString();
    QTest::newRow("covered by another widget") << "label"
                                               << "cover";
    QTest::newRow("hidden") << "label"
                            << "hide";
}

void TestReadabilityWidgets::leavesOut()
{
    QFETCH(QString, kind);
    QFETCH(QString, change);
    const std::unique_ptr<QWidget> shown =
        window(kind, QStringLiteral("#window { background: white; }"));
    auto* probe = shown->findChild<QWidget*>(QStringLiteral("probe"));
    if (change == QLatin1String("disable"))
        probe->setEnabled(false);
    else if (change == QLatin1String("hide"))
        probe->hide();
    if (change == QLatin1String("cover")) {
        auto* cover = new QWidget(shown.get());
        cover->setStyleSheet(QStringLiteral("background: #2F2E46;"));
        cover->setAttribute(Qt::WA_StyledBackground);
        cover->setGeometry(0, 0, 360, 160);
        cover->show();
    }
    QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
    QCOMPARE(Readability::read(shown.get()).size(), 0);
}

QTEST_MAIN(TestReadabilityWidgets)
#include "tst_readabilitywidgets.moc"
