#pragma once

#include <QString>

class QLabel;

namespace LabelPicture {

// Shows the picture at `address` on `label`, stretched to the label's size
// when it arrives (a label with no size yet shows it as it is). Fetched by
// PictureLoader; a failure leaves the label as it was, and so does an answer
// to an earlier call that arrives after a later one. False when `address` is
// no web address (nothing is fetched).
bool fetch(QLabel* label, const QString& address);

} // namespace LabelPicture
