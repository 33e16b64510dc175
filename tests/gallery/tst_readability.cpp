#include "app/interfacelanguage.h"
#include "gallery.h"
#include "readability.h"
#include "screenimage.h"
#include "textfit.h"

#include <QApplication>
#include <QFile>
#include <QMdiSubWindow>
#include <QtTest>

// Every window of the gallery, read text by text: each must stand out from
// what lies under it by the WCAG 2.1 ratio (4.5:1, 3:1 for large text), and
// show whole (TextFit), neither cut off nor sticking out of its place.
// The screen is 1366x768 unless OLVA_GALLERY_SIZE names another size; the
// windows speak English unless OLVA_GALLERY_LANGUAGE names a translation
// ("es", or "pseudo" for the pseudo-translation's longer texts).
namespace {

// The windows of folders whose owners are fitting their layouts to longer
// languages right now: texts cut off in them are listed as warnings, not
// failures. Empty this list as they are done.
const QStringList layoutsBeingFitted{};

// Titles a member reads in the task bar and hears from a screen reader: not
// a class name nor the form editor's placeholder, in the window shown and in
// the feature windows of its area.
QStringList placeholderTitles(QWidget* shown)
{
    static const QStringList placeholders{"Form", "Dialog", "MainWindow", "Widget"};
    QList<QWidget*> windows{shown};
    for (QMdiSubWindow* sub : shown->findChildren<QMdiSubWindow*>()) {
        if (sub->widget())
            windows.append(sub->widget());
    }
    QStringList found;
    for (QWidget* window : std::as_const(windows)) {
        const QString className = QLatin1String(window->metaObject()->className());
        if (window->windowTitle() == className || placeholders.contains(window->windowTitle()))
            found.append(QStringLiteral("%1 \"%2\"").arg(className, window->windowTitle()));
    }
    return found;
}

} // namespace

class TestReadability final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void textsStandOut_data();
    void textsStandOut();
    void cleanupTestCase();

private:
    Gallery m_gallery;
    int m_windows = 0;
    qsizetype m_readings = 0;
};

void TestReadability::initTestCase()
{
    QVERIFY(m_gallery.start());
}

void TestReadability::textsStandOut_data()
{
    QTest::addColumn<QString>("shot");
    for (const QString& name : Gallery::shotNames())
        QTest::newRow(qPrintable(name)) << name;
}

void TestReadability::textsStandOut()
{
    QFETCH(QString, shot);
    QString window;
    QList<TextReading> readings;
    QStringList cutOff;
    QStringList badTitles;
    const QString stoppedAt = m_gallery.take(shot, [&](QWidget* shown) {
        window = QStringLiteral("%1 %2").arg(QLatin1String(shown->metaObject()->className()),
                                             shown->objectName());
        readings = Readability::read(shown);
        cutOff = TextFit::cutOff(shown);
        badTitles = placeholderTitles(shown);
    });
    QVERIFY2(stoppedAt.isEmpty(),
             qPrintable(QStringLiteral("the shot stopped at: %1").arg(stoppedAt)));
    ++m_windows;
    m_readings += readings.size();
    QStringList failing;
    for (const TextReading& reading : std::as_const(readings)) {
        if (!reading.passes())
            failing.append(reading.describe());
    }
    if (layoutsBeingFitted.contains(shot) && !cutOff.isEmpty()) {
        qWarning("%s: %lld texts are cut off:\n    %s", qPrintable(window),
                 qlonglong(cutOff.size()), qPrintable(cutOff.join(QStringLiteral("\n    "))));
        cutOff.clear();
    }
    QStringList problems;
    if (!failing.isEmpty())
        problems.append(QStringLiteral("%1 of %2 texts are hard to read:\n    %3")
                            .arg(failing.size())
                            .arg(readings.size())
                            .arg(failing.join(QStringLiteral("\n    "))));
    if (!cutOff.isEmpty())
        problems.append(QStringLiteral("%1 texts are cut off:\n    %2")
                            .arg(cutOff.size())
                            .arg(cutOff.join(QStringLiteral("\n    "))));
    if (!badTitles.isEmpty())
        problems.append(QStringLiteral("%1 windows have no title of their own:\n    %2")
                            .arg(badTitles.size())
                            .arg(badTitles.join(QStringLiteral("\n    "))));
    QVERIFY2(problems.isEmpty(),
             qPrintable(QStringLiteral("%1: %2").arg(window, problems.join(QStringLiteral("\n  ")))));
}

void TestReadability::cleanupTestCase()
{
    // Windows without any text are few: none read in a handful of windows
    // means the reading itself broke.
    if (m_windows >= 5)
        QVERIFY2(m_readings > 0, "no text was read in any window");
}

int main(int argc, char* argv[])
{
    const QSize size = ScreenImage::parseSize(
        qEnvironmentVariable("OLVA_GALLERY_SIZE", QStringLiteral("1366x768")));
    const QString configuration =
        ScreenImage::useOffscreen(size.isValid() ? size : QSize(1366, 768));
    QApplication application(argc, argv);
    QFile::remove(configuration);
    InterfaceLanguage::apply(application,
                             qEnvironmentVariable("OLVA_GALLERY_LANGUAGE", QStringLiteral("en")));
    TestReadability test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_readability.moc"
