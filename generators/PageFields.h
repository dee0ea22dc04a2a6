#pragma once
// A page's field table: which control fills which field of the snapshot its
// generator takes. The handlers read the page through the table, and an error
// naming a field (FieldOf) is placed on that field's control through it too,
// so a page writes each control's name once in code.
//
//     const PageFields<SimpleQueueFields> kPage = {
//         Field(kPrefixBox, &SimpleQueueFields::prefix),
//         Field(kBurstBox, &SimpleQueueFields::burst),          // a check box fills a bool
//         Field(kUpLimitAt, &PcqGroupFields::up, &GroupListFields::limitAt),
//         Field(kSundayBox, &SimpleQueueFields::days, 0),
//     };
//     OnGenerate(page, kGenerate5x, kPage, [](const SimpleQueueFields& f) { return Build(f); });
#include <array>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "generators/Outcome.h"
#include "ui/Window.h"

namespace trelvix {

template <class Fields>
struct FieldRow {
    std::string control;
    // Reads the control into its field of `fields`.
    std::function<void(const ui::Window&, const std::string& control, Fields& fields)> read;
    // The field's address inside `fields`.
    std::function<const void*(const Fields& fields)> address;
};

namespace detail {
// A check box fills a bool, a list's chosen item (-1 for none) an int; every
// other control fills a text from its content.
template <class T>
void ReadInto(const ui::Window& w, const std::string& control, T& field) {
    if constexpr (std::is_same_v<T, bool>) field = w.checked(control);
    else if constexpr (std::is_same_v<T, int>) field = w.currentItem(control);
    else field = T(w.text(control));
}
}  // namespace detail

template <class Fields, class T>
FieldRow<Fields> Field(std::string control, T Fields::*member) {
    return {std::move(control),
            [member](const ui::Window& w, const std::string& c, Fields& f) { detail::ReadInto(w, c, f.*member); },
            [member](const Fields& f) -> const void* { return &(f.*member); }};
}

// A field of a part of the snapshot (one direction's lists, say).
template <class Fields, class Part, class T>
FieldRow<Fields> Field(std::string control, Part Fields::*part, T Part::*member) {
    return {std::move(control),
            [part, member](const ui::Window& w, const std::string& c, Fields& f) {
                detail::ReadInto(w, c, (f.*part).*member);
            },
            [part, member](const Fields& f) -> const void* { return &((f.*part).*member); }};
}

// One element of an array field (a row of day check boxes, say).
template <class Fields, class T, std::size_t N>
FieldRow<Fields> Field(std::string control, std::array<T, N> Fields::*member, std::size_t index) {
    return {std::move(control),
            [member, index](const ui::Window& w, const std::string& c, Fields& f) {
                detail::ReadInto(w, c, (f.*member).at(index));
            },
            [member, index](const Fields& f) -> const void* { return &(f.*member).at(index); }};
}

// One field of one row of an array of rows (a table of rate rows, say).
template <class Fields, class Row, std::size_t N, class T>
FieldRow<Fields> Field(std::string control, std::array<Row, N> Fields::*rows, std::size_t index, T Row::*member) {
    return {std::move(control),
            [rows, index, member](const ui::Window& w, const std::string& c, Fields& f) {
                detail::ReadInto(w, c, (f.*rows).at(index).*member);
            },
            [rows, index, member](const Fields& f) -> const void* { return &((f.*rows).at(index).*member); }};
}

template <class Fields>
class PageFields {
public:
    PageFields(std::initializer_list<FieldRow<Fields>> rows) : rows_(rows) {}
    // For a page whose rows are made from a table of its own.
    explicit PageFields(std::vector<FieldRow<Fields>> rows) : rows_(std::move(rows)) {}

    // The page's snapshot: the struct's own defaults, then every row read once.
    Fields Read(const ui::Window& w) const {
        Fields fields{};
        for (const FieldRow<Fields>& row : rows_) row.read(w, row.control, fields);
        return fields;
    }

    // The control a field of `fields` was read from; "" for a field no row reads.
    std::string ControlOf(const Fields& fields, FieldRef field) const {
        for (const FieldRow<Fields>& row : rows_)
            if (row.address(fields) == field.address) return row.control;
        return {};
    }

    // The control of a field, named by its member: for handlers that act on
    // a control the page also reads (a check box that folds a group, say).
    template <class T>
    const std::string& Control(T Fields::*member) const {
        return ControlAt(FieldOf(Probe().*member));
    }
    template <class Part, class T>
    const std::string& Control(Part Fields::*part, T Part::*member) const {
        return ControlAt(FieldOf((Probe().*part).*member));
    }

private:
    static const Fields& Probe() {
        static const Fields probe{};
        return probe;
    }
    const std::string& ControlAt(FieldRef field) const {
        for (const FieldRow<Fields>& row : rows_)
            if (row.address(Probe()) == field.address) return row.control;
        throw std::logic_error("no control reads this field");
    }

    std::vector<FieldRow<Fields>> rows_;
};

// Binds a generate button: a click reads the page once through its table,
// calls `build` with the snapshot and hands the result (a script, or an
// Outcome) to the page.
template <class Fields, class Build>
void OnGenerate(PageContext& page, const std::string& button, const PageFields<Fields>& table, Build build) {
    OnClick(page, button, [&page, &table, build = std::move(build)] {
        const Fields fields = table.Read(page.window);
        using Result = decltype(build(fields));
        if constexpr (std::is_same_v<Result, Outcome>) {
            Deliver(page, build(fields), [&](FieldRef field) { return table.ControlOf(fields, field); });
        } else {
            page.showScript(build(fields));
        }
    });
}

}  // namespace trelvix
