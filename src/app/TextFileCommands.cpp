#include "TextFileCommands.h"

#include "Branding.h"
#include "FileFilter.h"
#include "NameAddressExport.h"
#include "NameAddressImport.h"
#include "Prompts.h"
#include "U_Main.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <exception>
#include <optional>

namespace vell3 {

namespace {

using addresses::ImportTarget;

constexpr const char* kOpenTitle = "Read Name and Address from File";
// The save dialog's title is the system's own.
constexpr const char* kSaveTitle = "Save As";
constexpr const char* kImportFilter = "Import Files(*.txt;*.csv)|*.txt;*.csv|All Files|*.*";
constexpr const char* kDatabaseFilter = "DBF Files (*.dbf)|*.dbf";
constexpr const char* kExportOpenFilter = "dbf Files(*.dbf)|*.dbf|All Files|*.*";
// The export writes a text file: its save dialog offers text files.
constexpr const char* kExportSaveFilter =
    "Name and Address Text Files(*.txt;*.csv)|*.txt;*.csv|All Files|*.*";
constexpr const char* kTextExtension = "txt";
constexpr const char* kDatabaseExtension = "dbf";
constexpr const char* kDatabaseFoundMessage =
    "A database of the same name has been found in this location.  Would you like to "
    "overwrite this database, or append to this database?";
constexpr int kOverwrite = 1;
constexpr int kCancel = 3;
constexpr const char* kImportError = "Error on import: ";
constexpr const char* kExportError = "Error on export: ";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string S(const QString& text) {
    return text.toStdString();
}

QString Counted(uint64_t n, const char* one, const char* many) {
    return QString::number(n) + QLatin1Char(' ') + QString::fromLatin1(n == 1 ? one : many);
}

// The open dialog's default extension: a typed name without one that does
// not exist as typed is the file with the extension, when that exists.
QString CompletedOpenName(const QString& path, const QString& extension) {
    const QString completed = WithDefaultExtension(path, extension);
    return !QFileInfo::exists(path) && QFileInfo::exists(completed) ? completed : path;
}

// The wait cursor while a run without a progress window works.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

TextFileCommands::TextFileCommands(AppSettings& settings, Prompts& prompts, QWidget* window)
    : QObject(window), settings_(settings), prompts_(prompts), window_(window) {
    setObjectName(QStringLiteral("TextFileCommands"));
}

QString TextFileCommands::StartingFolder() const {
    return Q(settings_.AddressFolder);
}

addresses::ProgressCallback
TextFileCommands::ProgressWindow(const QString& label, uint64_t total,
                                 std::unique_ptr<QProgressDialog>& window) {
    if (total <= progressWindowFrom) {
        return {};
    }
    window = std::make_unique<QProgressDialog>(label, QStringLiteral("Cancel"), 0,
                                               static_cast<int>(std::min<uint64_t>(total, INT_MAX)),
                                               window_);
    window->setObjectName(QStringLiteral("TextFileProgress"));
    window->setWindowTitle(QString::fromLatin1(kApplicationTitle));
    window->setWindowModality(Qt::WindowModal);
    window->setAutoClose(false);
    window->setAutoReset(false);
    window->setMinimumDuration(0);
    window->setValue(0);
    window->show();
    QProgressDialog* shown = window.get();
    return [shown](const addresses::TextFileProgress& where) {
        // A modal progress window handles its events (Cancel) as it is set.
        shown->setValue(static_cast<int>(std::min<uint64_t>(where.done, INT_MAX)));
        return !shown->wasCanceled();
    };
}

void TextFileCommands::ImportNameAddressFile() {
    const QString chosenText =
        prompts_.OpenFileName(window_, QString::fromLatin1(kOpenTitle), StartingFolder(),
                              QtFileFilter(QString::fromLatin1(kImportFilter)));
    if (chosenText.isEmpty()) {
        return;
    }
    QString error;
    try {
        if (beforeImport) {
            beforeImport();
        }
        const QString textFile = CompletedOpenName(chosenText, QString::fromLatin1(kTextExtension));
        const addresses::NameAddressImport import(S(textFile));
        const QString proposed =
            StartingFolder() + QLatin1Char('/') + Q(addresses::ProposedDatabaseName(S(textFile)));
        const QString chosenDatabase =
            prompts_.SaveFileName(window_, QString::fromLatin1(kSaveTitle), proposed,
                                  QtFileFilter(QString::fromLatin1(kDatabaseFilter)));
        ImportTarget target = ImportTarget::Create;
        const std::string database =
            S(WithDefaultExtension(chosenDatabase, QString::fromLatin1(kDatabaseExtension)));
        bool go = !chosenDatabase.isEmpty();
        if (go && addresses::DatabaseExists(database)) {
            const int answer =
                prompts_.AskThreeWay(window_, QString::fromLatin1(kApplicationTitle),
                                     QString::fromLatin1(kDatabaseFoundMessage),
                                     {QStringLiteral("&Overwrite"), QStringLiteral("&Append"),
                                      QStringLiteral("&Cancel")});
            go = answer != kCancel;
            target = answer == kOverwrite ? ImportTarget::Overwrite : ImportTarget::Append;
        }
        if (go) {
            std::unique_ptr<QProgressDialog> progressWindow;
            const auto progress =
                ProgressWindow(QStringLiteral("Importing ") + QFileInfo(textFile).fileName(),
                               import.LineCount(), progressWindow);
            addresses::ImportResult result;
            {
                std::optional<BusyCursor> busy;
                if (!progress) {
                    busy.emplace();
                }
                result = import.Into(database, target, progress);
            }
            progressWindow.reset();
            prompts_.Information(window_,
                                 result.cancelled
                                     ? QStringLiteral("Import cancelled. ") +
                                           Counted(result.appended, "record was", "records were") +
                                           QStringLiteral(" appended.")
                                     : QStringLiteral("Import Done."));
        }
    } catch (const std::exception& e) {
        error = QString::fromLatin1(kImportError) + QString::fromUtf8(e.what());
    }
    if (afterImport) {
        try {
            afterImport();
        } catch (const std::exception& e) {
            if (error.isEmpty()) {
                error = QString::fromLatin1(kImportError) + QString::fromUtf8(e.what());
            }
        }
    }
    if (!error.isEmpty()) {
        prompts_.Error(window_, error);
    }
}

void TextFileCommands::ExportNameAddressFile() {
    const QString chosenDatabase =
        prompts_.OpenFileName(window_, QString::fromLatin1(kOpenTitle), StartingFolder(),
                              QtFileFilter(QString::fromLatin1(kExportOpenFilter)));
    if (chosenDatabase.isEmpty()) {
        return;
    }
    try {
        addresses::NameAddressExport run(S(chosenDatabase));
        const QString proposed = StartingFolder() + QLatin1Char('/') +
                                 Q(addresses::ProposedTextFileName(S(chosenDatabase)));
        const QString chosenText =
            prompts_.SaveFileName(window_, QString::fromLatin1(kSaveTitle), proposed,
                                  QtFileFilter(QString::fromLatin1(kExportSaveFilter)));
        if (chosenText.isEmpty()) {
            return;
        }
        const QString textFile =
            WithDefaultExtension(chosenText, QString::fromLatin1(kTextExtension));
        std::unique_ptr<QProgressDialog> progressWindow;
        const auto progress =
            ProgressWindow(QStringLiteral("Exporting ") + QFileInfo(chosenDatabase).fileName(),
                           run.RecordCount(), progressWindow);
        addresses::ExportResult result;
        {
            std::optional<BusyCursor> busy;
            if (!progress) {
                busy.emplace();
            }
            result = run.WriteTo(S(textFile), progress);
        }
        progressWindow.reset();
        prompts_.Information(window_, result.cancelled
                                          ? QStringLiteral("Export cancelled. No file was written.")
                                          : QStringLiteral("Export Done."));
    } catch (const std::exception& e) {
        prompts_.Error(window_, QString::fromLatin1(kExportError) + QString::fromUtf8(e.what()));
    }
}

TextFileCommands* ConnectTextFileCommands(TF_Main& main) {
    auto* commands = new TextFileCommands(main.Settings(), main.UserPrompts(), &main);
    const auto wire = [&main, commands](const char* name, void (TextFileCommands::*run)()) {
        auto* action = main.findChild<QAction*>(QString::fromLatin1(name));
        if (action == nullptr) {
            qFatal("menu item %s missing", name);
        }
        action->setEnabled(true);
        QObject::connect(action, &QAction::triggered, commands, run);
    };
    wire("MIImport", &TextFileCommands::ImportNameAddressFile);
    wire("MIExport", &TextFileCommands::ExportNameAddressFile);
    return commands;
}

} // namespace vell3
