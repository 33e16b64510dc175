#pragma once

#include "tracker/foodmodel.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrlQuery>

class QTimer;
class Server;

// One food of the member's own on its way to the service (uploadMyCalorie).
// The answer is awaited as long as the connection lives (the API client's
// transfer timeout); after `patienceMs` without one the member is told that
// the upload failed, and a success that still comes is taken all the same.
// When the service names the food, the food takes the id, the meal's entry
// saved for it under id 0 follows, and a food the member deleted meanwhile
// is removed on the service too. The tracker window may close first: an
// upload with store or service work left then finishes silently on its own.
class OwnFoodUpload final : public QObject
{
    Q_OBJECT

public:
    OwnFoodUpload(FoodItemModel* food, int meal, qint32 categoryId, QObject* parent = nullptr);

    void start(const QUrlQuery& fields, int patienceMs);

    FoodItemModel* food() const { return m_food; }
    qint32 categoryId() const { return m_categoryId; }
    // The entry ("0:<calories>:<kind>") the meal's record holds for the food
    // while it has no id; empty while it holds none.
    QString savedEntry() const { return m_savedEntry; }
    void setSavedEntry(const QString& text) { m_savedEntry = text; }
    // The member deleted the food: once it has an id, it goes on the service.
    void forget() { m_forgotten = true; }
    // The window closes; the upload lives on while it has work left.
    void detach();

signals:
    // Refused, broken off, or not answered within the patience: said once.
    void failed();
    // The service took the food and calls it `id` (0 when the reply names
    // none); `late` when the member had already been told it failed.
    void named(qint32 id, bool late);

private slots:
    void slt_net_uploadCalories(QString reply);
    void slt_net_removeCalories(QString reply);
    void slt_net_error(QString error);

private:
    enum class Step
    {
        Uploading,
        Removing,
        Done
    };

    void tellFailed();
    void finish();

    QPointer<FoodItemModel> m_food;
    int m_meal;
    qint32 m_categoryId;
    Server* m_server;
    QTimer* m_patience;
    QString m_savedEntry;
    Step m_step = Step::Uploading;
    bool m_forgotten = false;
    bool m_told = false;
};
