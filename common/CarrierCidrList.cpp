#include "common/CarrierCidrList.h"

#include <stdexcept>
#include <string>

#include "common/EmbeddedData.h"

namespace trelvix {
namespace {

const char* FileOf(CarrierList list) {
    switch (list) {
        case CarrierList::Telecom: return "data/carrier/telecom.txt";
        case CarrierList::Unicom: return "data/carrier/unicom.txt";
        case CarrierList::Mobile: return "data/carrier/mobile.txt";
        case CarrierList::Tietong: return "data/carrier/tietong.txt";
        case CarrierList::GreatWall: return "data/carrier/greatwall.txt";
        case CarrierList::Education: return "data/carrier/cernet.txt";
        case CarrierList::China: return "data/carrier/china.txt";
    }
    throw std::invalid_argument("no such carrier list");
}

}  // namespace

std::string_view CarrierCidrList(CarrierList list) {
    // Looked up once per list: the generators ask on every click.
    static const std::array<std::string_view, kCarrierLists.size()> texts = [] {
        std::array<std::string_view, kCarrierLists.size()> out{};
        for (const CarrierList l : kCarrierLists) {
            const auto file = EmbeddedFile(FileOf(l));
            if (!file) throw std::logic_error(std::string("built without ") + FileOf(l));
            out[static_cast<std::size_t>(l)] = *file;
        }
        return out;
    }();
    return texts.at(static_cast<std::size_t>(list));
}

}  // namespace trelvix
