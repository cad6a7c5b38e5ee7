#pragma once

#include <QObject>
#include <QString>

class QLineEdit;
class QPlainTextEdit;

namespace vell3::tables {
class TTzDbf;
}

namespace vell3 {

// The data source between an address table and the four data-aware fields of
// the recipient area: the fields show the current record, and typing into
// them starts an edit of it that Post writes (or Cancel drops). Fields are
// reached by name, whatever their case and width in the table.
class DSAddress : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QPlainTextEdit* memo = nullptr; // ADDRESS
        QLineEdit* city = nullptr;      // CITY
        QLineEdit* state = nullptr;     // STATE
        QLineEdit* zip = nullptr;       // ZIP, through the ZIP mask
    };

    DSAddress(tables::TTzDbf& table, Controls controls, QObject* parent = nullptr);

    tables::TTzDbf& Table() { return table_; }
    bool Active() const;
    // The current record holds an edit or an insert not yet written.
    bool Editing() const;

    // Shows the current record in the fields (after every move).
    void ShowRecord();
    // Writes what the fields hold into the current record (insert state: a
    // new record) and posts it. True when nothing is left unwritten; false
    // when the engine refused (it has said why) and the edit stays.
    bool Post();
    // Drops the edit and shows the record as it is.
    void Cancel();
    // Starts a new blank record (an edit in hand is posted first).
    bool Insert();

signals:
    // The edit state or the record on screen changed.
    void recordChanged();

private:
    void Show(const QString& memo, const QString& city, const QString& state, const QString& zip);
    void FieldTyped(int field);
    void WriteFields();

    tables::TTzDbf& table_;
    Controls controls_;
    bool showing_ = false;
    unsigned modified_ = 0; // one bit per field
};

// The memo's text as the table stores it (lines joined by CR LF) and back.
QString MemoTextForTable(const QString& fieldText);
QString MemoTextForField(const QString& tableText);

} // namespace vell3
