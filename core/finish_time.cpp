#include "core/finish_time.h"

#include "core/field_number.h"

namespace kestrune {

namespace {

std::int16_t fieldValue(std::string_view text) {
    return fieldInteger(fieldNumber(text));
}

}  // namespace

Duration fieldsDuration(std::string_view hoursText, std::string_view minutesText,
                        std::string_view secondsText) {
    return timeSerial(fieldValue(hoursText), fieldValue(minutesText), fieldValue(secondsText));
}

std::string finishText(const ClockReading& reading, std::string_view hoursText,
                       std::string_view minutesText, std::string_view secondsText) {
    const long long timeUpTick = secondsText.empty() ? 0 : 1;
    const Duration duration = fieldsDuration(hoursText, minutesText, secondsText);
    return timeOfDayText(secondsSinceMidnight(reading) + duration.seconds + timeUpTick);
}

std::string finishTextAfter(const ClockReading& reading, Duration remaining) {
    return timeOfDayText(secondsSinceMidnight(reading) + remaining.seconds + 1);
}

}  // namespace kestrune
