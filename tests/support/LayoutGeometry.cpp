#include "LayoutGeometry.h"

#include <algorithm>

namespace trelvix::test {
namespace {

using ui::Kind;

bool Drawn(Kind kind) {
    switch (kind) {
        case Kind::Menu:
        case Kind::MenuItem:
        case Kind::FileDialog:
        case Kind::TrayIcon:
        case Kind::BalloonTip: return false;
        default: return true;
    }
}

void Place(const std::vector<ui::ControlSpec>& specs, int originX, int originY, const PlacedControl& parent,
           std::vector<PlacedControl>& out) {
    for (const ui::ControlSpec& spec : specs) {
        if (!Drawn(spec.kind)) continue;
        PlacedControl placed = parent;
        placed.spec = &spec;
        placed.rect = {originX + spec.rect.x, originY + spec.rect.y, spec.rect.w, spec.rect.h};
        placed.shown = parent.shown && spec.visible;
        out.push_back(placed);

        PlacedControl inside = placed;
        inside.ancestors.push_back(spec.name);
        if (spec.kind == Kind::Tab || spec.kind == Kind::PageControl) {
            const ui::Rect area = PageArea(spec, placed.rect);
            for (std::size_t i = 0; i < spec.children.size(); ++i) {
                const ui::ControlSpec& page = spec.children[i];
                PlacedControl onPage = inside;
                onPage.ancestors.push_back(page.name);
                onPage.pages[spec.name] = i;
                onPage.holders.push_back({page.text.empty() ? page.name : page.text, area});
                onPage.shown = placed.shown && page.visible;
                Place(page.children, area.x, area.y, onPage, out);
            }
        } else if (spec.kind == Kind::GroupBox) {
            inside.holders.push_back({spec.name, placed.rect});
            Place(spec.children, placed.rect.x, placed.rect.y, inside, out);
        } else if (!spec.children.empty()) {
            // A picture box may hold controls of its own, placed from its corner.
            Place(spec.children, placed.rect.x, placed.rect.y, inside, out);
        }
    }
}

}  // namespace

ui::Rect PageArea(const ui::ControlSpec& book, const ui::Rect& r) {
    if (book.kind == Kind::PageControl) return r;
    return {r.x + kTabFrame, r.y + kTabRowHeight, r.w - 2 * kTabFrame, r.h - kTabRowHeight - kTabFrame};
}

std::vector<PlacedControl> PlaceControls(const ui::WindowSpec& window) {
    PlacedControl top;
    top.holders.push_back({window.name, {0, 0, window.rect.w, window.rect.h}});
    std::vector<PlacedControl> out;
    Place(window.controls, 0, 0, top, out);
    return out;
}

bool Holds(const ui::Rect& outer, const ui::Rect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

bool HoldsPoint(const ui::Rect& r, int x, int y) { return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h; }

bool OnSameScreen(const PlacedControl& a, const PlacedControl& b) {
    for (const auto& [tab, page] : a.pages) {
        const auto it = b.pages.find(tab);
        if (it != b.pages.end() && it->second != page) return false;
    }
    return true;
}

bool IsAncestor(const PlacedControl& maybeAncestor, const PlacedControl& of) {
    return std::find(of.ancestors.begin(), of.ancestors.end(), maybeAncestor.spec->name) != of.ancestors.end();
}

const std::vector<std::string>& WindowLayoutFiles() {
    static const std::vector<std::string> files = {
        "main.json",
        "tools/route_table.json",
        "tools/subnet_calculator.json",
        "tools/script_editor.json",
        "tools/l7_tools.json",
        "tools/ipv6_tunnel.json",
        "tools/ip_lookup.json",
        "tools/hardware_catalogue.json",
    };
    return files;
}

}  // namespace trelvix::test
