#pragma once

#include <QString>
#include <QUrl>

// Deployment values of the store, compiled in next to the API host.
namespace StoreConfig {

// Where members reach the service about an order.
inline constexpr char contactPhone[] = "+1 555 0100";
inline constexpr char contactEmail[] = "support@olvaweightloss.com";

// The e-book web viewer of the API host: ".../uploadfiles/ebooks/viewer.html?view=<id>".
QUrl ebookViewerUrl(int productId);

} // namespace StoreConfig
