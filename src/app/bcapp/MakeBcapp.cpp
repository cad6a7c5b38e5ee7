// Draws the bar-code printing registration form that ships beside the program
// as "bcapp.emf": an enhanced metafile (ECMA-234) of one letter-size page made
// with libEMF. The program stretches it over the printable area of a page.

#include <libEMF/emf.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The page in logical units of 1/100 inch (8.5 x 11 inches).
constexpr int kPageWidth = 850;
constexpr int kPageHeight = 1100;
constexpr int kLeft = 75;
constexpr int kRight = kPageWidth - 75;

// The metafile's frame in 0.01 mm, as the format counts it.
constexpr int kFrameWidth = 21590;
constexpr int kFrameHeight = 27940;

class Form {
public:
    explicit Form(HDC dc) : dc_(dc) {}

    void Font(int height, bool bold, bool italic = false) {
        HFONT font = CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic ? 1 : 0, 0, 0,
                                 ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
        HGDIOBJ old = SelectObject(dc_, font);
        if (old != 0 && current_ != 0) {
            DeleteObject(current_);
        }
        current_ = font;
    }

    void Text(int x, int y, const std::string& text) {
        TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
    }

    void Line(int x1, int y1, int x2, int y2) {
        MoveToEx(dc_, x1, y1, nullptr);
        LineTo(dc_, x2, y2);
    }

    void Box(int left, int top, int right, int bottom) {
        Line(left, top, right, top);
        Line(right, top, right, bottom);
        Line(right, bottom, left, bottom);
        Line(left, bottom, left, top);
    }

    // A caption with a line to write on, from the caption's end to `right`.
    void Field(int x, int y, const std::string& caption, int right) {
        Text(x, y, caption);
        Line(x + static_cast<int>(caption.size()) * 7 + 10, y + 16, right, y + 16);
    }

    // A caption followed by a row of boxes, one per character to fill in.
    void DigitBoxes(int x, int y, const std::string& caption, const std::string& pattern) {
        Text(x, y, caption);
        int cx = x + static_cast<int>(caption.size()) * 7 + 14;
        for (char c : pattern) {
            if (c == '-') {
                Text(cx + 4, y, "-");
                cx += 16;
                continue;
            }
            Box(cx, y - 4, cx + 22, y + 20);
            cx += 26;
        }
    }

    void Release() {
        if (current_ != 0) {
            SelectObject(dc_, GetStockObject(SYSTEM_FONT));
            DeleteObject(current_);
            current_ = 0;
        }
    }

private:
    HDC dc_;
    HFONT current_ = 0;
};

void Draw(Form& form) {
    int y = 60;
    form.Font(26, true);
    form.Text(kLeft, y, "Bar Code Printing Registration");
    y += 36;
    form.Font(14, false);
    form.Text(kLeft, y, "Special-services label bar codes printed by the mailer");
    y += 20;
    form.Line(kLeft, y, kRight, y);
    y += 16;

    form.Font(12, false);
    const char* intro[] = {
        "A mailer that prints the 20-digit special-services label number and its bar code on",
        "certified mail forms must register with the U.S. Postal Service. Fill in this form,",
        "sign it and forward it to the U.S. Postal Service through your postal business",
        "representative or your local Business Mail Entry unit. Keep a copy for your records.",
    };
    for (const char* line : intro) {
        form.Text(kLeft, y, line);
        y += 18;
    }
    y += 16;

    form.Font(15, true);
    form.Text(kLeft, y, "1. Mailer (sender)");
    y += 30;
    form.Font(12, false);
    form.Field(kLeft + 10, y, "Company name", kRight);
    y += 36;
    form.Field(kLeft + 10, y, "Street address", kRight);
    y += 36;
    form.Field(kLeft + 10, y, "City, state and ZIP+4", kRight);
    y += 40;
    form.DigitBoxes(kLeft + 10, y, "DUNS number (customer ID)", "00-000-0000");
    y += 44;
    form.Field(kLeft + 10, y, "Mailing location, if other than above", kRight);
    y += 44;

    form.Font(15, true);
    form.Text(kLeft, y, "2. Contact");
    y += 30;
    form.Font(12, false);
    form.Field(kLeft + 10, y, "Contact name", (kLeft + kRight) / 2 - 10);
    form.Field((kLeft + kRight) / 2 + 10, y, "Title", kRight);
    y += 36;
    form.Field(kLeft + 10, y, "Telephone", (kLeft + kRight) / 2 - 10);
    form.Field((kLeft + kRight) / 2 + 10, y, "E-mail", kRight);
    y += 44;

    form.Font(15, true);
    form.Text(kLeft, y, "3. Printing");
    y += 30;
    form.Font(12, false);
    form.Text(kLeft + 10, y, "Software: Vell3 Certified Mail");
    y += 24;
    form.Text(kLeft + 10, y, "Bar code: Code 128, 20-digit label number (service type 71)");
    y += 24;
    form.Field(kLeft + 10, y, "First identifier serial number to be used", kRight);
    y += 36;
    form.Field(kLeft + 10, y, "Estimated mailpieces per year", kRight);
    y += 44;

    form.Font(15, true);
    form.Text(kLeft, y, "4. Certification");
    y += 30;
    form.Font(12, false);
    const char* certify[] = {
        "I certify that the bar codes printed under this DUNS number will meet the postal",
        "service's requirements and that each identifier serial number will stay unique for",
        "at least two years.",
    };
    for (const char* line : certify) {
        form.Text(kLeft + 10, y, line);
        y += 18;
    }
    y += 36;
    form.Line(kLeft + 10, y, (kLeft + kRight) / 2 + 60, y);
    form.Line((kLeft + kRight) / 2 + 100, y, kRight, y);
    y += 6;
    form.Font(11, false, true);
    form.Text(kLeft + 10, y, "Signature");
    form.Text((kLeft + kRight) / 2 + 100, y, "Date");
    y += 40;

    form.Box(kLeft, y, kRight, y + 90);
    form.Font(11, true);
    form.Text(kLeft + 10, y + 8, "For postal service use");
    form.Font(11, false);
    form.Field(kLeft + 10, y + 32, "Received by", (kLeft + kRight) / 2 - 10);
    form.Field((kLeft + kRight) / 2 + 10, y + 32, "Date", kRight - 10);
    form.Field(kLeft + 10, y + 60, "Registration number", kRight - 10);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.emf\n", argv[0]);
        return 2;
    }
    FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const RECT frame{0, 0, kFrameWidth, kFrameHeight};
    HDC dc = CreateEnhMetaFileWithFILEA(0, out, &frame,
                                        "Vell3 Certified Mail\0Bar Code Printing Registration\0");
    if (dc == 0) {
        std::fclose(out);
        std::fprintf(stderr, "%s: cannot start the metafile\n", argv[1]);
        return 1;
    }
    // Logical units of 1/100 inch mapped onto the whole frame.
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, kPageWidth, kPageHeight, nullptr);
    SetViewportExtEx(
        dc, GetDeviceCaps(dc, HORZRES) * kFrameWidth / (GetDeviceCaps(dc, HORZSIZE) * 100),
        GetDeviceCaps(dc, VERTRES) * kFrameHeight / (GetDeviceCaps(dc, VERTSIZE) * 100), nullptr);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_TOP | TA_LEFT);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    {
        Form form(dc);
        Draw(form);
        form.Release();
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    HENHMETAFILE metafile = CloseEnhMetaFileWithFILE(dc);
    std::fclose(out);
    if (metafile == 0) {
        std::fprintf(stderr, "%s: cannot finish the metafile\n", argv[1]);
        return 1;
    }
    DeleteEnhMetaFile(metafile);
    return 0;
}
