#pragma once

#include <QByteArray>
#include <QString>

class QPrinter;

namespace vell3 {

// The picture of the postal service's bar-code printing registration form.
inline constexpr const char* kRegistrationFormFile = "bcapp.emf";

// True when the bytes hold a whole enhanced metafile as ECMA-234 lays it out:
// a header record with the " EMF" signature and the file's size, then records
// whose sizes chain exactly to the end, the last one EMR_EOF. Only such input
// reaches the converter, so a damaged file is skipped rather than half read.
bool IsWellFormedEmf(const QByteArray& emf);

// An enhanced metafile as SVG text; empty when the bytes are no metafile.
QByteArray EmfToSvg(const QByteArray& emf);

// Prints the metafile at `emfPath` stretched over the printable area of one
// page. False, with nothing printed, when the file is missing or unreadable or
// the printer fails; the command shows no message either way.
bool PrintRegistrationForm(QPrinter& printer, const QString& emfPath);

} // namespace vell3
