#pragma once

#include <QString>
#include <optional>

// The amounts of the payment window, without widgets.
namespace sales {

struct PaymentAmounts {
    QString tendered;  // the amount tendered as the window shows it, "#0.00" (empty stays empty)
    QString change;    // tendered minus total, "#0.00"; empty when nothing was tendered
    QString error;     // Spanish, for the operator; empty when both are numbers
};

// Reads the amount tendered and the total (an empty total counts as 0) and
// forms the change. An amount or total that is not a number gives an error
// and no change.
PaymentAmounts paymentAmounts(const QString &tendered, const QString &total);

} // namespace sales
