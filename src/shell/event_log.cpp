#include "shell/event_log.h"

#include <cstdlib>
#include <filesystem>

namespace plazor {

namespace fs = std::filesystem;

namespace {

void writeDigits(char* out, long long value, int digits) {
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

}  // namespace

std::string prepareEventLog() {
    fs::path folder;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/') {
        folder = state;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        folder = fs::path(home) / ".local" / "state";
    } else {
        return {};
    }
    folder /= "plazor";
    std::error_code ec;
    fs::create_directories(folder, ec);
    return ec ? std::string() : (folder / "events.log").string();
}

std::size_t formatEventTime(char* out, std::size_t size, std::time_t when) {
    constexpr std::size_t kLength = 20;  // "YYYY-MM-DDTHH:MM:SSZ"
    if (size < kLength + 1) return 0;
    long long seconds = when;
    long long days = seconds / 86400;
    long long secondOfDay = seconds % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    // Civil date from the day count since 1970-01-01 (proleptic Gregorian calendar).
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    const long long day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const long long month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);

    writeDigits(out, year, 4);
    out[4] = '-';
    writeDigits(out + 5, month, 2);
    out[7] = '-';
    writeDigits(out + 8, day, 2);
    out[10] = 'T';
    writeDigits(out + 11, secondOfDay / 3600, 2);
    out[13] = ':';
    writeDigits(out + 14, secondOfDay / 60 % 60, 2);
    out[16] = ':';
    writeDigits(out + 17, secondOfDay % 60, 2);
    out[19] = 'Z';
    out[kLength] = '\0';
    return kLength;
}

}  // namespace plazor
