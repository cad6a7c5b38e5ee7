#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace vell3 {

// The product's display name: the application title and the main window's caption.
inline constexpr const char* kApplicationTitle = "Vell3 Certified Mail";

inline constexpr const char* kMakerCompany = "Ambervale";
inline constexpr const char* kResellerCompany = "Brisquel";
inline constexpr const char* kResellerLogoFile = "Scr_logo.bmp";

// The contact texts of the About box for one company.
struct ContactTexts {
    const char* street;
    const char* city;
    const char* webSite;
    const char* eMail;
    const char* rights;
};

const ContactTexts& MakerContact();
const ContactTexts& ResellerContact();

inline constexpr const char* kTrackingPage = "https://tools.usps.com/go/TrackConfirmAction_input";
inline constexpr const char* kDunsWebSite = "www.dnb.com";

// The pictures the program draws itself: the product logo and the maker's logo.
QPixmap ProductLogo(QSize size);
QPixmap MakerLogo(QSize size);

} // namespace vell3
