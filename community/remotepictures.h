#pragma once

#include <QObject>

class MyLabel;
class QNetworkAccessManager;

// Fetches the pictures of a dialog's rows into their labels through one
// network access manager with a disk cache in the temporary directory, so a
// list of many rows opens one connection pool rather than one per row. A
// picture that fails (or an address that is not http/https) leaves its label
// empty. Owned by the dialog: replies still in flight end with it.
class RemotePictures final : public QObject
{
    Q_OBJECT

public:
    explicit RemotePictures(QObject* parent);

    void fetch(const QString& address, MyLabel* label);

    // Requests sent so far (for tests and the benchmark of big lists).
    int requestCount() const { return m_requests; }

private:
    QNetworkAccessManager* m_network = nullptr;
    int m_requests = 0;
};
