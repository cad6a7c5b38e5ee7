#include "CliPrinting.h"

#include "PrintMessages.h"
#include "UserError.h"

#include <QPageSize>
#include <QPrinterInfo>

#include <algorithm>

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

std::string ForTerminal(std::string message) {
    std::replace(message.begin(), message.end(), '\r', '\n');
    return message;
}

int EngineExitStatus(int number) {
    return number >= 1 && number <= 255 ? number : 255;
}

} // namespace vell3::cli
