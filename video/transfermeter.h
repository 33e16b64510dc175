#pragma once

#include <QList>
#include <QPair>
#include <QString>

// Speed and time remaining of a transfer, from samples of the bytes on disk
// taken now and then. The speed is averaged over the last few seconds so the
// figures do not jump with every sample; a pause or a restart (fewer bytes
// than before) starts the average afresh.
class TransferMeter final
{
public:
    // `windowMs`: how far back the average reaches.
    explicit TransferMeter(qint64 windowMs = 3000);

    void addSample(qint64 timeMs, qint64 bytes);
    void reset();

    // Bytes per second, 0 until two samples span some time.
    double speed() const;
    // Seconds until `total` bytes at the current speed; -1 when unknown.
    qint64 secondsLeft(qint64 total) const;

    // "12.3 MB of 200 MB" / "12.3 MB" when the total is unknown.
    static QString bytesText(qint64 done, qint64 total);
    static QString sizeText(qint64 bytes);
    // "1.5 MB/s"
    static QString speedText(double bytesPerSecond);
    // "1:05 left", "1:02:03 left"; empty when unknown.
    static QString timeLeftText(qint64 seconds);

private:
    qint64 m_windowMs;
    QList<QPair<qint64, qint64>> m_samples; // time, bytes
};
