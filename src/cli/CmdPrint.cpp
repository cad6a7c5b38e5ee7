#include "AddressText.h"
#include "AppPaths.h"
#include "Commands.h"
#include "IntegerText.h"
#include "MailerSequence.h"
#include "Money.h"
#include "Pictures.h"
#include "PrintFonts.h"
#include "PrintMessages.h"
#include "QPainterPage.h"
#include "SettingsFile.h"
#include "SharedSerial.h"
#include "Text.h"
#include "U_CertPrint.h"
#include "UserError.h"
#include "Zip.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <array>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace vell3::cli {

namespace {

// What the entry fields of the main window admit.
constexpr std::size_t kMaxNameLines = 4;
constexpr std::size_t kMaxCity = 35;
constexpr std::size_t kMaxState = 4;
constexpr std::size_t kMaxRe = 25;
constexpr std::size_t kMaxComment = 35;
constexpr int kDefaultDpi = 600;
constexpr int kMinDpi = 72;
constexpr int kMaxDpi = 2400;

constexpr const char* kUsage =
    "usage: vell3-cli print [--pdf FILE] [--dpi N] [--line TEXT]... [--city TEXT] [--state TEXT]\n"
    "                       [--zip TEXT] [--re TEXT] [--comment TEXT] [--postage TEXT]\n"
    "                       [--cert-fee TEXT] [--return TEXT] [--restricted [TEXT]]\n";

struct PrintOptions {
    std::optional<std::string> pdf;
    int dpi = kDefaultDpi;
    std::vector<std::string> lines;
    std::string city;
    std::string state;
    std::string zip = kEmptyZipText;
    std::string re;
    std::string comment;
    std::optional<std::string> postage;
    std::optional<std::string> certFee;
    std::optional<std::string> returnFee;
    bool restricted = false;
    std::optional<std::string> restrictedFee;
};

std::optional<PrintOptions> ParseOptions(const std::vector<std::string>& args) {
    PrintOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--restricted") {
            options.restricted = true;
            if (hasValue && !args[i + 1].starts_with("--")) {
                options.restrictedFee = args[++i];
            }
            continue;
        }
        if (!hasValue) {
            return std::nullopt;
        }
        const std::string& value = args[++i];
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
            options.postage = value;
        } else if (arg == "--cert-fee") {
            options.certFee = value;
        } else if (arg == "--return") {
            options.returnFee = value;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// The first characters of a text, as far as an entry field admits them.
std::string Cut(std::string_view text, std::size_t characters) {
    std::u32string wide = Utf8ToU32(text);
    if (wide.size() > characters) {
        wide.resize(characters);
    }
    return U32ToUtf8(wide);
}

// The fee fields as the main window shows them once each was typed and left
// in the order postage, certified fee, return receipt, restricted fee: a
// leave sets the total from the four fields (the one being left still holding
// what was typed), then the field's own money text.
struct FeeTexts {
    std::string postage;
    std::string certFee;
    std::string returnFee;
    std::string restricted;
    std::string total;
};

FeeTexts EnterFees(const AppSettings& settings, const PrintOptions& options) {
    // Index order of the total: postage, certified fee, restricted, return.
    enum { kPostage, kCertFee, kRestricted, kReturn };
    std::array<std::string, 4> fields = {FeeFieldText(settings.DefaultPostage),
                                         FeeFieldText(settings.DefaultCertFee), FeeFieldText(""),
                                         FeeFieldText(settings.DefaultReturn)};
    std::string total = FeeTotalText(fields);
    const auto typeAndLeave = [&](int field, const std::string& typed) {
        fields[static_cast<std::size_t>(field)] = typed;
        total = FeeTotalText(fields);
        fields[static_cast<std::size_t>(field)] = FeeFieldText(typed);
    };
    typeAndLeave(kPostage, options.postage.value_or(settings.DefaultPostage));
    typeAndLeave(kCertFee, options.certFee.value_or(settings.DefaultCertFee));
    typeAndLeave(kReturn, options.returnFee.value_or(settings.DefaultReturn));
    if (options.restricted) {
        typeAndLeave(kRestricted, options.restrictedFee.value_or(settings.DefaultRestricted));
    }
    return {fields[kPostage], fields[kCertFee], fields[kReturn], fields[kRestricted], total};
}

MailerFormValues FillMailerFormValues(const AppSettings& settings, const PrintOptions& options) {
    MailerFormValues values;
    values.SetSenderLines(SenderLines(settings));
    values.SenderZip = settings.YourZip;
    values.SetRecipientLines(RecipientLines(options.lines, Cut(options.city, kMaxCity),
                                            Cut(options.state, kMaxState), options.zip));
    values.RecipientZip = NormalizeZip(options.zip);
    values.ReText = Cut(options.re, kMaxRe);
    values.CommentText = Cut(options.comment, kMaxComment);
    if (options.restricted) {
        values.RestrictedMark.assign(1, 'Y');
    }
    if (settings.PrintBarCode) {
        values.NumberSource = settings.CustID;
        std::erase(values.NumberSource, '-');
        values.SerialSource = settings.SerialNum;
    } else {
        values.NumberSource = settings.MailerNum;
    }
    const FeeTexts fees = EnterFees(settings, options);
    values.PostageText = fees.postage;
    values.CertFeeText = fees.certFee;
    values.ReturnText = fees.returnFee;
    values.RestrictedText = fees.restricted;
    values.TotalText = fees.total;
    values.AlignX = std::to_string(settings.AlignLeftRight);
    values.AlignY = std::to_string(settings.AlignTopBottom);
    values.PrintExtraLabel = settings.PrintExtraLabel;
    values.ExtraLabel = settings.ExtraLabel;
    return values;
}

// A message box's line breaks as a terminal shows them.
std::string ForTerminal(std::string message) {
    std::replace(message.begin(), message.end(), '\r', '\n');
    return message;
}

std::string PrintOnDevice(const PrintOptions& options, const MailerFormValues& values,
                          bool printBarCode) {
    InstallPrintFontSubstitutions();
    if (options.pdf) {
        PdfFilePage page(QString::fromStdString(*options.pdf), options.dpi);
        return PrintMailerForm(page, values, printBarCode, BasePrintFont{});
    }
    if (QPrinterInfo::defaultPrinter().isNull()) {
        throw UserError(kNoDefaultPrinterMessage);
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QPrinterInfo::defaultPrinter().printerName());
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setDocName(QStringLiteral("Certified mailer"));
    PrinterPage page(printer);
    return PrintMailerForm(page, values, printBarCode, BasePrintFont{});
}

} // namespace

// vell3-cli print [options]: prints one mailer with the next number of the
// sequence, as the main window's Print command does.
int RunPrint(CliContext& context) {
    const auto options = ParseOptions(context.args);
    if (!options) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    AppSettings settings;
    ApplyProgramFolders(settings, {context.programFolder, context.dataFolder});
    try {
        LoadSettings(settings, context.settingsFile, PictureLoads);
        CreateDataFolders(settings);
        const SequenceSnapshot saved = SequenceSnapshot::Of(settings);
        AdvanceMailerNumber(settings);
        if (settings.PrintBarCode && settings.CustID == kUnsetCustomerId) {
            saved.RestoreInto(settings);
            std::cerr << ForTerminal(kZeroCustomerIdMessage) << '\n';
            return kExitError;
        }
        // The stepped sequence is kept before the number goes on paper: a
        // mailer is never printed with a number that a later print could hand
        // out again, and a failed print keeps the stepped sequence, as the
        // window does.
        SaveSteppedSequence(settings,
                            [&](const AppSettings& s) { SaveSettings(s, context.settingsFile); });
        const MailerFormValues values = FillMailerFormValues(settings, *options);
        const std::string grouped = PrintOnDevice(*options, values, settings.PrintBarCode);
        std::cout << grouped << '\n';
        return kExitOk;
    } catch (const UserError& error) {
        std::cerr << ForTerminal(error.what()) << '\n';
        return kExitError;
    }
}

} // namespace vell3::cli
