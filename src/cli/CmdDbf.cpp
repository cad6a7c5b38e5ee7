#include "CliFailures.h"
#include "Commands.h"
#include "Cp437.h"
#include "DatasetError.h"
#include "DbfDate.h"
#include "EngineError.h"
#include "FieldCodec.h"
#include "FieldList.h"
#include "PosixFile.h"
#include "TTzDbf.h"
#include "TablePaths.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace vell3::cli {

namespace {

using tables::TTzDbf;

int Usage() {
    std::cerr << "usage: vell3-cli dbf info FILE\n"
                 "       vell3-cli dbf dump FILE [--order KEY]\n"
                 "       vell3-cli dbf copy SRC DST\n"
                 "       vell3-cli dbf pack FILE\n";
    return kExitUsage;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
                out += buffer;
            } else {
                out.push_back(c);
            }
        }
    }
    return out + "\"";
}

void OpenExisting(TTzDbf& table, const std::string& file, bool readOnly) {
    table.SetCreateIfNotFound(false);
    table.SetReadOnly(readOnly);
    table.SetDbfFileName(file);
    table.Open();
}

int Info(const std::string& file) {
    TTzDbf table("TzDbfCli");
    OpenExisting(table, file, true);
    char version[8];
    std::snprintf(version, sizeof version, "%02X", table.Version());
    std::cout << version << '\n'
              << table.RecCount() << '\n'
              << table.HeaderLength() << ' ' << table.RecordLength() << '\n';
    for (const auto& field : table.Fields()) {
        std::cout << tables::FieldListLine(field) << '\n';
    }
    return kExitOk;
}

std::string FieldJson(TTzDbf& table, const tables::FieldInfo& field) {
    switch (field.type) {
    case 'D': {
        const auto date = table.FieldAsDate(field.name);
        return JsonString(date ? tables::DateDigits(date) : std::string());
    }
    case 'N':
    case 'F': {
        const auto number = table.FieldAsNumber(field.name);
        if (!number) {
            return "null";
        }
        // JSON wants a point as the decimal separator, whatever the locale.
        return tables::FormatFixed(*number, field.decimals);
    }
    case 'L':
        return table.FieldAsBoolean(field.name) ? "true" : "false";
    case 'M': {
        std::vector<std::string> lines;
        table.GetMField(field.name, lines);
        std::string out = "[";
        for (size_t i = 0; i < lines.size(); ++i) {
            // Appended piece by piece: GCC 12 takes "literal" + std::string&&
            // at -O3 for an overlapping copy (-Wrestrict).
            if (i > 0) {
                out += ',';
            }
            out += JsonString(lines[i]);
        }
        return out + "]";
    }
    default:
        return JsonString(table.FieldAsString(field.name));
    }
}

int Dump(const std::string& file, const std::string& orderKey) {
    TTzDbf table("TzDbfCli");
    // Building an index writes beside the table and logs in to its
    // semaphore; a plain dump only reads.
    OpenExisting(table, file, orderKey.empty());
    if (!orderKey.empty()) {
        table.IndexOnOne(orderKey, orderKey);
    }
    for (table.First(); !table.Eof(); table.Next()) {
        std::string line = "{\"deleted\":";
        line += table.Deleted() ? "true" : "false";
        for (const auto& field : table.Fields()) {
            // Field names are bytes of the table's code page, as its text is.
            line += ',';
            line += JsonString(Cp437ToUtf8(field.name));
            line += ':';
            line += FieldJson(table, field);
        }
        std::cout << line << "}\n";
    }
    return kExitOk;
}

int Copy(const std::string& source, const std::string& target) {
    TTzDbf to("TzDbfCli");
    if (!tables::FileExists(tables::TableFileName(target))) {
        TTzDbf from("TzDbfCli");
        OpenExisting(from, source, true);
        std::vector<std::string> lines;
        for (const auto& field : from.Fields()) {
            lines.push_back(tables::FieldListLine(field));
        }
        to.SetDbfFields(lines);
    }
    to.SetDbfFileName(target);
    to.Open();
    to.ALock();
    to.AppendFrom(source);
    to.UnLock();
    to.Close();
    return kExitOk;
}

int Pack(const std::string& file) {
    TTzDbf table("TzDbfCli");
    table.SetExclusive(true);
    OpenExisting(table, file, false);
    table.Pack();
    table.Close();
    return kExitOk;
}

} // namespace

// vell3-cli dbf info|dump|copy|pack ...
int RunDbf(CliContext& context) {
    const auto& args = context.args;
    if (args.empty()) {
        return Usage();
    }
    const std::string& action = args[0];
    try {
        if (action == "info" && args.size() == 2) {
            return Info(args[1]);
        }
        if (action == "dump" && args.size() == 2) {
            return Dump(args[1], "");
        }
        if (action == "dump" && args.size() == 4 && args[2] == "--order") {
            return Dump(args[1], args[3]);
        }
        if (action == "copy" && args.size() == 3) {
            return Copy(args[1], args[2]);
        }
        if (action == "pack" && args.size() == 2) {
            return Pack(args[1]);
        }
    } catch (...) {
        return ReportCaughtFailure();
    }
    return Usage();
}

} // namespace vell3::cli
