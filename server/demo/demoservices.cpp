#include "server/demo/demoservices.h"

#include "server/demo/demomedia.h"
#include "server/store/storecommon.h"

#include <QSqlQuery>
#include <QVariant>

using namespace StoreCommon;

namespace DemoServices {

namespace {

struct DemoService
{
    const char* title;
    const char* subtitle;
    const char* mini;
    qint64 priceCents;
    const char* skype;
};

struct DemoServiceType
{
    const char* type;
    int firstId;
    QList<DemoService> services;
};

const QList<DemoServiceType>& catalogue()
{
    static const QList<DemoServiceType> types = {
        {"TELEHEALTH", 11, {
            {"Dietitian Video Consultation", "45 minutes", "Talk through your eating habits with a registered dietitian.", 4999, "olva.dietitian.mara"},
            {"Weight-Loss Check-In", "30 minutes", "A progress review and a plan for the next month.", 3999, "olva.checkin.tom"},
            {"Health Coach Session", "45 minutes", "One-on-one coaching on habits, sleep and stress.", 4499, "olva.coach.lena"},
            {"Sleep Habits Consultation", "30 minutes", "Practical changes for better rest and steadier appetite.", 2999, "olva.sleep.omar"},
            {"Blood Pressure Review", "20 minutes", "Go over your readings and what diet can change.", 1999, "olva.review.ines"},
            {"Welcome Call", "15 minutes", "Meet a coach and find the live service that suits you.", 0, "live:olva.welcome"},
        }},
        {"LIVEFITNESS", 21, {
            {"Live Personal Training", "60 minutes", "A trainer watches your form and adjusts every set.", 5999, "olva.trainer.kai"},
            {"Live Yoga for Beginners", "45 minutes", "Gentle poses and breathing with a patient teacher.", 2499, "olva.yoga.sofia"},
            {"Live Interval Class", "30 minutes", "Short bursts and rests, paced for your level.", 1999, "olva.intervals.ben"},
            {"Live Pilates Session", "45 minutes", "Core control and posture in a small live group.", 2799, "olva.pilates.noor"},
            {"Live Stretching Class", "30 minutes", "Loosen up after a long week with guided stretches.", 1499, "olva.stretch.ana"},
        }},
        {"LIVENUTRITION", 31, {
            {"Live Meal Planning Session", "45 minutes", "Plan a week of meals together with a dietitian.", 3499, "olva.meals.eva"},
            {"Live Cooking Class", "60 minutes", "Cook a light dinner along with a chef.", 2999, "olva.cook.luis"},
            {"Live Grocery Walk-Through", "30 minutes", "Shop smarter with a dietitian on the call.", 1999, "olva.grocery.maya"},
            {"Live Label Reading Workshop", "30 minutes", "Learn to read packages in a small live group.", 1499, "olva.labels.jon"},
            {"Live Snack Makeover", "30 minutes", "Swap your usual snacks for filling, lighter ones.", 1299, "olva.snacks.ivy"},
        }},
    };
    return types;
}

} // namespace

void fill(ServerContext& context)
{
    if (!tableIsEmpty(context, QStringLiteral("services")))
        return;

    Transaction transaction(context.db);
    if (!transaction.begun())
        return;
    KeptQuery insert(context.db);
    insert.prepare(QStringLiteral(
        "INSERT INTO services (id, type, title, subtitle, minidescription, fulldescription, price_cents,"
        " image, skype, whatsapp) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    int pictureIndex = 3;
    for (const DemoServiceType& type : catalogue()) {
        for (int i = 0; i < type.services.size(); ++i) {
            const DemoService& demo = type.services.at(i);
            const int id = type.firstId + i;
            const QString title = QString::fromUtf8(demo.title);
            const QString mini = QString::fromUtf8(demo.mini);
            const QString image = QStringLiteral("services/service_%1.png").arg(id);
            DemoMedia::drawPicture(context.filesDir, image, QSize(600, 420), title,
                                   DemoMedia::paletteColor(pictureIndex++));
            // 555-01xx numbers are set aside for fiction.
            const QVariantList values = {
                id, QString::fromLatin1(type.type), title, QString::fromUtf8(demo.subtitle), mini,
                QString(mini + QStringLiteral(" After buying, choose SCHEDULE to agree on a time with "
                                              "your coach, then meet over a video call.")),
                demo.priceCents, image, QString::fromLatin1(demo.skype),
                QStringLiteral("120255501%1").arg(id, 2, 10, QLatin1Char('0'))};
            if (!runWith(insert, values))
                return;
        }
    }
    // The demo member's purchases show every card state: one of each type,
    // one telehealth service with an appointment made already, and two
    // services waiting in the cart.
    KeptQuery purchase(context.db);
    purchase.prepare(QStringLiteral(
        "INSERT INTO service_purchases (user_id, service_id, appoint, purchased_ms) VALUES (1, ?, ?, ?)"));
    KeptQuery cart(context.db);
    cart.prepare(QStringLiteral("INSERT INTO service_cart (user_id, service_id, quantity) VALUES (1, ?, 1)"));
    const QList<QPair<int, int>> purchases = {{11, 0}, {12, 2}, {21, 0}, {31, 0}};
    for (const auto& [serviceId, appointments] : purchases) {
        if (!runWith(purchase, {serviceId, appointments, nowMs()}))
            return;
    }
    for (int serviceId : {13, 24}) {
        if (!runWith(cart, {serviceId}))
            return;
    }
    if (!transaction.commit())
        qWarning("olva-server: the demo services could not be filled");
}

} // namespace DemoServices
