#include "AddressDatabaseMode.h"

#include "AddressTable.h"
#include "AddressTableCheck.h"
#include "DSAddress.h"
#include "DatasetError.h"
#include "EngineError.h"
#include "FileFilter.h"
#include "MainMenu.h"
#include "MassPrintCommand.h"
#include "Prompts.h"
#include "TTzDbf.h"
#include "TextFileCommands.h"
#include "U_Main.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vell3 {

namespace {

constexpr const char* kOpenTitle = "Read Name and Address from File";
constexpr const char* kOpenFilter = "DBF Files (*.dbf);;All Files (*)";
constexpr const char* kDeleteQuestion = "Delete Record ?";
constexpr int kNameCutWidth = 265;
constexpr int kNameKeepCutting = 251;
const QColor kAqua(0, 255, 255);

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Focus moves that only change the active window or go to a menu are no
// leaving of the field.
bool LeavesField(const QEvent* event) {
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

// Reports an engine error that was caught with reporting switched off, as
// the engine would have reported it.
void ReportLater(const tables::EngineError& error) {
    try {
        tables::RaiseEngineError(error.number, error.detail);
    } catch (const tables::EngineException&) {
        // Reported; the command that met it has ended.
    }
}

} // namespace

QString CutDatabasePath(const QString& path, const QFontMetrics& metrics) {
    const QChar separator = QDir::separator();
    QString text = path;
    if (metrics.horizontalAdvance(text) <= kNameCutWidth) {
        return text;
    }
    while (metrics.horizontalAdvance(text) > kNameKeepCutting && text.contains(separator)) {
        text.remove(0, text.indexOf(separator) + 1);
    }
    return QStringLiteral("...") + separator + text;
}

AddressDatabaseMode::AddressDatabaseMode(DatabaseModeParts parts, QObject* parent)
    : QObject(parent), parts_(std::move(parts)),
      table_(std::make_unique<tables::TTzDbf>("TzDbfAddress")) {
    addresses::ConfigureAddressTable(*table_);
    source_ = new DSAddress(
        *table_, {parts_.tzmemoAddress, parts_.tzeditCity, parts_.tzeditState, parts_.tzeditZip},
        this);
    source_->setObjectName(QStringLiteral("DSAddress"));

    // The navigator with the record position under it, as wide as the
    // navigator, and the mark of a record that is marked deleted.
    navigatorRow_ = new QWidget(parts_.group);
    navigatorRow_->setObjectName(QStringLiteral("navigatorRow"));
    navigator_ = new TzNavigator(navigatorRow_);
    labelDeleted_ = new QLabel(QStringLiteral("Marked deleted"), navigatorRow_);
    labelDeleted_->setObjectName(QStringLiteral("labelDeleted"));
    labelDeleted_->setStyleSheet(QStringLiteral("QLabel { color: white; background: #c00000; "
                                                "font-weight: bold; padding: 0 4px; }"));
    labelDeleted_->setToolTip(
        QStringLiteral("This record is marked deleted: Exit removes it from the database. "
                       "Delete restores it."));
    labelDeleted_->hide();
    if (auto* groupLayout = qobject_cast<QVBoxLayout*>(parts_.group->layout())) {
        groupLayout->removeWidget(parts_.labelOrder);
        groupLayout->insertWidget(1, navigatorRow_);
    }
    auto* grid = new QGridLayout(navigatorRow_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(1);
    grid->addWidget(navigator_, 0, 0);
    grid->addWidget(labelDeleted_, 0, 1, Qt::AlignLeft);
    grid->addWidget(parts_.labelOrder, 1, 0);
    grid->setColumnStretch(2, 1);
    parts_.labelOrder->setAlignment(Qt::AlignCenter);
    parts_.labelOrder->setAutoFillBackground(true);
    QPalette aqua = parts_.labelOrder->palette();
    aqua.setColor(QPalette::Window, kAqua);
    parts_.labelOrder->setPalette(aqua);
    parts_.labelOrder->setFixedWidth(navigator_->sizeHint().width());
    navigatorRow_->hide();

    QPalette blue = parts_.labelDatabaseName->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    parts_.labelDatabaseName->setPalette(blue);
    parts_.labelDatabaseName->setTextFormat(Qt::PlainText);
    // A long name is cut, never allowed to widen the window.
    parts_.labelDatabaseName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    connect(navigator_, &TzNavigator::pressed, this, &AddressDatabaseMode::NavigatorPressed);
    connect(source_, &DSAddress::recordChanged, this, &AddressDatabaseMode::ShowDeletedMark);
    if (parts_.massPrint != nullptr) {
        parts_.massPrint->setEnabled(false);
    }
    qApp->installEventFilter(this);
}

AddressDatabaseMode::~AddressDatabaseMode() {
    qApp->removeEventFilter(this);
}

bool AddressDatabaseMode::InDatabaseMode() const {
    return !parts_.btnExit->isHidden();
}

void AddressDatabaseMode::ShowDatabaseControls(bool database) {
    for (QWidget* plain :
         std::initializer_list<QWidget*>{parts_.memoAddress, parts_.editCity, parts_.editState,
                                         parts_.editZip, parts_.btnClear}) {
        plain->setVisible(!database);
    }
    for (QWidget* bound : std::initializer_list<QWidget*>{
             parts_.tzmemoAddress, parts_.tzeditCity, parts_.tzeditState, parts_.tzeditZip,
             parts_.btnExit, navigatorRow_, parts_.labelDatabaseName, parts_.labelOrder}) {
        bound->setVisible(database);
    }
    if (parts_.massPrint != nullptr) {
        parts_.massPrint->setEnabled(database);
    }
}

void AddressDatabaseMode::EnterDatabaseMode() {
    const QString chosen = parts_.prompts->OpenOrNewFileName(
        parts_.window, QString::fromLatin1(kOpenTitle), Q(parts_.settings->AddressFolder),
        QString::fromLatin1(kOpenFilter), QStringLiteral("dbf"));
    if (chosen.isEmpty()) {
        return;
    }
    const QString path =
        WithDefaultExtension(QFileInfo(chosen).absoluteFilePath(), QStringLiteral("dbf"));
    // The database in use keeps an edit that cannot be written, and stays.
    if (InDatabaseMode() && !PostPendingEdit()) {
        return;
    }
    parts_.settings->AddressFolder = QFileInfo(path).absolutePath().toStdString();
    ShowDatabaseControls(true);
    if (!OpenTable(path)) {
        ShowDatabaseControls(false);
        source_->ShowRecord();
        return;
    }
    parts_.labelDatabaseName->setText(
        CutDatabasePath(path, parts_.labelDatabaseName->fontMetrics()));
    parts_.labelDatabaseName->setToolTip(path);
    try {
        if (table_->RecCount() == 0) {
            // A new database starts with one blank record.
            table_->Insert();
            table_->Post();
        }
    } catch (const tables::EngineException&) {
        // Reported by the engine.
    }
    source_->ShowRecord();
    ShowRecordPosition();
    parts_.tzmemoAddress->setFocus(Qt::OtherFocusReason);
}

bool AddressDatabaseMode::OpenTable(const QString& path) {
    CloseTable();
    addresses::ConfigureAddressTable(*table_);
    table_->SetDbfFileName(path.toStdString());
    try {
        table_->Open();
    } catch (const tables::EngineException&) {
        // The engine has reported it (the desktop program halts there).
        CloseTable();
        return false;
    } catch (const tables::DatasetError& error) {
        parts_.prompts->Error(parts_.window, Q(error.what()));
        CloseTable();
        return false;
    }
    if (const auto problem = addresses::AddressTableProblem(*table_)) {
        parts_.prompts->Error(parts_.window, Q(*problem));
        CloseTable();
        return false;
    }
    return true;
}

void AddressDatabaseMode::CloseTable() {
    if (table_->Active()) {
        try {
            table_->Close();
        } catch (const tables::EngineException&) {
            // Reported by the engine.
        }
    }
}

bool AddressDatabaseMode::LeaveDatabaseMode() {
    if (!InDatabaseMode()) {
        return true;
    }
    if (!PostPendingEdit()) {
        return false;
    }
    ShowDatabaseControls(false);
    if (table_->Active()) {
        try {
            const tables::ReportingOff quiet;
            table_->Pack();
        } catch (const tables::EngineException& error) {
            if (error.Error().number == 32) {
                // Another program has the database open: packing needs it
                // alone. The marked records wait for a later Exit.
                parts_.prompts->Information(
                    parts_.window,
                    QStringLiteral("The records marked deleted stay in \"%1\" until it is left "
                                   "while no other program uses it.")
                        .arg(Q(table_->DbfFileName())));
            } else {
                ReportLater(error.Error());
            }
        }
    }
    CloseTable();
    source_->ShowRecord();
    parts_.labelDatabaseName->clear();
    parts_.labelOrder->clear();
    if (parts_.postageLeft) {
        parts_.postageLeft();
    }
    return true;
}

void AddressDatabaseMode::CloseForImport() {
    if (!InDatabaseMode()) {
        return;
    }
    PostPendingEdit();
    CloseTable();
}

void AddressDatabaseMode::ReopenAfterImport() {
    if (!InDatabaseMode()) {
        return;
    }
    if (!OpenTable(Q(table_->DbfFileName()))) {
        ShowDatabaseControls(false);
        source_->ShowRecord();
        return;
    }
    source_->ShowRecord();
    ShowRecordPosition();
    parts_.tzmemoAddress->setFocus(Qt::OtherFocusReason);
}

void AddressDatabaseMode::ShowRecordPosition() {
    if (!table_->Active()) {
        parts_.labelOrder->clear();
        return;
    }
    try {
        parts_.labelOrder->setText(
            QStringLiteral("%1/%2").arg(table_->RecNo()).arg(table_->RecCount()));
    } catch (const tables::DatasetError&) {
        parts_.labelOrder->clear();
    }
    ShowDeletedMark();
}

void AddressDatabaseMode::ShowDeletedMark() {
    const bool marked = table_->Active() && !source_->Editing() && table_->Deleted();
    labelDeleted_->setVisible(marked && InDatabaseMode());
    navigator_->ButtonOf(TzNavigator::Post)->setEnabled(source_->Editing());
    navigator_->ButtonOf(TzNavigator::Cancel)->setEnabled(source_->Editing());
}

bool AddressDatabaseMode::PostPendingEdit() {
    if (!source_->Active() || !source_->Editing()) {
        return true;
    }
    try {
        return source_->Post();
    } catch (const tables::DatasetError& error) {
        parts_.prompts->Error(parts_.window, Q(error.what()));
    } catch (const tables::EngineException&) {
        // Reported by the engine.
    }
    return false;
}

void AddressDatabaseMode::ToggleDeleted() {
    if (table_->State() == tables::DatasetState::Insert) {
        source_->Cancel();
        return;
    }
    if (!PostPendingEdit() || table_->RecNo() == 0) {
        return;
    }
    // A marked record comes back at once; marking one asks first.
    if (!table_->Deleted() &&
        !parts_.prompts->ConfirmOkCancel(parts_.window, QString::fromLatin1(kDeleteQuestion))) {
        return;
    }
    table_->Delete();
    source_->ShowRecord();
}

void AddressDatabaseMode::NavigatorPressed(TzNavigator::Button button) {
    if (!table_->Active()) {
        return;
    }
    try {
        switch (button) {
        case TzNavigator::First:
        case TzNavigator::Prior:
        case TzNavigator::Next:
        case TzNavigator::Last:
        case TzNavigator::Refresh:
            // Moving on writes the edit in hand first; a refused write stays.
            if (!PostPendingEdit()) {
                break;
            }
            switch (button) {
            case TzNavigator::First:
                table_->First();
                break;
            case TzNavigator::Prior:
                table_->Prior();
                break;
            case TzNavigator::Next:
                table_->Next();
                break;
            case TzNavigator::Last:
                table_->Last();
                break;
            default:
                table_->Refresh();
                break;
            }
            source_->ShowRecord();
            break;
        case TzNavigator::Insert:
            source_->Insert();
            break;
        case TzNavigator::Delete:
            ToggleDeleted();
            break;
        case TzNavigator::Post:
            PostPendingEdit();
            break;
        case TzNavigator::Cancel:
            source_->Cancel();
            break;
        }
    } catch (const tables::DatasetError& error) {
        parts_.prompts->Error(parts_.window, Q(error.what()));
    } catch (const tables::EngineException&) {
        // Reported by the engine.
    }
    ShowRecordPosition();
}

bool AddressDatabaseMode::IsDatabaseField(QObject* object) const {
    return object == parts_.tzmemoAddress || object == parts_.tzeditCity ||
           object == parts_.tzeditState || object == parts_.tzeditZip;
}

bool AddressDatabaseMode::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Close:
        if (watched == parts_.window && InDatabaseMode()) {
            // The close keeps an edit in hand; one that cannot be written
            // keeps the window open.
            if (!PostPendingEdit()) {
                event->ignore();
                return true;
            }
            // Closing does not pack: marked records stay marked.
            CloseTable();
        }
        break;
    case QEvent::KeyPress:
        if (IsDatabaseField(watched) && QApplication::activeModalWidget() == nullptr) {
            const auto* key = static_cast<QKeyEvent*>(event);
            TzNavigator::Button button{};
            if (TzNavigator::FindKey(QKeySequence(key->keyCombination()), button)) {
                // Escape cancels an edit in hand; without one it keeps its
                // meaning for the window.
                if (button == TzNavigator::Cancel && !source_->Editing()) {
                    return false;
                }
                NavigatorPressed(button);
                return true;
            }
        }
        break;
    case QEvent::FocusOut:
        // Leaving the memo rewrites its four lines in place, which counts as
        // an edit of the entry even when nothing visible changed.
        if (watched == parts_.tzmemoAddress && LeavesField(event) && parts_.entryChanged) {
            parts_.entryChanged();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------- wiring

namespace {

template <typename T> T* Find(QObject& main, const char* name) {
    T* child = main.findChild<T*>(QString::fromLatin1(name));
    Q_ASSERT(child != nullptr);
    return child;
}

} // namespace

AddressDatabaseMode& ConnectAddressDatabaseCommands(TF_Main& main) {
    DatabaseModeParts parts;
    parts.settings = &main.Settings();
    parts.prompts = &main.UserPrompts();
    parts.window = &main;
    parts.group = Find<QGroupBox>(main, "GroupBox3");
    parts.btnPaste = Find<QPushButton>(main, "btnPaste");
    parts.btnClear = Find<QPushButton>(main, "btnClear");
    parts.btnExit = Find<QPushButton>(main, "btnExit");
    parts.memoAddress = Find<QPlainTextEdit>(main, "memoAddress");
    parts.editCity = Find<QLineEdit>(main, "editCity");
    parts.editState = Find<QLineEdit>(main, "editState");
    parts.editZip = Find<QLineEdit>(main, "editZip");
    parts.tzmemoAddress = Find<QPlainTextEdit>(main, "tzmemoAddress");
    parts.tzeditCity = Find<QLineEdit>(main, "tzeditCity");
    parts.tzeditState = Find<QLineEdit>(main, "tzeditState");
    parts.tzeditZip = Find<QLineEdit>(main, "tzeditZip");
    parts.labelDatabaseName = Find<QLabel>(main, "labelDatabaseName");
    parts.labelOrder = Find<QLabel>(main, "labelOrder");
    parts.massPrint = MenuAction(&main, "MIMassPrint");
    parts.entryChanged = [&main] { main.MarkEntryChanged(); };
    QLineEdit* postage = Find<QLineEdit>(main, "editPostage");
    parts.postageLeft = [&main, postage] { main.FeeFieldExit(postage); };

    auto* mode = new AddressDatabaseMode(std::move(parts), &main);
    mode->setObjectName(QStringLiteral("AddressDatabaseMode"));
    WireMenuAction(&main, "MIReadWriteToDB", [mode] { mode->EnterDatabaseMode(); });
    QObject::connect(mode->Parts().btnExit, &QPushButton::clicked, mode,
                     &AddressDatabaseMode::LeaveDatabaseMode);
    ConnectMassPrintCommand(main, *mode);
    if (auto* textFiles = main.findChild<TextFileCommands*>()) {
        textFiles->beforeImport = [mode] { mode->CloseForImport(); };
        textFiles->afterImport = [mode] { mode->ReopenAfterImport(); };
    }
    return *mode;
}

AddressDatabaseMode* DatabaseModeOf(const TF_Main& main) {
    return main.findChild<AddressDatabaseMode*>(QStringLiteral("AddressDatabaseMode"),
                                                Qt::FindDirectChildrenOnly);
}

} // namespace vell3
