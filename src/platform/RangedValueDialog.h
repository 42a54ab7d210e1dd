// A one-box set-up dialog for a chart overlay's value (the Q arcs, the VSWR
// circle): the value is typed, parsed and range-checked; however the dialog
// is closed, the overlay is on afterwards and its value is one it can be
// drawn with.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Host.h"
#include "platform/PageWindow.h"

class QLineEdit;

namespace qv {

struct RangedValue {
    const char* title;
    const char* heading;
    const char* rangeMessage;  // shown when an entry is outside min .. max
    float min, max;
    float& value;
    std::int16_t& on;
    std::string shown;          // the value's text at opening
    float (*drawable)(float);  // applied on closing, to any value
};

class RangedValueDialog : public PageWindow {
public:
    RangedValueDialog(Host& host, RangedValue spec);
    ~RangedValueDialog() override;

    // Parses Text1 into the value; closes the dialog when the value is in
    // range, else shows the range message and waits for a new entry.
    // Returns true when the value was taken.
    bool Accept();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Finish();

    Host& host_;
    RangedValue spec_;
    float opened_;  // the value shown at opening, put back on a cancel
    bool accepted_ = false;
    bool finished_ = false;
    QLineEdit* text1_ = nullptr;
};

}  // namespace qv
