#include "PrintOptions.h"

#include "IntegerText.h"

namespace vell3::cli {

namespace {

constexpr std::size_t kMaxNameLines = 4;
constexpr int kMinDpi = 72;
constexpr int kMaxDpi = 2400;

} // namespace

std::optional<PrintOptions> ParsePrintOptions(const std::vector<std::string>& args,
                                              bool recipientOptions) {
    PrintOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--restricted") {
            options.fees.restricted = true;
            if (hasValue && !args[i + 1].starts_with("--")) {
                options.fees.restrictedFee = args[++i];
            }
            continue;
        }
        if (!hasValue) {
            return std::nullopt;
        }
        const std::string& value = args[++i];
        const bool recipient =
            arg == "--line" || arg == "--city" || arg == "--state" || arg == "--zip";
        if (recipient && !recipientOptions) {
            return std::nullopt;
        }
        if (arg == "--pdf") {
            options.pdf = value;
        } else if (arg == "--dpi") {
            const auto dpi = ParseInteger(value);
            if (!dpi || *dpi < kMinDpi || *dpi > kMaxDpi) {
                return std::nullopt;
            }
            options.dpi = *dpi;
        } else if (arg == "--line") {
            if (options.lines.size() == kMaxNameLines) {
                return std::nullopt;
            }
            options.lines.push_back(value);
        } else if (arg == "--city") {
            options.city = value;
        } else if (arg == "--state") {
            options.state = value;
        } else if (arg == "--zip") {
            options.zip = value;
        } else if (arg == "--re") {
            options.re = value;
        } else if (arg == "--comment") {
            options.comment = value;
        } else if (arg == "--postage") {
            options.fees.postage = value;
        } else if (arg == "--cert-fee") {
            options.fees.certFee = value;
        } else if (arg == "--return") {
            options.fees.returnFee = value;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

mailing::MailerEntry EntryOf(const PrintOptions& options, const AppSettings& settings) {
    mailing::MailerEntry entry;
    entry.recipientLines = options.lines;
    entry.city = mailing::CutToField(options.city, mailing::kMaxCityLength);
    entry.state = mailing::CutToField(options.state, mailing::kMaxStateLength);
    entry.zip = options.zip;
    entry.re = mailing::CutToField(options.re, mailing::kMaxReLength);
    entry.comment = mailing::CutToField(options.comment, mailing::kMaxCommentLength);
    entry.restricted = options.fees.restricted;
    const mailing::DisplayedFees fees = mailing::EnterFees(settings, options.fees);
    entry.postage = fees.postage;
    entry.certFee = fees.certFee;
    entry.returnFee = fees.returnFee;
    entry.restrictedFee = fees.restrictedFee;
    entry.total = fees.total;
    return entry;
}

} // namespace vell3::cli
