// Makes the offline MAC-vendor table from the IEEE registry as Debian's
// ieee-data package installs it (oui.csv, mam.csv, oui36.csv, iab.csv: the
// registry, the assignment in hexadecimal, the organisation's name and its
// address). The table is built into the program, so the installed program
// needs neither the network nor these files.
//
//   trelvix_make_mac_vendors <ieee-data folder> <table out>
//
// Output: "TRZ1", the unpacked size (u32 LE), then a zlib stream of
//   "TMV1", the entry count (u32 LE),
//   per entry: prefix bits (u8: 24, 28 or 36), the block's first address
//   (6 bytes, big-endian), name and address offsets into the texts (u32 LE);
//   the texts' size (u32 LE) and the texts, UTF-8, each ended by a zero byte.
// Entries are sorted by prefix bits, then by address.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct RegistryFile {
    const char* name;
    int hexDigits;  // of the assignment: 6 for an OUI, 7 for MA-M, 9 for MA-S and IAB
};

constexpr RegistryFile kFiles[] = {{"oui.csv", 6}, {"mam.csv", 7}, {"oui36.csv", 9}, {"iab.csv", 9}};

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// RFC 4180 records: a quoted field may hold commas, doubled quotes and line breaks.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false;
    auto endField = [&] {
        rows.back().push_back(std::move(field));
        field.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') field += c;
            else if (i + 1 < text.size() && text[i + 1] == '"') field += text[++i];
            else quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            endField();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            endField();
            rows.emplace_back();
        } else {
            field += c;
        }
    }
    if (!field.empty() || !rows.back().empty()) endField();
    if (rows.back().empty()) rows.pop_back();
    return rows;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// One line for a label: a line break inside a field, with the blanks around
// it, becomes one blank; the blanks at either end go.
std::string OneLine(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\r' && field[i] != '\n') {
            out += field[i];
            continue;
        }
        while (!out.empty() && IsBlank(out.back())) out.pop_back();
        while (i + 1 < field.size() && IsBlank(field[i + 1])) ++i;
        out += ' ';
    }
    const auto first = std::find_if_not(out.begin(), out.end(), IsBlank);
    const auto last = std::find_if_not(out.rbegin(), out.rend(), IsBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

struct Entry {
    int bits;
    std::uint64_t first;  // the block's first address, 48 bits
    std::uint32_t name, address;
};

class Texts {
public:
    Texts() { blob_.push_back('\0'); }  // offset 0: the empty text
    std::uint32_t add(const std::string& text) {
        if (text.empty()) return 0;
        const auto [it, added] = offsets_.try_emplace(text, static_cast<std::uint32_t>(blob_.size()));
        if (added) blob_.append(text).push_back('\0');
        return it->second;
    }
    const std::string& blob() const { return blob_; }

private:
    std::string blob_;
    std::map<std::string, std::uint32_t> offsets_;
};

void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string Deflated(const std::string& raw) {
    uLongf size = compressBound(raw.size());
    std::string packed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
                  raw.size(), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib could not pack the table");
    packed.resize(size);
    std::string out = "TRZ1";
    PutU32(out, static_cast<std::uint32_t>(raw.size()));
    return out + packed;
}

std::string MakeTable(const fs::path& folder) {
    std::vector<Entry> entries;
    Texts texts;
    for (const RegistryFile& file : kFiles) {
        const auto rows = ReadCsv(ReadFile(folder / file.name));
        if (rows.empty() || rows[0].size() != 4 || rows[0][1] != "Assignment")
            throw std::runtime_error(std::string(file.name) + ": not the registry's four columns");
        for (std::size_t r = 1; r < rows.size(); ++r) {
            const auto& row = rows[r];
            const std::string where = std::string(file.name) + " record " + std::to_string(r);
            if (row.size() != 4) throw std::runtime_error(where + ": not four fields");
            const std::string& hex = row[1];
            if (static_cast<int>(hex.size()) != file.hexDigits ||
                hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
                throw std::runtime_error(where + ": assignment " + hex);
            const int bits = file.hexDigits * 4;
            const std::uint64_t first = std::stoull(hex, nullptr, 16) << (48 - bits);
            entries.push_back({bits, first, texts.add(OneLine(row[2])), texts.add(OneLine(row[3]))});
        }
    }
    // A few early blocks were given to more than one organisation; the
    // registry's first record of such a block is the one kept.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.bits, a.first) < std::tie(b.bits, b.first);
    });
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [](const Entry& a, const Entry& b) { return a.bits == b.bits && a.first == b.first; }),
                  entries.end());
    std::string raw = "TMV1";
    PutU32(raw, static_cast<std::uint32_t>(entries.size()));
    for (const Entry& e : entries) {
        raw += static_cast<char>(e.bits);
        for (int shift = 40; shift >= 0; shift -= 8) raw += static_cast<char>((e.first >> shift) & 0xFF);
        PutU32(raw, e.name);
        PutU32(raw, e.address);
    }
    PutU32(raw, static_cast<std::uint32_t>(texts.blob().size()));
    raw += texts.blob();
    return Deflated(raw);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: trelvix_make_mac_vendors <ieee-data folder> <table out>\n";
        return 2;
    }
    try {
        const fs::path out = argv[2];
        fs::create_directories(out.parent_path());
        const fs::path temp = out.string() + ".part";
        {
            std::ofstream file(temp, std::ios::binary | std::ios::trunc);
            const std::string table = MakeTable(argv[1]);
            file.write(table.data(), static_cast<std::streamsize>(table.size()));
            if (!file.flush()) throw std::runtime_error("cannot write " + temp.string());
        }
        fs::rename(temp, out);
    } catch (const std::exception& e) {
        std::cerr << "trelvix_make_mac_vendors: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
