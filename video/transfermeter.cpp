#include "video/transfermeter.h"

#include <QCoreApplication>
#include <QLocale>

TransferMeter::TransferMeter(qint64 windowMs)
    : m_windowMs(qMax<qint64>(1, windowMs))
{
}

void TransferMeter::addSample(qint64 timeMs, qint64 bytes)
{
    if (!m_samples.isEmpty() && (bytes < m_samples.last().second || timeMs < m_samples.last().first))
        m_samples.clear();
    m_samples.append({timeMs, bytes});
    while (m_samples.size() > 2 && timeMs - m_samples.at(1).first >= m_windowMs)
        m_samples.removeFirst();
}

void TransferMeter::reset()
{
    m_samples.clear();
}

double TransferMeter::speed() const
{
    if (m_samples.size() < 2)
        return 0;
    const qint64 span = m_samples.last().first - m_samples.first().first;
    if (span <= 0)
        return 0;
    return double(m_samples.last().second - m_samples.first().second) * 1000.0 / double(span);
}

qint64 TransferMeter::secondsLeft(qint64 total) const
{
    const double rate = speed();
    if (total <= 0 || rate <= 0 || m_samples.isEmpty())
        return -1;
    const qint64 left = qMax<qint64>(0, total - m_samples.last().second);
    return qint64(double(left) / rate + 0.999);
}

QString TransferMeter::sizeText(qint64 bytes)
{
    const QLocale locale;
    if (bytes < 1000)
        return QCoreApplication::translate("TransferMeter", "%1 B").arg(qMax<qint64>(0, bytes));
    if (bytes < 1000 * 1000)
        return QCoreApplication::translate("TransferMeter", "%1 kB").arg(locale.toString(double(bytes) / 1e3, 'f', 1));
    if (bytes < 1000LL * 1000 * 1000)
        return QCoreApplication::translate("TransferMeter", "%1 MB").arg(locale.toString(double(bytes) / 1e6, 'f', 1));
    return QCoreApplication::translate("TransferMeter", "%1 GB").arg(locale.toString(double(bytes) / 1e9, 'f', 2));
}

QString TransferMeter::bytesText(qint64 done, qint64 total)
{
    if (total <= 0)
        return sizeText(done);
    //: Bytes downloaded so far against the file's size: "12.3 MB of 200 MB"
    return QCoreApplication::translate("TransferMeter", "%1 of %2").arg(sizeText(done), sizeText(total));
}

QString TransferMeter::speedText(double bytesPerSecond)
{
    //: Download speed: "1.5 MB/s"
    return QCoreApplication::translate("TransferMeter", "%1/s").arg(sizeText(qint64(bytesPerSecond)));
}

QString TransferMeter::timeLeftText(qint64 seconds)
{
    if (seconds < 0)
        return {};
    const qint64 h = seconds / 3600;
    const qint64 m = (seconds / 60) % 60;
    const qint64 s = seconds % 60;
    const QString clock = h > 0 ? QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'))
                                : QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QLatin1Char('0'));
    //: Time until the download ends, as minutes:seconds or hours:minutes:seconds
    return QCoreApplication::translate("TransferMeter", "%1 left").arg(clock);
}
