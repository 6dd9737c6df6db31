#include "platform/place/desktop_place.h"

#include <QDir>
#include <QGuiApplication>
#include <QStandardPaths>

namespace kestrune {

namespace {

constexpr int places = 64;

}  // namespace

bool DesktopPlace::placedByDesktop() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

int DesktopPlace::claim() {
    const QString platform = QGuiApplication::platformName();
    if (placedByDesktop() || platform == QLatin1String("offscreen")) {
        return 0;
    }
    return claim(platform + qEnvironmentVariable("DISPLAY"));
}

int DesktopPlace::claim(const QString& desktop) {
    // The user's runtime folder, emptied at logout; where the system has none (Windows gives the
    // home folder for it), the temporary folder rather than a file among the user's own.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder == QStandardPaths::writableLocation(QStandardPaths::HomeLocation)) {
        folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    }
    if (folder.isEmpty()) {
        return 0;
    }
    QString key = desktop;
    for (QChar& c : key) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128)) {
            c = QLatin1Char('_');
        }
    }
    for (int place = 0; place < places; ++place) {
        auto lock = std::make_unique<QLockFile>(
            QDir(folder).filePath(QStringLiteral("kestrune-%1-place-%2.lock").arg(key).arg(place)));
        // Held for as long as the program runs: only a lock whose process is gone is stale.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            lock_ = std::move(lock);
            return place;
        }
        if (lock->error() != QLockFile::LockFailedError) {
            return 0;  // the folder cannot be written
        }
    }
    return 0;
}

}  // namespace kestrune
