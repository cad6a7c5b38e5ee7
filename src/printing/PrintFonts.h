#pragma once

namespace vell3 {

// Maps the form's Windows fonts to the Debian ones: "OCR A Extended" to OCR-A
// (fonts-ocr-a, family "OCRA") and "Arial" to Liberation Sans
// (fonts-liberation2). Safe to call more than once; needs a Qt Gui application.
void InstallPrintFontSubstitutions();

} // namespace vell3
