#include "community/liststatus.h"

#include <QLabel>
#include <QTimer>

namespace {

int& stallTimeout()
{
    static int milliseconds = [] {
        bool ok = false;
        const int fromEnvironment = qEnvironmentVariableIntValue("OLVA_STALL_TIMEOUT_MS", &ok);
        return ok && fromEnvironment > 0 ? fromEnvironment : 15000;
    }();
    return milliseconds;
}

} // namespace

ListStatus::ListStatus(QLabel* label, const QString& failureText, QObject* parent)
    : QObject(parent)
    , m_label(label)
    , m_failureText(failureText)
    , m_stallTimer(new QTimer(this))
{
    m_stallTimer->setSingleShot(true);
    connect(m_stallTimer, &QTimer::timeout, this, [this] {
        failed();
        emit stalled();
    });
    show(QString());
}

void ListStatus::begin()
{
    show(loadingText());
    m_stallTimer->start(stallTimeoutMs());
}

void ListStatus::succeeded(const QString& note)
{
    m_stallTimer->stop();
    show(note);
}

void ListStatus::failed()
{
    m_stallTimer->stop();
    show(m_failureText);
}

bool ListStatus::isWaiting() const
{
    return m_stallTimer->isActive();
}

QString ListStatus::text() const
{
    return m_label->text();
}

int ListStatus::stallTimeoutMs()
{
    return stallTimeout();
}

void ListStatus::setStallTimeoutMs(int milliseconds)
{
    stallTimeout() = milliseconds > 0 ? milliseconds : 15000;
}

QString ListStatus::loadingText()
{
    return tr("Loading...");
}

void ListStatus::show(const QString& text)
{
    m_label->setText(text);
    m_label->setVisible(!text.isEmpty());
    m_label->setAccessibleName(text);
}
