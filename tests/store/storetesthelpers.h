#pragma once

#include "main/mainwindow.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>

#include <memory>

// Remembers every text the main window's message bar has been given since
// the watch began: those still queued and those already shown.
class MessageWatch final
{
public:
    MessageWatch()
        : m_bar(MainWindow::instance()->messageBar())
        , m_shown(std::make_unique<QSignalSpy>(m_bar, &QtMaterialSnackbar::messageShown))
    {
    }

    bool saw(const QString& text) const
    {
        if (m_bar->messages().contains(text))
            return true;
        for (const QList<QVariant>& call : *m_shown) {
            if (call.value(0).toString() == text)
                return true;
        }
        return false;
    }

    // Empties the bar so that a new watch starts from nothing.
    static bool drain()
    {
        QtMaterialSnackbar* bar = MainWindow::instance()->messageBar();
        bar->setAutoHideDuration(20);
        return QTest::qWaitFor([bar] { return bar->messages().isEmpty(); }, 10000);
    }

private:
    QtMaterialSnackbar* m_bar;
    std::unique_ptr<QSignalSpy> m_shown;
};

namespace StoreJson {

inline QJsonObject product(int id, const QString& type, const QString& price, const QString& status = QStringLiteral("no"),
                           const QString& title = QString())
{
    return QJsonObject{
        {QStringLiteral("id"), QString::number(id)},
        {QStringLiteral("title"), title.isEmpty() ? QStringLiteral("Product %1").arg(id) : title},
        {QStringLiteral("subtitle"), QStringLiteral("Subtitle %1").arg(id)},
        {QStringLiteral("minidescription"), QStringLiteral("Mini %1").arg(id)},
        {QStringLiteral("fulldescription"), QStringLiteral("Full %1").arg(id)},
        {QStringLiteral("price"), price},
        {QStringLiteral("ebookprice"), QStringLiteral("0")},
        {QStringLiteral("ebook"), QStringLiteral("0")},
        {QStringLiteral("ebook2"), QStringLiteral("0,0")},
        {QStringLiteral("period"), QStringLiteral("30")},
        {QStringLiteral("type"), type},
        {QStringLiteral("status"), status},
        {QStringLiteral("quantity"), QStringLiteral("1")},
    };
}

inline QByteArray list(const char* key, const QJsonArray& entries)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("result_code"), 0}, {QString::fromLatin1(key), entries}})
        .toJson(QJsonDocument::Compact);
}

} // namespace StoreJson
