#include "analysis/OutgoMatters.h"

#include "doc/TallymoDoc.h"

namespace tallymo {

std::vector<OutgoMatter> VisibleOutgoMatters(const CTallymoDoc& doc) {
    std::vector<OutgoMatter> matters;
    const MatterIndex first = doc.IncomeCount();
    const MatterList& outgo = doc.OutgoList();
    for (std::size_t j = 0; j < outgo.size(); ++j) {
        if (outgo[j].IsVisible()) {
            matters.push_back({first + static_cast<MatterIndex>(j), outgo[j].Name()});
        }
    }
    return matters;
}

}  // namespace tallymo
