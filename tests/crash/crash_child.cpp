// Runs one write path against a database file, step after step, until it is
// killed; reports each step once its change is committed. Started by
// test_crash, which kills it at a random moment and then checks the file.
#include "CrashPaths.h"
#include "CrashShell.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

namespace {

void say(const QByteArray& line) {
    // Unbuffered: what the parent reads is exactly what was done before the kill.
    const QByteArray out = line + '\n';
    if (::write(1, out.constData(), size_t(out.size())) < 0)
        _exit(3);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: crash_child DATABASE SETTINGS PATH-NAME\n");
        return 2;
    }
    CrashPath* path = CrashPath::find(args[3]);
    if (!path) {
        std::fprintf(stderr, "no write path named %s\n", qPrintable(args[3]));
        return 2;
    }
    DataStore store;
    if (DbResult r = store.open(args[1]); !r) {
        std::fprintf(stderr, "%s\n", qPrintable(r.message()));
        return 1;
    }
    CrashShell shell(store, args[2]);
    const int first = path->progress(store) + 1;
    say("ready " + QByteArray::number(first));
    for (int number = first; number < 1000000; ++number) {
        if (DbResult r = path->step(shell, number); !r) {
            std::fprintf(stderr, "step %d: %s\n", number, qPrintable(r.message()));
            return 1;
        }
        say("done " + QByteArray::number(number));
    }
    return 0;
}
