#include "ShellCommands.h"

#include "Branding.h"
#include "CmdMailerNumber.h"
#include "CmdSettingsItems.h"
#include "MainMenu.h"
#include "Prompts.h"
#include "U_About.h"
#include "U_Align.h"
#include "U_ExtraLabel.h"
#include "U_Main.h"

#include <QUrl>

namespace vell3 {

void ConnectShellCommands(TF_Main& window) {
    TF_Main* w = &window;
    AppSettings& settings = window.Settings();
    Prompts& prompts = window.UserPrompts();

    WireMenuAction(w, "MIExit", [w] { w->close(); });
    WireMenuAction(w, "MailerNumber1",
                   [&settings, &prompts, w] { RunMailerNumberCommand(settings, prompts, w); });
    WireMenuAction(w, "YourNameAddress1", [w] { w->OpenSenderDialog(true); });
    WireMenuAction(w, "MIPrinterSetup", [w] { w->PrinterSetup(); });
    WireMenuAction(w, "MIPrinterAlignment", [&settings, w] {
        TF_Align dialog(settings, w);
        dialog.exec();
    });
    WireMenuAction(w, "MIExtraLabel", [&settings, w] {
        TF_ExtraLabel dialog(settings, w);
        dialog.exec();
    });

    QAction* print = MenuAction(w, "PrintBarCodeMI");
    QAction* dontPrint = MenuAction(w, "DontPrintBarCodeMI");
    (settings.PrintBarCode ? print : dontPrint)->setChecked(true);
    WireMenuAction(w, "PrintBarCodeMI", [&settings, print] {
        print->setChecked(true);
        SetBarCodeMode(settings, true);
    });
    WireMenuAction(w, "DontPrintBarCodeMI", [&settings, dontPrint] {
        dontPrint->setChecked(true);
        SetBarCodeMode(settings, false);
    });

    WireMenuAction(w, "SaveValues1", [&settings, w] {
        const std::array<QString, 5> fees = w->FeeTexts();
        SaveFeeDefaults(settings, {fees[0], fees[1], fees[2], fees[3]});
    });
    WireMenuAction(w, "TrackItem1",
                   [&prompts] { prompts.OpenUrl(QUrl(QString::fromLatin1(kTrackingPage))); });
    WireMenuAction(w, "Content1", [w] { w->ShowHelpContents(); });
    WireMenuAction(w, "BarCodePrintingRegistration1", [w] { w->PrintBarCodeRegistration(); });
    for (const char* name : {"MIOrderSupplies", "MITechnicalSupport", "miAbout"}) {
        WireMenuAction(w, name, [&settings, &prompts, w] {
            TF_About about(settings, prompts, 0, w);
            about.exec();
        });
    }
}

} // namespace vell3
