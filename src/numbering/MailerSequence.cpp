#include "MailerSequence.h"

#include "IntegerText.h"
#include "LabelNumber.h"

#include <cstdint>

namespace vell3 {

namespace {

constexpr size_t kSerialWidth = 8;
// Characters 3-11 (customer ID) and 12-19 (counter) of a 20-digit mailer number.
constexpr size_t kCustomerIdStart = 2;
constexpr size_t kCustomerIdLength = 9;
constexpr size_t kCounterStart = 11;
constexpr size_t kCounterLength = 8;

std::string_view Substring(std::string_view text, size_t start, size_t length) {
    if (start >= text.size()) {
        return {};
    }
    return text.substr(start, length);
}

void StepPrePrinted(AppSettings& settings, int step) {
    const std::string counter =
        StepSerial(Substring(settings.MailerNum, kCounterStart, kCounterLength), step);
    settings.MailerNum = BuildLabelNumber(
        Substring(settings.MailerNum, kCustomerIdStart, kCustomerIdLength), counter);
}

} // namespace

std::string StepSerial(std::string_view serial, int step) {
    const std::int64_t value = std::int64_t{ParseIntegerOrThrow(serial)} + step;
    std::string text = std::to_string(value);
    if (text == "100000000") {
        text = "00000001";
    }
    if (text == "-1") {
        text = "99999999";
    }
    if (text.size() < kSerialWidth) {
        text.insert(0, kSerialWidth - text.size(), '0');
    }
    return text;
}

void AdvanceMailerNumber(AppSettings& settings) {
    if (settings.PrintBarCode) {
        settings.SerialNum = StepSerial(settings.SerialNum, +1);
    } else {
        StepPrePrinted(settings, settings.Increment ? +1 : -1);
    }
}

void StepBackMailerNumber(AppSettings& settings) {
    if (settings.PrintBarCode) {
        settings.SerialNum = StepSerial(settings.SerialNum, -1);
    } else {
        StepPrePrinted(settings, settings.Increment ? -1 : +1);
    }
}

SequenceSnapshot SequenceSnapshot::Of(const AppSettings& settings) {
    return {settings.SerialNum, settings.CustID, settings.MailerNum};
}

void SequenceSnapshot::RestoreInto(AppSettings& settings) const {
    settings.SerialNum = SerialNum;
    settings.CustID = CustID;
    settings.MailerNum = MailerNum;
}

} // namespace vell3
