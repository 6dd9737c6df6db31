#include "platform/alarm_sound.h"

#include <QCoreApplication>
#include <QLibrary>

#include "platform/alarm_tone.h"

namespace kestrune {

namespace {

// Beside the program in the build tree; in lib/kestrune beside bin/ once installed.
CreateAlarmPlayer* loadSoundModule() {
    const QString programDir = QCoreApplication::applicationDirPath();
    for (const QString& dir : {programDir, programDir + QStringLiteral("/../lib/kestrune")}) {
        QLibrary module(dir + QStringLiteral("/kestrune_alarm"));
        if (module.load()) {
            return reinterpret_cast<CreateAlarmPlayer*>(module.resolve(createAlarmPlayerSymbol));
        }
    }
    return nullptr;
}

}  // namespace

AlarmSound::AlarmSound() = default;
AlarmSound::~AlarmSound() = default;

void AlarmSound::prepare() {
    if (prepared_) {
        return;
    }
    prepared_ = true;
    if (CreateAlarmPlayer* create = loadSoundModule()) {
        const auto samples = AlarmTone::samples();
        player_.reset(create(samples.data(), samples.size(), AlarmTone::sampleRate));
    }
}

void AlarmSound::play() {
    prepare();
    if (player_) {
        player_->play();
    }
}

}  // namespace kestrune
