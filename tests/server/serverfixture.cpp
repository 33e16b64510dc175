#include "serverfixture.h"

#include "server/account/members.h"
#include "server/account/pincodes.h"
#include "server/engine/sessions.h"
#include "server/storage/storage.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>
#include <QUrlQuery>

#include <atomic>
#include <functional>

QByteArray ServerFixture::Reply::header(const QByteArray& name) const
{
    for (const auto& h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    }
    return {};
}

namespace {

bool copyFolder(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target))
                return false;
        } else if (!QFile::copy(source, target)) {
            return false;
        }
    }
    return true;
}

QString postgresBase()
{
    const QString base = qEnvironmentVariable("OLVA_TEST_DB");
    return base.startsWith(QStringLiteral("postgres")) ? base : QString();
}

// The base URI with another database name in its path.
QString postgresUri(const QString& database)
{
    QString uri = postgresBase();
    const qsizetype path = uri.indexOf(QLatin1Char('/'), uri.indexOf(QStringLiteral("://")) + 3);
    const qsizetype query = uri.indexOf(QLatin1Char('?'));
    return uri.left(path + 1) + database + (query >= 0 ? uri.mid(query) : QString());
}

// Runs `work` on a connection of its own to the database at `uri`.
bool withDatabase(const QString& uri, const std::function<bool(QSqlDatabase&)>& work)
{
    static int serial = 0;
    const QString connection = QStringLiteral("olva-test-admin-%1").arg(++serial);
    bool ok = false;
    {
        QString error;
        QSqlDatabase db = Storage::open(uri, connection, &error);
        if (db.isOpen())
            ok = work(db);
        else
            qWarning().noquote() << "test database:" << error;
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

bool run(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    qWarning().noquote() << "test database:" << query.lastError().text() << sql;
    return false;
}

// Runs one statement on the base database (CREATE and DROP DATABASE cannot
// run inside the database they name).
bool administer(const QString& sql)
{
    return withDatabase(postgresBase(), [&sql](QSqlDatabase& db) { return run(db, sql); });
}

QStringList tablesOf(QSqlDatabase& db, const QString& schema)
{
    QSqlQuery query(db);
    QStringList tables;
    if (query.exec(QStringLiteral("SELECT tablename FROM pg_tables WHERE schemaname = '%1'"
                                  " AND tablename <> 'schema_version' ORDER BY tablename").arg(schema))) {
        while (query.next())
            tables.append(query.value(0).toString());
    }
    return tables;
}

// A new PostgreSQL database costs half a second, and some test processes
// start a hundred servers: their fixtures reuse databases instead. One given
// back is emptied for the next fixture, or refilled from the copy of the
// demo it keeps in the schema demo_copy.
struct PooledDatabase
{
    QString name;
    bool demoCopy = false;
    bool inUse = false;
};

std::vector<PooledDatabase>& pool()
{
    static std::vector<PooledDatabase> databases;
    return databases;
}

// Dropped when the test program ends (while Qt's SQL drivers are still
// loaded), so a whole run does not leave hundreds of megabytes behind.
QStringList& databasesToDrop()
{
    static QStringList names;
    return names;
}

void dropDatabasesAtExit()
{
    for (const PooledDatabase& entry : pool())
        databasesToDrop().append(entry.name);
    for (const QString& name : std::as_const(databasesToDrop()))
        administer(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(name));
}

void dropAtExit(const QString& name)
{
    if (databasesToDrop().isEmpty() && pool().empty())
        qAddPostRoutine(dropDatabasesAtExit);
    databasesToDrop().append(name);
}

bool emptyOrRefill(QSqlDatabase& db, bool demo)
{
    const QStringList tables = tablesOf(db, QStringLiteral("public"));
    if (!tables.isEmpty() && !run(db, QStringLiteral("TRUNCATE %1 RESTART IDENTITY CASCADE").arg(tables.join(QStringLiteral(", ")))))
        return false;
    if (!demo)
        return true;
    // Rows go back in any order: foreign keys are not checked meanwhile.
    bool ok = run(db, QStringLiteral("SET session_replication_role = replica"));
    for (const QString& table : tablesOf(db, QStringLiteral("demo_copy")))
        ok = ok && run(db, QStringLiteral("INSERT INTO public.%1 SELECT * FROM demo_copy.%1").arg(table));
    return run(db, QStringLiteral("SET session_replication_role = DEFAULT")) && ok;
}

bool keepDemoCopy(QSqlDatabase& db)
{
    bool ok = run(db, QStringLiteral("CREATE SCHEMA demo_copy"));
    for (const QString& table : tablesOf(db, QStringLiteral("public")))
        ok = ok && run(db, QStringLiteral("CREATE TABLE demo_copy.%1 AS TABLE public.%1").arg(table));
    return ok;
}

// Demo data takes a while to build (pictures, password hashes); it is built
// once per test process and copied for every fixture that asks for it.
struct DemoTemplate
{
    QTemporaryDir dir;
    // Never dropped: at exit the SQL plugins may be gone already, and the
    // cluster is thrown away after the tests anyway.
    TestDatabase* database = nullptr;
    bool built = false;
};

DemoTemplate& demoTemplate()
{
    static DemoTemplate demo;
    if (!demo.built && !demo.database && demo.dir.isValid()) {
        demo.database = new TestDatabase(demo.dir.path());
        if (TestDatabase::onPostgres()) {
            const QString path = demo.database->location().section(QLatin1Char('?'), 0, 0);
            dropAtExit(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1));
        }
        ServerOptions options;
        options.dbPath = demo.database->location();
        options.filesDir = demo.dir.filePath(QStringLiteral("files"));
        options.demo = true;
        options.demoVideos = false;
        ApiServer server;
        demo.built = demo.database->isValid() && server.start(options, QHostAddress::LocalHost, 0);
    }
    return demo;
}

// A pooled database ready for a fixture (its index in `index`); empty when
// none could be made.
QString takePooled(bool demo, const QString& demoDatabase, int* index)
{
    auto& databases = pool();
    int chosen = -1;
    for (int i = 0; i < int(databases.size()); ++i) {
        if (!databases[i].inUse && (chosen < 0 || databases[i].demoCopy == demo))
            chosen = i;
    }
    if (chosen < 0) {
        const QString name = QStringLiteral("olva_pool_%1_%2").arg(QCoreApplication::applicationPid()).arg(databases.size());
        if (!administer(QStringLiteral("CREATE DATABASE \"%1\"").arg(name)))
            return {};
        if (databases.empty() && databasesToDrop().isEmpty())
            qAddPostRoutine(dropDatabasesAtExit);
        databases.push_back({name});
        chosen = int(databases.size()) - 1;
    }
    PooledDatabase& entry = databases[chosen];
    const QString uri = postgresUri(entry.name);
    if (demo && !entry.demoCopy) {
        if (!administer(QStringLiteral("DROP DATABASE \"%1\" WITH (FORCE)").arg(entry.name))
            || !administer(QStringLiteral("CREATE DATABASE \"%1\" TEMPLATE \"%2\"").arg(entry.name, demoDatabase))
            || !withDatabase(uri, keepDemoCopy))
            return {};
        entry.demoCopy = true;
    } else if (!withDatabase(uri, [demo](QSqlDatabase& db) { return emptyOrRefill(db, demo); })) {
        return {};
    }
    entry.inUse = true;
    *index = chosen;
    return uri;
}

} // namespace

TestDatabase::TestDatabase(const QString& folder, const QString& copyOf)
{
    if (!onPostgres()) {
        m_location = folder + QStringLiteral("/olva.sqlite");
        if (!copyOf.isEmpty() && !QFile::copy(copyOf, m_location))
            m_location.clear();
        return;
    }
    static std::atomic<int> serial = 0;
    m_name = QStringLiteral("olva_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++serial);
    QString sql = QStringLiteral("CREATE DATABASE \"%1\"").arg(m_name);
    if (!copyOf.isEmpty()) {
        const QString path = copyOf.section(QLatin1Char('?'), 0, 0);
        const QString source = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        sql += QStringLiteral(" TEMPLATE \"%1\"").arg(source);
    }
    if (administer(sql))
        m_location = postgresUri(m_name);
}

TestDatabase::~TestDatabase()
{
    if (!m_location.isEmpty() && !m_name.isEmpty())
        administer(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(m_name));
}

bool TestDatabase::onPostgres()
{
    return !postgresBase().isEmpty();
}

ServerFixture::ServerFixture() = default;

ServerFixture::~ServerFixture()
{
    stop();
}

bool ServerFixture::start(bool demo, const QString& clientVersion)
{
    stop();
    m_dir = std::make_unique<QTemporaryDir>();
    if (!m_dir->isValid())
        return false;
    if (demo) {
        DemoTemplate& source = demoTemplate();
        if (!source.built)
            return false;
        if (TestDatabase::onPostgres()) {
            const QString path = source.database->location().section(QLatin1Char('?'), 0, 0);
            m_location = takePooled(true, path.mid(path.lastIndexOf(QLatin1Char('/')) + 1), &m_pooled);
        } else {
            m_database = std::make_unique<TestDatabase>(m_dir->path(), source.database->location());
            m_location = m_database->location();
        }
        if (!copyFolder(source.dir.filePath(QStringLiteral("files")), m_dir->filePath(QStringLiteral("files"))))
            return false;
    } else if (TestDatabase::onPostgres()) {
        m_location = takePooled(false, {}, &m_pooled);
    } else {
        m_database = std::make_unique<TestDatabase>(m_dir->path());
        m_location = m_database->location();
    }
    if (m_location.isEmpty())
        return false;
    return startServer(clientVersion);
}

bool ServerFixture::restart()
{
    if (!m_dir)
        return false;
    m_sessionMember = 0;
    m_network.reset();
    m_server.reset();
    return startServer(m_clientVersion);
}

bool ServerFixture::startServer(const QString& clientVersion)
{
    m_clientVersion = clientVersion;
    ServerOptions options = m_options;
    options.dbPath = m_location;
    options.filesDir = m_dir->filePath(QStringLiteral("files"));
    options.clientVersion = clientVersion;
    m_server = std::make_unique<ApiServer>();
    if (!m_server->start(options, QHostAddress::LocalHost, 0)) {
        qWarning().noquote() << "server did not start:" << m_server->errorString();
        m_server.reset();
        return false;
    }
    m_network = std::make_unique<QNetworkAccessManager>();
    return true;
}

void ServerFixture::stop()
{
    m_sessionMember = 0;
    m_network.reset();
    m_server.reset();
    m_database.reset();
    if (m_pooled >= 0)
        pool()[size_t(m_pooled)].inUse = false;
    m_pooled = -1;
    m_location.clear();
    m_dir.reset();
}

bool ServerFixture::signIn(const QString& email, const QString& password, const QString& deviceToken)
{
    const Fields signin = {{QStringLiteral("email"), email},
                           {QStringLiteral("password"), password},
                           {QStringLiteral("deviceToken"), deviceToken},
                           {QStringLiteral("deviceType"), QStringLiteral("windows")}};
    const auto code = [](const QJsonObject& reply) { return reply.value(QStringLiteral("result_code")).toInt(-1); };
    m_sessionMember = -1;
    const int first = code(post(QStringLiteral("signin"), signin));
    if (first == 0)
        return true;
    if (first != 3 || code(post(QStringLiteral("verifyDevice"), {{QStringLiteral("email"), email}})) != 0)
        return false;
    const QJsonObject registered = post(QStringLiteral("registerToken"),
                                        {{QStringLiteral("email"), email},
                                         {QStringLiteral("deviceToken"), deviceToken},
                                         {QStringLiteral("deviceType"), QStringLiteral("windows")},
                                         {QStringLiteral("pincode"), mailedCode(email)}});
    return code(registered) == 0 && code(post(QStringLiteral("signin"), signin)) == 0;
}

bool ServerFixture::signInAs(qint64 userId)
{
    if (!m_server || !m_network)
        return false;
    const QByteArray token = Sessions::start(context().db, userId);
    if (token.isEmpty())
        return false;
    m_sessionMember = userId;
    return m_network->cookieJar()->setCookiesFromUrl({QNetworkCookie(Sessions::cookieName, token)}, QUrl(baseUrl()));
}

void ServerFixture::signOut()
{
    if (m_network)
        m_network->setCookieJar(new QNetworkCookieJar);
    m_sessionMember = 0;
}

QString ServerFixture::mailedCode(const QString& email, bool passwordReset)
{
    if (!m_server)
        return {};
    const auto member = Members::byEmail(context().db, email);
    if (!member)
        return {};
    return PinCodes::latest(context().db, member->id,
                            passwordReset ? PinCodes::Purpose::Password : PinCodes::Purpose::Device);
}

QString ServerFixture::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

QString ServerFixture::filesDir() const
{
    return m_server ? m_server->context().filesDir : QString();
}

QByteArray ServerFixture::formBody(const Fields& fields)
{
    QUrlQuery query;
    for (const auto& field : fields)
        query.addQueryItem(field.first, field.second);
    return query.query().toUtf8();
}

QJsonObject ServerFixture::post(const QString& endpoint, const Fields& fields, int* status)
{
    if (m_sessionFollowsUserId) {
        for (const auto& field : fields) {
            bool ok = false;
            const qint64 userId = field.second.toLongLong(&ok);
            if (field.first == QLatin1String("user_id") && ok && userId != m_sessionMember)
                signInAs(userId);
        }
    }
    const Reply reply = send("POST", QStringLiteral("/api/") + endpoint, formBody(fields),
                             {{"Content-Type", "application/x-www-form-urlencoded"}});
    if (status)
        *status = reply.status;
    return QJsonDocument::fromJson(reply.body).object();
}

ServerFixture::Reply ServerFixture::send(const QByteArray& verb, const QString& path, const QByteArray& body,
                                         const Headers& headers, int timeoutMs)
{
    Reply result;
    if (!m_network)
        return result;
    QNetworkRequest request(QUrl(baseUrl() + path));
    for (const auto& h : headers)
        request.setRawHeader(h.first, h.second);
    QNetworkReply* reply = nullptr;
    if (verb == "HEAD") {
        // A custom HEAD would wait for a body that never comes.
        reply = m_network->head(request);
    } else {
        auto* buffer = new QBuffer;
        buffer->setData(body);
        buffer->open(QIODevice::ReadOnly);
        reply = m_network->sendCustomRequest(request, verb, buffer);
        buffer->setParent(reply);
    }

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec();
    if (!reply->isFinished()) {
        result.timedOut = true;
        reply->abort();
    }
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.body = reply->readAll();
    result.headers = reply->rawHeaderPairs();
    reply->deleteLater();
    return result;
}
