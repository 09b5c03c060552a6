#pragma once

// The built zodziais (ZODZIAIS_PATH) run as a script runs it, for the suites that drive it.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <functional>

struct ZodziaisRun
{
    QByteArray out;
    QByteArray err;
    int exitCode = -1; // also when it did not start, crashed or did not end within two minutes
};

// `input` on its standard input, under the locale `localeName` (LC_ALL; none of the other
// variables); `prepare` may redirect or close its streams first.
inline ZodziaisRun runZodziais(const QStringList &arguments, const QByteArray &input = {},
                               const QString &localeName = QStringLiteral("C.UTF-8"),
                               const std::function<void(QProcess &)> &prepare = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"LANG", "LANGUAGE", "LC_NUMERIC", "LC_MESSAGES"})
        environment.remove(QString::fromLatin1(variable));
    environment.insert(QStringLiteral("LC_ALL"), localeName);
    process.setProcessEnvironment(environment);
    if (prepare)
        prepare(process);
    process.start(QStringLiteral(ZODZIAIS_PATH), arguments);
    if (!process.waitForStarted(30000))
        return {};
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120'000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.readAllStandardOutput(), process.readAllStandardError(),
            process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1};
}
