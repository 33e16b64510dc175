#include "server/storage/migrations.h"

// Types as SQLite sees them: INTEGER is 64 bits, REAL is a double, and an
// INTEGER PRIMARY KEY is assigned by the database.
namespace Migrations {

const std::vector<Migration>& sqlite()
{
    static const std::vector<Migration> steps = {
        {1,
         {QStringLiteral("CREATE TABLE IF NOT EXISTS users ( id INTEGER PRIMARY KEY, email TEXT NOT NULL UNIQUE COLLATE NOCASE,"
                         " username TEXT NOT NULL, password_hash TEXT NOT NULL, salt TEXT NOT NULL,"
                         " approve TEXT NOT NULL DEFAULT '1', check_day TEXT NOT NULL,"
                         " created_at TEXT NOT NULL DEFAULT (datetime('now')))"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS devices ( user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
                         " token TEXT NOT NULL, device_type TEXT NOT NULL DEFAULT '',"
                         " registered_at TEXT NOT NULL DEFAULT (datetime('now')), PRIMARY KEY (user_id, token))"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS device_claims ( user_id INTEGER NOT NULL, token TEXT NOT NULL,"
                         " claimed_at INTEGER NOT NULL, PRIMARY KEY (user_id, token))"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS backgrounds ( platform INTEGER PRIMARY KEY, path TEXT NOT NULL)"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS pending_codes ( id INTEGER PRIMARY KEY, user_id INTEGER NOT NULL,"
                         " purpose TEXT NOT NULL, pincode TEXT NOT NULL, issued_at INTEGER NOT NULL,"
                         " wrong_attempts INTEGER NOT NULL DEFAULT 0)"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS outbox ( id INTEGER PRIMARY KEY, recipient TEXT NOT NULL,"
                         " subject TEXT NOT NULL, body TEXT NOT NULL, sent_at TEXT NOT NULL DEFAULT (datetime('now')))"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS food_categories ( id INTEGER PRIMARY KEY, title TEXT NOT NULL,"
                         " recomended TEXT NOT NULL DEFAULT '')"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS foods ( id INTEGER PRIMARY KEY,"
                         " category_id INTEGER NOT NULL REFERENCES food_categories(id),"
                         " user_id INTEGER NOT NULL DEFAULT 0, title TEXT NOT NULL, cal REAL NOT NULL, carbs REAL NOT NULL,"
                         " fat REAL NOT NULL, protein REAL NOT NULL, fiber REAL NOT NULL)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS foods_by_member ON foods (user_id)"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS sample_meals ( id INTEGER PRIMARY KEY, meal INTEGER NOT NULL,"
                         " position INTEGER NOT NULL DEFAULT 0, title TEXT NOT NULL)"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS history_days ( id INTEGER PRIMARY KEY, user_id INTEGER NOT NULL,"
                         " day TEXT NOT NULL, total REAL NOT NULL, remain REAL NOT NULL, score REAL NOT NULL,"
                         " grade TEXT NOT NULL, breakfast REAL NOT NULL, firstsnack REAL NOT NULL, lunch REAL NOT NULL,"
                         " secondsnack REAL NOT NULL, dinner REAL NOT NULL, thirdsnack REAL NOT NULL)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS history_by_member ON history_days (user_id, day)"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS history_foods ( id INTEGER PRIMARY KEY,"
                         " history_id INTEGER NOT NULL REFERENCES history_days(id) ON DELETE CASCADE,"
                         " meal_type TEXT NOT NULL, food_type_id INTEGER NOT NULL, food_type TEXT NOT NULL,"
                         " title TEXT NOT NULL, cal REAL NOT NULL, carbs REAL NOT NULL, fat REAL NOT NULL,"
                         " protein REAL NOT NULL, fiber REAL NOT NULL)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS history_foods_by_day ON history_foods (history_id, meal_type)"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS friends ( id INTEGER PRIMARY KEY, user_id INTEGER NOT NULL,"
                         " first_name TEXT NOT NULL, last_name TEXT NOT NULL, phone TEXT NOT NULL DEFAULT '',"
                         " email TEXT NOT NULL DEFAULT '', state TEXT NOT NULL DEFAULT '0')"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS friends_by_member ON friends (user_id)"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS about_entries ( id INTEGER PRIMARY KEY, position INTEGER NOT NULL DEFAULT 0,"
                         " name TEXT NOT NULL, photo TEXT NOT NULL DEFAULT '', phone TEXT NOT NULL DEFAULT '',"
                         " email TEXT NOT NULL DEFAULT '', description TEXT NOT NULL DEFAULT '')"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS special_offers ( id INTEGER PRIMARY KEY, position INTEGER NOT NULL DEFAULT 0,"
                         " featured INTEGER NOT NULL DEFAULT 0, name TEXT NOT NULL, title TEXT NOT NULL,"
                         " content TEXT NOT NULL DEFAULT '', description TEXT NOT NULL DEFAULT '',"
                         " badge TEXT NOT NULL DEFAULT '', image TEXT NOT NULL DEFAULT '', video TEXT NOT NULL DEFAULT '')"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS products ( id INTEGER PRIMARY KEY, type TEXT NOT NULL, title TEXT NOT NULL,"
                         " subtitle TEXT NOT NULL DEFAULT '', minidescription TEXT NOT NULL DEFAULT '',"
                         " fulldescription TEXT NOT NULL DEFAULT '', price_cents INTEGER NOT NULL,"
                         " ebook_price_cents INTEGER NOT NULL DEFAULT 0, period_days INTEGER NOT NULL DEFAULT 30,"
                         " image TEXT NOT NULL DEFAULT '', video TEXT NOT NULL DEFAULT '', ebook_file TEXT NOT NULL DEFAULT '',"
                         " contact_email TEXT NOT NULL DEFAULT '', contact_phone TEXT NOT NULL DEFAULT '',"
                         " contact_name TEXT NOT NULL DEFAULT '')"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS products_by_type ON products(type)"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS program_videos ( id INTEGER PRIMARY KEY,"
                         " program_id INTEGER NOT NULL REFERENCES products(id), position INTEGER NOT NULL DEFAULT 0,"
                         " title TEXT NOT NULL, subtitle TEXT NOT NULL DEFAULT '', minidescription TEXT NOT NULL DEFAULT '',"
                         " fulldescription TEXT NOT NULL DEFAULT '', image TEXT NOT NULL DEFAULT '',"
                         " video TEXT NOT NULL DEFAULT '')"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS store_cart ( user_id INTEGER NOT NULL, product_id INTEGER NOT NULL,"
                         " ebook INTEGER NOT NULL DEFAULT 0, quantity INTEGER NOT NULL DEFAULT 1,"
                         " PRIMARY KEY (user_id, product_id))"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS purchases ( user_id INTEGER NOT NULL, product_id INTEGER NOT NULL,"
                         " product_owned INTEGER NOT NULL DEFAULT 0, ebook_owned INTEGER NOT NULL DEFAULT 0,"
                         " end_day INTEGER NOT NULL DEFAULT 0, ebook_end_day INTEGER NOT NULL DEFAULT 0,"
                         " PRIMARY KEY (user_id, product_id))"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS video_downloads ( user_id INTEGER NOT NULL, product_id INTEGER NOT NULL,"
                         " platform TEXT NOT NULL, uri TEXT NOT NULL DEFAULT '', uri1 TEXT NOT NULL,"
                         " PRIMARY KEY (user_id, product_id, platform))"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS program_video_downloads ( user_id INTEGER NOT NULL,"
                         " video_id INTEGER NOT NULL, platform TEXT NOT NULL, uri1 TEXT NOT NULL,"
                         " PRIMARY KEY (user_id, video_id, platform))"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS payments ( id INTEGER PRIMARY KEY AUTOINCREMENT, user_id INTEGER NOT NULL,"
                         " pay_type TEXT NOT NULL, item_kind TEXT NOT NULL, amount_cents INTEGER NOT NULL,"
                         " card_last_four TEXT NOT NULL, created_ms INTEGER NOT NULL)"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS paid_items ( id INTEGER PRIMARY KEY AUTOINCREMENT,"
                         " payment_id INTEGER NOT NULL REFERENCES payments(id), user_id INTEGER NOT NULL,"
                         " item_kind TEXT NOT NULL, item_id INTEGER NOT NULL, used INTEGER NOT NULL DEFAULT 0,"
                         " end_day INTEGER, recorded_ms INTEGER)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS paid_items_by_member ON paid_items(user_id, item_kind, item_id, used)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS paid_items_by_payment ON paid_items(payment_id)"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS cards_on_file ( user_id INTEGER NOT NULL, product_id INTEGER NOT NULL,"
                         " reference TEXT NOT NULL, last_four TEXT NOT NULL, expiry TEXT NOT NULL,"
                         " PRIMARY KEY (user_id, product_id))"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS auto_renewals ( user_id INTEGER NOT NULL, product_id INTEGER NOT NULL,"
                         " period_end INTEGER NOT NULL, result_code INTEGER NOT NULL, message TEXT NOT NULL DEFAULT '',"
                         " created_ms INTEGER NOT NULL, PRIMARY KEY (user_id, product_id, period_end))"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS services ( id INTEGER PRIMARY KEY, type TEXT NOT NULL, title TEXT NOT NULL,"
                         " subtitle TEXT NOT NULL DEFAULT '', minidescription TEXT NOT NULL DEFAULT '',"
                         " fulldescription TEXT NOT NULL DEFAULT '', price_cents INTEGER NOT NULL,"
                         " image TEXT NOT NULL DEFAULT '', skype TEXT NOT NULL DEFAULT '', whatsapp TEXT NOT NULL DEFAULT '')"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS service_cart ( user_id INTEGER NOT NULL, service_id INTEGER NOT NULL,"
                         " quantity INTEGER NOT NULL DEFAULT 1, PRIMARY KEY (user_id, service_id))"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS service_purchases ( id INTEGER PRIMARY KEY AUTOINCREMENT,"
                         " user_id INTEGER NOT NULL, service_id INTEGER NOT NULL, appoint INTEGER NOT NULL DEFAULT 0,"
                         " completed INTEGER NOT NULL DEFAULT 0, purchased_ms INTEGER NOT NULL)"),
          QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS service_purchases_open ON service_purchases(user_id, service_id)"
                         " WHERE completed = 0"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS weights ( user_id INTEGER NOT NULL, day TEXT NOT NULL,"
                         " kg_tenths INTEGER NOT NULL, PRIMARY KEY (user_id, day))"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS weight_profiles ( user_id INTEGER PRIMARY KEY, goal_tenths INTEGER,"
                         " height_tenths INTEGER)"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS sessions ( token_hash TEXT PRIMARY KEY, user_id INTEGER NOT NULL,"
                         " expires_at INTEGER NOT NULL)")},
         // Columns that databases of still earlier builds were missing.
         {QStringLiteral("ALTER TABLE pending_codes ADD COLUMN wrong_attempts INTEGER NOT NULL DEFAULT 0"),
          QStringLiteral("ALTER TABLE paid_items ADD COLUMN end_day INTEGER"),
          QStringLiteral("ALTER TABLE paid_items ADD COLUMN recorded_ms INTEGER")}},
        {2,
         // One stored day per member and date: of duplicates the newest stays.
         {QStringLiteral("DELETE FROM history_foods WHERE history_id IN (SELECT id FROM history_days WHERE id NOT IN"
                         " (SELECT MAX(id) FROM history_days GROUP BY user_id, day))"),
          QStringLiteral("DELETE FROM history_days WHERE id NOT IN (SELECT MAX(id) FROM history_days GROUP BY user_id, day)"),
          QStringLiteral("DROP INDEX IF EXISTS history_by_member"),
          QStringLiteral("CREATE UNIQUE INDEX history_days_one_per_day ON history_days (user_id, day)"),
          // The same look-up as on PostgreSQL, where no NOCASE collation exists.
          QStringLiteral("CREATE UNIQUE INDEX users_email_lower ON users (lower(email))"),
          QStringLiteral("ALTER TABLE users ADD COLUMN foods_version INTEGER NOT NULL DEFAULT 0"),
          QStringLiteral("CREATE TABLE setup_claims ( name TEXT PRIMARY KEY, claimed_ms INTEGER NOT NULL)"),
          // Failed guesses, for the limits on guessing (user_id 0: no account).
          QStringLiteral("CREATE TABLE IF NOT EXISTS signin_failures ( user_id BIGINT NOT NULL DEFAULT 0,"
                         " address TEXT NOT NULL, failed_at BIGINT NOT NULL)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS signin_failures_user ON signin_failures (user_id, failed_at)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS signin_failures_address ON signin_failures (address, failed_at)"),
          // The payments that may still be voided are those with an
          // unrecorded entry: few, however long the ledger grows.
          QStringLiteral("CREATE INDEX IF NOT EXISTS paid_items_unused ON paid_items(used, payment_id)")},
         // Payments of the last release were never voided, and its entries did
         // not keep what they covered (those read as NULL). Builds between
         // that release and this step may have the columns already.
         {QStringLiteral("ALTER TABLE payments ADD COLUMN voided_ms INTEGER"),
          QStringLiteral("ALTER TABLE paid_items ADD COLUMN ebook INTEGER"),
          QStringLiteral("ALTER TABLE paid_items ADD COLUMN price_cents INTEGER")}},
        {3,
         // The exercise a member sent with a day, in the order it was logged.
         {QStringLiteral("CREATE TABLE history_exercise ( id INTEGER PRIMARY KEY,"
                         " history_id INTEGER NOT NULL REFERENCES history_days(id) ON DELETE CASCADE,"
                         " position INTEGER NOT NULL, code TEXT NOT NULL, name TEXT NOT NULL,"
                         " minutes INTEGER NOT NULL, calories REAL NOT NULL)"),
          QStringLiteral("CREATE INDEX history_exercise_by_day ON history_exercise (history_id)")}},
        {4,
         // What a workout counts as when the member logs it: an activity
         // code of the exercise catalogue and the video's length in minutes
         // ('' and 0: not a workout).
         {QStringLiteral("ALTER TABLE products ADD COLUMN activity_code TEXT NOT NULL DEFAULT ''"),
          QStringLiteral("ALTER TABLE products ADD COLUMN activity_minutes INTEGER NOT NULL DEFAULT 0"),
          QStringLiteral("ALTER TABLE program_videos ADD COLUMN activity_code TEXT NOT NULL DEFAULT ''"),
          QStringLiteral("ALTER TABLE program_videos ADD COLUMN activity_minutes INTEGER NOT NULL DEFAULT 0")}},
    };
    return steps;
}

} // namespace Migrations
