#pragma once

#include <QByteArray>
#include <QString>

class QPrinter;

namespace vell3 {

// The picture of the postal service's bar-code printing registration form.
inline constexpr const char* kRegistrationFormFile = "bcapp.emf";

// An enhanced metafile as SVG text; empty when the bytes are no metafile.
QByteArray EmfToSvg(const QByteArray& emf);

// Prints the metafile at `emfPath` stretched over the printable area of one
// page. False, with nothing printed, when the file is missing or unreadable or
// the printer fails; the command shows no message either way.
bool PrintRegistrationForm(QPrinter& printer, const QString& emfPath);

} // namespace vell3
