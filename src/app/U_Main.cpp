#include "U_Main.h"

#include "AddressDatabaseMode.h"
#include "AddressText.h"
#include "AppPaths.h"
#include "Branding.h"
#include "EngineError.h"
#include "EntryFields.h"
#include "MailingCommands.h"
#include "MainMenu.h"
#include "MissingPrinterPage.h"
#include "Money.h"
#include "Pictures.h"
#include "Prompts.h"
#include "QPainterPage.h"
#include "RegistrationForm.h"
#include "ReportCommands.h"
#include "SettingsFile.h"
#include "ShellCommands.h"
#include "Text.h"
#include "TextFileCommands.h"
#include "U_About.h"
#include "U_Help.h"
#include "U_Mailer.h"
#include "U_YourAddress.h"
#include "UserError.h"
#include "Widgets.h"
#include "Zip.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <unistd.h>

namespace vell3 {

namespace {

constexpr int kWindowWidth = 574;
constexpr int kWindowHeight = 403;
const QColor kEditableColor(255, 255, 255);
const QColor kPrintedColor(192, 192, 192);

constexpr const char* kRegistrationTitle = "Bar Code Printing Registration";
constexpr const char* kRegistrationMessage =
    "This software prints the newly required Bar Code on the your Certified Mailer. Thus the "
    "U.S. Postal Service Requires that you register with them.  Please print and fill in the "
    "enclosed form and forward it to the U.S. Postal Service at the enclosed address.";
constexpr const char* kDunsReminder =
    "If you have labels without any Bar Code's, you must select a \"DUNS\" number.";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string S(const QString& text) {
    return text.toStdString();
}

// Focus moves that only change the active window or go to the menu (a popup,
// or the menu bar itself under styles that navigate it from the keyboard) are
// no leaving of the field.
bool LeavesField(const QEvent* event) {
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

} // namespace

int EngineExitCode(int number) {
    return tables::EngineError{number, {}}.ExitStatus();
}

TF_Main::TF_Main(AppSettings& settings, Prompts& prompts, MainSetup setup, QWidget* parent)
    : QMainWindow(parent), settings_(settings), prompts_(prompts),
      settingsFile_(std::move(setup.settingsFile)), splash_(setup.splash) {
    setObjectName(QStringLiteral("TF_Main"));
    exitHook_ = [](int code) {
        std::fflush(nullptr);
        ::_exit(code);
    };

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("clientArea"));
    auto* left = new QVBoxLayout;
    left->addWidget(BuildPictures());
    left->addWidget(BuildSenderGroup());
    left->addWidget(BuildCommentAndRe());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(BuildRecipientGroup());
    right->addWidget(BuildFeeGroup());
    right->addStretch();
    auto* columns = new QHBoxLayout(central);
    columns->addLayout(left);
    columns->addLayout(right);
    setCentralWidget(central);
    BuildMainMenu(menuBar());
    SetTabOrder();
    ConnectEntryChanges();
    resize(kWindowWidth, kWindowHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kWindowWidth / 2, kWindowHeight / 2));
    }

    // Creation, in the order the start relies on.
    ApplyProgramFolders(settings_, {setup.programFolder, setup.dataFolder});
    helpFile_ = ShippedFile(settings_, kHelpFileName);
    reportProjectFile_ = ShippedFile(settings_, "Vell3.rav");
    LoadSettings(settings_, settingsFile_, PictureLoads);
    setWindowTitle(QString::fromLatin1(kApplicationTitle));

    if (settings_.CompanyType == kResellerCompany) {
        const QPixmap logo(Q(settings_.ProgramFolder) + QString::fromLatin1(kResellerLogoFile));
        if (!logo.isNull()) {
            imageCompany_->setPixmap(logo);
            imageCompany_->setFixedSize(197, 97);
        }
    }

    editPostage_->setText(FormatFeeAndTotal(Q(settings_.DefaultPostage)));
    editCertFee_->setText(FormatFeeAndTotal(Q(settings_.DefaultCertFee)));
    editReturn_->setText(FormatFeeAndTotal(Q(settings_.DefaultReturn)));
    FeeFieldExit(editPostage_);
    editRestricted_->clear();
    editRestricted_->setEnabled(false);
    lblRestricted_->setEnabled(false);
    cbRestricted_->setChecked(false);

    ConnectShellCommands(*this);
    ConnectMailingCommands(*this);
    ConnectTextFileCommands(*this);

    reportTableFile_ = LogTableFile(settings_);
    CreateDataFolders(settings_);

    settings_.ShowMailerBeforePrint = true;
    ConnectReportCommands(*this);

    // The splash stays at least its full time, however fast the steps above were.
    while (splash_ != nullptr && splash_->TimerRunning()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    firstShowPending_ = true;
    editPostage_->setFocus();
    // Key preview and the leave handling of the fields: one filter at the
    // application sees every key and focus change first.
    qApp->installEventFilter(this);
    ConnectAddressDatabaseCommands(*this);
}

TF_Main::~TF_Main() {
    qApp->removeEventFilter(this);
    delete splash_;
}

// ---------------------------------------------------------------- events

void TF_Main::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (firstShowPending_ && !firstShowQueued_) {
        // The prompts run once the window stands on the screen behind them.
        firstShowQueued_ = true;
        QTimer::singleShot(0, this, &TF_Main::RunFirstShowPrompts);
    }
}

void TF_Main::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        SaveSettingsNow();
        if (help_) {
            help_->close();
        }
    }
    event->accept();
}

bool TF_Main::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        // Key preview: Escape closes the program from any field of the window;
        // in the menu bar, reached from the keyboard, it only leaves the menu.
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier &&
            widget != nullptr && widget->window() == this &&
            qobject_cast<QMenuBar*>(widget) == nullptr &&
            QApplication::activeModalWidget() == nullptr &&
            QApplication::activePopupWidget() == nullptr) {
            close();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::FocusOut && LeavesField(event)) {
        if (watched == editPostage_ || watched == editCertFee_ || watched == editRestricted_ ||
            watched == editReturn_) {
            FeeFieldExit(static_cast<QLineEdit*>(watched));
        } else if (watched == cbRestricted_) {
            MarkEntryChanged();
        } else if (watched == memoAddress_) {
            // Leaving the memo rewrites its four lines in place, which counts
            // as an edit even when nothing visible changed.
            MarkEntryChanged();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- start and close

void TF_Main::RunFirstShowPrompts() {
    if (!firstShowPending_) {
        return;
    }
    firstShowPending_ = false;
    if (splash_ != nullptr) {
        splash_->close();
        delete splash_;
        splash_ = nullptr;
    }
    if (settings_.YourLine1.empty() && settings_.YourCity.empty() && settings_.YourState.empty() &&
        settings_.YourZip.empty()) {
        OpenSenderDialog(false);
    }
    ShowSenderLines();
    if (settings_.PrintBarCode && settings_.CustID == kUnsetCustomerId) {
        prompts_.Information(this, QString::fromLatin1(kDunsReminder));
        TF_Mailer mailer(settings_, prompts_, false, this);
        mailer.exec();
    }
    if (settings_.BarCodeApp) {
        const int answer =
            prompts_.AskThreeWay(this, QString::fromLatin1(kRegistrationTitle),
                                 QString::fromLatin1(kRegistrationMessage),
                                 {QStringLiteral("&Never Print"), QStringLiteral("Print &Later"),
                                  QStringLiteral("&Print Now")});
        if (answer == 3) {
            settings_.BarCodeApp = false;
            PrintBarCodeRegistration();
        } else if (answer == 1) {
            settings_.BarCodeApp = false;
        }
    }
    emit firstShowFinished();
}

void TF_Main::SaveSettingsNow() {
    try {
        SaveSettings(settings_, settingsFile_);
    } catch (const UserError& error) {
        prompts_.Error(this, QString::fromStdString(error.what()));
    }
}

void TF_Main::HaltOnEngineError(int number, const QString& fullText) {
    SaveSettingsNow();
    prompts_.Halted(this, fullText);
    exitHook_(EngineExitCode(number));
}

// ---------------------------------------------------------------- fees

QString TF_Main::FormatFeeAndTotal(const QString& text) {
    editTotal_->setText(Q(FeeTotalText({S(editPostage_->text()), S(editCertFee_->text()),
                                        S(editRestricted_->text()), S(editReturn_->text())})));
    return Q(FeeFieldText(S(text)));
}

void TF_Main::FeeFieldExit(QLineEdit* field) {
    field->setText(FormatFeeAndTotal(field->text()));
}

std::array<QString, 5> TF_Main::FeeTexts() const {
    return {editPostage_->text(), editCertFee_->text(), editReturn_->text(),
            editRestricted_->text(), editTotal_->text()};
}

void TF_Main::cbRestrictedClick(bool checked) {
    lblRestricted_->setEnabled(checked);
    editRestricted_->setEnabled(checked);
    editRestricted_->setText(checked ? Q(settings_.DefaultRestricted) : QString());
    FeeFieldExit(editRestricted_);
}

// ---------------------------------------------------------------- addresses

void TF_Main::ShowSenderLines() {
    const std::array<std::string, 5> lines = SenderLines(settings_);
    for (size_t i = 0; i < lines.size(); ++i) {
        lblYourAddress_[i]->setText(Q(lines[i]));
    }
}

std::array<QString, 5> TF_Main::SenderLabelTexts() const {
    std::array<QString, 5> texts;
    for (size_t i = 0; i < texts.size(); ++i) {
        texts[i] = lblYourAddress_[i]->text();
    }
    return texts;
}

void TF_Main::ClearRecipient() {
    memoAddress_->clear();
    memoAddress_->setPlainText(QStringLiteral(" "));
    editCity_->clear();
    editState_->clear();
    editZip_->setText(QString::fromLatin1(kEmptyZipText));
    MarkEntryChanged();
}

void TF_Main::PasteRecipient(const QString& clipboardText) {
    ClearRecipient();
    if (clipboardText.isEmpty()) {
        return;
    }
    const std::optional<PastedAddress> address = ParsePastedAddress(S(clipboardText));
    if (!address) {
        return;
    }
    // The paste fills whichever set of fields is showing.
    const bool database = DatabaseMode();
    (database ? tzeditCity_ : editCity_)->setText(Q(address->city));
    (database ? tzeditState_ : editState_)->setText(Q(address->state));
    (database ? tzeditZip_ : editZip_)->setText(Q(address->zip));
    // Each name line replaces the memo's line of its number, followed by a
    // line break but for the fourth; on the record's memo the lines below
    // move down, and the four-line limit drops what falls off.
    QPlainTextEdit* memo = database ? tzmemoAddress_ : memoAddress_;
    for (size_t i = 0; i < address->nameLines.size(); ++i) {
        ReplaceDisplayedLine(memo, static_cast<int>(i),
                             Q(address->nameLines[i]) +
                                 (i != kMaxAddressLines - 1 ? QStringLiteral("\n") : QString()));
    }
}

bool TF_Main::DatabaseMode() const {
    return !btnExit_->isHidden();
}

QStringList TF_Main::RecipientNameLines() const {
    return DisplayedLineTexts(DatabaseMode() ? tzmemoAddress_ : memoAddress_);
}

QString TF_Main::RecipientCity() const {
    return (DatabaseMode() ? tzeditCity_ : editCity_)->text();
}

QString TF_Main::RecipientState() const {
    return (DatabaseMode() ? tzeditState_ : editState_)->text();
}

QString TF_Main::RecipientZipText() const {
    return MaskedText(DatabaseMode() ? tzeditZip_ : editZip_);
}

QString TF_Main::CommentText() const {
    return editComment_->text();
}

QString TF_Main::ReText() const {
    return editRe_->text();
}

bool TF_Main::RestrictedTicked() const {
    return cbRestricted_->isChecked();
}

void TF_Main::SetEntryBackground(const QColor& color) {
    for (QWidget* field : EntryFields()) {
        QPalette colors = field->palette();
        colors.setColor(QPalette::Base, color);
        field->setPalette(colors);
    }
}

void TF_Main::MarkEntryPrinted() {
    entryPrinted_ = true;
    SetEntryBackground(kPrintedColor);
    btnPrint_->setEnabled(false);
}

void TF_Main::MarkEntryChanged() {
    entryPrinted_ = false;
    SetEntryBackground(kEditableColor);
    btnPrint_->setEnabled(true);
}

// ---------------------------------------------------------------- commands

void TF_Main::OpenSenderDialog(bool fromCommand) {
    TF_YourAddress dialog(settings_, this);
    if (dialog.exec() == QDialog::Accepted) {
        ShowSenderLines();
    }
    if (fromCommand) {
        btnChangeYourAddress_->setFocus(Qt::OtherFocusReason);
    }
}

std::unique_ptr<PrintPage> TF_Main::NewPrintPage() {
    if (pageSource_) {
        return pageSource_();
    }
    // Without a printer chosen in Printer Setup the system's default serves,
    // also one added after the start.
    if (printer_.printerName().isEmpty()) {
        const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
        if (defaultPrinter.isNull()) {
            return std::make_unique<MissingPrinterPage>();
        }
        printer_.setPrinterName(defaultPrinter.printerName());
        // The mailer forms are US Letter whatever the queue's default paper
        // (A4 on many systems), as vell3-cli prints them; Printer Setup may
        // still choose otherwise.
        printer_.setPageSize(QPageSize(QPageSize::Letter));
    }
    return std::make_unique<PrinterPage>(printer_);
}

void TF_Main::PrinterSetup() {
    prompts_.PrinterSetup(this, printer_);
}

void TF_Main::ShowHelpContents() {
    if (!help_) {
        help_ = new TF_Help(Q(helpFile_), this);
        help_->setAttribute(Qt::WA_DeleteOnClose);
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void TF_Main::PrintBarCodeRegistration() {
    PrintRegistrationForm(printer_,
                          Q(settings_.ProgramFolder) + QString::fromLatin1(kRegistrationFormFile));
}

} // namespace vell3
