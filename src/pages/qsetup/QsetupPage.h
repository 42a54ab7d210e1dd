// The Q-circle set-up dialog (frmQsetup), modal over the Analysis page: one
// box for the Q of the constant-Q arcs. However it is closed, the Q arcs are
// on afterwards and QCircleValue lies within 0.1 .. 20.
#pragma once

#include <memory>

#include "platform/PageContext.h"
#include "platform/RangedValueDialog.h"

namespace qv {

class QsetupPage : public RangedValueDialog {
public:
    explicit QsetupPage(PageContext& context);
};

std::unique_ptr<PageWindow> MakeQsetupPage(PageContext& context);

}  // namespace qv
