#pragma once

#include <QString>
#include <QStringList>

// The store's answers that are more than a list of products: what the
// service says when a subscription is cancelled or renewed. Windows and the
// renewal act only on what these readers return.
namespace StoreReplies {

// removeAllProgramVideo for the program `askedProductId`: the program whose
// subscription goes next, and the files of its downloaded videos ("uri1" of
// each entry of "programs"). An answer that names another program is no
// answer to the request: nothing is deleted and nothing cancelled on it.
struct ProgramRemoval
{
    bool ok = false; // a readable success that names the program asked about
    QString productId;
    QStringList files; // non-empty paths only; deleting them is guarded elsewhere
};
ProgramRemoval parseProgramRemoval(const QString& reply, int askedProductId);

// The result_code of a declined card: the one answer on which a renewal
// cancels the subscription.
inline constexpr int declinedCode = 4;

// paymentProcess of a renewal.
struct RenewalPayment
{
    enum class Outcome {
        Unreadable, // no result_code that is a whole number: nothing is known
        Approved,   // 0
        Declined,   // declinedCode: the card was declined
        Failed,     // any other code (a storage failure, no card on file, ...)
    };
    Outcome outcome = Outcome::Unreadable;
    // The product the follow-up request concerns. Always the product paid
    // for: the reply's "productID" only echoes it, and a reply naming
    // another product must not renew or cancel that one.
    QString productId;
    // Approved: when the payment was made (ms since 1970), 0 when not said.
    qint64 paidAtMs = 0;
};
RenewalPayment parseRenewalPayment(const QString& reply, int paidProductId);

} // namespace StoreReplies
