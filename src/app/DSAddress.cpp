#include "DSAddress.h"

#include "AddressTable.h"
#include "EntryFields.h"
#include "TTzDbf.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace vell3 {

namespace {

enum Field : unsigned { kMemo = 1, kCity = 2, kState = 4, kZip = 8 };

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string S(const QString& text) {
    return text.toStdString();
}

} // namespace

QString MemoTextForTable(const QString& fieldText) {
    QString text = fieldText;
    // The break left after a line that the four-line limit removed carries
    // no line of its own.
    while (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

QString MemoTextForField(const QString& tableText) {
    QString text = tableText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

DSAddress::DSAddress(tables::TTzDbf& table, Controls controls, QObject* parent)
    : QObject(parent), table_(table), controls_(controls) {
    connect(controls_.memo, &QPlainTextEdit::textChanged, this, [this] { FieldTyped(kMemo); });
    connect(controls_.city, &QLineEdit::textChanged, this, [this] { FieldTyped(kCity); });
    connect(controls_.state, &QLineEdit::textChanged, this, [this] { FieldTyped(kState); });
    connect(controls_.zip, &QLineEdit::textChanged, this, [this] { FieldTyped(kZip); });
}

bool DSAddress::Active() const {
    return table_.State() != tables::DatasetState::Inactive;
}

bool DSAddress::Editing() const {
    const auto state = table_.State();
    return state == tables::DatasetState::Edit || state == tables::DatasetState::Insert;
}

void DSAddress::Show(const QString& memo, const QString& city, const QString& state,
                     const QString& zip) {
    // A field changes only when its text does: a text set that equals the
    // one shown is no edit of the entry (the line fields see to it themselves).
    if (controls_.memo->toPlainText() != memo) {
        controls_.memo->setPlainText(memo);
    }
    controls_.city->setText(city);
    controls_.state->setText(state);
    controls_.zip->setText(zip);
}

void DSAddress::ShowRecord() {
    showing_ = true;
    if (Active()) {
        const bool empty = table_.RecNo() == 0 && !Editing();
        const auto text = [&](std::string_view name) {
            return empty ? QString() : Q(table_.FieldAsString(name));
        };
        Show(MemoTextForField(text(addresses::kAddressField)), text(addresses::kCityField),
             text(addresses::kStateField), text(addresses::kZipField));
    } else {
        Show({}, {}, {}, {});
    }
    showing_ = false;
    modified_ = 0;
    emit recordChanged();
}

void DSAddress::FieldTyped(int field) {
    if (showing_ || !Active()) {
        return;
    }
    const bool started = !Editing();
    if (started) {
        table_.Edit();
    }
    modified_ |= static_cast<unsigned>(field);
    if (started) {
        emit recordChanged();
    }
}

void DSAddress::WriteFields() {
    // Only what was typed goes into the record, so that an edit of the city
    // does not rewrite the memo.
    if ((modified_ & kMemo) != 0) {
        table_.SetFieldAsString(addresses::kAddressField,
                                S(MemoTextForTable(controls_.memo->toPlainText())));
    }
    if ((modified_ & kCity) != 0) {
        table_.SetFieldAsString(addresses::kCityField, S(controls_.city->text()));
    }
    if ((modified_ & kState) != 0) {
        table_.SetFieldAsString(addresses::kStateField, S(controls_.state->text()));
    }
    if ((modified_ & kZip) != 0) {
        table_.SetFieldAsString(addresses::kZipField, S(MaskedText(controls_.zip)));
    }
    modified_ = 0;
}

bool DSAddress::Post() {
    if (!Active() || !Editing()) {
        return true;
    }
    const unsigned typed = modified_;
    WriteFields();
    table_.Post();
    if (Editing()) {
        // Refused: the fields keep what was typed for the next try.
        modified_ = typed;
        return false;
    }
    ShowRecord();
    return true;
}

void DSAddress::Cancel() {
    if (Active()) {
        table_.Cancel();
    }
    ShowRecord();
}

bool DSAddress::Insert() {
    if (!Post()) {
        return false;
    }
    table_.Insert();
    ShowRecord();
    return true;
}

} // namespace vell3
