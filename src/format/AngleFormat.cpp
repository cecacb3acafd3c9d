#include "format/AngleFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ephemeris/ReduceAngle.h"
#include "platform/FormatText.h"

namespace vsp {
namespace {

void Report(InfoSink* messages, const char* message) {
    if (messages) messages->InfoBox(message, "");
}

struct Sexagesimal {
    int64_t whole = 0, minutes = 0, seconds = 0;
};

void CarrySexagesimal(Sexagesimal& s) {
    if (s.seconds >= 60) {
        s.seconds -= 60;
        s.minutes += 1;
    }
    if (s.minutes >= 60) {
        s.minutes -= 60;
        s.whole += 1;
    }
}

// Whole units, minutes and seconds of a fixed-point value; the 50 units (about 0.6") make
// the truncations below round to the nearest second.
Sexagesimal SplitFixed(int64_t units) {
    const int64_t n = units + 50;
    Sexagesimal s;
    s.whole = n / kFixedUnitsPerDegree;
    const int64_t r = n - kFixedUnitsPerDegree * s.whole;
    s.minutes = 60 * r / kFixedUnitsPerDegree;
    s.seconds = 60 * (60 * r - kFixedUnitsPerDegree * s.minutes) / kFixedUnitsPerDegree;
    return s;
}

int64_t FixedThousandths(int64_t units) {
    const int64_t n = units + 50;
    return 1000 * (n % kFixedUnitsPerDegree) / kFixedUnitsPerDegree;
}

std::string HourText(const Sexagesimal& s, int code) {
    const int h = int(s.whole), m = int(s.minutes), sec = int(s.seconds);
    if (code == 1) return FormatText("%02d:%02d:%02d", h, m, sec);
    if (code == 3) return FormatText("%02dh%02d.%1d", h, m, sec * 10 / 60);
    return FormatText("%02dh%02dm%02d", h, m, sec);
}

std::string DegreeText(const Sexagesimal& s, bool negative, int code) {
    const int d = int(s.whole), m = int(s.minutes), sec = int(s.seconds);
    if (code == 2) {
        return negative ? FormatText("-%02d\xB0%02d'%02d", d, m, sec) : FormatText("%02d\xB0%02d'%02d", d, m, sec);
    }
    if (code == 3) {
        return negative ? FormatText("-%02d\xB0%02d.%d", d, m, sec * 10 / 60)
                        : FormatText("%02d\xB0%02d.%1d", d, m, sec * 10 / 60);
    }
    return negative ? FormatText("-%02d:%02d:%02d", d, m, sec) : FormatText("%02d:%02d:%02d", d, m, sec);
}

}  // namespace

std::string HMSToStr(double hours, int code, InfoSink* messages) {
    const double x = ReduceAngleClosed(hours, 24.0);
    if (code == 0) return FormatFixed(x, 4);
    if (code < 1 || code > 3) {
        Report(messages, kUnknownHourFormatMessage);
        code = 2;
    }
    Sexagesimal s;
    s.whole = int64_t(std::floor(x));
    const double frac = x - double(s.whole);
    s.minutes = int64_t(std::floor(60 * frac));
    s.seconds = int64_t(std::trunc(60 * (60 * frac - double(s.minutes)) + 0.5));
    if (code == 3) s.seconds += 5;
    CarrySexagesimal(s);
    if (s.whole >= 24) s.whole -= 24;
    return HourText(s, code);
}

std::string HMSToStr(double hours, const TextFormats& formats) {
    return HMSToStr(hours, formats.hourFormat, formats.messages);
}

std::string HmsFixToStr(int32_t fixedHours, int code, InfoSink* messages) {
    // A right ascension is never negative; one that arrives so is taken round the clock
    // rather than printed as a negative remainder.
    int64_t units = fixedHours;
    if (units < 0) units = units % (24 * int64_t(kFixedUnitsPerDegree)) + 24 * int64_t(kFixedUnitsPerDegree);
    if (code == 0) {
        const Sexagesimal s = SplitFixed(units);
        return FormatText("%d.%03d", int(s.whole), int(FixedThousandths(units)));
    }
    if (code < 1 || code > 3) {
        Report(messages, kUnknownFixedHourFormatMessage);
        code = 2;
    }
    return HourText(SplitFixed(units), code);
}

std::string HmsFixToStr(int32_t fixedHours, const TextFormats& formats) {
    return HmsFixToStr(fixedHours, formats.hourFormat, formats.messages);
}

std::string DmsToStr(double degrees, int code) {
    if (code == 0) return FormatFixed(degrees, 4);
    const bool negative = degrees < 0;
    const double x = std::fabs(degrees) + 1.0 / 7200;  // half an arcsecond, to round
    Sexagesimal s;
    s.whole = int64_t(std::floor(x));
    s.minutes = int64_t(std::trunc(ReduceAngle(60 * x, 60.0)));
    s.seconds = int64_t(std::trunc(ReduceAngle(3600 * x, 60.0)));
    CarrySexagesimal(s);
    if (s.whole >= 360) s.whole %= 360;
    return DegreeText(s, negative, code);
}

std::string DmsToStr(double degrees, const TextFormats& formats) {
    return DmsToStr(degrees, formats.angleFormat);
}

std::string DmsFixToStr(int32_t fixedDegrees, int code) {
    const bool negative = fixedDegrees < 0;
    const int64_t magnitude = std::llabs(int64_t(fixedDegrees));
    Sexagesimal s = SplitFixed(magnitude);
    if (code == 3) s.seconds += 5;
    CarrySexagesimal(s);
    if (s.whole >= 360) s.whole %= 360;
    if (code == 0) {
        return FormatText(negative ? "-%d.%03d" : "%d.%03d", int(s.whole), int(FixedThousandths(magnitude)));
    }
    return DegreeText(s, negative, code);
}

std::string DmsFixToStr(int32_t fixedDegrees, const TextFormats& formats) {
    return DmsFixToStr(fixedDegrees, formats.angleFormat);
}

std::string DegToHmsStr(double degrees) {
    const double x = ReduceAngleClosed(degrees, 360.0) / 15;
    const double h = std::floor(x);
    const double m = std::floor(60 * (x - h));
    const double minutes = 60 * (x - h);
    const double s = std::floor(60 * (minutes - std::floor(minutes)));
    return FormatText("%02d:%02d:%02d", int(h), int(m), int(s));
}

std::string FormatFixed(double value, int digits) {
    if (digits < 0) digits = 6;
    if (digits > 6) digits = 8;
    if (!std::isfinite(value) || std::fabs(value) >= 1e15) return FormatText("%.*f", digits, value);
    const double magnitude = std::fabs(value);
    int64_t whole = int64_t(std::trunc(magnitude));
    int64_t scale = 1;
    for (int i = 0; i < digits; ++i) scale *= 10;
    int64_t fraction = (int64_t(std::trunc((magnitude - double(whole)) * double(scale * 10))) + 5) / 10;
    if (fraction >= scale) {
        fraction -= scale;
        whole += 1;
    }
    std::string text = value < 0 ? "-" : "";
    text += std::to_string(whole);
    text += '.';
    if (digits > 0) text += FormatText("%0*lld", digits, (long long)fraction);
    return text;
}

}  // namespace vsp
