#include "Prompts.h"

#include "U_AskThreeWay.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace vell3 {

void WidgetPrompts::Information(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Information"), text);
}

void WidgetPrompts::Error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QStringLiteral("Error"), text);
}

bool WidgetPrompts::ConfirmYesNo(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QStringLiteral("Confirm"), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Prompts::Answer WidgetPrompts::ConfirmYesNoCancel(QWidget* parent, const QString& text) {
    switch (QMessageBox::question(parent, QStringLiteral("Confirm"), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void WidgetPrompts::Halted(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QStringLiteral("Program halted."), text);
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

QString WidgetPrompts::OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString WidgetPrompts::SaveFileName(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, folder, filter);
}

void WidgetPrompts::OpenUrl(const QUrl& url) {
    // Failures are the desktop's to report; the program shows nothing of its own.
    QDesktopServices::openUrl(url);
}

} // namespace vell3
