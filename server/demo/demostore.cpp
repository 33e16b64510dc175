#include "server/demo/demostore.h"

#include "server/demo/demomedia.h"
#include "server/store/storecommon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>

using namespace StoreCommon;

namespace DemoStore {

namespace {

struct DemoProduct
{
    const char* title;
    const char* subtitle;
    const char* mini;
    qint64 priceCents;
    qint64 ebookPriceCents; // 0: no e-book
    int periodDays;
    // A workout's activity code in the exercise catalogue and its minutes
    // (a program's: those of each of its videos); none for other products.
    const char* activityCode = "";
    int activityMinutes = 0;
};

struct DemoType
{
    const char* type;
    int firstId;
    bool hasVideo;
    QList<DemoProduct> products;
};

const QList<DemoType>& catalogue()
{
    static const QList<DemoType> types = {
        {"WORKOUT", 101, true, {
            {"Morning Mobility Flow", "15 minutes, no equipment", "Wake up stiff joints with a gentle standing routine.", 999, 0, 30, "02150", 15},
            {"Twenty-Minute Core Burner", "20 minutes, mat", "Planks, dead bugs and slow crunches for a steady core.", 1299, 0, 30, "02022", 20},
            {"Low-Impact Cardio Walk", "30 minutes, indoors", "A brisk walk in your living room, easy on the knees.", 899, 0, 30, "17200", 30},
            {"Kettlebell Basics", "25 minutes, one kettlebell", "Learn the swing, the goblet squat and the press safely.", 1499, 0, 30, "02054", 25},
            {"Lower Body Strength", "35 minutes, dumbbells", "Squats, lunges and hip bridges to build strong legs.", 1599, 0, 30, "02054", 35},
            {"Stretch and Recover", "10 minutes, mat", "A calm cool-down for the days after hard training.", 0, 0, 30, "02101", 10},
        }},
        {"PROGRAM", 201, false, {
            {"Six-Week Fresh Start", "3 sessions a week", "A complete plan for getting back into regular exercise.", 4999, 0, 30, "03020", 30},
            {"Strong in Thirty Days", "4 sessions a week", "Progressive strength work with simple equipment.", 5999, 0, 30, "02054", 40},
            {"Beginner Bodyweight Plan", "3 sessions a week", "No gym needed: push, pull and squat at home.", 3999, 0, 30, "02022", 30},
            {"Cardio Builder Series", "5 sessions a week", "Short interval days that grow with your fitness.", 4499, 0, 30, "03015", 25},
            {"Desk Worker Reset", "daily, 10 minutes", "Undo long sitting days with mobility and posture work.", 2999, 0, 30, "02101", 10},
            {"Four-Week Core Challenge", "4 sessions a week", "A steady path from the first plank to a strong middle.", 3499, 0, 30, "02022", 20},
        }},
        {"NUTRITION", 301, false, {
            {"Balanced Plate Meal Guide", "printed guide and recipes", "Fill your plate the easy way at every meal.", 2499, 799, 90},
            {"Vegetarian Protein Pack", "shipped box", "Lentils, beans and seeds with a week of recipes.", 3499, 599, 60},
            {"Gluten-Free Pantry Box", "shipped box", "Staples for gluten-free cooking without the guesswork.", 3999, 699, 60},
            {"Diabetes-Friendly Snack Box", "shipped box", "Snacks chosen with a dietitian for steady blood sugar.", 2999, 0, 30},
            {"High-Fibre Breakfast Kit", "shipped box", "Oats, bran and dried fruit for fuller mornings.", 1999, 499, 30},
            {"Dairy-Free Starter Set", "shipped box", "Plant milks and recipes for a dairy-free kitchen.", 2799, 599, 90},
        }},
        {"NUTRITION_VIDEO", 401, true, {
            {"Meal Prep in an Hour", "video, 18 minutes", "Cook five lunches in one go and keep them fresh.", 799, 0, 30},
            {"Reading Food Labels", "video, 12 minutes", "What the numbers on the package really mean.", 599, 0, 30},
            {"Smart Grocery Shopping", "video, 15 minutes", "A walk through the aisles with a dietitian.", 699, 0, 30},
            {"Cooking with Legumes", "video, 20 minutes", "Soak, cook and season beans and lentils.", 899, 0, 30},
            {"Healthy Swaps for Takeaway", "video, 14 minutes", "Lighter versions of the dishes you order most.", 699, 0, 30},
            {"Portion Sizes Made Simple", "video, 10 minutes", "Use your hand to measure portions anywhere.", 499, 0, 30},
        }},
        {"COACHING", 501, false, {
            {"Goal Setting Workbook", "printed workbook", "Turn a wish into a plan you can follow each week.", 1999, 499, 60},
            {"Habit Tracker Journal", "printed journal", "Twelve weeks of daily check-ins and reflections.", 1499, 399, 90},
            {"One-Month Coaching Plan", "four coach calls", "Weekly calls with a coach who knows your goals.", 9999, 0, 30},
            {"Stress and Sleep Guide", "printed guide", "Calm evenings and better nights in small steps.", 1799, 599, 60},
            {"Plateau Breaker Plan", "printed plan", "What to change when the scale stops moving.", 2299, 699, 30},
            {"Mindful Eating Cards", "card deck", "Fifty prompts for slower, more satisfying meals.", 1299, 299, 30},
        }},
        {"COACHING_VIDEO", 601, true, {
            {"Building Lasting Habits", "video, 16 minutes", "Why small changes stick and big ones fade.", 699, 0, 30},
            {"Beating Emotional Eating", "video, 22 minutes", "Spot the triggers and plan a different answer.", 899, 0, 30},
            {"Staying Motivated", "video, 12 minutes", "Keep going after the first enthusiasm is gone.", 599, 0, 30},
            {"Sleep and Weight", "video, 14 minutes", "How rest shapes hunger, mood and energy.", 599, 0, 30},
            {"Planning Your Week", "video, 11 minutes", "Fit meals and movement into a busy calendar.", 499, 0, 30},
            {"Dealing with Setbacks", "video, 13 minutes", "A bad day is not a failed plan.", 499, 0, 30},
        }},
    };
    return types;
}

const char* const kProgramVideoTitles[] = {"Week one: foundations", "Week two: building up", "Week three: stepping up"};
constexpr int kClipVariants = 4;
constexpr int kClipSeconds = 5;

// A few clips are rendered once; every video gets its own copy, since the
// client names a downloaded file after its address.
class ClipLibrary final
{
public:
    explicit ClipLibrary(QString filesDir)
        : m_filesDir(std::move(filesDir))
    {
        for (int variant = 0; variant < kClipVariants; ++variant) {
            const QString clip = QStringLiteral("videos/clips/clip_%1.mp4").arg(variant);
            m_clips.append(DemoMedia::renderVideo(m_filesDir, clip, kClipSeconds, variant) ? clip : QString());
        }
    }

    // The relative path of the new video, or empty when no clip exists.
    QString copyFor(const QString& relativePath, int variant) const
    {
        const QString clip = m_clips.at(variant % kClipVariants);
        if (clip.isEmpty())
            return {};
        const QString target = m_filesDir + QLatin1Char('/') + relativePath;
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::remove(target);
        return QFile::copy(m_filesDir + QLatin1Char('/') + clip, target) ? relativePath : QString();
    }

private:
    QString m_filesDir;
    QStringList m_clips;
};

QString writeEbook(const QString& filesDir, int id, const QString& title)
{
    const QString relative = QStringLiteral("ebooks/ebook_%1.html").arg(id);
    const QString path = filesDir + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    const QString html = QStringLiteral(
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head><body>"
        "<h1>%1</h1><p>This e-book accompanies the product of the same name.</p>"
        "<h2>Chapter 1</h2><p>Start small: choose one change for this week and write it down.</p>"
        "<h2>Chapter 2</h2><p>Plan your meals two days ahead and keep a note of how you feel.</p>"
        "</body></html>").arg(title.toHtmlEscaped());
    file.write(html.toUtf8());
    return file.error() == QFile::NoError ? relative : QString();
}

// The e-book viewer page: "viewer.html?view=<id>" opens that product's e-book.
void writeEbookViewer(const QString& filesDir)
{
    const QString path = filesDir + QStringLiteral("/ebooks/viewer.html");
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write(
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>E-book</title><script>\n"
        "var id = new URLSearchParams(location.search).get('view') || '';\n"
        "if (/^[0-9]{1,9}$/.test(id)) location.replace('ebook_' + id + '.html');\n"
        "</script></head><body><p>No such e-book.</p></body></html>\n");
}

bool insertProducts(ServerContext& context, const ClipLibrary& clips)
{
    KeptQuery product(context.db);
    product.prepare(QStringLiteral(
        "INSERT INTO products (id, type, title, subtitle, minidescription, fulldescription, price_cents,"
        " ebook_price_cents, period_days, image, video, ebook_file, contact_email, contact_phone, contact_name,"
        " activity_code, activity_minutes)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, COALESCE(?, ''), COALESCE(?, ''), ?, ?, ?, ?, ?)"));
    KeptQuery programVideo(context.db);
    programVideo.prepare(QStringLiteral(
        "INSERT INTO program_videos (id, program_id, position, title, subtitle, minidescription,"
        " fulldescription, image, video, activity_code, activity_minutes)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, COALESCE(?, ''), ?, ?)"));

    int pictureIndex = 0;
    int nextProgramVideoId = 1001;
    for (const DemoType& type : catalogue()) {
        const QString typeName = QString::fromLatin1(type.type);
        for (int i = 0; i < type.products.size(); ++i) {
            const DemoProduct& demo = type.products.at(i);
            const int id = type.firstId + i;
            const QString title = QString::fromUtf8(demo.title);
            const QString mini = QString::fromUtf8(demo.mini);
            const QString image = QStringLiteral("store/product_%1.png").arg(id);
            DemoMedia::drawPicture(context.filesDir, image, QSize(600, 420), title,
                                   DemoMedia::paletteColor(pictureIndex++));
            const QString video = type.hasVideo
                ? clips.copyFor(QStringLiteral("videos/product_%1.mp4").arg(id), id)
                : QString();
            const QString ebook = demo.ebookPriceCents > 0 ? writeEbook(context.filesDir, id, title) : QString();

            const QVariantList values = {
                id, typeName, title, QString::fromUtf8(demo.subtitle), mini,
                QString(mini + QStringLiteral(" Made for members of every level; follow along at your own "
                                              "pace and repeat as often as you like.")),
                demo.priceCents, demo.ebookPriceCents, demo.periodDays, image, video, ebook,
                QStringLiteral("coaching@olva.local"), QStringLiteral("+1 555 0100"),
                QStringLiteral("OLVA Coaching Team"), QString::fromLatin1(demo.activityCode),
                demo.activityMinutes};
            if (!runWith(product, values))
                return false;

            if (typeName != QLatin1String("PROGRAM"))
                continue;
            for (int position = 0; position < int(std::size(kProgramVideoTitles)); ++position) {
                const int videoId = nextProgramVideoId++;
                const QString videoTitle = title + QStringLiteral(" - ") + QString::fromLatin1(kProgramVideoTitles[position]);
                const QVariantList videoValues = {
                    videoId, id, position, videoTitle, QString::fromUtf8(demo.subtitle),
                    QStringLiteral("Session %1 of the program.").arg(position + 1),
                    QStringLiteral("Follow the coach through session %1; rest whenever you need to.").arg(position + 1),
                    image, clips.copyFor(QStringLiteral("videos/program_%1.mp4").arg(videoId), videoId),
                    QString::fromLatin1(demo.activityCode), demo.activityMinutes};
                if (!runWith(programVideo, videoValues))
                    return false;
            }
        }
    }
    return true;
}

// The demo member's store, so that every card state can be seen: owned
// videos of each video type not yet downloaded, a program, coaching items,
// e-book products in all four "e-book owned,product not owned" flag states,
// and entries in all three carts, one of them an e-book.
bool insertDemoMemberState(ServerContext& context)
{
    constexpr qint64 demoMember = 1;
    constexpr qint64 day = 24LL * 60 * 60 * 1000;
    const qint64 now = nowMs();
    KeptQuery query(context.db);
    query.prepare(QStringLiteral(
        "INSERT INTO purchases (user_id, product_id, product_owned, ebook_owned, end_day, ebook_end_day)"
        " VALUES (?, ?, ?, ?, ?, ?)"));
    const QList<QVariantList> purchases = {
        {demoMember, 101, 1, 0, now + 30 * day, 0}, // single videos, not downloaded
        {demoMember, 401, 1, 0, now + 30 * day, 0},
        {demoMember, 601, 1, 0, now + 30 * day, 0},
        {demoMember, 201, 1, 0, now + 30 * day, 0}, // a complete program
        {demoMember, 301, 1, 1, 0, now + 90 * day}, // "1,0": product and e-book
        {demoMember, 302, 1, 0, 0, 0},              // "0,0": the product only
        {demoMember, 306, 0, 1, 0, now + 90 * day}, // "1,1": the e-book only
        {demoMember, 501, 1, 1, 0, now + 60 * day}, // coaching items
        {demoMember, 503, 1, 0, 0, 0},
    };
    for (const QVariantList& row : purchases) {
        if (!runWith(query, row))
            return false;
    }
    KeptQuery cart(context.db);
    cart.prepare(QStringLiteral("INSERT INTO store_cart (user_id, product_id, ebook, quantity) VALUES (?, ?, ?, 1)"));
    const QList<QVariantList> carts = {
        {demoMember, 102, 0}, // workout cart
        {demoMember, 304, 0}, // nutrition cart: a product ...
        {demoMember, 303, 1}, // ... and an e-book
        {demoMember, 504, 1}, // coaching cart: an e-book
        {demoMember, 506, 0},
    };
    for (const QVariantList& row : carts) {
        if (!runWith(cart, row))
            return false;
    }
    return true;
}

// A demo database made before workouts had activities gets them, leaving
// any an operator set alone.
void fillMissingActivities(ServerContext& context)
{
    KeptQuery product(context.db);
    product.prepare(QStringLiteral("UPDATE products SET activity_code = ?, activity_minutes = ?"
                                   " WHERE id = ? AND type = ? AND activity_code = ''"));
    KeptQuery videos(context.db);
    videos.prepare(QStringLiteral("UPDATE program_videos SET activity_code = ?, activity_minutes = ?"
                                  " WHERE program_id = ? AND activity_code = ''"));
    for (const DemoType& type : catalogue()) {
        for (int i = 0; i < type.products.size(); ++i) {
            const DemoProduct& demo = type.products.at(i);
            if (*demo.activityCode == '\0')
                continue;
            const QString code = QString::fromLatin1(demo.activityCode);
            const int id = type.firstId + i;
            runWith(product, {code, demo.activityMinutes, id, QString::fromLatin1(type.type)});
            runWith(videos, {code, demo.activityMinutes, id});
        }
    }
}

} // namespace

void fill(ServerContext& context)
{
    if (!tableIsEmpty(context, QStringLiteral("products"))) {
        fillMissingActivities(context);
        return;
    }

    const ClipLibrary clips(context.filesDir);
    writeEbookViewer(context.filesDir);
    Transaction transaction(context.db);
    if (!transaction.begun() || !insertProducts(context, clips) || !insertDemoMemberState(context)
        || !transaction.commit())
        qWarning("olva-server: the demo store could not be filled");
}

} // namespace DemoStore
