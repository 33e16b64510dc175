#include "textfit.h"
#include "widgets/elidedtext.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTableView>
#include <QtTest>

#include <memory>

// TextFit over small hand-made windows: a text wider than its widget is
// found, one that wraps, fits or is elided by design is not.
class TestTextFit final : public QObject
{
    Q_OBJECT

private slots:
    void findsCutOffTexts_data();
    void findsCutOffTexts();
};

void TestTextFit::findsCutOffTexts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<bool>("cutOff");
    QTest::newRow("label fits") << "label" << 400 << "" << false;
    QTest::newRow("label too narrow") << "label" << 60 << "" << true;
    QTest::newRow("label wraps") << "label" << 120 << "wrap" << false;
    QTest::newRow("label wraps, too low") << "label" << 120 << "wrap, low" << true;
    QTest::newRow("label elided by design") << "label" << 60 << "elided" << false;
    QTest::newRow("label sticks out of its frame") << "label" << 400 << "small parent" << true;
    QTest::newRow("button fits") << "button" << 400 << "" << false;
    QTest::newRow("button too narrow") << "button" << 60 << "" << true;
    // The style sheet's padding clips the label of the button.
    QTest::newRow("button padding") << "button" << 0 << "padding" << true;
    QTest::newRow("tab too narrow") << "tab" << 60 << "" << true;
    QTest::newRow("tab fits") << "tab" << 400 << "" << false;
    QTest::newRow("group box title too long") << "group" << 60 << "" << true;
    QTest::newRow("header section too narrow") << "header" << 40 << "" << true;
    QTest::newRow("header section fits") << "header" << 300 << "" << false;
    // A feature window wider than the main window's area hides its right
    // edge; one taller than it scrolls down like a page.
    QTest::newRow("feature window too wide") << "feature" << 0 << "wide" << true;
    QTest::newRow("feature window taller") << "feature" << 0 << "tall" << false;
}

void TestTextFit::findsCutOffTexts()
{
    QFETCH(QString, kind);
    QFETCH(int, width);
    QFETCH(QString, setting);
    QFETCH(bool, cutOff);
    const QString text = QStringLiteral("Remind me to log breakfast");
    auto window = std::make_unique<QWidget>();
    window->resize(500, 300);
    QWidget* parent = window.get();
    if (setting == QLatin1String("small parent")) {
        parent = new QWidget(window.get());
        parent->setGeometry(0, 0, 80, 60);
    }
    QWidget* probe = nullptr;
    if (kind == QLatin1String("label")) {
        auto* label = new QLabel(text, parent);
        label->setWordWrap(setting.startsWith(QLatin1String("wrap")));
        probe = label;
    } else if (kind == QLatin1String("button")) {
        auto* button = new QPushButton(text, parent);
        if (setting == QLatin1String("padding")) {
            button->setStyleSheet(QStringLiteral("QPushButton { padding: 4px 60px; }"));
            width = button->fontMetrics().horizontalAdvance(text) + 20;
        }
        probe = button;
    } else if (kind == QLatin1String("tab")) {
        auto* bar = new QTabBar(parent);
        bar->addTab(text);
        bar->setExpanding(false);
        bar->setUsesScrollButtons(false);
        probe = bar;
    } else if (kind == QLatin1String("group")) {
        probe = new QGroupBox(text, parent);
    } else if (kind == QLatin1String("feature")) {
        auto* area = new QMdiArea(parent);
        area->setGeometry(0, 0, 400, 200);
        auto* content = new QWidget;
        auto* label = new QLabel(text, content);
        const bool wide = setting == QLatin1String("wide");
        label->move(wide ? 380 : 10, wide ? 10 : 300);
        label->adjustSize();
        area->addSubWindow(content)->setGeometry(0, 0, wide ? 700 : 380, wide ? 180 : 500);
        probe = area;
    } else if (kind == QLatin1String("header")) {
        auto* view = new QTableView(parent);
        auto* model = new QStandardItemModel(1, 1, view);
        model->setHorizontalHeaderLabels({text});
        view->setModel(model);
        view->horizontalHeader()->resizeSection(0, width);
        view->setGeometry(0, 0, 400, 200);
        probe = view;
    }
    if (setting == QLatin1String("elided"))
        ElidedText::mark(probe);
    if (kind != QLatin1String("header") && kind != QLatin1String("feature"))
        probe->setGeometry(0, 0, width, setting == QLatin1String("wrap, low") ? 20 : 100);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QStringList found = TextFit::cutOff(window.get());
    QVERIFY2(found.isEmpty() != cutOff, qPrintable(found.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
