#include "Pictures.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace trelvix::catalogue {
namespace {

struct Colour {
    std::uint8_t r, g, b;
};

// Palette entries by name; the category colours follow.
enum Ink : std::uint8_t { kPaper, kFrame, kText, kPort, kCage, kBadge, kWhite, kHighlight, kFirstCategory };
constexpr std::array<Colour, 14> kPalette = {{
    {245, 245, 245},  // paper
    {160, 160, 160},  // frame
    {40, 40, 40},     // text
    {30, 30, 30},     // copper port
    {190, 190, 190},  // fibre cage
    {210, 30, 40},    // badge red
    {255, 255, 255},  // white
    {255, 255, 255},  // highlight on a body's top edge
    {50, 90, 160},    // categories: blue, teal, slate, green, plum, brown
    {30, 130, 130},
    {90, 100, 115},
    {60, 130, 60},
    {120, 70, 120},
    {140, 90, 50},
}};

// A 5 x 7 font: each glyph is seven rows, the top bit of five first.
struct Glyph {
    char c;
    std::array<std::uint8_t, 7> rows;
};
constexpr Glyph kFont[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}}, {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}}, {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}}, {'+', {0x00, 0x04, 0x04, 0x1F, 0x04, 0x04, 0x00}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}}, {'/', {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x00}},
    {'(', {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02}}, {')', {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08}},
};

const Glyph* GlyphOf(char c) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const Glyph& g : kFont)
        if (g.c == upper) return &g;
    return nullptr;  // a space, or a character the font lacks: an empty cell
}

class Canvas {
public:
    Canvas(int width, int height, Ink paper) : w_(width), h_(height), pixels_(std::size_t(width) * height, paper) {}

    void Fill(int x, int y, int w, int h, std::uint8_t ink) {
        for (int row = std::max(0, y); row < std::min(h_, y + h); ++row)
            for (int col = std::max(0, x); col < std::min(w_, x + w); ++col) pixels_[std::size_t(row) * w_ + col] = ink;
    }
    void Frame(int x, int y, int w, int h, std::uint8_t ink) {
        Fill(x, y, w, 1, ink);
        Fill(x, y + h - 1, w, 1, ink);
        Fill(x, y, 1, h, ink);
        Fill(x + w - 1, y, 1, h, ink);
    }
    static int TextWidth(std::string_view text, int scale) {
        return text.empty() ? 0 : static_cast<int>(text.size()) * 6 * scale - scale;
    }
    // Centred on `centreX`, its top at y.
    void Text(std::string_view text, int centreX, int y, int scale, std::uint8_t ink) {
        int x = centreX - TextWidth(text, scale) / 2;
        for (char c : text) {
            if (const Glyph* g = GlyphOf(c))
                for (int row = 0; row < 7; ++row)
                    for (int col = 0; col < 5; ++col)
                        if (g->rows[row] & (0x10 >> col)) Fill(x + col * scale, y + row * scale, scale, scale, ink);
            x += 6 * scale;
        }
    }
    std::string Png() const;

private:
    int w_, h_;
    std::vector<std::uint8_t> pixels_;
};

void PutUint32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
    PutUint32(out, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    out += typed;
    PutUint32(out, static_cast<std::uint32_t>(
                       crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()))));
}

std::string Canvas::Png() const {
    std::string out = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutUint32(header, static_cast<std::uint32_t>(w_));
    PutUint32(header, static_cast<std::uint32_t>(h_));
    header += std::string("\x08\x03\x00\x00\x00", 5);  // 8 bits, palette, deflate, no filter, no interlace
    PutChunk(out, "IHDR", header);
    std::string palette;
    for (const Colour& c : kPalette)
        palette += {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
    PutChunk(out, "PLTE", palette);
    std::string raw;
    raw.reserve(std::size_t(w_ + 1) * h_);
    for (int row = 0; row < h_; ++row) {
        raw += '\0';  // filter: none
        raw.append(reinterpret_cast<const char*>(&pixels_[std::size_t(row) * w_]), std::size_t(w_));
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
                  static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("cannot compress a picture");
    packed.resize(packedSize);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", "");
    return out;
}

// One row of port cells across the body's front, centred; the copper ports
// first. Up to 13 cells a row, at most two rows.
void DrawPorts(Canvas& canvas, int copper, int fibre, int bodyX, int bodyW, int top) {
    const int cells = copper + fibre;
    if (cells <= 0) return;
    const int perRow = std::min(cells, 13);
    const int rows = std::min(2, (cells + perRow - 1) / perRow);
    const int pitch = 15;
    for (int i = 0; i < std::min(cells, perRow * rows); ++i) {
        const int row = i / perRow;
        const int inRow = row == 0 ? perRow : std::min(perRow, cells - perRow);
        const int startX = bodyX + (bodyW - inRow * pitch) / 2;
        const int x = startX + (i % perRow) * pitch;
        const int y = top + row * 16;
        if (i < copper) {
            canvas.Fill(x + 1, y, 12, 11, kPort);
            canvas.Fill(x + 5, y + 9, 4, 2, kPaper);  // the latch notch
        } else {
            canvas.Fill(x + 1, y + 2, 12, 8, kCage);
            canvas.Frame(x + 1, y + 2, 12, 8, kPort);
        }
    }
}

}  // namespace

std::string ProductPicture(std::string_view model, int category, int copper, int fibre) {
    Canvas canvas(240, 240, kPaper);
    canvas.Frame(0, 0, 240, 240, kFrame);
    const int bodyX = 16, bodyY = 70, bodyW = 208, bodyH = 80;
    const int categories = static_cast<int>(kPalette.size()) - kFirstCategory;
    const auto body = static_cast<std::uint8_t>(kFirstCategory + ((category % categories) + categories) % categories);
    canvas.Fill(bodyX, bodyY, bodyW, bodyH, body);
    canvas.Fill(bodyX, bodyY, bodyW, 2, kHighlight);
    canvas.Fill(bodyX + 8, bodyY + 10, 40, 8, kHighlight);  // a label plate
    DrawPorts(canvas, copper, fibre, bodyX, bodyW, bodyY + 34);
    const int scale = std::clamp(216 / std::max(1, Canvas::TextWidth(model, 1)), 1, 3);
    canvas.Text(model, 120, 180, scale, kText);
    return canvas.Png();
}

std::string NewBadgePicture() {
    Canvas canvas(26, 26, kBadge);
    canvas.Text("NEW", 13, 10, 1, kWhite);
    return canvas.Png();
}

std::string PlaceholderPicture() {
    Canvas canvas(160, 160, kPaper);
    canvas.Frame(0, 0, 160, 160, kFrame);
    canvas.Frame(1, 1, 158, 158, kFrame);
    canvas.Text("...", 80, 66, 4, kFrame);
    return canvas.Png();
}

}  // namespace trelvix::catalogue
