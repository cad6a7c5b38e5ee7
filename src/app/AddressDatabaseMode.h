#pragma once

#include "AppSettings.h"
#include "TzNavigator.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QFontMetrics;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace vell3::tables {
class TTzDbf;
}

namespace vell3 {

class DSAddress;
class Prompts;
class TF_Main;

// What database mode works on: the recipient area's two sets of fields, its
// buttons and labels, the Mass Print item, and two handlers of the window.
struct DatabaseModeParts {
    AppSettings* settings = nullptr;
    Prompts* prompts = nullptr;
    QWidget* window = nullptr; // parent of the boxes; its close posts an edit in hand
    QGroupBox* group = nullptr;
    QPushButton* btnPaste = nullptr;
    QPushButton* btnClear = nullptr;
    QPushButton* btnExit = nullptr;
    QPlainTextEdit* memoAddress = nullptr;
    QLineEdit* editCity = nullptr;
    QLineEdit* editState = nullptr;
    QLineEdit* editZip = nullptr;
    QPlainTextEdit* tzmemoAddress = nullptr;
    QLineEdit* tzeditCity = nullptr;
    QLineEdit* tzeditState = nullptr;
    QLineEdit* tzeditZip = nullptr;
    QLabel* labelDatabaseName = nullptr;
    QLabel* labelOrder = nullptr;
    QAction* massPrint = nullptr;
    std::function<void()> entryChanged; // MarkEntryChanged
    std::function<void()> postageLeft;  // the postage field's leave handler
};

// The database's path as the name label shows it: a path wider than 265
// pixels loses its leading folders, one at a time while it is wider than 251
// pixels and still holds a separator, and gets ".../" in front.
QString CutDatabasePath(const QString& path, const QFontMetrics& metrics);

// Address database mode: File > Read/Write to a database switches the
// recipient area to the data-aware fields over an address table, with the
// navigator, the database's name and the record position; btnExit packs the
// table and brings the plain fields back.
class AddressDatabaseMode : public QObject {
    Q_OBJECT
public:
    explicit AddressDatabaseMode(DatabaseModeParts parts, QObject* parent = nullptr);
    ~AddressDatabaseMode() override;

    bool InDatabaseMode() const;
    tables::TTzDbf& Table() { return *table_; }
    DSAddress& DataSource() { return *source_; }
    TzNavigator& Navigator() { return *navigator_; }
    QLabel& DeletedMark() { return *labelDeleted_; }
    const DatabaseModeParts& Parts() const { return parts_; }

    // File > Read/Write to a database.
    void EnterDatabaseMode();
    // btnExit. False when an edit in hand could not be written.
    bool LeaveDatabaseMode();
    void ShowRecordPosition();
    // Writes an edit of the current record that is still in hand; false when
    // the engine refused it (its warning was shown).
    bool PostPendingEdit();
    // The import of a name-and-address file works on the database alone: the
    // table is closed (an edit in hand written first) while it runs and
    // opened again on its first record afterwards. Nothing outside database
    // mode.
    void CloseForImport();
    void ReopenAfterImport();
    // The navigator's buttons, each followed by ShowRecordPosition.
    void NavigatorPressed(TzNavigator::Button button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowDatabaseControls(bool database);
    bool OpenTable(const QString& path);
    void CloseTable();
    void ToggleDeleted();
    void ShowDeletedMark();
    bool IsDatabaseField(QObject* object) const;

    DatabaseModeParts parts_;
    std::unique_ptr<tables::TTzDbf> table_;
    DSAddress* source_ = nullptr;
    TzNavigator* navigator_ = nullptr;
    QWidget* navigatorRow_ = nullptr;
    QLabel* labelDeleted_ = nullptr;
};

// Builds database mode over the main window and wires File > "&Read/Write to
// a database", File > "&Mass Print" and btnExit.
AddressDatabaseMode& ConnectAddressDatabaseCommands(TF_Main& main);
// The database mode of a window wired above, or null.
AddressDatabaseMode* DatabaseModeOf(const TF_Main& main);

} // namespace vell3
