#include "platform/sound/alarm_sound.h"

#include <QCoreApplication>
#include <QLibrary>

#include "platform/sound/alarm_tone.h"

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

bool AlarmSound::load() {
    if (!player_) {
        if (CreateAlarmPlayer* create = loadSoundModule()) {
            samples_ = AlarmTone::samples();
            player_.reset(create(samples_.data(), samples_.size(), AlarmTone::sampleRate));
        }
    }
    return player_ != nullptr;
}

void AlarmSound::prepare() {
    if (load()) {
        player_->prepare();
    }
}

void AlarmSound::play() {
    if (load()) {
        player_->play();
    }
}

}  // namespace kestrune
