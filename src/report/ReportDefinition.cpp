#include "ReportDefinition.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <optional>
#include <utility>

namespace vell3::report {

namespace {

// A text item without a height of its own is this many times its font's size high.
constexpr double kLineHeightFactor = 1.25;
constexpr double kDefaultFontSize = 9;
constexpr const char* kDefaultFamily = "Liberation Sans";

// Where in the file a check failed, for the message ("report \"X\", detail, item 3").
class Where {
public:
    explicit Where(QString text) : text_(std::move(text)) {}
    Where operator/(const QString& more) const {
        return Where(text_ + QStringLiteral(", ") + more);
    }
    const QString& Text() const { return text_; }

private:
    QString text_;
};

class Reader {
public:
    explicit Reader(QString path) : path_(std::move(path)) {}

    [[noreturn]] void Fail(const QString& what) const {
        throw ReportDefinitionError(
            QStringLiteral("The report definition file \"%1\" cannot be used:\r%2.")
                .arg(QDir::toNativeSeparators(path_), what));
    }
    [[noreturn]] void Fail(const Where& where, const QString& what) const {
        Fail(where.Text() + QStringLiteral(": ") + what);
    }

    QJsonObject Object(const QJsonValue& value, const Where& where) const {
        if (!value.isObject()) {
            Fail(where, QStringLiteral("an object { } is expected"));
        }
        return value.toObject();
    }

    double Number(const QJsonObject& object, const QString& key, const Where& where,
                  std::optional<double> fallback = std::nullopt, double min = 0) const {
        const QJsonValue value = object.value(key);
        if (value.isUndefined() && fallback) {
            return *fallback;
        }
        if (!value.isDouble()) {
            Fail(where, QStringLiteral("\"%1\" must be a number").arg(key));
        }
        const double number = value.toDouble();
        if (number < min) {
            Fail(where, QStringLiteral("\"%1\" must not be less than %2").arg(key).arg(min));
        }
        return number;
    }

    QString String(const QJsonObject& object, const QString& key, const Where& where,
                   const QString& fallback) const {
        const QJsonValue value = object.value(key);
        if (value.isUndefined()) {
            return fallback;
        }
        if (!value.isString()) {
            Fail(where, QStringLiteral("\"%1\" must be a text in double quotes").arg(key));
        }
        return value.toString();
    }

    bool Bool(const QJsonObject& object, const QString& key, const Where& where) const {
        const QJsonValue value = object.value(key);
        if (value.isUndefined()) {
            return false;
        }
        if (!value.isBool()) {
            Fail(where, QStringLiteral("\"%1\" must be true or false").arg(key));
        }
        return value.toBool();
    }

    void OnlyKeys(const QJsonObject& object, const QStringList& keys, const Where& where) const {
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (!keys.contains(it.key())) {
                Fail(where, QStringLiteral("unknown key \"%1\"").arg(it.key()));
            }
        }
    }

    QFont FontOf(const QJsonObject& object, const Where& where) const {
        OnlyKeys(object,
                 {QStringLiteral("family"), QStringLiteral("size"), QStringLiteral("bold"),
                  QStringLiteral("italic")},
                 where);
        QFont font(
            String(object, QStringLiteral("family"), where, QString::fromLatin1(kDefaultFamily)));
        const double size = Number(object, QStringLiteral("size"), where, kDefaultFontSize, 1);
        font.setPointSizeF(size);
        font.setBold(Bool(object, QStringLiteral("bold"), where));
        font.setItalic(Bool(object, QStringLiteral("italic"), where));
        // Text is placed in points, so it must not snap to the screen's pixels.
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setStyleStrategy(QFont::ForceOutline);
        return font;
    }

    std::map<QString, QFont> fonts;

    QFont ItemFont(const QJsonObject& item, const Where& where) const {
        const QJsonValue value = item.value(QStringLiteral("font"));
        if (value.isUndefined()) {
            const auto it = fonts.find(QStringLiteral("normal"));
            return it != fonts.end() ? it->second : FontOf(QJsonObject{}, where);
        }
        if (value.isString()) {
            const auto it = fonts.find(value.toString());
            if (it == fonts.end()) {
                Fail(where,
                     QStringLiteral("no font named \"%1\" under \"fonts\"").arg(value.toString()));
            }
            return it->second;
        }
        return FontOf(Object(value, where / QStringLiteral("font")),
                      where / QStringLiteral("font"));
    }

private:
    QString path_;
};

enum class BandKind { Header, Detail, Footer, Summary };

std::vector<TextPart> ParseTemplate(const Reader& reader, const QString& text, BandKind band,
                                    const Where& where, bool& needsRow) {
    std::vector<TextPart> parts;
    QString literal;
    const auto flush = [&] {
        if (!literal.isEmpty()) {
            parts.push_back({TextPart::Kind::Literal, literal});
            literal.clear();
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('}')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('}')) {
                ++i;
            }
            literal += c;
            continue;
        }
        if (c != QLatin1Char('{')) {
            literal += c;
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == QLatin1Char('{')) {
            literal += c;
            ++i;
            continue;
        }
        const qsizetype close = text.indexOf(QLatin1Char('}'), i);
        if (close < 0) {
            reader.Fail(where, QStringLiteral("\"{\" without \"}\" in \"%1\"").arg(text));
        }
        const QString token = text.mid(i + 1, close - i - 1);
        i = close;
        const qsizetype colon = token.indexOf(QLatin1Char(':'));
        const QString word = colon < 0 ? token : token.left(colon);
        const QString argument = colon < 0 ? QString() : token.mid(colon + 1).trimmed();
        static const std::map<QString, std::pair<TextPart::Kind, bool>> kWords = {
            // word: kind, takes an argument
            {QStringLiteral("field"), {TextPart::Kind::Field, true}},
            {QStringLiteral("param"), {TextPart::Kind::Parameter, true}},
            {QStringLiteral("page"), {TextPart::Kind::Page, false}},
            {QStringLiteral("pages"), {TextPart::Kind::Pages, false}},
            {QStringLiteral("count"), {TextPart::Kind::Count, false}},
            {QStringLiteral("sum"), {TextPart::Kind::Sum, true}},
            {QStringLiteral("pageCount"), {TextPart::Kind::PageCount, false}},
            {QStringLiteral("pageSum"), {TextPart::Kind::PageSum, true}},
            {QStringLiteral("line"), {TextPart::Kind::Line, false}},
            {QStringLiteral("row"), {TextPart::Kind::Row, false}},
        };
        const auto found = kWords.find(word.trimmed());
        if (found == kWords.end() || found->second.second != (colon >= 0) ||
            (found->second.second && argument.isEmpty())) {
            reader.Fail(where, QStringLiteral("unknown value {%1}").arg(token));
        }
        const TextPart::Kind kind = found->second.first;
        const bool rowValue = kind == TextPart::Kind::Field || kind == TextPart::Kind::Row ||
                              kind == TextPart::Kind::Line;
        if (rowValue && band != BandKind::Detail) {
            reader.Fail(where, QStringLiteral("{%1} is only known in the detail band").arg(token));
        }
        if ((kind == TextPart::Kind::PageCount || kind == TextPart::Kind::PageSum) &&
            band == BandKind::Detail) {
            reader.Fail(where, QStringLiteral("{%1} is not known in the detail band").arg(token));
        }
        if (kind == TextPart::Kind::Field || kind == TextPart::Kind::Row) {
            needsRow = true;
        }
        flush();
        parts.push_back({kind, argument});
    }
    flush();
    return parts;
}

Qt::Alignment AlignmentOf(const Reader& reader, const QString& text, const Where& where) {
    if (text == QLatin1String("left")) {
        return Qt::AlignLeft;
    }
    if (text == QLatin1String("right")) {
        return Qt::AlignRight;
    }
    if (text == QLatin1String("center")) {
        return Qt::AlignHCenter;
    }
    reader.Fail(where, QStringLiteral("\"align\" must be \"left\", \"right\" or \"center\""));
}

std::vector<double> NumberArray(const Reader& reader, const QJsonValue& value, int size,
                                const Where& where, const QString& key) {
    const QJsonArray array = value.toArray();
    if (!value.isArray() || array.size() != size) {
        reader.Fail(where,
                    QStringLiteral("\"%1\" must be a list of %2 numbers").arg(key).arg(size));
    }
    std::vector<double> numbers;
    for (const QJsonValue& entry : array) {
        if (!entry.isDouble()) {
            reader.Fail(where,
                        QStringLiteral("\"%1\" must be a list of %2 numbers").arg(key).arg(size));
        }
        numbers.push_back(entry.toDouble());
    }
    return numbers;
}

Band ReadBand(const Reader& reader, const QJsonObject& report, const QString& key, BandKind kind,
              const Where& reportWhere, ReportDefinition& definition) {
    Band band;
    const QJsonValue value = report.value(key);
    if (value.isUndefined()) {
        if (kind == BandKind::Detail) {
            reader.Fail(reportWhere, QStringLiteral("the band \"detail\" is missing"));
        }
        return band;
    }
    const Where where = reportWhere / key;
    const QJsonObject object = reader.Object(value, where);
    QStringList keys{QStringLiteral("height"), QStringLiteral("items")};
    if (kind == BandKind::Detail) {
        keys << QStringLiteral("linesPerPage") << QStringLiteral("strikeUnusedLines");
    }
    reader.OnlyKeys(object, keys, where);
    band.height = reader.Number(object, QStringLiteral("height"), where, std::nullopt, 0);
    if (kind == BandKind::Detail) {
        if (band.height <= 0) {
            reader.Fail(where, QStringLiteral("\"height\" must be more than 0"));
        }
        const double lines = reader.Number(object, QStringLiteral("linesPerPage"), where, 0.0, 0);
        if (lines != static_cast<int>(lines)) {
            reader.Fail(where, QStringLiteral("\"linesPerPage\" must be a whole number"));
        }
        definition.linesPerPage = static_cast<int>(lines);
        definition.strikeUnusedLines =
            reader.Bool(object, QStringLiteral("strikeUnusedLines"), where);
        if (definition.strikeUnusedLines && definition.linesPerPage == 0) {
            reader.Fail(where, QStringLiteral("\"strikeUnusedLines\" needs \"linesPerPage\""));
        }
    }
    const QJsonValue items = object.value(QStringLiteral("items"));
    if (!items.isUndefined() && !items.isArray()) {
        reader.Fail(where, QStringLiteral("\"items\" must be a list [ ]"));
    }
    int number = 0;
    for (const QJsonValue& entry : items.toArray()) {
        const Where itemWhere = where / QStringLiteral("item %1").arg(++number);
        const QJsonObject item = reader.Object(entry, itemWhere);
        if (item.contains(QStringLiteral("text"))) {
            reader.OnlyKeys(item,
                            {QStringLiteral("text"), QStringLiteral("x"), QStringLiteral("y"),
                             QStringLiteral("width"), QStringLiteral("height"),
                             QStringLiteral("align"), QStringLiteral("font")},
                            itemWhere);
            TextItem text;
            const QJsonValue content = item.value(QStringLiteral("text"));
            if (!content.isString()) {
                reader.Fail(itemWhere, QStringLiteral("\"text\" must be a text in double quotes"));
            }
            text.parts = ParseTemplate(reader, content.toString(), kind, itemWhere, text.needsRow);
            text.font = reader.ItemFont(item, itemWhere);
            text.align = AlignmentOf(
                reader,
                reader.String(item, QStringLiteral("align"), itemWhere, QStringLiteral("left")),
                itemWhere);
            const double width = reader.Number(item, QStringLiteral("width"), itemWhere, 0.0);
            if (width == 0 && text.align != Qt::AlignLeft) {
                reader.Fail(itemWhere,
                            QStringLiteral("\"align\" other than \"left\" needs a \"width\""));
            }
            const double height = reader.Number(item, QStringLiteral("height"), itemWhere,
                                                text.font.pointSizeF() * kLineHeightFactor);
            text.box = QRectF(reader.Number(item, QStringLiteral("x"), itemWhere),
                              reader.Number(item, QStringLiteral("y"), itemWhere), width, height);
            band.texts.push_back(std::move(text));
        } else if (item.contains(QStringLiteral("line")) || item.contains(QStringLiteral("box"))) {
            const bool line = item.contains(QStringLiteral("line"));
            const QString shapeKey = line ? QStringLiteral("line") : QStringLiteral("box");
            reader.OnlyKeys(item, {shapeKey, QStringLiteral("pen")}, itemWhere);
            const auto n = NumberArray(reader, item.value(shapeKey), 4, itemWhere, shapeKey);
            ShapeItem shape;
            shape.kind = line ? ShapeItem::Kind::Line : ShapeItem::Kind::Box;
            shape.from = QPointF(n[0], n[1]);
            shape.to = line ? QPointF(n[2], n[3]) : QPointF(n[0] + n[2], n[1] + n[3]);
            shape.pen = reader.Number(item, QStringLiteral("pen"), itemWhere, 0.5);
            band.shapes.push_back(shape);
        } else {
            reader.Fail(itemWhere, QStringLiteral("an item needs \"text\", \"line\" or \"box\""));
        }
    }
    return band;
}

QPageSize PageSizeOf(const Reader& reader, const QString& name, const Where& where) {
    static const std::map<QString, QPageSize::PageSizeId> kSizes = {
        {QStringLiteral("Letter"), QPageSize::Letter},
        {QStringLiteral("Legal"), QPageSize::Legal},
        {QStringLiteral("A4"), QPageSize::A4},
    };
    const auto found = kSizes.find(name);
    if (found == kSizes.end()) {
        reader.Fail(where, QStringLiteral("\"size\" must be \"Letter\", \"Legal\" or \"A4\""));
    }
    return QPageSize(found->second);
}

ReportDefinition ReadReport(const Reader& reader, const QString& name, const QJsonValue& value) {
    const Where where(QStringLiteral("report \"%1\"").arg(name));
    const QJsonObject report = reader.Object(value, where);
    reader.OnlyKeys(report,
                    {QStringLiteral("page"), QStringLiteral("pageHeader"), QStringLiteral("detail"),
                     QStringLiteral("pageFooter"), QStringLiteral("summary")},
                    where);
    ReportDefinition definition;
    definition.name = name;
    const Where pageWhere = where / QStringLiteral("page");
    const QJsonObject page = reader.Object(report.value(QStringLiteral("page")), pageWhere);
    reader.OnlyKeys(
        page, {QStringLiteral("size"), QStringLiteral("orientation"), QStringLiteral("margins")},
        pageWhere);
    definition.pageSize = PageSizeOf(
        reader, reader.String(page, QStringLiteral("size"), pageWhere, QStringLiteral("Letter")),
        pageWhere);
    const QString orientation =
        reader.String(page, QStringLiteral("orientation"), pageWhere, QStringLiteral("portrait"));
    if (orientation != QLatin1String("portrait") && orientation != QLatin1String("landscape")) {
        reader.Fail(pageWhere,
                    QStringLiteral("\"orientation\" must be \"portrait\" or \"landscape\""));
    }
    definition.orientation =
        orientation == QLatin1String("landscape") ? QPageLayout::Landscape : QPageLayout::Portrait;
    const Where marginWhere = pageWhere / QStringLiteral("margins");
    const QJsonObject margins = reader.Object(page.value(QStringLiteral("margins")), marginWhere);
    reader.OnlyKeys(margins,
                    {QStringLiteral("left"), QStringLiteral("top"), QStringLiteral("right"),
                     QStringLiteral("bottom")},
                    marginWhere);
    definition.margins = QMarginsF(reader.Number(margins, QStringLiteral("left"), marginWhere),
                                   reader.Number(margins, QStringLiteral("top"), marginWhere),
                                   reader.Number(margins, QStringLiteral("right"), marginWhere),
                                   reader.Number(margins, QStringLiteral("bottom"), marginWhere));
    ReportDefinition& d = definition;
    d.pageHeader =
        ReadBand(reader, report, QStringLiteral("pageHeader"), BandKind::Header, where, d);
    d.detail = ReadBand(reader, report, QStringLiteral("detail"), BandKind::Detail, where, d);
    d.pageFooter =
        ReadBand(reader, report, QStringLiteral("pageFooter"), BandKind::Footer, where, d);
    d.summary = ReadBand(reader, report, QStringLiteral("summary"), BandKind::Summary, where, d);

    // Every page must hold its header, its footer and at least one row; the
    // summary must fit on a page of its own.
    const QSizeF paper = d.PagePoints();
    const double body = paper.height() - d.margins.top() - d.margins.bottom() -
                        d.pageHeader.height - d.pageFooter.height;
    if (d.margins.left() + d.margins.right() >= paper.width()) {
        reader.Fail(marginWhere, QStringLiteral("the margins leave no room on the page"));
    }
    const int lines = d.linesPerPage > 0 ? d.linesPerPage : 1;
    if (body < d.detail.height * lines) {
        reader.Fail(where, QStringLiteral("the page has no room for %1 detail line(s) between its "
                                          "header and footer")
                               .arg(lines));
    }
    if (body < d.summary.height) {
        reader.Fail(where,
                    QStringLiteral("the summary does not fit between the page header and footer"));
    }
    return definition;
}

} // namespace

QSizeF ReportDefinition::PagePoints() const {
    const QSizeF size = pageSize.size(QPageSize::Point);
    return orientation == QPageLayout::Landscape ? size.transposed() : size;
}

namespace {
void CollectFields(const Band& band, TextPart::Kind kind, QStringList& into) {
    for (const TextItem& item : band.texts) {
        for (const TextPart& part : item.parts) {
            if (part.kind == kind && !into.contains(part.text)) {
                into.append(part.text);
            }
        }
    }
}
} // namespace

QStringList ReportDefinition::Fields() const {
    QStringList fields;
    CollectFields(detail, TextPart::Kind::Field, fields);
    for (const QString& field : SummedFields()) {
        if (!fields.contains(field)) {
            fields.append(field);
        }
    }
    return fields;
}

QStringList ReportDefinition::SummedFields() const {
    QStringList fields;
    for (const Band* band : {&pageHeader, &detail, &pageFooter, &summary}) {
        CollectFields(*band, TextPart::Kind::Sum, fields);
        CollectFields(*band, TextPart::Kind::PageSum, fields);
    }
    return fields;
}

ReportProject ReportProject::Load(const QString& path) {
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        throw ReportDefinitionError(MissingProjectMessage(path));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw ReportDefinitionError(
            QStringLiteral("The report definition file \"%1\" cannot be read:\r%2.")
                .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    return Parse(file.readAll(), path);
}

ReportProject ReportProject::Parse(const QByteArray& content, const QString& path) {
    Reader reader(path);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(content, &error);
    if (error.error != QJsonParseError::NoError) {
        // The reader gives a character offset; people count lines and columns.
        int line = 1;
        int column = 1;
        const qsizetype end = std::min<qsizetype>(error.offset, content.size());
        for (qsizetype i = 0; i < end; ++i) {
            if (content[i] == '\n') {
                ++line;
                column = 1;
            } else if ((static_cast<unsigned char>(content[i]) & 0xC0) != 0x80) {
                ++column;
            }
        }
        reader.Fail(QStringLiteral("%1 at line %2, column %3")
                        .arg(error.errorString())
                        .arg(line)
                        .arg(column));
    }
    const QJsonObject root =
        reader.Object(document.isObject() ? QJsonValue(document.object()) : QJsonValue(),
                      Where(QStringLiteral("the file")));
    reader.OnlyKeys(root,
                    {QStringLiteral("format"), QStringLiteral("fonts"), QStringLiteral("reports")},
                    Where(QStringLiteral("the file")));
    if (root.value(QStringLiteral("format")) != QJsonValue(QStringLiteral("Vell3 reports 1"))) {
        reader.Fail(QStringLiteral("\"format\" must be \"Vell3 reports 1\""));
    }
    const QJsonValue fonts = root.value(QStringLiteral("fonts"));
    if (!fonts.isUndefined()) {
        const QJsonObject map = reader.Object(fonts, Where(QStringLiteral("fonts")));
        for (auto it = map.begin(); it != map.end(); ++it) {
            const Where where(QStringLiteral("font \"%1\"").arg(it.key()));
            reader.fonts[it.key()] = reader.FontOf(reader.Object(it.value(), where), where);
        }
    }
    const QJsonObject reports =
        reader.Object(root.value(QStringLiteral("reports")), Where(QStringLiteral("reports")));
    ReportProject project;
    project.path_ = path;
    for (auto it = reports.begin(); it != reports.end(); ++it) {
        project.reports_.emplace(it.key(), ReadReport(reader, it.key(), it.value()));
    }
    return project;
}

const ReportDefinition* ReportProject::Find(const QString& name) const {
    const auto found = reports_.find(name);
    return found == reports_.end() ? nullptr : &found->second;
}

QStringList ReportProject::Names() const {
    QStringList names;
    for (const auto& [name, report] : reports_) {
        names.append(name);
    }
    return names;
}

QString MissingProjectMessage(const QString& path) {
    return QStringLiteral("The following reporting project does not exist:\r\"%1\"")
        .arg(QDir::toNativeSeparators(path));
}

} // namespace vell3::report
