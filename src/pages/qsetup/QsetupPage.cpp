#include "pages/qsetup/QsetupPage.h"

#include "chart/Overlays.h"

namespace qv {

// While the dialog waits, the chart's own range correction copes with
// whatever was typed.
QsetupPage::QsetupPage(PageContext& context)
    : RangedValueDialog(context.host,
                        {"Q circle setup", "Q-circle setup ", "Q must be between .1 and 20", kMinQ, kMaxQ,
                         context.state.QCircleValue, context.state.QArcsOn,
                         ShortestText(context.state.QCircleValue), CorrectedQ}) {}

std::unique_ptr<PageWindow> MakeQsetupPage(PageContext& context) {
    return std::make_unique<QsetupPage>(context);
}

}  // namespace qv
