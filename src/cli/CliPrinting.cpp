#include "CliPrinting.h"
#include "AppPaths.h"

#include "AddressText.h"
#include "LogTable.h"
#include "PrintMessages.h"
#include "UserError.h"

#include <QPageSize>
#include <QPrinterInfo>

#include <algorithm>
#include <iostream>
#include <stdexcept>

namespace vell3::cli {

std::unique_ptr<QPrinter> DefaultPrinter(const std::string& documentName) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        throw UserError(kNoDefaultPrinterMessage);
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPrinterName(info.printerName());
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setDocName(QString::fromStdString(documentName));
    return printer;
}

DefaultPrinterPage::DefaultPrinterPage(std::string documentName)
    : documentName_(std::move(documentName)) {}

DefaultPrinterPage::~DefaultPrinterPage() = default;

void DefaultPrinterPage::BeginDocument() {
    if (!page_) {
        printer_ = DefaultPrinter(documentName_);
        page_ = std::make_unique<PrinterPage>(*printer_);
    }
    page_->BeginDocument();
}

void DefaultPrinterPage::AbortDocument() noexcept {
    if (page_) {
        page_->AbortDocument();
    }
}

PrintPage& DefaultPrinterPage::Inner() const {
    if (!page_) {
        throw std::logic_error("the printer page is used before its document begins");
    }
    return *page_;
}

mailing::PrintContext TerminalPrintContext(AppSettings& settings, const CliContext& context) {
    mailing::PrintContext print{
        settings, context.settingsFile, LogTableFile(settings), SenderLines(settings), {},
        {},       log::kAppendLockWait};
    print.callbacks.error = [](const std::string& message) {
        std::cerr << ForTerminal(message) << '\n';
    };
    print.callbacks.printed = [](const std::string& grouped) { std::cout << grouped << std::endl; };
    return print;
}

std::string ForTerminal(std::string message) {
    std::replace(message.begin(), message.end(), '\r', '\n');
    return message;
}

} // namespace vell3::cli
