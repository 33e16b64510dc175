#include "tracker/ownfoodupload.h"

#include "tracker/daystore.h"
#include "tracker/foodrequests.h"

#include "app/server.h"

#include <QTimer>

OwnFoodUpload::OwnFoodUpload(FoodItemModel* food, int meal, qint32 categoryId, QObject* parent)
    : QObject(parent), m_food(food), m_meal(meal), m_categoryId(categoryId),
      m_server(new Server(this)), m_patience(new QTimer(this))
{
    connect(m_server, SIGNAL(sig_net_uploadCalories(QString)), this,
            SLOT(slt_net_uploadCalories(QString)));
    connect(m_server, SIGNAL(sig_net_removeCalories(QString)), this,
            SLOT(slt_net_removeCalories(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
    m_patience->setSingleShot(true);
    connect(m_patience, &QTimer::timeout, this, &OwnFoodUpload::tellFailed);
}

void OwnFoodUpload::start(const QUrlQuery& fields, int patienceMs)
{
    m_server->request(FoodRequests::uploadMyCalorie, fields);
    m_patience->start(patienceMs);
}

void OwnFoodUpload::detach()
{
    if (m_step == Step::Done || (m_savedEntry.isEmpty() && !m_forgotten))
        return; // goes with the window
    setParent(nullptr);
}

void OwnFoodUpload::slt_net_uploadCalories(QString reply)
{
    if (m_step != Step::Uploading)
        return;
    m_patience->stop();
    const std::optional<qint32> id = FoodRequests::uploadedFoodId(reply);
    if (!id) {
        tellFailed();
        finish();
        return;
    }
    if (*id > 0) {
        if (m_food)
            m_food->id = *id;
        DayStore::nameFood(m_meal, m_categoryId, m_savedEntry, *id);
        m_savedEntry.clear();
    }
    emit named(*id, m_told);
    if (m_forgotten && *id > 0) {
        // Deleted while on its way: now it has a name, it can go.
        m_step = Step::Removing;
        m_server->request(FoodRequests::removeMyCalorie, FoodRequests::removeFood(*id));
        return;
    }
    finish();
}

void OwnFoodUpload::slt_net_removeCalories(QString)
{
    if (m_step == Step::Removing)
        finish();
}

void OwnFoodUpload::slt_net_error(QString)
{
    if (m_step == Step::Done)
        return;
    if (m_step == Step::Uploading) {
        m_patience->stop();
        tellFailed();
    }
    finish();
}

void OwnFoodUpload::tellFailed()
{
    if (m_told)
        return;
    m_told = true;
    emit failed();
}

void OwnFoodUpload::finish()
{
    m_step = Step::Done;
    deleteLater();
}
