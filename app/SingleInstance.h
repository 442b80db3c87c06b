#pragma once
// One utility per user at a time: a second start returns at once, as the
// operator already has the program (and the instrument's one link) open.
//
// The lock is a file named with the user's numeric id in the user's runtime
// folder (XDG_RUNTIME_DIR, else the temp folder), so neither an unset USER
// nor another TMPDIR lets two run, and another user's instance never stops
// ours. A lock left by a process that no longer runs (a crash) is taken
// over. A lock that cannot be created (a folder without write access) is no
// other instance: the program runs, and says why it could not check.

#include <QLockFile>
#include <QString>

class SingleInstance {
public:
    // The lock file in the given folder; the default is the user's runtime
    // folder.
    explicit SingleInstance(const QString& folder = RuntimeFolder());

    // Whether this process may go on: true when it took the lock or the lock
    // could not be made (then Problem() says why); false when another
    // instance holds it. The lock is held until the object goes.
    bool Acquire();
    QString Problem() const { return problem_; }
    QString LockPath() const { return path_; }

    static QString RuntimeFolder();
    static QString LockFileName();

private:
    QString path_;
    QLockFile lock_;
    QString problem_;
};
