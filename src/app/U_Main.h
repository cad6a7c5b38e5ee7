#pragma once

#include "AppSettings.h"
#include "PageSource.h"

#include <QMainWindow>
#include <QPointer>
#include <QPrinter>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QActionGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace vell3 {

class Prompts;
class TF_About;
class TF_Help;

// Where a run of the main window finds its files.
struct MainSetup {
    std::string programFolder;  // the shipped files: help, pictures, report definitions
    std::string settingsFile;   // "vell3.ini" in the user's configuration folder
    TF_About* splash = nullptr; // the splash to wait for and then close; the window takes it
    // The writable folder of "Reports/" and "Addresses/"; empty: the program folder.
    std::string dataFolder = {};
};

// The exit status of a run ended by an engine error: its number when it fits
// the 8 bits of a process status (1..255), else 255.
int EngineExitCode(int number);

// The main window: one certified-mail mailer at a time (sender, recipient,
// comment and RE lines, fees and total), the menu of every command, the
// start-up prompts of its first show and the close that saves the settings.
class TF_Main : public QMainWindow {
    Q_OBJECT
public:
    TF_Main(AppSettings& settings, Prompts& prompts, MainSetup setup, QWidget* parent = nullptr);
    ~TF_Main() override;

    AppSettings& Settings() { return settings_; }
    Prompts& UserPrompts() { return prompts_; }
    // The one printer of the run: printer setup changes it for every later print.
    QPrinter& Printer() { return printer_; }
    // A new page for one print document: on the run's printer, unless a test
    // has handed in its own pages.
    std::unique_ptr<PrintPage> NewPrintPage();
    void SetPageSource(PageSource source) { pageSource_ = std::move(source); }
    const std::string& SettingsFile() const { return settingsFile_; }
    const std::string& HelpFile() const { return helpFile_; }
    const std::string& ReportTableFile() const { return reportTableFile_; }
    const std::string& ReportProjectFile() const { return reportProjectFile_; }
    bool FirstShowPending() const { return firstShowPending_; }

    // Fees: the money text for one fee field's text; sets the total as a side
    // effect from the four fee fields as they stand.
    QString FormatFeeAndTotal(const QString& text);
    // The leave handling of a fee field.
    void FeeFieldExit(QLineEdit* field);
    // The fee texts as the fields hold them: postage, certified, return
    // receipt, restricted, total.
    std::array<QString, 5> FeeTexts() const;

    // Addresses.
    void ShowSenderLines();
    std::array<QString, 5> SenderLabelTexts() const;
    void ClearRecipient();
    void PasteRecipient(const QString& clipboardText);
    // The recipient area shows the data-aware fields of an address database.
    bool DatabaseMode() const;
    // The recipient's name and street lines as the memo shows them, city,
    // state and the ZIP text as the masked field reads: the plain fields, or
    // in database mode the record on screen.
    QStringList RecipientNameLines() const;
    QString RecipientCity() const;
    QString RecipientState() const;
    QString RecipientZipText() const;
    QString CommentText() const;
    QString ReText() const;
    bool RestrictedTicked() const;

    // The two looks of the entry.
    void MarkEntryPrinted();
    void MarkEntryChanged();
    bool EntryLooksPrinted() const { return entryPrinted_; }

    // The commands owned by the shell and the dialogs of the options menu.
    void OpenSenderDialog(bool fromCommand);
    void PrinterSetup();
    void ShowHelpContents();
    void PrintBarCodeRegistration();

    // Writes the settings now; a refused write shows its error box.
    void SaveSettingsNow();

    // The desktop program's side of an engine error: saves the settings so
    // that nothing of this run is lost, shows the "Program halted." box with
    // the full text and ends the process with EngineExitCode(number).
    void HaltOnEngineError(int number, const QString& fullText);
    void HaltOnEngineError(int number, const std::string& fullText) {
        HaltOnEngineError(number, QString::fromStdString(fullText));
    }
    // Replaces the process end of HaltOnEngineError (tests record it).
    void SetExitHook(std::function<void(int)> hook) { exitHook_ = std::move(hook); }

    // Runs the prompts of the first show now when they have not run yet.
    void RunFirstShowPrompts();

signals:
    void firstShowFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildPictures();
    QGroupBox* BuildSenderGroup();
    QWidget* BuildCommentAndRe();
    QGroupBox* BuildRecipientGroup();
    QGroupBox* BuildFeeGroup();
    void SetTabOrder();
    void ConnectEntryChanges();
    void SetEntryBackground(const QColor& color);
    void cbRestrictedClick(bool checked);
    QList<QWidget*> EntryFields() const;

    AppSettings& settings_;
    Prompts& prompts_;
    std::string settingsFile_;
    std::string helpFile_;
    std::string reportTableFile_;
    std::string reportProjectFile_;
    TF_About* splash_ = nullptr;
    QPrinter printer_{QPrinter::HighResolution};
    PageSource pageSource_;
    std::function<void(int)> exitHook_;
    QPointer<TF_Help> help_;
    bool firstShowPending_ = false;
    bool firstShowQueued_ = false;
    bool closed_ = false;
    bool entryPrinted_ = false;

    // Pictures and sender.
    QLabel* image1_ = nullptr;
    QLabel* imageCompany_ = nullptr;
    QGroupBox* gbYour_ = nullptr;
    std::array<QLabel*, 5> lblYourAddress_{};
    QPushButton* btnChangeYourAddress_ = nullptr;
    QLineEdit* editComment_ = nullptr;
    QLineEdit* editRe_ = nullptr;

    // Recipient, plain and data-bound.
    QGroupBox* groupBox3_ = nullptr;
    QPushButton* btnPaste_ = nullptr;
    QPushButton* btnClear_ = nullptr;
    QPlainTextEdit* memoAddress_ = nullptr;
    QLineEdit* editCity_ = nullptr;
    QLineEdit* editState_ = nullptr;
    QLineEdit* editZip_ = nullptr;
    QLabel* labelDatabaseName_ = nullptr;
    QLabel* labelOrder_ = nullptr;
    QPlainTextEdit* tzmemoAddress_ = nullptr;
    QLineEdit* tzeditCity_ = nullptr;
    QLineEdit* tzeditState_ = nullptr;
    QLineEdit* tzeditZip_ = nullptr;
    QPushButton* btnExit_ = nullptr;

    // Fees.
    QGroupBox* groupBox5_ = nullptr;
    QLineEdit* editPostage_ = nullptr;
    QLineEdit* editCertFee_ = nullptr;
    QLineEdit* editReturn_ = nullptr;
    QCheckBox* cbRestricted_ = nullptr;
    QLabel* lblRestricted_ = nullptr;
    QLineEdit* editRestricted_ = nullptr;
    QLineEdit* editTotal_ = nullptr;
    QPushButton* btnPrint_ = nullptr;
};

} // namespace vell3
