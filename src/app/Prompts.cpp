#include "Prompts.h"

#include "U_AskThreeWay.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace vell3 {

namespace {

// The program's messages carry file names and user texts, which must show as
// they are, never be taken for markup.
QMessageBox::StandardButton ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                    const QString& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void WidgetPrompts::Information(QWidget* parent, const QString& text) {
    ShowBox(parent, QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok);
}

void WidgetPrompts::Error(QWidget* parent, const QString& text) {
    ShowBox(parent, QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok);
}

bool WidgetPrompts::ConfirmYesNo(QWidget* parent, const QString& text) {
    return ShowBox(parent, QMessageBox::Question, QStringLiteral("Confirm"), text,
                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Prompts::Answer WidgetPrompts::ConfirmYesNoCancel(QWidget* parent, const QString& text) {
    switch (ShowBox(parent, QMessageBox::Question, QStringLiteral("Confirm"), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool WidgetPrompts::ConfirmOkCancel(QWidget* parent, const QString& text) {
    return ShowBox(parent, QMessageBox::Question, QStringLiteral("Confirm"), text,
                   QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void WidgetPrompts::Halted(QWidget* parent, const QString& text) {
    ShowBox(parent, QMessageBox::Critical, QStringLiteral("Program halted."), text,
            QMessageBox::Ok);
}

int WidgetPrompts::AskThreeWay(QWidget* parent, const QString& title, const QString& message,
                               const QStringList& captions) {
    TF_AskThreeWay box(title, message, captions, parent);
    return box.Run();
}

bool WidgetPrompts::PrinterSetup(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool WidgetPrompts::OutputOptions(QWidget* parent, QPrinter& printer, int pageCount) {
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("OutputOptions"));
    dialog.setWindowTitle(QStringLiteral("Output Options"));
    // The printer is the only destination: no print to file, no preview.
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    dialog.setMinMax(1, pageCount);
    return dialog.exec() == QDialog::Accepted;
}

QString WidgetPrompts::OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString WidgetPrompts::SaveFileName(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, folder, filter);
}

QString WidgetPrompts::OpenOrNewFileName(QWidget* parent, const QString& title,
                                         const QString& folder, const QString& filter,
                                         const QString& defaultSuffix) {
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void WidgetPrompts::OpenUrl(const QUrl& url) {
    // Failures are the desktop's to report; the program shows nothing of its own.
    QDesktopServices::openUrl(url);
}

} // namespace vell3
