#pragma once

#include "AppSettings.h"
#include "TextFileProgress.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

namespace vell3 {

class Prompts;
class TF_Main;

// Options > Name && Address Text Files: Import reads a name-and-address text
// file into a new or an existing address database, Export writes a database
// out as such a file. Both work on a table object of their own and end with
// a message; they ask through the prompts and start in AddressFolder, which
// neither changes.
class TextFileCommands : public QObject {
    Q_OBJECT
public:
    TextFileCommands(AppSettings& settings, Prompts& prompts, QWidget* window);

    // The handlers of MIImport and MIExport.
    void ImportNameAddressFile();
    void ExportNameAddressFile();

    // Database mode's part in the import: beforeImport runs once the user
    // has chosen a text file (database mode closes its address table then);
    // afterImport runs however the import ends after that (database mode
    // reopens the table on its first record, shows the record position and
    // puts the focus in the database memo). Both stay empty outside it.
    std::function<void()> beforeImport;
    std::function<void()> afterImport;

    // A file of more lines than this (a database of more records) shows a
    // progress window with Cancel while it is worked through.
    uint64_t progressWindowFrom = 5000;

private:
    addresses::ProgressCallback ProgressWindow(const QString& label, uint64_t total,
                                               std::unique_ptr<QProgressDialog>& window);
    QString StartingFolder() const;

    AppSettings& settings_;
    Prompts& prompts_;
    QWidget* window_;
};

// Creates the commands as a child of the main window, enables MIImport and
// MIExport and connects them; the commands object is returned for database
// mode to fill its hooks.
TextFileCommands* ConnectTextFileCommands(TF_Main& main);

} // namespace vell3
