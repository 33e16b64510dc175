#include "app/secretstore.h"

#include <qt6keychain/keychain.h>

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace SecretStore {

namespace {

const QString serviceName = QStringLiteral("OLVA Weight Loss");
constexpr int defaultTimeoutMs = 5000;

// Never the insecure fallback: it would write the password into a settings
// file, which is what this store exists to avoid.
template<typename Job>
Job* makeJob(const QString& key)
{
    auto* job = new Job(serviceName);
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    return job;
}

Backend platformBackend()
{
    Backend backend;
    backend.read = [](const QString& key, std::function<void(bool, const QString&)> answer) {
        auto* job = makeJob<QKeychain::ReadPasswordJob>(key);
        QObject::connect(job, &QKeychain::Job::finished, job, [job, answer](QKeychain::Job*) {
            const bool found = job->error() == QKeychain::NoError;
            answer(found, found ? job->textData() : QString());
        });
        job->start();
    };
    backend.write = [](const QString& key, const QString& secret) {
        auto* job = makeJob<QKeychain::WritePasswordJob>(key);
        job->setTextData(secret);
        job->start();
    };
    backend.remove = [](const QString& key) { makeJob<QKeychain::DeletePasswordJob>(key)->start(); };
    return backend;
}

Backend& currentBackend()
{
    static Backend backend = platformBackend();
    return backend;
}

int& configuredTimeout()
{
    static int timeout = [] {
        bool ok = false;
        const int fromEnvironment = qEnvironmentVariableIntValue("OLVA_SECRET_TIMEOUT_MS", &ok);
        return ok && fromEnvironment > 0 ? fromEnvironment : defaultTimeoutMs;
    }();
    return timeout;
}

} // namespace

void writePassword(const QString& email, const QString& password)
{
    if (email.isEmpty())
        return;
    if (password.isEmpty()) {
        deletePassword(email);
        return;
    }
    currentBackend().write(email, password);
}

void readPassword(const QString& email, QObject* context, ReadDone done)
{
    struct Pending
    {
        QPointer<QObject> context;
        ReadDone done;
        bool answered = false;
        void finish(const QString& password)
        {
            if (answered)
                return;
            answered = true;
            if (context)
                done(password);
        }
    };
    QObject* anchor = context ? context : QCoreApplication::instance();
    if (!anchor)
        return;
    auto pending = std::make_shared<Pending>(Pending{anchor, std::move(done)});
    if (email.isEmpty()) {
        QTimer::singleShot(0, anchor, [pending] { pending->finish(QString()); });
        return;
    }
    // A store that never answers (a locked or absent service on some
    // desktops) must not leave the caller waiting.
    QTimer::singleShot(timeoutMs(), anchor, [pending] { pending->finish(QString()); });
    currentBackend().read(email, [pending](bool found, const QString& secret) {
        // Answers may come at once; the caller expects them later, like
        // any other answer.
        if (!pending->context)
            return;
        const QString password = found ? secret : QString();
        QTimer::singleShot(0, pending->context.data(), [pending, password] { pending->finish(password); });
    });
}

void deletePassword(const QString& email)
{
    if (!email.isEmpty())
        currentBackend().remove(email);
}

int timeoutMs()
{
    return configuredTimeout();
}

void setTimeoutMs(int milliseconds)
{
    configuredTimeout() = qMax(1, milliseconds);
}

void setBackend(const Backend& backend)
{
    currentBackend() = backend;
}

void resetBackend()
{
    currentBackend() = platformBackend();
}

} // namespace SecretStore
